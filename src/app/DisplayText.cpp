#include "app/DisplayText.h"

#include "core/text/HiddenCharacters.h"

#include <cstdio>
#include <string>

namespace vesk {

namespace {

std::string codePoint(char32_t c) {
    char text[24];
    std::snprintf(text, sizeof text, "\u27E8U+%04X\u27E9", static_cast<unsigned>(c));
    return text;
}

std::string byte(unsigned char value) {
    char text[24];
    std::snprintf(text, sizeof text, "\u27E80x%02X\u27E9", static_cast<unsigned>(value));
    return text;
}

} // namespace

QString displayText(std::string_view name) {
    return QString::fromStdString(withHiddenShown(name, codePoint, byte));
}

QString plainToolTip(const QString& text) {
    if (text.isEmpty()) {
        return text;
    }
    QString escaped = text.toHtmlEscaped();
    escaped.replace(QLatin1Char('\n'), QLatin1String("<br>"));
    return QStringLiteral("<p style=\"white-space:pre-wrap\">%1</p>").arg(escaped);
}

} // namespace vesk
