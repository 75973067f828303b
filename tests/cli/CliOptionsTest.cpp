#include "cli/CliOptions.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using Command = CliOptions::Command;

CliOptions parsed(const std::vector<std::string>& args) {
    auto result = parseCliOptions(args);
    const auto* options = std::get_if<CliOptions>(&result);
    EXPECT_TRUE(options) << std::get<UsageError>(result).message;
    return options ? *options : CliOptions{};
}

TEST(CliOptions, ReadsEveryOptionOfEachCommand) {
    const auto plan = parsed({"plan", "--home", "~/h", "--source", "a", "--source", "b",
                              "--target-root", "c", "--target-root", "d", "--min-age", "0.5",
                              "--no-model", "--content", "--no-name-index", "--json", "--verbose"});
    EXPECT_EQ(plan.command, Command::plan);
    EXPECT_EQ(plan.home, "~/h");
    EXPECT_EQ(plan.sources, (std::vector<std::filesystem::path>{"a", "b"}));
    EXPECT_EQ(plan.targetRoots, (std::vector<std::filesystem::path>{"c", "d"}));
    EXPECT_EQ(plan.minAgeDays, 0.5);
    EXPECT_EQ(plan.useModel, false);
    EXPECT_EQ(plan.allowContent, true);
    EXPECT_EQ(plan.useNameIndex, false);
    EXPECT_TRUE(plan.json && plan.verbose && !plan.yes);

    const auto tidy = parsed({"tidy", "--yes", "--model", "--no-content", "--name-index"});
    EXPECT_EQ(tidy.command, Command::tidy);
    EXPECT_TRUE(tidy.yes);
    EXPECT_EQ(tidy.useModel, true);
    EXPECT_EQ(tidy.allowContent, false);
    EXPECT_EQ(tidy.useNameIndex, true);
    EXPECT_FALSE(tidy.minAgeDays);
    EXPECT_FALSE(parsed({"plan"}).useNameIndex); // the stored setting decides

    EXPECT_EQ(parsed({"demo", "/tmp/d"}).demoDir, "/tmp/d");
    EXPECT_EQ(parsed({"history", "--json"}).command, Command::history);
    for (const auto& help : std::vector<std::vector<std::string>>{{}, {"--help"}, {"-h"}}) {
        EXPECT_EQ(parsed(help).command, Command::help);
    }
}

TEST(CliOptions, UsageErrorsNameTheOffendingArgument) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"sort"}, "unknown command 'sort'"},
        {{"plan", "--frobnicate"}, "unknown option '--frobnicate'"},
        {{"plan", "stray"}, "unexpected argument 'stray'"},
        {{"undo", "--yes"}, "unknown option '--yes'"},
        {{"history", "--source", "a"}, "unknown option '--source'"},
        {{"plan", "--home"}, "option '--home' needs a value"},
        {{"tidy", "--target-root"}, "option '--target-root' needs a value"},
        {{"plan", "--min-age"}, "option '--min-age' needs a value"},
        {{"plan", "--min-age", "soon"}, "--min-age needs a number of days, not 'soon'"},
        {{"plan", "--min-age", "-1"}, "--min-age needs a number of days, not '-1'"},
        {{"plan", "--min-age", "inf"}, "--min-age needs a number of days, not 'inf'"},
        {{"plan", "--min-age", "3days"}, "--min-age needs a number of days, not '3days'"},
        {{"demo"}, "demo needs a folder to create"},
        {{"demo", "a", "b"}, "unexpected argument 'b'"},
    };
    for (const auto& [args, message] : cases) {
        const auto result = parseCliOptions(args);
        const auto* error = std::get_if<UsageError>(&result);
        ASSERT_TRUE(error) << args.back();
        EXPECT_EQ(error->message, message);
    }
}

} // namespace
} // namespace vesk
