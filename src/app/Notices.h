#pragma once

#include "app/Notice.h"
#include "app/WaitingFiles.h"
#include "core/moves/FileMover.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace vesk {

class AppModel;
class Notifier;

struct NoticesOptions {
    // Files that keep arriving are told about at most this often, unless their number doubles.
    WaitingFiles::Clock::duration quietTime = std::chrono::hours(4);
    std::function<WaitingFiles::Clock::time_point()> clock = WaitingFiles::Clock::now;
};

// What Vesk tells the person outside its windows, and when: files newly ready to tidy (with
// "Review"), the end of a tidy (with "Undo") or of an undo, and what could not be moved. Nothing
// while the person has turned notices off.
class Notices : public QObject {
    Q_OBJECT

public:
    Notices(AppModel& model, Notifier& notifier, NoticesOptions options = {},
            QObject* parent = nullptr);

    // While this says the person is looking at the review window, waiting files are no news.
    void setReviewing(std::function<bool()> reviewing) { reviewing_ = std::move(reviewing); }

signals:
    void reviewRequested();

private:
    [[nodiscard]] bool enabled() const;
    void filesChanged();
    void tidied(const ApplyResult& result);
    void undone(const UndoResult& result);
    void act(const Notice& notice, Notice::Action action);

    AppModel& model_;
    Notifier& notifier_;
    std::function<WaitingFiles::Clock::time_point()> clock_;
    WaitingFiles waiting_;
    QTimer askAgain_;
    std::function<bool()> reviewing_;
};

} // namespace vesk
