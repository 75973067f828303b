#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace vesk {

// The maker's web pages. Their origin is set when Vesk is built (VESK_WEB_ORIGIN); without one
// there is no update page (packages update through the package manager) and help is the
// installed README.
struct Links {
    QString origin;          // e.g. "https://vesk.app"; empty: no web pages
    QStringList uiLanguages; // the person's interface languages, preferred first
    QString version;         // this build's version
    QUrl readme;             // the README to open as help without an origin

    // "-zh-cn" for Simplified Chinese, "-zh-tw" for Traditional, else empty; the first
    // interface language decides.
    [[nodiscard]] QString pageSuffix() const;
    [[nodiscard]] QUrl support() const;
    // Absent without a web origin.
    [[nodiscard]] std::optional<QUrl> newVersion() const;
};

} // namespace vesk
