#include "ui/CabinetIcon.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace vesk {
namespace {

// How much of the image, as a share of its pixels, passes `test`.
double share(const QImage& image, const std::function<bool(const QColor&)>& test) {
    int passed = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            passed += test(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return static_cast<double>(passed) / (image.width() * image.height());
}

bool isInk(const QColor& pixel) {
    return pixel.alpha() > 200;
}

bool isBadge(const QColor& pixel) {
    return pixel.alpha() > 200 && pixel.red() > 150 && pixel.green() < 110 && pixel.blue() < 110;
}

QImage topThird(const QImage& image) {
    return image.copy(0, 0, image.width(), image.height() / 3);
}

TEST(CabinetIcon, PapersShowOnlyWithFilesAtEveryPixelRatio) {
    for (const qreal ratio : {1.0, 2.0}) {
        const QImage plain = CabinetIcon::image(18, ratio, false, Qt::black);
        const QImage full = CabinetIcon::image(18, ratio, true, Qt::black);
        EXPECT_EQ(plain.width(), qRound(18 * ratio));
        EXPECT_EQ(share(topThird(plain), isInk), 0) << ratio;
        EXPECT_GT(share(topThird(full), isInk), 0.05) << ratio;
        EXPECT_GT(share(plain, isInk), 0.1) << ratio; // the drawers are there either way
    }
}

TEST(CabinetIcon, WherePanelsLoadNamesTheTrayGetsTheInstalledSymbolsByName) {
    // A theme laid out as the installation lays it out.
    QTemporaryDir themes;
    const QDir apps(themes.filePath("hicolor/symbolic/apps"));
    ASSERT_TRUE(apps.mkpath("."));
    for (const char* name : {CabinetIcon::symbolicName, CabinetIcon::pendingSymbolicName}) {
        const QString file = QString::fromLatin1(name) + ".svg";
        ASSERT_TRUE(QFile::copy(QStringLiteral(VESK_DATA_DIR "/") + file, apps.filePath(file)));
    }
    QFile index(themes.filePath("hicolor/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=Hicolor\nDirectories=symbolic/apps\n\n"
                "[symbolic/apps]\nSize=16\nMinSize=8\nMaxSize=512\nType=Scalable\n");
    index.close();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName("hicolor");
    EXPECT_EQ(CabinetIcon::trayIcon(0, {.loadsNames = true, .isDark = false}).name(),
              "app.vesk.Vesk-symbolic");
    EXPECT_EQ(CabinetIcon::trayIcon(12, {.loadsNames = true, .isDark = true}).name(),
              "app.vesk.Vesk-pending-symbolic");
    EXPECT_TRUE(CabinetIcon::trayIcon(12, {.loadsNames = false, .isDark = true}).name().isEmpty());
}

TEST(CabinetIcon, ADrawnTrayIconSuitsItsPanelAndItsBadgeLeavesTheCabinetInSight) {
    for (const int size : {16, 22, 32, 48}) {
        for (const bool dark : {true, false}) {
            const QImage plain =
                CabinetIcon::trayIcon(0, {.loadsNames = false, .isDark = dark}).pixmap(size).toImage();
            ASSERT_EQ(plain.size(), QSize(size, size));
            // Light ink on a dark panel, dark ink on a light one.
            const double light = share(plain, [](const QColor& c) { return isInk(c) && c.lightness() > 200; });
            const double darkInk = share(plain, [](const QColor& c) { return isInk(c) && c.lightness() < 80; });
            EXPECT_GT(dark ? light : darkInk, 0.1) << size << dark;
            EXPECT_LT(dark ? darkInk : light, 0.02) << size << dark;
            EXPECT_EQ(share(plain, isBadge), 0) << size;

            const QImage full =
                CabinetIcon::trayIcon(7, {.loadsNames = false, .isDark = dark}).pixmap(size).toImage();
            const double badge = share(full, isBadge);
            EXPECT_GT(badge, 0.02) << size;
            EXPECT_LT(badge, 0.2) << size; // a corner, not most of the icon
            EXPECT_GT(share(topThird(full), isInk), 0) << size; // the papers, over the badge
        }
    }
}

} // namespace
} // namespace vesk
