#include "app/InterfaceLanguage.h"

#include <QLocale>

namespace vesk {

InterfaceLanguage interfaceLanguage(const QStringList& uiLanguages) {
    if (uiLanguages.isEmpty()) {
        return InterfaceLanguage::english;
    }
    // QLocale fills in the likely script: "zh-TW" and "zh-HK" are Traditional, "zh" Simplified.
    const QLocale first(uiLanguages.front());
    if (first.language() != QLocale::Chinese) {
        return InterfaceLanguage::english;
    }
    return first.script() == QLocale::TraditionalChineseScript
               ? InterfaceLanguage::traditionalChinese
               : InterfaceLanguage::simplifiedChinese;
}

QString translationName(InterfaceLanguage language) {
    switch (language) {
    case InterfaceLanguage::simplifiedChinese:
        return QStringLiteral("zh_CN");
    case InterfaceLanguage::traditionalChinese:
        return QStringLiteral("zh_TW");
    case InterfaceLanguage::english:
        break;
    }
    return QStringLiteral("en");
}

} // namespace vesk
