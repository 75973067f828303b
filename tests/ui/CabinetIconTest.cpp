#include "ui/CabinetIcon.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

// Opaque pixels inside a rectangle given in the 18-point design's coordinates.
int inkIn(const QImage& image, const QRectF& design) {
    const qreal scale = image.width() / 18.0;
    const QRect area(qRound(design.x() * scale), qRound(design.y() * scale),
                     qRound(design.width() * scale), qRound(design.height() * scale));
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ink += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        }
    }
    return ink;
}

TEST(CabinetIcon, PapersAndTheWiderDrawerOnlyWithFiles) {
    for (const qreal ratio : {1.0, 2.0}) {
        const QImage plain = CabinetIcon::image(18, ratio, false, Qt::black);
        const QImage full = CabinetIcon::image(18, ratio, true, Qt::black);
        EXPECT_EQ(plain.width(), qRound(18 * ratio));
        // The papers stand above the drawers.
        const QRectF papers(3.5, 2.6, 11.0, 4.8);
        EXPECT_EQ(inkIn(plain, papers), 0) << ratio;
        EXPECT_GT(inkIn(full, papers), 10 * ratio * ratio) << ratio;
        // The pulled-out drawer reaches beyond the cabinet's sides.
        const QRectF side(1.4, 9.0, 1.0, 2.0);
        EXPECT_EQ(inkIn(plain, side), 0) << ratio;
        EXPECT_GT(inkIn(full, side), 0) << ratio;
        // Both drawers are there either way.
        const QRectF lowerHandle(7.7, 14.2, 2.6, 0.8);
        EXPECT_GT(inkIn(plain, lowerHandle), 0) << ratio;
        EXPECT_GT(inkIn(full, lowerHandle), 0) << ratio;
    }
}

TEST(CabinetIcon, TrayIconIsAMaskOnlyWithoutFilesAndScalesToEverySize) {
    EXPECT_TRUE(CabinetIcon::trayIcon(0, Qt::black).isMask());
    const QIcon withFiles = CabinetIcon::trayIcon(3, Qt::black);
    EXPECT_FALSE(withFiles.isMask());
    for (const int size : {16, 22, 24, 48, 64}) {
        const QImage image = withFiles.pixmap(size, size).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        // The badge sits in the bottom-right corner, in red.
        const QColor corner = image.pixelColor(size - size / 6, size - size / 8);
        EXPECT_GT(corner.red(), 150) << size;
        EXPECT_LT(corner.green(), 100) << size;
    }
}

} // namespace
} // namespace vesk
