#include "app/Links.h"

#include "app/InterfaceLanguage.h"

namespace vesk {

QString Links::pageSuffix() const {
    switch (interfaceLanguage(uiLanguages)) {
    case InterfaceLanguage::simplifiedChinese:
        return QStringLiteral("-zh-cn");
    case InterfaceLanguage::traditionalChinese:
        return QStringLiteral("-zh-tw");
    case InterfaceLanguage::english:
        break;
    }
    return {};
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
