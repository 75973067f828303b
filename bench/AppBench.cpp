// The costs of a long-running Vesk, measured on the application model without a display, as
// the tray application runs it: its first scan against `vesk-cli plan` on the same home, the
// rescan after one new download (CPU, the time until its row is there, the longest the main
// thread was held up), and the resident memory after the first scan and after the rescans.
//
//   vesk_bench_app HOME VESK_CLI [RESCANS]
//
// HOME is a generated home (bench/make-large-home.py); the new downloads are removed again.

#include "AppHome.h"
#include "ProcessMemory.h"
#include "app/AppModel.h"
#include "platform/FreeMemory.h"
#include "support/MemoryKeyStore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Seconds = std::chrono::duration<double>;
namespace fs = std::filesystem;

// The debounce of the bench: long enough to be a burst's end, short enough for many rescans.
constexpr auto debounce = 500ms;

class NoPicker : public vesk::FolderPicker {
public:
    void pickFolders(const Request&, QObject*, Picked) override {}
};

Seconds cpu(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& time) {
        return Seconds(static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6);
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the event loop until `done`, sleeping between events.
bool waitUntil(const std::function<bool()>& done, std::chrono::seconds limit = 600s) {
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer wake; // lets the limit be checked while nothing happens
    wake.start(200);
    while (!done()) {
        if (std::chrono::milliseconds(elapsed.elapsed()) > limit) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Asked at every tick of the stall probe: a search of every row would weigh in the CPU measured.
bool hasRow(const vesk::AppModel& model, const fs::path& file) {
    return model.rowIndex(file).has_value();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

} // namespace

int main(int argc, char** argv) {
    vesk::platform::configureHeap(); // as the application does
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s HOME VESK_CLI [RESCANS]\n", argv[0]);
        return 2;
    }
    const fs::path home = fs::absolute(argv[1]);
    const std::string cli = argv[2];
    const int rescans = argc > 3 ? std::atoi(argv[3]) : 50;
    QTemporaryDir scratch;
    const fs::path support = scratch.path().toStdString();
    // Stored settings, the person's own or another run's, have no say.
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((support / "config").string()));

    // vesk-cli plan, as bench/plan-vs-walk.sh runs it.
    const std::string plan = quoted(cli) + " plan --home " + quoted(home.string()) +
                             " --source " + quoted((home / "Downloads").string()) +
                             " --min-age 0 --no-model --no-content --json >/dev/null";
    const Seconds cliCpuBefore = cpu(RUSAGE_CHILDREN);
    QElapsedTimer cliWall;
    cliWall.start();
    if (std::system(plan.c_str()) != 0) {
        std::fprintf(stderr, "vesk-cli plan failed\n");
        return 1;
    }
    const double cliSeconds = static_cast<double>(cliWall.nsecsElapsed()) / 1e9;
    const double cliCpu = (cpu(RUSAGE_CHILDREN) - cliCpuBefore).count();

    const vesk::AppLocation location = vesk::bench::appLocation(home, support);
    const vesk::Settings settings = vesk::bench::appSettings(home);
    NoPicker picker;
    vesk::AppModelOptions options;
    options.debounce = debounce;

    const Seconds firstCpuBefore = cpu(RUSAGE_SELF);
    QElapsedTimer firstWall;
    firstWall.start();
    vesk::test::MemoryKeyStore keys;
    vesk::AppModel model(location, settings, {.url = "off"}, picker, keys, options);
    if (!waitUntil([&] { return !model.isBusy(); })) {
        std::fprintf(stderr, "the first scan did not end\n");
        return 1;
    }
    const double firstSeconds = static_cast<double>(firstWall.nsecsElapsed()) / 1e9;
    const double firstCpu = (cpu(RUSAGE_SELF) - firstCpuBefore).count();
    const std::size_t rows = model.rows().size();
    // Once the heap's free pages have gone back, which follows the scan's end.
    const auto settledResident = [] {
        waitUntil([] { return false; }, 1s);
        return vesk::bench::ProcessMemory::now().resident;
    };
    const double afterFirst = settledResident();

    // The main thread's longest pause: ticks that should come every 10 ms.
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longestStall = std::max(longestStall, sinceTick.restart());
    });
    std::vector<double> rescanCpu;
    std::vector<double> rowShown;
    std::vector<fs::path> added;
    for (int i = 0; i < rescans; ++i) {
        const fs::path file = home / "Downloads" / ("Invoice Telenor bench " + std::to_string(i) + ".pdf");
        const Seconds cpuBefore = cpu(RUSAGE_SELF);
        QElapsedTimer wall;
        wall.start();
        std::ofstream(file).put('x');
        added.push_back(file);
        sinceTick.start();
        ticks.start(10);
        if (!waitUntil([&] { return hasRow(model, file); })) {
            std::fprintf(stderr, "no row for %s\n", file.c_str());
            return 1;
        }
        rowShown.push_back(static_cast<double>(wall.nsecsElapsed()) / 1e9);
        waitUntil([&] { return !model.isBusy(); });
        ticks.stop();
        rescanCpu.push_back((cpu(RUSAGE_SELF) - cpuBefore).count());
    }
    const double afterRescans = settledResident();
    for (const auto& file : added) {
        std::error_code ec;
        fs::remove(file, ec);
    }

    std::printf("| what | measured | target |\n|---|---|---|\n");
    std::printf("| rows after the first scan | %zu | |\n", rows);
    std::printf("| first scan: application (CPU / wall) | %.2f s / %.2f s | |\n", firstCpu,
                firstSeconds);
    std::printf("| first scan: vesk-cli plan (CPU / wall) | %.2f s / %.2f s | |\n", cliCpu,
                cliSeconds);
    std::printf("| first scan: application / vesk-cli (CPU) | %.2f × | ≤ 1.3 × |\n",
                firstCpu / cliCpu);
    std::printf("| rescan after one new file, median of %d: CPU | %.3f s | < 0.1 s |\n",
                rescans, median(rescanCpu));
    std::printf("| new row shown after, median (debounce %.1f s) | %.2f s | ≤ %.1f s |\n",
                Seconds(debounce).count(), median(rowShown), Seconds(debounce).count() + 0.3);
    std::printf("| longest main-thread stall during the rescans | %lld ms | |\n",
                static_cast<long long>(longestStall));
    std::printf("| resident memory after the first scan | %.0f MiB | < 100 MiB |\n", afterFirst);
    std::printf("| resident memory after %d rescans | %.0f MiB | no growth |\n", rescans,
                afterRescans);
    return 0;
}
