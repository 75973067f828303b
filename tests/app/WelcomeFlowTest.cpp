#include "app/WelcomeFlow.h"

#include "support/ModelHome.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace vesk {
namespace {

using Step = WelcomeFlow::Step;
class WelcomeFlowTest : public testing::Test, protected test::ModelHome {};

TEST_F(WelcomeFlowTest, StepsAndWhereTheCommandLineStartsThem) {
    struct Case {
        bool sandbox;
        std::optional<int> startAt;
        int index;
        bool ticked;
    };
    const std::vector<Step> plain{Step::welcome, Step::folders, Step::tray};
    const std::vector<Step> inSandbox{Step::welcome, Step::folders, Step::access, Step::tray};
    for (const auto& [sandbox, startAt, index, ticked] : std::vector<Case>{
             {false, std::nullopt, 0, false},
             {false, 0, 0, false},
             {false, 1, 1, true},
             {false, 9, 2, true},
             {false, -4, 0, false},
             {true, 9, 3, true},
             {true, 2, 2, true},
         }) {
        sandboxed = sandbox;
        const auto model = makeModel({});
        const WelcomeFlow flow(*model, startAt);
        const auto label = testing::Message()
                           << "sandboxed " << sandbox << ", from " << startAt.value_or(-99);
        EXPECT_EQ(flow.steps(), sandbox ? inSandbox : plain) << label;
        EXPECT_EQ(flow.stepIndex(), index) << label;
        EXPECT_EQ(flow.isChosen(downloads()), ticked) << label;
        EXPECT_EQ(flow.isChosen(desktop()), ticked) << label;
        EXPECT_EQ(flow.primaryText(), flow.step() == Step::tray ? "&Start" : "&Continue") << label;
    }
}

TEST_F(WelcomeFlowTest, EachStepEnablesContinueByItsOwnRule) {
    sandboxed = true;
    const auto model = makeModel({});
    WelcomeFlow flow(*model, std::nullopt);
    EXPECT_FALSE(flow.canGoBack());
    EXPECT_TRUE(flow.canContinue());
    flow.advance();

    // Folders: a tick is needed; clearing every tick disables Continue again.
    ASSERT_EQ(flow.step(), Step::folders);
    EXPECT_EQ(flow.candidates(), (std::vector{downloads(), desktop()}));
    EXPECT_TRUE(flow.canGoBack());
    EXPECT_FALSE(flow.canContinue());
    flow.advance(); // ignored while disabled
    EXPECT_EQ(flow.step(), Step::folders);
    flow.setChosen(desktop(), true);
    EXPECT_TRUE(flow.canContinue());
    flow.setChosen(desktop(), false);
    EXPECT_FALSE(flow.canContinue());
    flow.setChosen(downloads(), true);
    flow.advance();

    // Access: a cancelled request leaves Continue disabled; a confirmed one enables it.
    ASSERT_EQ(flow.step(), Step::access);
    EXPECT_FALSE(flow.canContinue());
    flow.requestAccess();
    EXPECT_FALSE(flow.accessGranted());
    EXPECT_FALSE(flow.canContinue());
    picker.answer({accountHome()});
    flow.requestAccess();
    EXPECT_TRUE(flow.canContinue());

    // Back keeps the ticks and the access.
    flow.back();
    flow.back();
    EXPECT_EQ(flow.step(), Step::welcome);
    flow.advance();
    EXPECT_TRUE(flow.isChosen(downloads()));
    flow.advance();
    EXPECT_TRUE(flow.canContinue());
    flow.advance();
    EXPECT_EQ(flow.step(), Step::tray);
    EXPECT_TRUE(flow.isLastStep());
    EXPECT_TRUE(flow.canContinue());
}

TEST_F(WelcomeFlowTest, AnAlreadyGrantedHomeNeedsNoRequest) {
    sandboxed = true;
    makeModel({})->access().remember({accountHome()});
    const auto model = makeModel({});
    const WelcomeFlow flow(*model, 2);
    ASSERT_EQ(flow.step(), Step::access);
    EXPECT_TRUE(flow.accessGranted());
    EXPECT_TRUE(flow.canContinue());
}

TEST_F(WelcomeFlowTest, AddedFoldersAreListedOnceAndTicked) {
    std::filesystem::remove(desktop());
    const auto projects = test::makeDir(location.home / "Projects");
    const auto model = makeModel({});
    WelcomeFlow flow(*model, 1);
    EXPECT_EQ(flow.candidates(), std::vector{downloads()});
    flow.setChosen(downloads(), false);

    flow.addFolders(); // cancelled
    EXPECT_EQ(flow.candidates(), std::vector{downloads()});
    EXPECT_FALSE(flow.canContinue());

    picker.answer({location.home / "Downloads/", projects});
    QSignalSpy changed(&flow, &WelcomeFlow::changed);
    flow.addFolders();
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(flow.candidates(), (std::vector{downloads(), projects}));
    EXPECT_TRUE(flow.isChosen(downloads()));
    EXPECT_TRUE(flow.isChosen(projects));
}

TEST_F(WelcomeFlowTest, SuggestsTheFoldersUserDirsNamesForDownloadsAndTheDesktop) {
    const auto telechargements = test::makeDir(location.home / "Téléchargements");
    const auto bureau = test::makeDir(location.home / "Bureau");
    test::writeFile(location.home / ".config/user-dirs.dirs",
                    "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
                    "XDG_DOWNLOAD_DIR=\"$HOME/Téléchargements\"\n");
    const auto model = makeModel({});
    const WelcomeFlow flow(*model, 1);
    // The English folders are still there, but they are not the ones the desktop uses.
    EXPECT_EQ(flow.candidates(), (std::vector{telechargements, bureau}));
    EXPECT_TRUE(flow.isChosen(telechargements));
    EXPECT_TRUE(flow.isChosen(bureau));
}

TEST_F(WelcomeFlowTest, WithoutDefaultFoldersTheListStartsEmpty) {
    std::filesystem::remove(downloads());
    std::filesystem::remove(desktop());
    const auto model = makeModel({});
    WelcomeFlow flow(*model, 1);
    EXPECT_TRUE(flow.candidates().empty());
    EXPECT_FALSE(flow.canContinue());
    picker.answer({location.home});
    flow.addFolders();
    EXPECT_TRUE(flow.canContinue());
}

} // namespace
} // namespace vesk
