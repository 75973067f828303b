#include "app/LaunchOptions.h"
#include "app/Links.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

LaunchOptions parsed(QStringList arguments) {
    arguments.prepend(QStringLiteral("vesk"));
    return LaunchOptions::parse(arguments);
}

TEST(LaunchOptions, RecognisesWholeArgumentsOnly) {
    const auto all = parsed(
        {"--home", "--open-review", "--open-settings", "--show-privacy", "--welcome-step", "+2"});
    // "--open-review" after "--home" is its folder, not an option.
    EXPECT_FALSE(all.openReview);
    EXPECT_TRUE(all.openSettings && all.showPrivacy);
    EXPECT_EQ(all.welcomeStep, 2);

    EXPECT_TRUE(parsed({"--open-review", "--open-reviews", "open-review"}).openReview);
    EXPECT_EQ(parsed({"--open-reviews"}), LaunchOptions{});
    EXPECT_EQ(parsed({"--welcome-step", "9"}).welcomeStep, 9);
    EXPECT_EQ(parsed({"--welcome-step", "-1"}).welcomeStep, -1);
    EXPECT_EQ(parsed({"--welcome-step", "99999999999"}).welcomeStep,
              std::numeric_limits<int>::max());
    for (const QStringList& ignored :
         {QStringList{"--welcome-step", "two"}, QStringList{"--welcome-step", "2.0"},
          QStringList{"--welcome-step", ""}, QStringList{"--welcome-step"}}) {
        EXPECT_FALSE(parsed(ignored).welcomeStep) << ignored.join(' ').toStdString();
    }
    // A word that is not a number is not eaten as the step.
    EXPECT_TRUE(parsed({"--welcome-step", "--open-review"}).openReview);
    EXPECT_TRUE(parsed({"--help"}).help);
    EXPECT_TRUE(parsed({"--version"}).version);
}

TEST(LaunchOptions, HandsOnlyWindowOptionsToTheRunningInstance) {
    const auto options = parsed({"--home", "/h", "--open-review", "--welcome-step", "3"});
    EXPECT_EQ(options.windowArguments(), (QStringList{"--open-review", "--welcome-step", "3"}));
    EXPECT_EQ(LaunchOptions::parse(QStringList{"vesk"} + options.windowArguments()), options);
    EXPECT_TRUE(options.opensAWindow());
    EXPECT_FALSE(parsed({"--show-privacy"}).opensAWindow());
}

TEST(Links, PageSuffixFollowsTheInterfaceLanguage) {
    for (const auto& [languages, suffix] : std::vector<std::pair<QStringList, const char*>>{
             {{"zh-Hans"}, "-zh-cn"}, {{"zh-Hant"}, "-zh-tw"}, {{"nb-NO"}, ""}, {{}, ""}}) {
        EXPECT_EQ((Links{"https://vesk.example", languages, "1.2", {}}.pageSuffix()), suffix);
    }
}

TEST(Links, PagesWithAnOriginAndTheReadmeWithout) {
    const Links web{"https://vesk.example", {"zh-Hant"}, "1.2", {}};
    EXPECT_EQ(web.support().toString(), "https://vesk.example/vesk-support-zh-tw.html");
    EXPECT_EQ(web.newVersion()->toString(),
              "https://vesk.example/vesk-zh-tw.html?installed=1.2#download");
    const Links local{"", {"en"}, "1.2", QUrl::fromLocalFile("/usr/share/doc/vesk/README.md")};
    EXPECT_EQ(local.support().toString(), "file:///usr/share/doc/vesk/README.md");
    EXPECT_FALSE(local.newVersion());
}

} // namespace
} // namespace vesk
