#include "core/text/Tokens.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// A Downloads-like mix: English, camel case, dates and counters, Chinese, Norwegian.
const std::vector<std::string> names = {
    "Kitchen-renovation_quotes (2).pdf",
    "IMG_2041.JPG",
    "myTaxReturn2023.pdf",
    "invoiceMarchPDF.pdf",
    "Screenshot 2024-03-01 at 10.15.42.png",
    "Quarterly Sales Report Q3 FINAL v2.xlsx",
    "project-plan_draft [review].docx",
    "AI TV buying guide.pdf",
    "项目计划书.docx",
    "发票2024年3月.pdf",
    "微信图片_20240301.jpg",
    "会议记录 第三季度.docx",
    "Skjermbilde 2024-03-01 kl. 10.00.00.png",
    "Kvittering_for_husleie.pdf",
    "Bilder fra turen til Tromsø.zip",
    "Årsoppgjør regnskap 2023.xlsx",
};

void tokenizeNames(benchmark::State& state) {
    for (auto _ : state) {
        for (const std::string& name : names) {
            benchmark::DoNotOptimize(vesk::Tokens::of(name));
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(names.size()));
}
BENCHMARK(tokenizeNames);

} // namespace
