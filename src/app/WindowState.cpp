#include "app/WindowState.h"

#include "app/PathBoundary.h"

#include <QSettings>

namespace vesk {

QByteArray WindowState::value(const QString& key) const {
    return QSettings(pathToQt(file_), QSettings::IniFormat).value(key).toByteArray();
}

void WindowState::setValue(const QString& key, const QByteArray& value) const {
    QSettings(pathToQt(file_), QSettings::IniFormat).setValue(key, value);
}

} // namespace vesk
