#pragma once

#include <QWidget>

class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace vesk {

class AppModel;

// The review window's bottom bar: the scan indicator, undo, and the default button that tidies
// exactly the pending rows. Without a tray it also carries the tray's menu.
class ReviewBottomBar : public QWidget {
    Q_OBJECT

public:
    explicit ReviewBottomBar(AppModel& model, QWidget* parent = nullptr);

    // Shows a button with the application's menu, for desktops without a tray.
    void setMenu(QMenu* menu);
    [[nodiscard]] QPushButton* tidyButton() const { return tidy_; }

private:
    void showState();

    AppModel& model_;
    QProgressBar* busy_;
    QLabel* scanning_;
    QToolButton* menuButton_;
    QPushButton* undo_;
    QPushButton* tidy_;
};

} // namespace vesk
