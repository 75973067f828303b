#include "ui/SymbolIcon.h"

#include "ui/PaintedIconEngine.h"

#include <QPainter>
#include <QPainterPath>

namespace vesk {

namespace {

QString themeName(Symbol symbol) {
    switch (symbol) {
    case Symbol::gear:
        return QStringLiteral("preferences-system");
    case Symbol::folder:
        return QStringLiteral("folder");
    case Symbol::trash:
        return QStringLiteral("user-trash");
    case Symbol::info:
        return QStringLiteral("dialog-information");
    case Symbol::lock:
        return QStringLiteral("changes-prevent");
    case Symbol::lockOpen:
        return QStringLiteral("changes-allow");
    case Symbol::lockShield:
        return QStringLiteral("security-high");
    case Symbol::plus:
        return QStringLiteral("list-add");
    case Symbol::minus:
        return QStringLiteral("list-remove");
    case Symbol::power:
        return QStringLiteral("system-shutdown");
    case Symbol::bell:
        return QStringLiteral("preferences-system-notifications");
    case Symbol::documentSearch:
        return QStringLiteral("edit-find");
    case Symbol::menu:
        return QStringLiteral("open-menu");
    case Symbol::sparkles: // no freedesktop name
    case Symbol::clock:
    case Symbol::checkmarkCircle:
    case Symbol::checkmarkCircleFill:
        return {};
    }
    return {};
}

void circle(QPainter& p, qreal cx, qreal cy, qreal r) {
    p.drawEllipse(QPointF(cx, cy), r, r);
}

void star(QPainter& p, QPointF centre, qreal radius) {
    QPainterPath path;
    const qreal waist = radius * 0.28;
    path.moveTo(centre.x(), centre.y() - radius);
    path.quadTo(centre.x() + waist, centre.y() - waist, centre.x() + radius, centre.y());
    path.quadTo(centre.x() + waist, centre.y() + waist, centre.x(), centre.y() + radius);
    path.quadTo(centre.x() - waist, centre.y() + waist, centre.x() - radius, centre.y());
    path.quadTo(centre.x() - waist, centre.y() - waist, centre.x(), centre.y() - radius);
    p.fillPath(path, p.pen().color());
}

void check(QPainter& p) {
    QPainterPath path;
    path.moveTo(5, 8.3);
    path.lineTo(7.2, 10.5);
    path.lineTo(11.2, 5.8);
    p.drawPath(path);
}

void lockBody(QPainter& p, bool open) {
    p.drawRoundedRect(QRectF(3.5, 7.2, 9, 7), 1.2, 1.2);
    QPainterPath shackle;
    const qreal left = open ? 7.5 : 5.2;
    shackle.moveTo(left, 7.2);
    shackle.lineTo(left, 4.8);
    shackle.arcTo(QRectF(left, 1.8, 5.6, 5.6), 180, -180);
    shackle.lineTo(left + 5.6, open ? 5.2 : 7.2);
    p.drawPath(shackle);
}

// Each symbol in a 16 × 16 design, drawn with the painter's pen (1.4 wide).
void draw(QPainter& p, Symbol symbol) {
    switch (symbol) {
    case Symbol::gear: {
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(8, 8);
            p.rotate(i * 45.0);
            p.fillRect(QRectF(-1.1, -7.2, 2.2, 3.0), p.pen().color());
            p.restore();
        }
        circle(p, 8, 8, 4.6);
        circle(p, 8, 8, 1.8);
        break;
    }
    case Symbol::folder: {
        QPainterPath path;
        path.moveTo(1.8, 4.0);
        path.lineTo(6.2, 4.0);
        path.lineTo(7.6, 5.6);
        path.lineTo(14.2, 5.6);
        path.lineTo(14.2, 13.0);
        path.lineTo(1.8, 13.0);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case Symbol::trash:
        p.drawLine(QPointF(2.5, 4.2), QPointF(13.5, 4.2));
        p.drawLine(QPointF(6.2, 2.2), QPointF(9.8, 2.2));
        p.drawRoundedRect(QRectF(4.0, 4.2, 8.0, 9.8), 1.0, 1.0);
        p.drawLine(QPointF(6.7, 6.8), QPointF(6.7, 11.4));
        p.drawLine(QPointF(9.3, 6.8), QPointF(9.3, 11.4));
        break;
    case Symbol::sparkles:
        star(p, {6.5, 9.0}, 5.2);
        star(p, {12.2, 3.8}, 2.6);
        star(p, {12.6, 12.6}, 1.8);
        break;
    case Symbol::info:
        circle(p, 8, 8, 6.3);
        p.drawLine(QPointF(8, 7.2), QPointF(8, 11.6));
        p.setBrush(p.pen().color());
        circle(p, 8, 4.7, 0.5);
        break;
    case Symbol::lock:
    case Symbol::lockOpen:
        lockBody(p, symbol == Symbol::lockOpen);
        break;
    case Symbol::lockShield: {
        QPainterPath shield;
        shield.moveTo(8, 1.5);
        shield.lineTo(13.6, 3.6);
        shield.cubicTo(13.6, 9.6, 11.2, 12.6, 8, 14.6);
        shield.cubicTo(4.8, 12.6, 2.4, 9.6, 2.4, 3.6);
        shield.closeSubpath();
        p.drawPath(shield);
        p.fillRect(QRectF(6.0, 7.4, 4.0, 3.2), p.pen().color());
        p.drawArc(QRectF(6.6, 5.2, 2.8, 3.6), 0, 180 * 16);
        break;
    }
    case Symbol::checkmarkCircle:
        circle(p, 8, 8, 6.3);
        check(p);
        break;
    case Symbol::checkmarkCircleFill: {
        p.setBrush(p.pen().color());
        circle(p, 8, 8, 6.6);
        QPen white = p.pen();
        white.setColor(Qt::white);
        white.setWidthF(1.6);
        p.setPen(white);
        check(p);
        break;
    }
    case Symbol::plus:
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Symbol::minus:
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case Symbol::power:
        p.drawArc(QRectF(2.4, 2.8, 11.2, 11.2), 120 * 16, 300 * 16);
        p.drawLine(QPointF(8, 1.6), QPointF(8, 7.6));
        break;
    case Symbol::bell: {
        QPainterPath bell;
        bell.moveTo(2.6, 12.0);
        bell.lineTo(13.4, 12.0);
        bell.cubicTo(12.0, 10.6, 12.2, 9.0, 12.2, 7.0);
        bell.cubicTo(12.2, 4.3, 10.4, 2.4, 8.0, 2.4);
        bell.cubicTo(5.6, 2.4, 3.8, 4.3, 3.8, 7.0);
        bell.cubicTo(3.8, 9.0, 4.0, 10.6, 2.6, 12.0);
        bell.closeSubpath();
        p.drawPath(bell);
        p.drawArc(QRectF(6.2, 11.0, 3.6, 3.6), 180 * 16, 180 * 16);
        break;
    }
    case Symbol::clock:
        circle(p, 8, 8, 6.3);
        p.drawLine(QPointF(8, 8), QPointF(8, 4.2));
        p.drawLine(QPointF(8, 8), QPointF(10.8, 9.6));
        break;
    case Symbol::documentSearch: {
        QPainterPath page;
        page.moveTo(3, 1.8);
        page.lineTo(9.4, 1.8);
        page.lineTo(12.4, 4.8);
        page.lineTo(12.4, 8.0);
        page.moveTo(9.0, 14.2);
        page.lineTo(3, 14.2);
        page.lineTo(3, 1.8);
        p.drawPath(page);
        p.drawLine(QPointF(5, 6), QPointF(9, 6));
        p.drawLine(QPointF(5, 8.6), QPointF(7.5, 8.6));
        circle(p, 11.2, 11.0, 2.3);
        p.drawLine(QPointF(12.9, 12.7), QPointF(14.8, 14.6));
        break;
    }
    case Symbol::menu:
        for (const qreal y : {4.0, 8.0, 12.0}) {
            p.drawLine(QPointF(3, y), QPointF(13, y));
        }
        break;
    }
}

class SymbolEngine final : public PaintedIconEngine {
public:
    SymbolEngine(Symbol symbol, QColor color) : symbol_(symbol), color_(color) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State /*state*/) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QRectF area = square(rect);
        painter->translate(area.topLeft());
        painter->scale(area.width() / 16.0, area.height() / 16.0);
        QColor color = color_;
        if (mode == QIcon::Disabled) {
            color.setAlphaF(color.alphaF() * 0.4);
        }
        painter->setPen(QPen(color, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        draw(*painter, symbol_);
        painter->restore();
    }

    QIconEngine* clone() const override { return new SymbolEngine(symbol_, color_); }

private:
    Symbol symbol_;
    QColor color_;
};

} // namespace

QIcon drawnSymbol(Symbol symbol, const QColor& color) {
    return QIcon(new SymbolEngine(symbol, color));
}

QIcon symbolIcon(Symbol symbol, const QColor& color) {
    const QString name = themeName(symbol);
    if (!name.isEmpty() && QIcon::hasThemeIcon(name)) {
        return QIcon::fromTheme(name);
    }
    return drawnSymbol(symbol, color);
}

} // namespace vesk
