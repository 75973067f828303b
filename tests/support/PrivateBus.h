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

    [[nodiscard]] const QString& address() const { return address_; }
    // A new connection to this bus; each one is a separate client with a name of its own.
    [[nodiscard]] QDBusConnection connect();

private:
    TempDir dir_;
    QProcess daemon_;
    QString address_;
    QStringList connections_;
};

} // namespace vesk::test
