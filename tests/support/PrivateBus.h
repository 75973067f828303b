#pragma once

#include "support/TempDir.h"

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>

namespace vesk::test {

// A D-Bus daemon of the test's own, with no services to activate, so that no test reaches the
// desktop's session bus or starts anything on it.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // A new connection to this bus: a client of its own, closed with the bus.
    [[nodiscard]] QDBusConnection connect();

private:
    TempDir dir_;
    QProcess daemon_;
    QString address_;
    QStringList connections_;
};

} // namespace vesk::test
