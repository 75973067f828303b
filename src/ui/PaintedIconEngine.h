#pragma once

#include <QIconEngine>
#include <QPainter>

namespace vesk {

// An icon drawn by code at exactly the size and pixel ratio asked for, so it is crisp on every
// screen; subclasses only paint.
class PaintedIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QImage canvas(size * scale, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        canvas.setDevicePixelRatio(scale);
        QPainter painter(&canvas);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        painter.end();
        return QPixmap::fromImage(canvas);
    }

    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
    }

protected:
    // The largest square centred in `rect`.
    [[nodiscard]] static QRectF square(const QRect& rect) {
        const qreal side = qMin(rect.width(), rect.height());
        return {rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side,
                side};
    }
};

} // namespace vesk
