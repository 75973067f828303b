#include "core/placement/Organizer.h"
#include "support/ReasonPrinting.h"
#include "support/SuggestionFor.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::makeDir;
using test::suggestionFor;
using test::writeFile;

const ModelEndpoint modelOff{.url = "off", .model = ""};
// Short, so that what a test changed is trusted by the scan after the next pause.
constexpr std::chrono::milliseconds margin{40};

// Rescans with one long-lived organizer, as the application does, each compared with the plan
// of a fresh organizer, as vesk-cli makes it.
class RescanTest : public ::testing::Test {
protected:
    RescanTest() {
        writeFile(home / "Documents/Invoices/Invoice Telenor March.pdf");
        writeFile(home / "Documents/Invoices/Invoice Telenor April.pdf");
        writeFile(home / "Documents/Recipes/Recipe lasagne.txt");
        writeFile(home / "Documents/Recipes/Recipe carbonara.txt");
        writeFile(home / "Documents/Travel/Rome/Colosseum tickets.pdf");
        writeFile(home / "Pictures/Holiday/beach.jpg");
        for (const char* name : {"Invoice Telenor May.pdf", "Recipe tiramisu.txt", "notes.txt",
                                 "Rome hotel booking.pdf", "photo.jpg", "setup.zip",
                                 "Invoice Telenor May (1).pdf", "zebra quarterly.pdf"}) {
            download(name);
        }
        makeDir(home / "Downloads/setup"); // what setup.zip unpacked to
    }

    [[nodiscard]] OrganizerSettings settings() const {
        OrganizerSettings s(home);
        s.minAgeDays = 0;
        s.useLLM = false;
        s.changeMargin = margin;
        return s;
    }
    void download(const std::string& name, std::string_view contents = "x") {
        fs::remove_all(home / "Downloads" / name);
        writeFile(home / "Downloads" / name, contents);
    }
    // What a scan would see as changed is older than the margin when it starts.
    static void settle() { std::this_thread::sleep_for(margin * 3); }

    // The organizer's next plan, which must be the plan a first scan makes.
    Plan rescan() {
        settle();
        Plan plan = organizer.run();
        const Plan full = Organizer(settings(), modelOff).run();
        EXPECT_EQ(plan.suggestions, full.suggestions);
        EXPECT_EQ(plan.targets, full.targets);
        return plan;
    }

    test::TempDir tmp;
    const fs::path home = tmp.path();
    Organizer organizer{settings(), modelOff};
};

TEST_F(RescanTest, AFileFiledInADestinationFolderIsSeenByTheNextScan) {
    const Plan first = rescan();
    EXPECT_EQ(first.decided, static_cast<int>(first.suggestions.size()));
    EXPECT_EQ(suggestionFor(first, "zebra quarterly.pdf").action, Action::ask());

    // Deep in a folder whose parent is unchanged: only the folder's own stamp tells.
    writeFile(home / "Documents/Travel/Rome/zebra quarterly 2023.pdf");
    const Plan second = rescan();
    EXPECT_EQ(suggestionFor(second, "zebra quarterly.pdf").action, Action::move("Documents/Travel/Rome"));

    // Nothing changed: nothing is decided again.
    EXPECT_EQ(rescan().decided, 0);
}

TEST_F(RescanTest, ADownloadInProgressAndItsRenameDecideThatFileAlone) {
    (void)rescan();
    download("Invoice Telenor June.pdf.part", "half");
    const Plan downloading = rescan();
    EXPECT_EQ(downloading.decided, 1);
    EXPECT_EQ(suggestionFor(downloading, "Invoice Telenor June.pdf.part").reason.code,
              ReasonCode::downloading);

    fs::rename(home / "Downloads/Invoice Telenor June.pdf.part",
               home / "Downloads/Invoice Telenor June.pdf");
    const Plan done = rescan();
    EXPECT_EQ(done.decided, 1);
    EXPECT_EQ(suggestionFor(done, "Invoice Telenor June.pdf").action, Action::move("Documents/Invoices"));
    // What was not decided again is handed on as it was, not copied.
    EXPECT_EQ(&suggestionFor(done, "Recipe tiramisu.txt"),
              &suggestionFor(downloading, "Recipe tiramisu.txt"));
}

TEST_F(RescanTest, EveryRescanGivesTheFirstScansPlanWhateverChanged) {
    (void)rescan();
    const std::vector<std::pair<std::string, std::function<void()>>> changes{
        {"a download", [&] { download("Recipe pesto.txt"); }},
        {"a download removed", [&] { fs::remove(home / "Downloads/notes.txt"); }},
        {"a download renamed",
         [&] { fs::rename(home / "Downloads/photo.jpg", home / "Downloads/Rome forum.jpg"); }},
        {"a download rewritten", [&] { download("Invoice Telenor May.pdf", "longer now"); }},
        {"the file a copy was made of removed",
         [&] { fs::remove(home / "Downloads/Invoice Telenor May.pdf"); }},
        {"an unpacked archive's folder removed", [&] { fs::remove(home / "Downloads/setup"); }},
        {"a destination folder renamed",
         [&] { fs::rename(home / "Documents/Recipes", home / "Documents/Cooking"); }},
        {"a destination folder made", [&] { makeDir(home / "Documents/Zebra"); }},
        {"a file filed", [&] { writeFile(home / "Pictures/Holiday/Rome forum 2.jpg"); }},
        {"a filed file removed",
         [&] { fs::remove(home / "Documents/Invoices/Invoice Telenor April.pdf"); }},
        {"a folder to file into made unreadable",
         [&] { fs::permissions(home / "Documents/Travel", fs::perms::none); }},
        {"and readable again",
         [&] { fs::permissions(home / "Documents/Travel", fs::perms::owner_all); }},
    };
    for (const auto& [change, make] : changes) {
        SCOPED_TRACE(change);
        make();
        (void)rescan();
    }
}

} // namespace
} // namespace vesk
