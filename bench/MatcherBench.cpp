#include "core/placement/Matcher.h"
#include "core/text/Tokens.h"

#include "MadeUpTargets.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using vesk::bench::folderCount;
using vesk::bench::namesPerFolder;

const std::vector<vesk::Target>& targets() {
    return vesk::bench::madeUpTargets();
}

void construct(benchmark::State& state) {
    for (auto _ : state) {
        vesk::Matcher matcher(targets());
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
    const vesk::Matcher matcher(targets());
    for (auto _ : state) {
        for (const auto& query : queries) {
            benchmark::DoNotOptimize(matcher.best(query, vesk::Kind::pdf, 2));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(queries.size()));
}
BENCHMARK(best)->Unit(benchmark::kMicrosecond);

void shortlist(benchmark::State& state) {
    const vesk::Matcher matcher(targets());
    const auto profiled = matcher.profiled({});
    for (auto _ : state) {
        benchmark::DoNotOptimize(matcher.shortlist(queries[1], vesk::Kind::pdf, profiled, 20));
    }
}
BENCHMARK(shortlist)->Unit(benchmark::kMillisecond);

} // namespace
