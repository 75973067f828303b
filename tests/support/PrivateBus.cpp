#include "support/PrivateBus.h"

#include <fstream>
#include <stdexcept>

namespace vesk::test {

namespace {

constexpr const char* config = R"(<!DOCTYPE busconfig PUBLIC
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

int connectionsMade = 0;

} // namespace

PrivateBus::PrivateBus() {
    const auto configFile = dir_ / "bus.conf";
    std::ofstream(configFile) << config;
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                   QStringLiteral("--config-file=") + QString::fromStdString(configFile.string())});
    while (daemon_.waitForReadyRead(10'000)) {
        if (daemon_.canReadLine()) {
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
            return;
        }
    }
    throw std::runtime_error("dbus-daemon did not start: " +
                             daemon_.readAllStandardError().toStdString());
}

PrivateBus::~PrivateBus() {
    for (const QString& name : connections_) {
        QDBusConnection::disconnectFromBus(name);
    }
    daemon_.kill();
    daemon_.waitForFinished();
}

QDBusConnection PrivateBus::connect() {
    const QString name = QStringLiteral("vesk-test-bus-%1").arg(++connectionsMade);
    connections_ << name;
    return QDBusConnection::connectToBus(address_, name);
}

} // namespace vesk::test
