#include "ui/Translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace vesk::Translations {

void install(QCoreApplication& app, const QStringList& /*uiLanguages*/) {
    // English last in the search: every other language falls back to its plural forms.
    auto* english = new QTranslator(&app);
    if (english->load(QStringLiteral(":/i18n/vesk_en.qm"))) {
        QCoreApplication::installTranslator(english);
    }
}

} // namespace vesk::Translations
