#pragma once

#include "app/Notice.h"

#include <QObject>

namespace vesk {

// Where notices go: the desktop's notification service in the interface, a recording in tests.
// The application decides what to say and when (Notices); a notifier only delivers.
class Notifier : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Whether notices reach the person at all; without a service, Vesk needs a window or a tray.
    [[nodiscard]] virtual bool isAvailable() const = 0;
    virtual void show(const Notice& notice) = 0;
    // Takes back the shown notice of this kind, if any.
    virtual void withdraw(Notice::Kind kind) = 0;

signals:
    // The person chose one of the notice's buttons, or clicked the notice itself.
    void invoked(const vesk::Notice& notice, vesk::Notice::Action action);
};

} // namespace vesk
