#include "core/placement/NameIndex.h"

#include "MadeUpTargets.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using vesk::bench::folderCount;
using vesk::bench::namesPerFolder;

// Building includes the self-test: 200 guesses with one name left out each.
void construct(benchmark::State& state) {
    for (auto _ : state) {
        vesk::NameIndex index(vesk::bench::madeUpTargets());
        benchmark::DoNotOptimize(index);
    }
    state.SetItemsProcessed(state.iterations() * folderCount * namesPerFolder);
}
BENCHMARK(construct)->Unit(benchmark::kMillisecond);

const std::vector<std::string> files = {
    "invoice march 2024.pdf", "kitchen-renovation-quote.docx", "tax_return_2023.pdf",
    "发票 会议.xlsx",         "IMG_2041.jpg",                   "unheard words.txt",
};

// The organizer asks once for every waiting file that rules and similarity left open.
void guess(benchmark::State& state) {
    const vesk::NameIndex index(vesk::bench::madeUpTargets());
    for (auto _ : state) {
        for (const std::string& file : files) {
            benchmark::DoNotOptimize(index.guess(file));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}
BENCHMARK(guess)->Unit(benchmark::kMicrosecond);

} // namespace
