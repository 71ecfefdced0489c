// The band page's budget for a measured sweep: a 10,001-point file read, compared with each row of
// a 1,000-row table (the grid's measured columns) and the page drawn with its trace (the scene
// recorded and painted at 1200 x 900) in <= 30 ms.
#include "core/band_results.h"
#include "core/band_table.h"
#include "core/measured_rows.h"
#include "files/measured_file.h"
#include "graphics/band_scene.h"
#include "graphics/display_list.h"
#include "render/page_renderer.h"

#include "bench/analyser_sweep.h"
#include "tests/support/folders.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <string>
#include <vector>

namespace {

using namespace vorelin;

// Pi networks from 1.5 to 30.5 MHz, 29 kHz apart, all inside the sweep.
BandTable ThousandPiRows() {
    std::string text = "frequency,topology,impedance,c1,c2,c3,l1,l2,l3\n";
    for (int i = 0; i < 1000; ++i)
        text += std::to_string(1500 + 29 * i) + "k,7,50,150p,,300p,,2.2u,\n";
    return ReadBandTable(text).table;
}

void BM_MeasuredSweepBesideThousandRows(benchmark::State& state) {
    const test::ScratchFolder folder;
    const std::string path = folder / "dipole.s1p";
    test::PutFile(path, bench::AnalyserFile());
    const BandTable table = ThousandPiRows();
    std::vector<BandResult> results;
    for (const BandRow& row : table.rows)
        results.push_back(ResultOf(row));
    DisplayList list;
    PageImageCache window; // painted over in place, as the page's window is
    for (auto _ : state) {
        MeasuredFileRead read = ReadMeasuredFile(path);
        if (!read.Ok()) state.SkipWithError(read.error.c_str());
        const std::vector<MeasuredTrace> traces{
            {"dipole.s1p", std::move(read.sweep), MeasuredTraceColour(0)}};
        benchmark::DoNotOptimize(CompareRowsWithMeasured(table, results, traces.front().sweep));
        BandSceneModel model = MakeBandSceneModel(table, results, {}, 500);
        model.measured = traces;
        list.Clear();
        DrawBandScene(list, model, HomeBandView());
        benchmark::DoNotOptimize(window.Image(list, kWindowPage, QSize(1200, 900), 0xFFFFFF).constBits());
    }
    state.counters["primitives"] = static_cast<double>(list.Primitives().size());
}
BENCHMARK(BM_MeasuredSweepBesideThousandRows)->Unit(benchmark::kMillisecond);

} // namespace
