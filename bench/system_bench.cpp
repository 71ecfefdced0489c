// The antenna system's cost: the figures of one load (target 20 us), and of a 1,000-row band with
// a line and losses (target 25 ms), as the band page computes them on every change; the same band
// with each row's lines as vorelin-calc --table writes them.
#include "core/antenna_system.h"
#include "core/cables.h"
#include "core/system_text.h"

#include "tests/support/entries.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace vorelin;

const SystemSettings kSettings{{1500, 150, 800}, FeedlineOf(*CableNamed("RG-213/U"), 30)};

void BM_SystemFiguresOfOneLoad(benchmark::State& state) {
    const Entries entries = test::TypicalExample();
    const Load load = RunNetwork(entries).load;
    for (auto _ : state)
        benchmark::DoNotOptimize(SystemFiguresOf(entries, load, kSettings));
}
BENCHMARK(BM_SystemFiguresOfOneLoad);

// A thousand settings of the T network across 3.5 to 4 MHz, each with its load.
std::vector<std::pair<Entries, Load>> BandRows() {
    std::vector<std::pair<Entries, Load>> rows;
    for (int i = 0; i < 1000; ++i) {
        Entries entries = test::LargestRegion();
        entries.Frequency = 3.5e6f + static_cast<float>(i) * 500;
        entries.C2 *= 1 + static_cast<float>(i % 50) / 100;
        rows.emplace_back(entries, RunNetwork(entries).load);
    }
    return rows;
}

void BM_SystemFiguresOfABand(benchmark::State& state) {
    const auto rows = BandRows();
    for (auto _ : state) {
        double power = 0;
        for (const auto& [entries, load] : rows)
            power += SystemFiguresOf(entries, load, kSettings).antennaPowerW.value_or(0);
        benchmark::DoNotOptimize(power);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_SystemFiguresOfABand)->Unit(benchmark::kMillisecond);

void BM_SystemLinesOfABand(benchmark::State& state) {
    const auto rows = BandRows();
    for (auto _ : state) {
        std::size_t characters = 0;
        for (const auto& [entries, load] : rows)
            for (const std::string& line : SystemLines(SystemFiguresOf(entries, load, kSettings), kSettings))
                characters += line.size();
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_SystemLinesOfABand)->Unit(benchmark::kMillisecond);

} // namespace
