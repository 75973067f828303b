#pragma once

#include <QWidget>

class QMenu;
class QMessageBox;
class QStackedWidget;

namespace vesk {

class AppModel;
class ReviewBottomBar;
class ReviewTable;

// Where the person looks at the suggested moves, changes them and tidies: the rows in group
// order (or the empty state), and the bottom bar. Every change goes through the model.
class ReviewWindow : public QWidget {
    Q_OBJECT

public:
    explicit ReviewWindow(AppModel& model, QWidget* parent = nullptr);

    // Without a tray the window carries the application's menu.
    void setMenu(QMenu* menu);
    [[nodiscard]] ReviewTable* table() const { return table_; }

signals:
    // The first time the window is shown.
    void firstShown();
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void updateTitle();
    void showRowsOrEmptyState();
    void showFailure(bool show);
    void tidyIfPending();

    AppModel& model_;
    QStackedWidget* content_;
    ReviewTable* table_;
    ReviewBottomBar* bottomBar_;
    QMessageBox* alert_ = nullptr;
    bool shown_ = false;
};

} // namespace vesk
