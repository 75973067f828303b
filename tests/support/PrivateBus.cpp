#include "support/PrivateBus.h"

#include <fstream>
#include <stdexcept>

namespace vesk::test {

PrivateBus::PrivateBus() {
    const auto config = dir_ / "bus.conf";
    std::ofstream(config) << R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                   QStringLiteral("--config-file=") + QString::fromStdString(config.string())});
    while (daemon_.waitForReadyRead(10'000)) {
        if (daemon_.canReadLine()) {
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
            return;
        }
    }
    throw std::runtime_error("dbus-daemon did not start");
}

PrivateBus::~PrivateBus() {
    // libdbus aborts when a private connection is dropped without being closed.
    for (const QString& name : connections_) {
        QDBusConnection::disconnectFromBus(name);
    }
    daemon_.kill();
    daemon_.waitForFinished();
}

QDBusConnection PrivateBus::connect() {
    static int made = 0;
    connections_ << QStringLiteral("test-bus-%1").arg(++made);
    return QDBusConnection::connectToBus(address_, connections_.back());
}

} // namespace vesk::test
