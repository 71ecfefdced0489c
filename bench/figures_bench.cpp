// The tolerance ranges' cost: they are collected while the region is drawn, on every redraw, and
// must add little to the sweep itself (topology 5 at 20 %: 68,921 varied loads).
#include "core/load_figures.h"
#include "core/tolerance_ranges.h"
#include "core/tolerance_sweep.h"

#include "tests/support/entries.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using namespace vorelin;

std::vector<Load> RegionLoads() {
    std::vector<Load> loads;
    SweepTolerance(test::LargestRegion(), 0.2f, [&loads](const SweepPoint& p) {
        if (!p.nominal) loads.push_back({p.loadR, p.loadX});
    });
    return loads;
}

// The accumulator alone over the stored loads: ns per load.
void BM_ToleranceRanges(benchmark::State& state) {
    const std::vector<Load> loads = RegionLoads();
    for (auto _ : state) {
        ToleranceRanges ranges(50);
        for (const Load& load : loads)
            ranges.Add(load.LoadR, load.LoadX);
        benchmark::DoNotOptimize(ranges.Figures());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(loads.size()));
}
BENCHMARK(BM_ToleranceRanges)->Unit(benchmark::kMicrosecond);

// The sweep as the region runs it, without and with the ranges: the difference is what the
// ranges add to a redraw.
void BM_Sweep(benchmark::State& state) {
    const Entries entries = test::LargestRegion();
    for (auto _ : state) {
        float sum = 0;
        SweepTolerance(entries, 0.2f, [&sum](const SweepPoint& p) { sum += p.loadR; });
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 68921);
}
BENCHMARK(BM_Sweep)->Unit(benchmark::kMicrosecond);

void BM_SweepWithRanges(benchmark::State& state) {
    const Entries entries = test::LargestRegion();
    for (auto _ : state) {
        float sum = 0;
        ToleranceRanges ranges(entries.Impedance);
        SweepTolerance(entries, 0.2f, [&](const SweepPoint& p) {
            sum += p.loadR;
            ranges(p);
        });
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(ranges.Figures());
    }
    state.SetItemsProcessed(state.iterations() * 68921);
}
BENCHMARK(BM_SweepWithRanges)->Unit(benchmark::kMicrosecond);

// One load's full figures, as the readout computes them once per redraw.
void BM_FiguresOf(benchmark::State& state) {
    Load load{38.1758537f, -106.751892f};
    for (auto _ : state) {
        benchmark::DoNotOptimize(load);
        benchmark::DoNotOptimize(FiguresOf(load, 50, 10.1e6f));
    }
}
BENCHMARK(BM_FiguresOf);

} // namespace
