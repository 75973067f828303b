#pragma once

#include "ui/SymbolIcon.h"

#include <QColor>
#include <QWidget>

class QLabel;

namespace vesk {

// The label of a settings row: a white symbol on a small coloured tile, then the title.
class SettingLabel : public QWidget {
    Q_OBJECT

public:
    SettingLabel(const QString& title, Symbol symbol, const QColor& color,
                 QWidget* parent = nullptr);

    [[nodiscard]] QString title() const;

    // The 20 × 20 tile at the painter's origin: a gradient of `color`, rounded, with the
    // symbol drawn in white (drawn, not themed, so it looks the same on every desktop).
    static void paintTile(QPainter& painter, Symbol symbol, const QColor& color);

private:
    QLabel* title_;
};

} // namespace vesk
