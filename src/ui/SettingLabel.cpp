#include "ui/SettingLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vesk {

namespace {

constexpr int tileSize = 20;
constexpr int glyphSize = 14;

// Painted at the screen's pixel ratio each time, so the tile is crisp on every screen.
class Tile final : public QWidget {
public:
    Tile(Symbol symbol, QColor color, QWidget* parent)
        : QWidget(parent), symbol_(symbol), color_(color) {
        setFixedSize(tileSize, tileSize);
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        SettingLabel::paintTile(painter, symbol_, color_);
    }

private:
    Symbol symbol_;
    QColor color_;
};

} // namespace

SettingLabel::SettingLabel(const QString& title, Symbol symbol, const QColor& color,
                           QWidget* parent)
    : QWidget(parent), title_(new QLabel(title, this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(new Tile(symbol, color, this));
    layout->addWidget(title_);
}

QString SettingLabel::title() const {
    return title_->text();
}

void SettingLabel::paintTile(QPainter& painter, Symbol symbol, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, tileSize);
    gradient.setColorAt(0, color.lighter(118));
    gradient.setColorAt(1, color.darker(106));
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(0, 0, tileSize, tileSize), 5, 5);
    painter.fillPath(rounded, gradient);
    const int inset = (tileSize - glyphSize) / 2;
    drawnSymbol(symbol, Qt::white)
        .paint(&painter, QRect(inset, inset, glyphSize, glyphSize), Qt::AlignCenter);
    painter.restore();
}

} // namespace vesk
