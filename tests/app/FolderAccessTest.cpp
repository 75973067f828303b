#include "app/FolderAccess.h"
#include "app/AppLocation.h"
#include "support/ScriptedPicker.h"
#include "support/TempDir.h"

#include <QSettings>

#include <gtest/gtest.h>

namespace vesk {
namespace {

class FolderAccessTest : public testing::Test {
protected:
    QString store() const { return QString::fromStdString((dir / "vesk.conf").string()); }
    QStringList stored() const {
        return QSettings(store(), QSettings::IniFormat).value("folderBookmarks").toStringList();
    }

    // The scripted picker answers at once, so the answer is there when requestHome returns.
    static bool confirmed(FolderAccess& access) {
        bool answer = false;
        access.requestHome(nullptr, [&](bool confirmed) { answer = confirmed; });
        return answer;
    }

    test::TempDir dir;
    test::ScriptedPicker picker;
    const std::filesystem::path home = accountHome();
};

TEST_F(FolderAccessTest, OutsideTheSandboxEverythingIsAllowedAndNothingStored) {
    FolderAccess access(store(), picker, false);
    EXPECT_TRUE(access.allows("/etc"));
    EXPECT_TRUE(access.hasHome());
    access.remember({dir.path()});
    EXPECT_TRUE(access.granted().empty());
    EXPECT_TRUE(stored().isEmpty());
}

TEST_F(FolderAccessTest, InTheSandboxOnlyDownloadsAndGrantedFoldersInNormalForm) {
    const auto documents = test::makeDir(dir / "Documents");
    test::makeDir(dir / "Documents2");
    FolderAccess access(store(), picker, true);
    EXPECT_TRUE(access.allows(home / "Downloads"));
    EXPECT_TRUE(access.allows(home / "Downloads/sub/file.pdf"));
    EXPECT_FALSE(access.allows(home / "Downloads2"));
    EXPECT_FALSE(access.allows(documents));
    EXPECT_FALSE(access.hasHome());

    access.remember({documents, dir / "Documents/"});
    EXPECT_EQ(access.granted().size(), 1U);
    EXPECT_EQ(stored().size(), 1);
    EXPECT_TRUE(access.allows(dir / "Documents/./Taxes/"));
    EXPECT_TRUE(access.allows(dir / "Documents/Taxes/../x.pdf"));
    EXPECT_FALSE(access.allows(dir / "Documents2"));
    EXPECT_FALSE(access.allows(dir / "Documents/../Documents2/x"));
}

TEST_F(FolderAccessTest, AHomeGrantAllowsEverythingUnderHome) {
    FolderAccess access(store(), picker, true);
    picker.answer({home});
    EXPECT_TRUE(confirmed(access));
    EXPECT_TRUE(access.hasHome());
    EXPECT_TRUE(access.allows(home / "Documents/Taxes"));
    ASSERT_EQ(picker.requests().size(), 1U);
    EXPECT_EQ(picker.requests()[0].startFolder, home);
    EXPECT_EQ(picker.requests()[0].confirmText, "Allow");
}

TEST_F(FolderAccessTest, PickingOtherFoldersGrantsThemWithoutTheHome) {
    FolderAccess access(store(), picker, true);
    EXPECT_FALSE(confirmed(access)); // cancelled
    const auto a = test::makeDir(dir / "a");
    const auto b = test::makeDir(dir / "b");
    picker.answer({a, b});
    EXPECT_TRUE(confirmed(access));
    EXPECT_FALSE(access.hasHome());
    EXPECT_EQ(access.granted(), (std::vector{a, b}));
}

TEST_F(FolderAccessTest, GrantsSurviveARestartUnlessTheirFolderIsGone) {
    const auto kept = test::makeDir(dir / "kept");
    const auto gone = test::makeDir(dir / "gone");
    {
        FolderAccess access(store(), picker, true);
        access.remember({kept, gone});
    }
    std::filesystem::remove(gone);
    FolderAccess restarted(store(), picker, true);
    EXPECT_EQ(restarted.granted(), std::vector{kept});
    EXPECT_EQ(stored(), QStringList{QString::fromStdString(kept.string())});
}

} // namespace
} // namespace vesk
