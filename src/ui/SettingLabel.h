#pragma once

#include "ui/SymbolIcon.h"

#include <QColor>
#include <QWidget>

class QLabel;

namespace vesk {

// The label of a settings row: a white symbol on a small coloured tile, then the title. It
// names its row's control: the title's mnemonic moves the keyboard there, screen readers read
// the title with the control, and a click on the label acts as a click on a check box would.
class SettingLabel : public QWidget {
    Q_OBJECT

public:
    SettingLabel(const QString& title, Symbol symbol, const QColor& color,
                 QWidget* parent = nullptr);

    [[nodiscard]] QString title() const;
    void setControl(QWidget* control);

    // The 20 × 20 tile at the painter's origin: a gradient of `color`, rounded, with the
    // symbol drawn in white (drawn, not themed, so it looks the same on every desktop).
    static void paintTile(QPainter& painter, Symbol symbol, const QColor& color);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* title_;
    QWidget* control_ = nullptr;
};

} // namespace vesk
