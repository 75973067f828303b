#pragma once

#include <QColor>
#include <QStyleOptionViewItem>

namespace vesk {

// The two shades of text in a list line: the main text, and the secondary text (a reason, a
// score, a heading) that stays readable on the selection's colour.
struct TextColors {
    QColor primary;
    QColor secondary;

    [[nodiscard]] static TextColors of(const QStyleOptionViewItem& option) {
        const bool selected = option.state & QStyle::State_Selected;
        TextColors colors{
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text),
            option.palette.color(QPalette::PlaceholderText)};
        if (selected) {
            colors.secondary = colors.primary;
            colors.secondary.setAlphaF(0.75F);
        }
        return colors;
    }
};

} // namespace vesk
