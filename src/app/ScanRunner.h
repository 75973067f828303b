#pragma once

#include "core/placement/Organizer.h"

#include <QFuture>
#include <QObject>
#include <QThreadPool>

#include <functional>
#include <memory>
#include <stop_token>

namespace vesk {

// Runs the organizer on a worker thread, one scan at a time. Requests during a scan collapse
// into one follow-up scan, which takes the organizer current when it starts. Plans arrive on
// the thread that owns the runner: the partial plan, then the final one. How many questions the
// model has answered arrives as they are answered.
class ScanRunner : public QObject {
    Q_OBJECT

public:
    using OrganizerSource = std::function<std::shared_ptr<Organizer>()>;

    explicit ScanRunner(OrganizerSource source, QObject* parent = nullptr);
    // Stops a running scan at the next file or model request and waits for it; its plan is
    // dropped.
    ~ScanRunner() override;
    ScanRunner(const ScanRunner&) = delete;
    ScanRunner& operator=(const ScanRunner&) = delete;

    // Starts a scan now, or one more after the running one.
    void request();
    [[nodiscard]] bool isRunning() const { return running_; }

signals:
    void started();
    void partialPlan(const vesk::Plan& plan);
    void finalPlan(const vesk::Plan& plan);
    void finished();
    // The model's questions answered in this scan so far, of those it has to answer; a total
    // of 0 once the scan is over.
    void modelProgress(int done, int total);

private:
    void start();
    void finish(const std::optional<Plan>& plan);

    OrganizerSource source_;
    QThreadPool pool_;
    QFuture<void> scan_;
    std::stop_source stop_;
    bool running_ = false;
    bool pending_ = false;
};

} // namespace vesk
