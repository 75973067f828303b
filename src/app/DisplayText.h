#pragma once

#include <QString>

#include <string_view>

namespace vesk {

// A name or path as people read it on screen: what would not show as itself (a direction
// override, a newline, a zero-width character, a byte that is not UTF-8) is written out, as
// "⟨U+202E⟩" or "⟨0xE9⟩", so a name can neither pass for another nor hide its extension.
[[nodiscard]] QString displayText(std::string_view name);

// A tooltip that shows `text` as it is: Qt takes a tooltip that looks like markup for rich text,
// so a file named "<h1>report.pdf" would otherwise show as a heading.
[[nodiscard]] QString plainToolTip(const QString& text);

} // namespace vesk
