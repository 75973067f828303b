// The review window's share of the application's memory on a large home: the resident memory
// once the first scan has settled with no window, with the review window open on every row, and
// after a rescan with it open. Offscreen, model and contents off, minimum age 0.
//
//   vesk_bench_review_memory HOME
//
// HOME is a generated home (bench/make-large-home.py); nothing in it is changed. The bench ends
// with _exit right after the last figure, so that under heaptrack everything still alive then
// shows as leaked, with the stack that allocated it.

#include "AppHome.h"
#include "ProcessMemory.h"
#include "app/AppModel.h"
#include "platform/FreeMemory.h"
#include "support/MemoryKeyStore.h"
#include "ui/ReviewWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

namespace {

namespace fs = std::filesystem;
using vesk::bench::ProcessMemory;

class NoPicker final : public vesk::FolderPicker {
public:
    void pickFolders(const Request& /*request*/, QObject* /*context*/, Picked /*picked*/) override {
    }
};

// Runs the event loop until `done`, or for `milliseconds` when there is nothing to wait for.
void runUntil(const std::function<bool()>& done, int milliseconds = 600'000) {
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer wake; // lets the clock be checked while nothing happens
    wake.start(50);
    while (!done() && elapsed.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

// What the memory settles at: after the posted work is done and the pages freed by it are given
// back, as the application's idle time would.
ProcessMemory settled() {
    runUntil([] { return false; }, 2000);
    return ProcessMemory::now();
}

} // namespace

int main(int argc, char** argv) {
    const bool withWindow = argc == 2;
    if (argc != 2 && !(argc == 3 && std::string_view(argv[2]) == "--no-window")) {
        std::fprintf(stderr, "usage: %s HOME [--no-window]\n", argv[0]);
        return 2;
    }
    vesk::platform::configureHeap(); // as the application does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const fs::path home = fs::absolute(argv[1]);
    QTemporaryDir scratch;
    const fs::path support = scratch.path().toStdString();
    // Stored settings and window places, the person's own or another run's, have no say.
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((support / "config").string()));

    const vesk::AppLocation location = vesk::bench::appLocation(home, support);
    const vesk::Settings settings = vesk::bench::appSettings(home);
    NoPicker picker;
    vesk::test::MemoryKeyStore keys;
    vesk::AppModel model(location, settings, {.url = "off"}, picker, keys);
    // Open before the first scan, as `vesk --open-review` is: the table follows every plan.
    std::optional<vesk::ReviewWindow> window;
    if (withWindow) {
        window.emplace(model);
        window->show();
    }
    const auto idle = [&] { return !model.isBusy() && !model.isMoving(); };
    runUntil([&] { return idle() && !model.rows().empty(); }); // the first scan starts later

    std::printf("%s, %zu rows\n\n", withWindow ? "review window open" : "no window",
                model.rows().size());
    vesk::bench::printHeader(stdout);
    vesk::bench::printRow(stdout, "first scan settled", settled());
    model.rescan();
    runUntil(idle);
    vesk::bench::printRow(stdout, "after a rescan", settled());
    std::fflush(stdout);
    scratch.remove();
    _exit(0);
}
