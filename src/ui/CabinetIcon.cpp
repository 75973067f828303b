#include "ui/CabinetIcon.h"

#include "ui/PaintedIconEngine.h"

namespace vesk::CabinetIcon {

namespace {

constexpr qreal design = 18.0; // the drawing's own size, in points
constexpr qreal stroke = 1.3;

void roundedOutline(QPainter& painter, const QRectF& rect) {
    painter.drawRoundedRect(rect, 1.3, 1.3);
}

// In the corner, no taller than two fifths of the icon, so the cabinet stays recognisable.
void badge(QPainter& painter, const QRectF& target, int count) {
    const QString text = count > 99 ? QStringLiteral("99+") : QString::number(count);
    const qreal height = target.height() * 0.42;
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(qMax(1, qRound(height * 0.72)));
    painter.setFont(font);
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(text);
    const qreal width = qMax(height, textWidth + height * 0.45);
    const QRectF pill(target.right() - width, target.bottom() - height, width, height);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd9, 0x30, 0x25));
    painter.drawRoundedRect(pill, height / 2, height / 2);
    painter.setPen(Qt::white);
    painter.drawText(pill, Qt::AlignCenter, text);
}

const QColor lightInk(0xf2, 0xf2, 0xf2);
const QColor darkInk(0x2e, 0x34, 0x36);

// Paints the cabinet fresh at whatever size and pixel ratio the tray asks for.
class TrayEngine final : public PaintedIconEngine {
public:
    TrayEngine(int pending, bool darkPanel) : pending_(pending), darkPanel_(darkPanel) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode /*mode*/,
               QIcon::State /*state*/) override {
        const QRectF area = square(rect);
        const bool hasFiles = pending_ > 0;
        // The outline: the same drawing a little larger all round, in the other shade.
        QColor halo = darkPanel_ ? darkInk : lightInk;
        halo.setAlphaF(0.45F);
        const qreal grow = area.width() / 18.0 * 0.6;
        for (const QPointF shift : {QPointF(-grow, 0), QPointF(grow, 0), QPointF(0, -grow),
                                    QPointF(0, grow)}) {
            CabinetIcon::paint(*painter, area.translated(shift), hasFiles, halo);
        }
        CabinetIcon::paint(*painter, area, hasFiles, darkPanel_ ? lightInk : darkInk);
        if (hasFiles) {
            badge(*painter, area, pending_);
        }
    }

    QIconEngine* clone() const override { return new TrayEngine(pending_, darkPanel_); }

private:
    int pending_;
    bool darkPanel_;
};

} // namespace

void paint(QPainter& painter, const QRectF& target, bool hasFiles, const QColor& color) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / design, target.height() / design);

    if (hasFiles) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        for (const QRectF paper : {QRectF(3.3, 4.0, 3.2, 4.6), QRectF(7.4, 2.4, 3.2, 6.2),
                                   QRectF(11.5, 4.8, 3.2, 3.8)}) {
            painter.drawRoundedRect(paper, 0.8, 0.8);
        }
    }
    QPen pen(color, stroke, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    roundedOutline(painter, hasFiles ? QRectF(1.7, 8.2, 14.6, 3.8) : QRectF(3.0, 8.2, 12.0, 3.8));
    painter.drawLine(QPointF(7.7, 10.1), QPointF(10.3, 10.1));
    roundedOutline(painter, QRectF(3.0, 12.8, 12.0, 3.6));
    painter.drawLine(QPointF(7.7, 14.6), QPointF(10.3, 14.6));
    painter.restore();
}

QImage image(int size, qreal devicePixelRatio, bool hasFiles, const QColor& color) {
    const int pixels = qRound(size * devicePixelRatio);
    QImage canvas(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    canvas.setDevicePixelRatio(devicePixelRatio);
    QPainter painter(&canvas);
    paint(painter, QRectF(0, 0, size, size), hasFiles, color);
    painter.end();
    return canvas;
}

QIcon trayIcon(int pending, const Panel& panel) {
    if (panel.loadsNames) {
        return QIcon::fromTheme(QLatin1String(pending > 0 ? pendingSymbolicName : symbolicName));
    }
    return QIcon(new TrayEngine(pending, panel.isDark));
}

} // namespace vesk::CabinetIcon
