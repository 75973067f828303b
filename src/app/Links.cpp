#include "app/Links.h"

#include <QLocale>

namespace vesk {

QString Links::pageSuffix() const {
    if (uiLanguages.isEmpty()) {
        return {};
    }
    // QLocale fills in the likely script: "zh-TW" is Traditional, "zh" Simplified.
    const QLocale first(uiLanguages.front());
    if (first.language() != QLocale::Chinese) {
        return {};
    }
    return first.script() == QLocale::TraditionalChineseScript ? QStringLiteral("-zh-tw")
                                                               : QStringLiteral("-zh-cn");
}

QUrl Links::support() const {
    if (origin.isEmpty()) {
        return readme;
    }
    return QUrl(origin + QStringLiteral("/vesk-support") + pageSuffix() + QStringLiteral(".html"));
}

std::optional<QUrl> Links::newVersion() const {
    if (origin.isEmpty()) {
        return std::nullopt;
    }
    return QUrl(origin + QStringLiteral("/vesk") + pageSuffix() +
                QStringLiteral(".html?installed=") + version + QStringLiteral("#download"));
}

} // namespace vesk
