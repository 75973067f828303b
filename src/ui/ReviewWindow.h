#pragma once

#include "app/WindowState.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QMenu;
class QMessageBox;
class QStackedWidget;

namespace vesk {

class AppModel;
class ReviewBottomBar;
class ReviewTable;

// Where the person looks at the suggested moves, changes them and tidies: a filter over the
// rows, the rows in group order (or the empty state), and the bottom bar. Every change goes
// through the model. The list has the keyboard when the window opens; Escape and Ctrl+W close
// it. Its place and its column widths are kept for the next time.
class ReviewWindow : public QWidget {
    Q_OBJECT

public:
    explicit ReviewWindow(AppModel& model, QWidget* parent = nullptr);
    ~ReviewWindow() override;
    ReviewWindow(const ReviewWindow&) = delete;
    ReviewWindow& operator=(const ReviewWindow&) = delete;

    // Without a tray the window carries the application's menu.
    void setMenu(QMenu* menu);
    [[nodiscard]] ReviewTable* table() const { return table_; }
    [[nodiscard]] QLineEdit* filter() const { return filter_; }

signals:
    // The first time the window is shown.
    void firstShown();
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    [[nodiscard]] QWidget* tablePage();
    void addShortcuts();
    void updateTitle();
    void showRowsOrEmptyState();
    void showFailure(bool show);
    void showWatchProblems();
    void tidyIfPending();
    void focusList();
    void placeOnScreen();
    void keepPlace() const;

    AppModel& model_;
    WindowState state_;
    QStackedWidget* content_;
    ReviewTable* table_;
    QLineEdit* filter_;
    ReviewBottomBar* bottomBar_;
    QLabel* watchNotice_;
    QMessageBox* alert_ = nullptr;
    bool shown_ = false;
};

} // namespace vesk
