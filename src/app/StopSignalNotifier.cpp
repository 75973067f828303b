#include "app/StopSignalNotifier.h"

#include "platform/StopSignals.h"

#include <sys/signalfd.h>
#include <unistd.h>

namespace vesk {

StopSignalNotifier::StopSignalNotifier(QObject* parent) : QObject(parent) {
    const sigset_t set = platform::stopSignals();
    fd_ = platform::FileDescriptor(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
    if (fd_.valid()) {
        notifier_ = std::make_unique<QSocketNotifier>(fd_.get(), QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, &StopSignalNotifier::read);
    }
}

void StopSignalNotifier::read() {
    signalfd_siginfo info{};
    while (::read(fd_.get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        emit received(static_cast<int>(info.ssi_signo));
    }
}

} // namespace vesk
