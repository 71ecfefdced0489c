// The band page's budgets: a 1,000-row table read, every load computed and the page drawn (the
// scene recorded and painted at 1200 x 900) in <= 20 ms; the tolerance areas of 100 rows at 20 %
// ready within 1 s, computed on two threads while the page goes on.
#include "core/band_results.h"
#include "core/band_table.h"
#include "core/tolerance_area.h"
#include "graphics/band_scene.h"
#include "graphics/display_list.h"
#include "render/page_renderer.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <string>
#include <vector>

namespace {

using namespace vorelin;

// Rows across 1.8 to 29.7 MHz (1,000 rows: 28 kHz apart), every topology in turn with the parts
// each uses, or with `threeParts` only the T and pi networks, whose sweeps are the longest.
std::string BandText(int rows, bool threeParts) {
    static const char* const kParts[] = {",,,1.1u,330p,,,",     ",150p,,,,2.2u,,",     ",,330p,,1.1u,,,",
                                         ",150p,,,,2.2u,,",     ",,330p,,1.1u,,2.7u,", ",150p,,300p,,2.2u,,",
                                         ",150p,,300p,,2.2u,,", ",,330p,,1.1u,,2.7u,"};
    std::string text = "frequency,topology,impedance,c1,c2,c3,l1,l2,l3,note\r\n";
    for (int i = 0; i < rows; ++i) {
        const int topology = threeParts ? 5 + i % 4 : i % 8 + 1;
        text += std::to_string(1800 + i * 28) + "k," + std::to_string(topology) + ",50" +
                kParts[topology - 1] + "row " + std::to_string(i) + "\r\n";
    }
    return text;
}

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
