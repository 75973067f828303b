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

// The icons installed in the theme for the tray, in one colour for the panel to tint.
inline constexpr const char* symbolicName = "app.vesk.Vesk-symbolic";
inline constexpr const char* pendingSymbolicName = "app.vesk.Vesk-pending-symbolic";

// What is known of the panel the tray icon goes on.
struct Panel {
    bool loadsNames = false; // a StatusNotifier host with our symbolic icons in its theme
    bool isDark = false;     // a guess, from the desktop's palette
};

// The tray's icon. Where the panel loads icons by name, the installed symbolic icon, which it
// tints to suit itself (the number of files is then in the tooltip). Otherwise the cabinet is
// drawn light on a dark panel and dark on a light one, with a thin outline of the other shade
// for a wrong guess, and with pending files their count on a small badge in a corner.
[[nodiscard]] QIcon trayIcon(int pending, const Panel& panel);

} // namespace vesk::CabinetIcon
