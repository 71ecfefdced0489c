// The band page with the antenna system: a 1,000-row table with a 30 m line and the losses, at the
// antenna. Every row's load, loss and feedpoint computed (as at every change of the rows), the
// grid's visible cells filled and painted at the page's size, and the scene drawn and painted at
// 1200 x 900. Target: <= 25 ms.
#include "core/band_table.h"
#include "core/cables.h"
#include "graphics/band_scene.h"
#include "graphics/display_list.h"
#include "pages/band_grid.h"
#include "pages/band_table_model.h"
#include "render/page_renderer.h"

#include "band_text.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

namespace {

using namespace vorelin;

void BM_BandPageThousandRowsAtTheAntenna(benchmark::State& state) {
    const BandTable table = ReadBandTable(bench::BandText(1000, false)).table;
    SystemFormRead settings;
    settings.settings.line = FeedlineOf(*CableNamed("RG-213/U"), 30);
    BandTableModel model;
    model.SetSystem(settings, BandPlace::Antenna);
    BandGrid grid(nullptr, model);
    grid.resize(1140, 350); // the table's part of a 1200 x 900 window
    grid.Scale([](float units) { return static_cast<int>(units / 10); });
    QImage gridImage(grid.size(), QImage::Format_ARGB32_Premultiplied);
    DisplayList list;
    PageImageCache window;
    std::size_t feedpoints = 0;
    for (auto _ : state) {
        model.Replace(table);
        grid.render(&gridImage);
        const BandSceneModel scene = MakeBandSceneModel(table, model.ShownResults(), model.Areas(), 500,
                                                        model.Misread(), model.FeedpointImpedance());
        list.Clear();
        DrawBandScene(list, scene, HomeBandView());
        benchmark::DoNotOptimize(window.Image(list, kWindowPage, QSize(1200, 900), 0xFFFFFF).constBits());
        feedpoints = scene.points.size();
    }
    state.counters["feedpoints"] = static_cast<double>(feedpoints);
    state.counters["primitives"] = static_cast<double>(list.Primitives().size());
}
BENCHMARK(BM_BandPageThousandRowsAtTheAntenna)->Unit(benchmark::kMillisecond);

} // namespace
