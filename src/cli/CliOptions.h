#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vesk {

// The parsed command line of vesk-cli.
struct CliOptions {
    enum class Command { plan, tidy, undo, history, demo, help };

    Command command = Command::help;
    std::optional<std::string> home;
    std::vector<std::filesystem::path> sources;
    std::vector<std::filesystem::path> targetRoots;
    std::optional<double> minAgeDays;
    std::optional<bool> useModel;
    std::optional<bool> allowContent;
    std::optional<bool> useNameIndex;
    bool json = false;
    bool verbose = false;
    bool yes = false;
    std::filesystem::path demoDir;
};

struct UsageError {
    std::string message;
};

// Options after the program name; a usage error names the offending argument.
[[nodiscard]] std::variant<CliOptions, UsageError>
parseCliOptions(const std::vector<std::string>& args);

[[nodiscard]] std::string usageText();

} // namespace vesk
