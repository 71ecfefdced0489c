// The band page's budgets: a 1,000-row table read, every load computed and the page drawn (the
// scene recorded and painted at 1200 x 900) in <= 20 ms; the tolerance areas of 100 rows at 20 %
// ready within 1 s, computed on two threads while the page goes on.
#include "core/band_results.h"
#include "core/band_table.h"
#include "core/tolerance_area.h"
#include "graphics/band_scene.h"
#include "graphics/display_list.h"
#include "render/page_renderer.h"

#include "band_text.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <string>
#include <vector>

namespace {

using namespace vorelin;
using bench::BandText;

std::vector<BandResult> ResultsOf(const BandTable& table) {
    std::vector<BandResult> results;
    results.reserve(table.rows.size());
    for (const BandRow& row : table.rows)
        results.push_back(ResultOf(row));
    return results;
}

void BM_BandPageThousandRows(benchmark::State& state) {
    const std::string text = BandText(1000, false);
    DisplayList list;
    PageImageCache window; // painted over in place, as the page's window is
    for (auto _ : state) {
        const BandTable table = ReadBandTable(text).table;
        const std::vector<BandResult> results = ResultsOf(table);
        const BandSceneModel model = MakeBandSceneModel(table, results, {}, 500);
        list.Clear();
        DrawBandScene(list, model, HomeBandView());
        benchmark::DoNotOptimize(window.Image(list, kWindowPage, QSize(1200, 900), 0xFFFFFF).constBits());
    }
    state.counters["primitives"] = static_cast<double>(list.Primitives().size());
}
BENCHMARK(BM_BandPageThousandRows)->Unit(benchmark::kMillisecond);

void BM_BandAreasHundredRowsAt20Percent(benchmark::State& state) {
    const BandTable table = ReadBandTable(BandText(100, true)).table;
    std::vector<Entries> entries;
    for (const BandRow& row : table.rows)
        entries.push_back(row.entries);
    const std::atomic<bool> stop{false};
    std::size_t vertices = 0;
    for (auto _ : state) {
        const auto areas = ToleranceAreasOf(entries, 0.2f, 50, stop);
        vertices = 0;
        for (const ToleranceArea& area : *areas)
            vertices += area.points.size();
        benchmark::DoNotOptimize(vertices);
    }
    state.counters["vertices"] = static_cast<double>(vertices);
}
BENCHMARK(BM_BandAreasHundredRowsAt20Percent)->Unit(benchmark::kMillisecond)->UseRealTime();

// The redraw once the areas are in: what a pan or a zoom costs then.
void BM_BandPageHundredAreas(benchmark::State& state) {
    const BandTable table = ReadBandTable(BandText(100, true)).table;
    const std::vector<BandResult> results = ResultsOf(table);
    std::vector<Entries> entries;
    for (const BandRow& row : table.rows)
        entries.push_back(row.entries);
    const std::atomic<bool> stop{false};
    const auto computed = ToleranceAreasOf(entries, 0.2f, 50, stop);
    std::vector<std::optional<ToleranceArea>> areas(computed->begin(), computed->end());
    DisplayList list;
    PageImageCache window;
    for (auto _ : state) {
        const BandSceneModel model = MakeBandSceneModel(table, results, areas, 50);
        list.Clear();
        DrawBandScene(list, model, HomeBandView());
        benchmark::DoNotOptimize(window.Image(list, kWindowPage, QSize(1200, 900), 0xFFFFFF).constBits());
    }
    state.counters["primitives"] = static_cast<double>(list.Primitives().size());
}
BENCHMARK(BM_BandPageHundredAreas)->Unit(benchmark::kMillisecond);

} // namespace
