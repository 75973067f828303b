#include "app/Translations.h"

#include "app/InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vesk::Translations {

namespace {

void installFrom(QCoreApplication& app, const QString& file, const QString& folder) {
    auto* translator = new QTranslator(&app);
    if (translator->load(file, folder)) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

} // namespace

void install(QCoreApplication& app, const QStringList& uiLanguages) {
    // Installed first, searched last: English supplies the plural forms for every text a
    // translation lacks.
    installFrom(app, QStringLiteral("vesk_en"), QStringLiteral(":/i18n"));
    const InterfaceLanguage language = interfaceLanguage(uiLanguages);
    if (language == InterfaceLanguage::english) {
        return;
    }
    const QString name = translationName(language);
    // Qt's own, for the standard buttons of its dialogs, where the system has them.
    installFrom(app, QStringLiteral("qtbase_") + name,
                QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    installFrom(app, QStringLiteral("vesk_") + name, QStringLiteral(":/i18n"));
}

} // namespace vesk::Translations
