#pragma once

#include <QWidget>

class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace vesk {

class AppModel;
struct ApplyResult;
struct UndoResult;

// The review window's bottom bar: the scan indicator ("Asking the local model… 120 of 698"
// while the model answers), how a tidy or undo is going and how it
// went ("Moving 120 of 6,644…", "Moved 31 files · Undo", "31 files are back"), undo, and the
// default button that tidies exactly the pending rows. Without a tray it also carries the
// tray's menu.
class ReviewBottomBar : public QWidget {
    Q_OBJECT

public:
    explicit ReviewBottomBar(AppModel& model, QWidget* parent = nullptr);

    // Shows a button with the application's menu, for desktops without a tray.
    void setMenu(QMenu* menu);
    [[nodiscard]] QPushButton* tidyButton() const { return tidy_; }
    [[nodiscard]] QLabel* status() const { return status_; }

private:
    void showState();
    void showProgress(int done, int total);
    void showModelProgress(int done, int total);
    void showTidied(const ApplyResult& result);
    void showUndone(const UndoResult& result);

    AppModel& model_;
    QProgressBar* busy_;
    QLabel* scanning_;
    QLabel* status_;
    QToolButton* menuButton_;
    QPushButton* undo_;
    QPushButton* tidy_;
};

} // namespace vesk
