// How long the review window keeps the person waiting on a home with 6,644 waiting files:
// select all, tick them all off and on again with Space, and a rescan while every row is
// selected (with nothing changed, and with one file more). Each figure is the longest time the
// main thread did not get back to its event loop. Run by hand on a Release build.

#include "app/AppModel.h"
#include "app/FolderPicker.h"
#include "ui/ReviewTable.h"
#include "ui/ReviewWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <functional>

namespace {

using namespace vesk;
namespace fs = std::filesystem;

constexpr int waitingFiles = 6644;
constexpr int folders = 40;

class NoPicker final : public FolderPicker {
public:
    void pickFolders(const Request& /*request*/, QObject* /*context*/, Picked picked) override {
        picked({});
    }
};

void touch(const fs::path& file) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << 'x';
}

// Folders of project notes, and downloads named like them, so the rows fall into many groups.
void makeHome(const fs::path& home) {
    for (int f = 0; f < folders; ++f) {
        for (int k = 0; k < 5; ++k) {
            touch(home / "Documents" / ("Project " + std::to_string(f)) /
                  ("project" + std::to_string(f) + " report " + std::to_string(k) + ".pdf"));
        }
    }
    for (int i = 0; i < waitingFiles; ++i) {
        touch(home / "Downloads" /
              ("project" + std::to_string(i % folders) + " note " + std::to_string(i) + ".pdf"));
    }
}

// Runs the event loop until `done`, and returns the longest stretch in milliseconds that the
// main thread spent away from it.
double longestBlock(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 longest = 0;
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
    }
    return static_cast<double>(longest) / 1e6;
}

// The time of one call and the events it leaves, in milliseconds.
double timed(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    work();
    QCoreApplication::processEvents();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

void press(QWidget& widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(&widget, &up);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QTemporaryDir dir;
    AppLocation location;
    location.home = fs::path(dir.path().toStdString()) / "home";
    location.supportDir = location.home / ".vesk-app";
    location.settingsFile = dir.filePath(QStringLiteral("vesk.conf"));
    location.isFixture = true;
    makeHome(location.home);

    Settings settings;
    settings.sources = {location.home / "Downloads"};
    settings.onboardingFinished = true;
    settings.minAgeDays = 0;
    NoPicker picker;
    AppModel model(location, settings, ModelEndpoint{.url = "off", .model = ""}, picker);
    ReviewWindow window(model);
    window.show();
    const auto settled = [&] { return !model.isBusy() && !model.isMoving(); };
    QTimer::singleShot(0, [] {}); // the first scan starts with the event loop
    longestBlock([&] { return settled() && !model.rows().empty(); });
    ReviewTable& table = *window.table();
    table.setFocus();
    std::printf("%zu rows in %zu groups\n", model.rows().size(),
                static_cast<std::size_t>(table.model()->rowCount()));

    std::printf("| step | main thread blocked (ms) |\n|---|---:|\n");
    std::printf("| Ctrl+A | %.1f |\n", timed([&] { press(table, Qt::Key_A, Qt::ControlModifier); }));
    std::printf("| Space (all off) | %.1f |\n", timed([&] { press(table, Qt::Key_Space); }));
    std::printf("| Space (all on) | %.1f |\n", timed([&] { press(table, Qt::Key_Space); }));
    std::printf("selected: %zu, pending: %d\n", table.selectedFiles().size(), model.pendingCount());

    model.rescan();
    std::printf("| rescan, nothing new, all selected | %.1f |\n", longestBlock(settled));
    touch(location.home / "Downloads" / "project1 note extra.pdf");
    model.rescan();
    std::printf("| rescan, one file more, all selected | %.1f |\n", longestBlock(settled));
    std::printf("selected after the rescans: %zu of %zu\n", table.selectedFiles().size(),
                model.rows().size());
    return 0;
}
