#pragma once

#include <QStringList>

class QCoreApplication;

namespace vesk::Translations {

// Installs the interface's translations for the first interface language that has one,
// English otherwise (which supplies the plural forms), and Qt's own where installed.
void install(QCoreApplication& app, const QStringList& uiLanguages);

} // namespace vesk::Translations
