#include "ui/WindowRole.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace vesk {

namespace {

const char* const windowProperty = "veskWindow";

QAccessibleInterface* windowInterface(const QString& /*className*/, QObject* object) {
    if (object != nullptr && object->isWidgetType() && object->property(windowProperty).toBool()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

} // namespace

void announceAsWindow(QWidget& window) {
    static const bool installed = [] {
        QAccessible::installFactory(windowInterface);
        return true;
    }();
    static_cast<void>(installed);
    window.setProperty(windowProperty, true);
}

} // namespace vesk
