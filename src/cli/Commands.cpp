#include "cli/Commands.h"

#include "app/AppLocation.h"
#include "app/Settings.h"
#include "cli/CliSession.h"
#include "cli/DemoHome.h"
#include "cli/MoveReport.h"
#include "cli/PlanReport.h"
#include "core/moves/FileMover.h"
#include "core/placement/Organizer.h"
#include "platform/WellKnownFolders.h"

#include <csignal>
#include <iostream>
#include <string>
#include <unistd.h>

namespace vesk {

namespace {

int fail(const SessionError& error) {
    std::cerr << "vesk-cli: " << error.message << "\n";
    return error.exitStatus;
}

// Progress on one terminal line, only when a person is watching standard error.
Organizer::ProgressHandler terminalProgress() {
    if (isatty(STDERR_FILENO) == 0) {
        return {};
    }
    return [](const OrganizerProgress& progress) {
        std::cerr << "\r\033[K" << progressLine(progress) << std::flush;
    };
}

void clearProgressLine() {
    if (isatty(STDERR_FILENO) != 0) {
        std::cerr << "\r\033[K" << std::flush;
    }
}

// Progress shows whenever a person watches standard error, JSON or not: it never mixes with
// what goes to standard output.
Plan makePlan(const CliSession& session) {
    Organizer organizer(session.settings, session.endpoint,
                        [](const std::string& line) { std::cerr << line << '\n'; });
    const Plan plan = organizer.run(terminalProgress());
    clearProgressLine();
    return plan;
}

// What a killed tidy or undo left behind is settled before anything else reads the history.
HistoryStatus recoverFirst(const AppLocation& location, bool verbose) {
    FileMover mover(location.historyFile());
    const Recovery recovery = mover.recover();
    std::cerr << recoveryText(recovery.steps, verbose);
    return recovery.historyStatus;
}

// An unreadable history set aside while recovering is told with the operation's own report.
void keepSetAside(HistoryStatus& status, const HistoryStatus& recovered) {
    if (!status.setAside) {
        status.setAside = recovered.setAside;
    }
}

// After a stop signal, besides the report as usual.
int stoppedBy(int signal, std::size_t left) {
    std::cerr << "vesk-cli: stopped by "
              << (signal == SIGINT ? "an interrupt" : "a request to quit");
    if (left > 0) {
        std::cerr << "; " << left << (left == 1 ? " file was" : " files were") << " not touched";
    }
    std::cerr << "\n";
    return 128 + signal;
}

} // namespace

int runPlan(const CliOptions& options) {
    auto opened = openSession(options);
    if (const auto* error = std::get_if<SessionError>(&opened)) {
        return fail(*error);
    }
    const auto& session = std::get<CliSession>(opened);
    recoverFirst(session.location, options.verbose);
    const Plan plan = makePlan(session);
    std::cout << (options.json ? planJson(plan) : planText(plan, session.location.home));
    return 0;
}

int runTidy(const CliOptions& options, StopSignals& stops) {
    auto opened = openSession(options);
    if (const auto* error = std::get_if<SessionError>(&opened)) {
        return fail(*error);
    }
    const auto& session = std::get<CliSession>(opened);
    const HistoryStatus recovered = recoverFirst(session.location, options.verbose);
    const Plan plan = makePlan(session);

    std::vector<std::pair<std::filesystem::path, Destination>> moves;
    ReviewedDestinations asReviewed;
    for (const auto& suggestion : plan.suggestions) {
        if (auto where = destination(suggestion, session.location.home)) {
            moves.emplace_back(suggestion.item.path, asReviewed(std::move(*where)));
        }
    }
    if (!options.yes) {
        if (isatty(STDIN_FILENO) == 0) {
            return fail({"tidy moves files: confirm with --yes when not run from a terminal", 2});
        }
        if (moves.empty()) {
            std::cout << "Nothing to tidy.\n";
            return 0;
        }
        std::cout << planText(plan, session.location.home) << "Move " << moves.size()
                  << (moves.size() == 1 ? " file" : " files") << " as shown? [y/N] " << std::flush;
        std::string answer;
        std::getline(std::cin, answer);
        if (answer != "y" && answer != "Y" && answer != "yes") {
            std::cout << "Nothing was moved.\n";
            return 0;
        }
    }

    FileMover mover(session.location.historyFile());
    ApplyResult result = mover.apply(moves, stops.startMoving());
    const auto signal = stops.stopMoving();
    keepSetAside(result.historyStatus, recovered);
    std::cout << (options.json ? applyJson(result) : applyText(result));
    if (signal) {
        return stoppedBy(*signal, moves.size() - result.batch.records.size() -
                                      result.failures.size() - result.inPlace.size());
    }
    return result.failures.empty() && !result.historyStatus.writeError ? 0 : 1;
}

int runUndo(const CliOptions& options, StopSignals& stops) {
    auto location = openLocation(options);
    if (const auto* error = std::get_if<SessionError>(&location)) {
        return fail(*error);
    }
    const HistoryStatus recovered = recoverFirst(std::get<AppLocation>(location), options.verbose);
    FileMover mover(std::get<AppLocation>(location).historyFile());
    if (mover.history().empty() && !options.json) {
        std::cout << "Nothing to undo.\n";
        return 0;
    }
    UndoResult result = mover.undoLast(stops.startMoving());
    const auto signal = stops.stopMoving();
    keepSetAside(result.historyStatus, recovered);
    std::cout << (options.json ? undoJson(result) : undoText(result));
    if (signal) {
        return stoppedBy(*signal, 0);
    }
    return result.failures.empty() && !result.historyStatus.writeError ? 0 : 1;
}

int runHistory(const CliOptions& options) {
    auto location = openLocation(options);
    if (const auto* error = std::get_if<SessionError>(&location)) {
        return fail(*error);
    }
    recoverFirst(std::get<AppLocation>(location), options.verbose);
    const FileMover mover(std::get<AppLocation>(location).historyFile());
    std::cout << (options.json ? historyJson(mover.history()) : historyText(mover.history()));
    return 0;
}

int runDemo(const CliOptions& options) {
    if (const auto error = createDemoHome(options.demoDir)) {
        std::cerr << "vesk-cli: " << *error << "\n";
        return 1;
    }
    const AppLocation location = AppLocation::fixture(options.demoDir);
    // The demo's files are all brand new, so the demo settings tidy files of any age.
    using platform::WellKnownFolder;
    // The other stored choices, such as the model's, stay as they were.
    Settings settings = Settings::load(location.settingsFile).value_or(Settings{});
    settings.sources = {
        location.home / platform::wellKnownFolder(location.home, WellKnownFolder::downloads),
        location.home / platform::wellKnownFolder(location.home, WellKnownFolder::desktop)};
    settings.minAgeDays = 0;
    settings.onboardingFinished = true;
    if (!settings.save(location.settingsFile, Settings::sourcesPart | Settings::onboardedPart |
                                                  Settings::preferencesPart)) {
        std::cerr << "vesk-cli: cannot write the settings in "
                  << location.settingsFile.toStdString() << "\n";
        return 1;
    }

    std::cout << "Created a demo home in " << location.home.string() << "\n"
              << "Next: vesk-cli plan --home " << location.home.string() << "\n";
    return 0;
}

} // namespace vesk
