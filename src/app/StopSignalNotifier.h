#pragma once

#include "platform/FileDescriptor.h"

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace vesk {

// Turns SIGTERM, SIGINT and SIGHUP into a signal on the main thread, read from a signalfd, so
// that a logout or Ctrl+C quits the application the way its Quit does: a tidy in progress
// finishes the file it is at and records everything. The signals must have been blocked
// (platform::blockStopSignals) before any thread was started.
class StopSignalNotifier : public QObject {
    Q_OBJECT

public:
    explicit StopSignalNotifier(QObject* parent = nullptr);

signals:
    void received(int signal);

private:
    void read();

    platform::FileDescriptor fd_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace vesk
