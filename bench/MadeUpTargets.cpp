#include "MadeUpTargets.h"

#include <array>
#include <random>

namespace vesk::bench {

namespace {

const std::array words = {
    "invoice",    "receipt",   "contract",  "budget",   "quarterly",   "sales",   "meeting",
    "minutes",    "holiday",   "beach",     "wedding",  "birthday",    "kitchen", "renovation",
    "quote",      "insurance", "policy",    "mortgage", "tax",         "return",  "salary",
    "payslip",    "lease",     "apartment", "garden",   "recipe",      "travel",  "flight",
    "hotel",      "booking",   "ticket",    "concert",  "lecture",     "slides",  "thesis",
    "chapter",    "research",  "paper",     "dataset",  "analysis",    "results", "design",
    "logo",       "mockup",    "brochure",  "poster",   "invitation",  "project", "plan",
    "roadmap",    "proposal",  "offer",     "letter",   "application", "resume",  "portfolio",
    "passport",   "visa",      "medical",   "dentist",  "vaccine",     "school",  "homework",
    "exam",       "grade",     "manual",    "warranty", "car",         "bike",    "service",
    "kvittering", "faktura",   "husleie",   "regnskap", "ferie",       "hytte",   "发票",
    "合同",       "会议",      "旅行",      "简历",     "报告",        "预算",    "项目",
};
const std::array extensions = {"pdf", "docx", "xlsx", "jpg", "png", "txt", "csv", "pptx", "zip"};

std::string pick(std::mt19937& random) {
    return words[std::uniform_int_distribution<std::size_t>(0, words.size() - 1)(random)];
}

// Names shaped like real downloads: separators, camel case, dates, counters.
std::string fileName(std::mt19937& random) {
    const std::string a = pick(random);
    const std::string b = pick(random);
    const std::string ext =
        extensions[std::uniform_int_distribution<std::size_t>(0, extensions.size() - 1)(random)];
    const int number = std::uniform_int_distribution<int>(1, 2025)(random);
    switch (number % 4) {
    case 0:
        return a + "_" + b + "_" + std::to_string(number) + "." + ext;
    case 1:
        return a + " " + b + " (" + std::to_string(number % 7) + ")." + ext;
    case 2:
        return a + "-" + b + "-" + pick(random) + "." + ext;
    default:
        return "IMG_" + std::to_string(number) + "." + ext;
    }
}

std::vector<Target> makeTargets() {
    std::mt19937 random(2024);
    std::vector<Target> targets;
    targets.reserve(folderCount);
    for (int i = 0; i < folderCount; ++i) {
        Target target;
        const std::string name = pick(random) + " " + pick(random);
        target.path = "/home/user/Documents/" + name + " " + std::to_string(i);
        target.label = "Documents/" + name;
        for (int j = 0; j < namesPerFolder; ++j) {
            target.siblingNames.push_back(fileName(random));
        }
        target.kinds = {Kind::pdf, Kind::image, Kind::document};
        targets.push_back(std::move(target));
    }
    return targets;
}

} // namespace

const std::vector<Target>& madeUpTargets() {
    static const std::vector<Target> made = makeTargets();
    return made;
}

} // namespace vesk::bench
