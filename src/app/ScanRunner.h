#pragma once

#include "core/model/ModelEndpoint.h"
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
// the thread that owns the runner: the partial plan, then the final one, their targets without
// the names of the files inside them.
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
    // Asks the model service whether it can be used, on the scan thread (it may take a second),
    // before any scan requested after this; the answer arrives as modelProbed.
    void probe(ModelEndpoint endpoint);
    [[nodiscard]] bool isRunning() const { return running_; }

signals:
    void started();
    void partialPlan(const vesk::Plan& plan);
    void finalPlan(const vesk::Plan& plan);
    void finished();
    // Absent when the model can be used, else why not.
    void modelProbed(const std::optional<vesk::ModelUnavailable>& unavailable);

private:
    void start();
    void finish(const std::optional<Plan>& plan);

    OrganizerSource source_;
    QThreadPool pool_;
    QFuture<void> scan_;
    QFuture<void> probe_;
    std::stop_source stop_;
    std::stop_source quit_; // ends a probe under way when the runner goes
    bool running_ = false;
    bool pending_ = false;
};

} // namespace vesk
