#include "core/placement/Matcher.h"
#include "core/text/Tokens.h"

#include <benchmark/benchmark.h>

#include <array>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int folderCount = 1000;
constexpr int namesPerFolder = 100;

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

std::vector<vesk::Target> makeTargets() {
    std::mt19937 random(2024);
    std::vector<vesk::Target> targets;
    targets.reserve(folderCount);
    for (int i = 0; i < folderCount; ++i) {
        vesk::Target target;
        const std::string name = pick(random) + " " + pick(random);
        target.path = "/home/user/Documents/" + name + " " + std::to_string(i);
        target.label = "Documents/" + name;
        for (int j = 0; j < namesPerFolder; ++j) {
            target.siblingNames.push_back(fileName(random));
        }
        target.kinds = {vesk::Kind::pdf, vesk::Kind::image, vesk::Kind::document};
        targets.push_back(std::move(target));
    }
    return targets;
}

const std::vector<vesk::Target>& targets() {
    static const std::vector<vesk::Target> made = makeTargets();
    return made;
}

void construct(benchmark::State& state) {
    for (auto _ : state) {
        vesk::Matcher matcher(targets(), {});
        benchmark::DoNotOptimize(matcher);
    }
    state.SetItemsProcessed(state.iterations() * folderCount * namesPerFolder);
}
BENCHMARK(construct)->Unit(benchmark::kMillisecond);

// The tokenizer's share of construction: the same names, tokenized alone.
void tokenizeOnly(benchmark::State& state) {
    for (auto _ : state) {
        for (const vesk::Target& target : targets()) {
            for (const std::string& name : target.siblingNames) {
                benchmark::DoNotOptimize(vesk::Tokens::of(name));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * folderCount * namesPerFolder);
}
BENCHMARK(tokenizeOnly)->Unit(benchmark::kMillisecond);

const std::vector<std::vector<std::string>> queries = {
    {"invoice", "march"}, {"kitchen", "renovation", "quote"}, {"tax", "return"}, {"发票", "会议"},
    {"unheard", "words"},
};

// The organizer reads the best two matches of every file.
void best(benchmark::State& state) {
    const vesk::Matcher matcher(targets(), {});
    for (auto _ : state) {
        for (const auto& query : queries) {
            benchmark::DoNotOptimize(matcher.best(query, vesk::Kind::pdf, 2));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(queries.size()));
}
BENCHMARK(best)->Unit(benchmark::kMicrosecond);

void shortlist(benchmark::State& state) {
    const vesk::Matcher matcher(targets(), {});
    for (auto _ : state) {
        benchmark::DoNotOptimize(matcher.shortlist(queries[1], vesk::Kind::pdf, {}, 20));
    }
}
BENCHMARK(shortlist)->Unit(benchmark::kMillisecond);

} // namespace
