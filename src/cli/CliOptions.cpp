#include "cli/CliOptions.h"

#include "core/settings/SettingsTable.h"

#include <charconv>
#include <map>
#include <set>

namespace vesk {

namespace {

using Command = CliOptions::Command;

const std::map<std::string, Command, std::less<>> commands = {
    {"plan", Command::plan},       {"tidy", Command::tidy}, {"undo", Command::undo},
    {"history", Command::history}, {"demo", Command::demo}, {"help", Command::help},
};

// Which options each command takes; anything else is a usage error.
std::set<std::string, std::less<>> optionsOf(Command command) {
    const std::set<std::string, std::less<>> planning = {
        "--home",    "--source",     "--target-root", "--min-age",       "--model", "--no-model",
        "--content", "--no-content", "--name-index",  "--no-name-index", "--json",  "--verbose"};
    switch (command) {
    case Command::plan:
        return planning;
    case Command::tidy: {
        auto options = planning;
        options.insert("--yes");
        return options;
    }
    case Command::undo:
    case Command::history:
        return {"--home", "--json", "--verbose"};
    case Command::demo:
    case Command::help:
        return {};
    }
    return {};
}

std::optional<double> parseDays(const std::string& text) {
    double days = 0;
    const auto* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, days);
    if (ec != std::errc() || ptr != end || !settings::minAgeDays.accepts(days)) {
        return std::nullopt;
    }
    return days;
}

} // namespace

std::variant<CliOptions, UsageError> parseCliOptions(const std::vector<std::string>& args) {
    CliOptions options;
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        return options;
    }
    const auto command = commands.find(args[0]);
    if (command == commands.end()) {
        return UsageError{"unknown command '" + args[0] + "'"};
    }
    options.command = command->second;
    const auto allowed = optionsOf(options.command);

    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options.command == Command::demo && !arg.starts_with("-") && options.demoDir.empty()) {
            options.demoDir = arg;
            continue;
        }
        if (!allowed.contains(arg)) {
            return UsageError{arg.starts_with("-") ? "unknown option '" + arg + "'"
                                                   : "unexpected argument '" + arg + "'"};
        }
        const bool takesValue =
            arg == "--home" || arg == "--source" || arg == "--target-root" || arg == "--min-age";
        if (takesValue && i + 1 >= args.size()) {
            return UsageError{"option '" + arg + "' needs a value"};
        }
        if (arg == "--home") {
            options.home = args[++i];
        } else if (arg == "--source") {
            options.sources.emplace_back(args[++i]);
        } else if (arg == "--target-root") {
            options.targetRoots.emplace_back(args[++i]);
        } else if (arg == "--min-age") {
            const auto days = parseDays(args[++i]);
            if (!days) {
                return UsageError{"--min-age needs a number of days, not '" + args[i] + "'"};
            }
            options.minAgeDays = days;
        } else if (arg == "--model" || arg == "--no-model") {
            options.useModel = arg == "--model";
        } else if (arg == "--content" || arg == "--no-content") {
            options.allowContent = arg == "--content";
        } else if (arg == "--name-index" || arg == "--no-name-index") {
            options.useNameIndex = arg == "--name-index";
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else if (arg == "--yes") {
            options.yes = true;
        }
    }
    if (options.command == Command::demo && options.demoDir.empty()) {
        return UsageError{"demo needs a folder to create"};
    }
    return options;
}

std::string usageText() {
    std::string text = R"(Usage: vesk-cli COMMAND [OPTIONS]

Suggests where the files waiting in your Downloads (and other source folders) belong among
your own folders, and tidies them on request. Nothing leaves this machine.

Commands:
  plan     show where each waiting file would go
  tidy     plan, then move every file that has a destination (asks first; --yes skips that)
  undo     undo the last tidy (of the application or of this tool)
  history  list the tidies that can be undone
  demo DIR create a demo home folder to try Vesk on

Options:
  --home DIR          work on DIR as the home folder (settings and history kept apart)
  --source DIR        a folder to tidy; repeat for several (default: the stored sources)
  --target-root DIR   a folder to file into; repeat for several (default: the stored ones,
                      else the folders found in the home)
  --min-age DAYS      leave files newer than this alone (default: stored, else DEFAULT)
  --model, --no-model         use the local language model (default: stored setting)
  --content, --no-content     allow reading file contents locally (default: stored setting)
  --name-index, --no-name-index
                      suggest from the names of every file below each folder (default: stored
                      setting, else on); off leaves rules, similarity, the model and contents
  --json              machine-readable output
  --verbose           show model diagnostics, and what was settled after an interrupted
                      tidy or undo, on standard error
  --yes               tidy without asking
)";
    // The default as the settings table has it, in its shortest form ("3", "0.5").
    char days[32];
    const auto printed = std::to_chars(days, days + sizeof days, settings::minAgeDays.defaultValue);
    text.replace(text.find("DEFAULT"), 7, std::string(days, printed.ptr));
    return text;
}

} // namespace vesk
