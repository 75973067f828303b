#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace vesk::CabinetIcon {

// Vesk's two-drawer cabinet, drawn from its 18 × 18 design into `target`; with files, papers
// stick out of the wider, pulled-out upper drawer.
void paint(QPainter& painter, const QRectF& target, bool hasFiles, const QColor& color);

// The cabinet as an image of `size` logical pixels at the device pixel ratio.
[[nodiscard]] QImage image(int size, qreal devicePixelRatio, bool hasFiles, const QColor& color);

// The tray's icon at every size it asks for: the cabinet, and with pending files their count
// on a badge, since a tray shows no text beside its icon. Without files the icon is a mask
// the desktop may tint.
[[nodiscard]] QIcon trayIcon(int pending, const QColor& color);

} // namespace vesk::CabinetIcon
