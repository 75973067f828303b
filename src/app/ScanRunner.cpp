#include "app/ScanRunner.h"

#include "platform/FreeMemory.h"

#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace vesk {

namespace {

bool asksTheModel(OrganizerProgress::Stage stage) {
    using Stage = OrganizerProgress::Stage;
    return stage == Stage::understandingFolders || stage == Stage::placing ||
           stage == Stage::reviewing;
}

} // namespace

ScanRunner::ScanRunner(OrganizerSource source, QObject* parent)
    : QObject(parent), source_(std::move(source)) {
    pool_.setMaxThreadCount(1);
}

ScanRunner::~ScanRunner() {
    stop_.request_stop();
    scan_.waitForFinished();
}

void ScanRunner::request() {
    if (running_) {
        pending_ = true;
        return;
    }
    start();
}

void ScanRunner::start() {
    running_ = true;
    emit started();
    stop_ = std::stop_source();
    // The scan keeps its organizer alive even when a settings change replaces it meanwhile.
    scan_ = QtConcurrent::run(&pool_, [this, organizer = source_(), stop = stop_.get_token()] {
        const auto partial = [this](const Plan& plan) {
            QMetaObject::invokeMethod(
                this, [this, plan] { emit partialPlan(plan); }, Qt::QueuedConnection);
        };
        // Only the model's stages: the others report every file, and are quick.
        const auto progress = [this](const OrganizerProgress& state) {
            if (asksTheModel(state.stage)) {
                QMetaObject::invokeMethod(
                    this, [this, state] { emit modelProgress(state.done, state.total); },
                    Qt::QueuedConnection);
            }
        };
        std::optional<Plan> plan = organizer->run(stop, progress, partial);
        // Queued after every partial plan of this scan, so the final one arrives last.
        QMetaObject::invokeMethod(
            this, [this, plan = std::move(plan)] { finish(plan); }, Qt::QueuedConnection);
    });
}

void ScanRunner::finish(const std::optional<Plan>& plan) {
    running_ = false;
    emit modelProgress(0, 0);
    if (plan) {
        emit finalPlan(*plan);
    }
    emit finished();
    // Once the plan and the rows and views it replaced are freed as well, which is after this
    // event: without it their pages and the scan's stay with the process. Off this thread, as
    // it walks the whole heap.
    QTimer::singleShot(0, this, [this] { pool_.start(&platform::releaseFreeMemory); });
    if (pending_) {
        pending_ = false;
        start();
    }
}

} // namespace vesk
