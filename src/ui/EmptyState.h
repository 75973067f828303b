#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace vesk {

class AppModel;

// What the review window shows without rows: a busy indicator while scanning, else "Nothing
// to Tidy", explaining that recent files wait when some do.
class EmptyState : public QWidget {
    Q_OBJECT

public:
    explicit EmptyState(AppModel& model, QWidget* parent = nullptr);

private:
    void showState();

    AppModel& model_;
    QProgressBar* busy_;
    QWidget* nothing_;
    QLabel* waiting_;
};

} // namespace vesk
