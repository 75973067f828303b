// How long the review window keeps the person waiting on a home with 6,644 waiting files:
// select all, tick them all off and on again with Space, and a rescan while every row is
// selected (with nothing changed, and with one file more). Each figure is the longest time the
// main thread did not get back to its event loop, by the wall clock and in the thread's own
// processor time. Run by hand on a Release build.

#include "app/AppModel.h"
#include "app/FolderPicker.h"
#include "support/MemoryKeyStore.h"
#include "ui/ReviewTable.h"
#include "ui/ReviewWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

namespace {

using namespace vesk;
namespace fs = std::filesystem;

constexpr int waitingFiles = 6644;
// One folder per word, so the rows fall into as many groups.
constexpr const char* topics[] = {
    "alpine",  "budget",  "canyon",  "harbor",  "glacier", "meadow",  "orchard", "prairie",
    "quarry",  "reef",    "savanna", "tundra",  "valley",  "willow",  "yarrow",  "zephyr",
    "beacon",  "citadel", "dune",    "estuary", "fjord",   "grove",   "heath",   "inlet",
    "jungle",  "knoll",   "lagoon",  "marsh",   "nebula",  "oasis",   "plateau", "ravine",
    "summit",  "thicket", "upland",  "vista",   "wharf",   "basin",   "cove",    "delta"};
constexpr int folders = static_cast<int>(std::size(topics));

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

// Folders of survey notes, and downloads named like them, so the rows fall into many groups.
void makeHome(const fs::path& home) {
    for (const std::string topic : topics) {
        for (int k = 0; k < 5; ++k) {
            touch(home / "Documents" / ("Survey " + topic) /
                  (topic + " survey report " + std::to_string(k) + ".pdf"));
        }
    }
    for (int i = 0; i < waitingFiles; ++i) {
        touch(home / "Downloads" /
              (std::string(topics[i % folders]) + " survey report " + std::to_string(i) + ".pdf"));
    }
}

// The main thread's own processor time: on a machine shared with other work, the wall clock
// also counts the time the thread waited for a processor.
double threadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// How long the main thread was kept from its event loop, in milliseconds: by the wall clock
// and in its own processor time.
struct Block {
    double wall = 0;
    double processor = 0;
};

// Runs the event loop until `done`; the longest stretch the main thread spent away from it.
Block longestBlock(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    Block longest;
    double wallBefore = 0;
    double processorBefore = threadMilliseconds();
    while (!done()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double wall = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        const double processor = threadMilliseconds();
        longest.wall = std::max(longest.wall, wall - wallBefore);
        longest.processor = std::max(longest.processor, processor - processorBefore);
        wallBefore = wall;
        processorBefore = processor;
    }
    return longest;
}

// One call and the events it leaves.
Block timed(const std::function<void()>& work) {
    QElapsedTimer clock;
    clock.start();
    const double processorBefore = threadMilliseconds();
    work();
    QCoreApplication::processEvents();
    return {static_cast<double>(clock.nsecsElapsed()) / 1e6,
            threadMilliseconds() - processorBefore};
}

void row(const char* step, const Block& block) {
    std::printf("| %s | %.1f | %.1f |\n", step, block.wall, block.processor);
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
    test::MemoryKeyStore keys;
    AppModel model(location, settings, ModelEnvironment{.url = "off"}, picker, keys);
    ReviewWindow window(model);
    window.show();
    const auto settled = [&] { return !model.isBusy() && !model.isMoving(); };
    QTimer::singleShot(0, [] {}); // the first scan starts with the event loop
    longestBlock([&] { return settled() && !model.rows().empty(); });
    ReviewTable& table = *window.table();
    table.setFocus();
    std::printf("%zu rows in %zu groups\n", model.rows().size(),
                static_cast<std::size_t>(table.model()->rowCount()));

    std::printf("| step | main thread blocked, wall (ms) | longest stretch of its own processor "
                "time (ms) |\n"
                "|---|---:|---:|\n");
    row("Ctrl+A", timed([&] { press(table, Qt::Key_A, Qt::ControlModifier); }));
    row("Space (all off)", timed([&] { press(table, Qt::Key_Space); }));
    row("Space (all on)", timed([&] { press(table, Qt::Key_Space); }));
    std::printf("selected: %zu, pending: %d\n", table.selectedFiles().size(), model.pendingCount());

    model.rescan();
    row("rescan, nothing new, all selected", longestBlock(settled));
    touch(location.home / "Downloads" / "project1 note extra.pdf");
    model.rescan();
    row("rescan, one file more, all selected", longestBlock(settled));
    std::printf("selected after the rescans: %zu of %zu\n", table.selectedFiles().size(),
                model.rows().size());
    return 0;
}
