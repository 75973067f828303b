#include "app/FolderLabel.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(FolderLabel, TheParentIsShownUnlessItIsHomeWithHomeAsTilde) {
    struct Case {
        const char* folder;
        FolderLabel label;
    };
    for (const auto& [folder, label] : std::vector<Case>{
             {"/home/me/Downloads", {"Downloads", ""}},
             {"/home/me/Downloads/", {"Downloads", ""}},
             {"/home/me/./Desktop", {"Desktop", ""}},
             {"/home/me/Documents/Inbox", {"Inbox", "~/Documents"}},
             {"/home/me/Documents/Work/Inbox", {"Inbox", "~/Documents/Work"}},
             {"/home/me2/Inbox", {"Inbox", "/home/me2"}},
             {"/mnt/data/Scans", {"Scans", "/mnt/data"}},
             {"/home/me", {"me", "/home"}},
             {"/", {"/", ""}},
         }) {
        EXPECT_EQ(FolderLabel::of(folder, "/home/me/"), label) << folder;
    }
}

} // namespace
} // namespace vesk
