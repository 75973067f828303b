#include "core/placement/NameIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vesk {
namespace {

struct Folder {
    std::string label; // below Documents
    std::vector<std::string> names;
};

// Folders of a home whose names tell them apart well, so that the self-test finds a safe
// margin: a few dozen filed files, in nested folders too.
std::vector<Folder> wellKeptHome() {
    std::vector<Folder> home = {
        {"Invoices", {}},
        {"Recipes",
         {"Recipe lasagne.txt", "Recipe carbonara.txt", "Recipe moussaka.txt",
          "Recipe pancakes.txt", "Recipe risotto.txt", "Recipe goulash.txt", "Recipe paella.txt",
          "Recipe tiramisu.txt"}},
        {"Travel", {}},
        {"Travel/Rome",
         {"Rome flight booking.pdf", "Roma hotel voucher.pdf", "Colosseum tickets Rome.pdf",
          "Vatican museums Rome tickets.pdf", "Rome metro map.pdf", "Trastevere walk Rome.pdf"}},
        {"Computer Science", {}},
        {"Computer Science/C++",
         {"Effective Modern C++.pdf", "C++ Primer.pdf", "A Tour of C++.pdf",
          "C++ Templates The Complete Guide.pdf"}},
        {"Cars",
         {"Car insurance policy 2021.pdf", "Car insurance policy 2022.pdf",
          "Car service invoice Volvo.pdf", "Volvo V70 owner manual.pdf", "Car tyres Volvo.pdf"}},
    };
    for (const char* month : {"January", "February", "March", "April", "May", "June", "July",
                              "August", "September", "October", "November", "December"}) {
        home[0].names.push_back("Invoice Telenor " + std::string(month) + " 2023.pdf");
    }
    return home;
}

std::vector<Target> targetsOf(const std::vector<Folder>& home) {
    std::vector<Target> targets;
    for (const Folder& folder : home) {
        Target target;
        target.path = "/home/me/Documents/" + folder.label;
        target.label = "Documents/" + folder.label;
        target.siblingNames = folder.names;
        targets.push_back(std::move(target));
    }
    return targets;
}

int indexOf(const std::vector<Folder>& home, const std::string& label) {
    const auto found = std::find_if(home.begin(), home.end(),
                                    [&](const Folder& folder) { return folder.label == label; });
    return static_cast<int>(found - home.begin());
}

TEST(NameIndex, AHomeTooSmallToTestItselfNeverGetsAThreshold) {
    const std::vector<Folder> home = {
        {"Invoices", {"Invoice Telenor March.pdf", "Invoice Telenor April.pdf"}},
        {"Recipes", {"Recipe lasagne.txt", "Recipe carbonara.txt"}},
    };
    const NameIndex index(targetsOf(home));
    EXPECT_FALSE(index.threshold());
    // It can still tell where a file looks at home; the organizer only never acts on it.
    const auto guess = index.guess("Invoice Telenor May.pdf");
    ASSERT_TRUE(guess);
    EXPECT_EQ(guess->target, indexOf(home, "Invoices"));
}

TEST(NameIndex, AWellKeptHomeDecidesByItsNamesAndSaysWhy) {
    const auto home = wellKeptHome();
    const NameIndex index(targetsOf(home));
    ASSERT_TRUE(index.threshold());
    const double threshold = *index.threshold();

    struct Case {
        std::string file;
        std::string folder;
        bool folderNamed;
    };
    for (const Case& c : std::vector<Case>{
             {"Invoice Telenor January 2024.pdf", "Invoices", true}, // holds "Invoices"
             {"Recipe fish soup.txt", "Recipes", true},
             {"Rome restaurant list.pdf", "Travel/Rome", true},
             {"C++ Concurrency in Action.pdf", "Computer Science/C++", true},
             {"Volvo tyre hotel 2023.pdf", "Cars", false},
         }) {
        const auto guess = index.guess(c.file);
        ASSERT_TRUE(guess) << c.file;
        EXPECT_EQ(guess->target, indexOf(home, c.folder)) << c.file;
        EXPECT_GE(guess->margin, threshold) << c.file;
        EXPECT_EQ(guess->folderNamed, c.folderNamed) << c.file;
        // The reason quotes a name of that very folder.
        const auto& names = home[static_cast<std::size_t>(guess->target)].names;
        EXPECT_NE(std::find(names.begin(), names.end(), guess->nearest), names.end()) << c.file;
    }
    // Last year's January is the nearest; some other months come close, never other folders.
    const auto january = index.guess("Invoice Telenor January 2024.pdf");
    EXPECT_EQ(january->nearest, "Invoice Telenor January 2023.pdf");
    EXPECT_GT(january->alike, 0);
    EXPECT_LE(january->alike, 11);

    const auto stranger = index.guess("qzx.bin");
    EXPECT_TRUE(!stranger || stranger->margin < threshold);
}

TEST(NameIndex, AFolderAndTheFoldersInsideItAreNeverRivals) {
    const auto home = wellKeptHome();
    const NameIndex index(targetsOf(home));
    const int rome = indexOf(home, "Travel/Rome");
    // The file's name holds "Travel" too, so that folder scores close behind Rome.
    const auto guess = index.guess("Travel Rome hotel.pdf", indexOf(home, "Travel"));
    ASSERT_TRUE(guess);
    EXPECT_EQ(guess->target, rome);
    EXPECT_EQ(guess->rivalLead, 0); // nested: no contradiction
    const auto cars = index.guess("Travel Rome hotel.pdf", indexOf(home, "Cars"));
    EXPECT_GT(cars->rivalLead, 0);
    EXPECT_GE(cars->rivalLead, cars->margin);
}

TEST(NameIndex, NamesBelowAFolderCountAsItsOwn) {
    auto home = wellKeptHome();
    const int exams = static_cast<int>(home.size());
    home.push_back({"School/Exams", {}});
    std::vector<std::vector<std::string>> below(home.size());
    for (const char* part : {"1", "2", "3", "4"}) {
        below.back().push_back("Linear algebra exam 2019 part " + std::string(part) + ".pdf");
    }
    const NameIndex index(targetsOf(home), below);
    const auto guess = index.guess("Linear algebra exam 2020 part 1.pdf");
    ASSERT_TRUE(guess);
    EXPECT_EQ(guess->target, exams);
    EXPECT_EQ(guess->nearest, "Linear algebra exam 2019 part 1.pdf");
}

// Folders list their files in no particular order, and may list them in another order
// tomorrow: the answers must not change with it, to the last bit.
TEST(NameIndex, TheOrderOfTheNamesChangesNothing) {
    const auto home = wellKeptHome();
    auto reversed = home;
    for (Folder& folder : reversed) {
        std::reverse(folder.names.begin(), folder.names.end());
    }
    const NameIndex index(targetsOf(home));
    const NameIndex other(targetsOf(reversed));
    EXPECT_EQ(index.threshold(), other.threshold());
    for (const char* file : {"Invoice Telenor January 2024.pdf", "Recipe fish soup.txt",
                             "Volvo insurance.pdf", "Rome.pdf", "C++ and Rome recipes.txt"}) {
        const auto guess = index.guess(file, 0);
        const auto again = other.guess(file, 0);
        ASSERT_EQ(guess.has_value(), again.has_value()) << file;
        if (guess) {
            EXPECT_EQ(guess->target, again->target) << file;
            EXPECT_EQ(guess->margin, again->margin) << file;
            EXPECT_EQ(guess->rivalLead, again->rivalLead) << file;
            EXPECT_EQ(guess->nearest, again->nearest) << file;
            EXPECT_EQ(guess->alike, again->alike) << file;
        }
    }
}

} // namespace
} // namespace vesk
