#include "app/StopSignalNotifier.h"

#include "platform/StopSignals.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <csignal>

namespace vesk {
namespace {

TEST(StopSignalNotifier, AStopSignalArrivesOnTheMainThreadInsteadOfEndingTheProgram) {
    // raise() sends to this thread, where it now waits for the notifier.
    platform::blockStopSignals();
    StopSignalNotifier notifier;
    QSignalSpy received(&notifier, &StopSignalNotifier::received);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_EQ(::raise(signal), 0);
        ASSERT_TRUE(received.wait(5000)) << signal;
        EXPECT_EQ(received.takeFirst().at(0).toInt(), signal);
    }
}

} // namespace
} // namespace vesk
