#pragma once

#include <QColor>
#include <QIcon>

namespace vesk {

// The small symbols the windows use. Each has a freedesktop icon name where the theme has
// one, and a drawing of our own for themes that lack it (and for the coloured setting tiles,
// which need the same white glyph everywhere).
enum class Symbol {
    gear,
    folder,
    trash,
    sparkles,
    info,
    lock,
    lockOpen,
    lockShield,
    checkmarkCircle,
    checkmarkCircleFill,
    plus,
    minus,
    power,
    bell,
    clock,
    documentSearch,
    menu,
};

// The theme's icon, else our drawing in `color`.
[[nodiscard]] QIcon symbolIcon(Symbol symbol, const QColor& color);
// Always our drawing, in `color`, at any size.
[[nodiscard]] QIcon drawnSymbol(Symbol symbol, const QColor& color);

} // namespace vesk
