// Drawing speed: the results page's grid recorded into a display list (target <= 5 ms) and
// that list painted at 1200 x 900 pixels (target <= 10 ms), both well under a frame. Also the
// largest tolerance region, 68,921 small circles, painted one by one, and the results page with
// it zoomed in written as an SVG drawing, where the page's clips are cut by hand.
#include "core/cables.h"
#include "core/tolerance_sweep.h"
#include "graphics/chart_grid.h"
#include "graphics/display_list.h"
#include "graphics/load_marks.h"
#include "graphics/results_scene.h"
#include "graphics/system_scene.h"
#include "render/page_pictures.h"
#include "render/page_renderer.h"

#include "tests/support/entries.h"

#include <benchmark/benchmark.h>

#include <QImage>

namespace {

constexpr float kAspect = 0.75f;
const vorelin::ChartView kHome{9000, 5000, 1, 1};
const vorelin::Font kPageFont{"Arial", 216, false};

void BM_GridIntoDisplayList(benchmark::State& state) {
    vorelin::DisplayList list;
    list.SetFont(kPageFont);
    for (auto _ : state) {
        list.Clear();
        vorelin::DrawGrid(list, kHome, kAspect);
        benchmark::DoNotOptimize(list.Primitives().data());
    }
    state.counters["primitives"] = static_cast<double>(list.Primitives().size());
}
BENCHMARK(BM_GridIntoDisplayList)->Unit(benchmark::kMillisecond);

void BM_RenderGrid1200x900(benchmark::State& state) {
    vorelin::DisplayList list;
    list.SetFont(kPageFont);
    vorelin::DrawGrid(list, kHome, kAspect);
    for (auto _ : state) {
        QImage image = vorelin::RenderPage(list, vorelin::kWindowPage, QSize(1200, 900), 0xFFFFFF);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RenderGrid1200x900)->Unit(benchmark::kMillisecond);

// Topology 5 at 20 %: every combination marked with a green circle of radius 20, then the grid.
void BM_RenderLargestRegion1200x900(benchmark::State& state) {
    const vorelin::Entries entries = vorelin::test::LargestRegion();
    const vorelin::ChartFrame frame = vorelin::ResultsFrame(kHome, kAspect);
    vorelin::DisplayList list;
    list.SetFont(kPageFont);
    vorelin::DrawGrid(list, kHome, kAspect);
    vorelin::SweepTolerance(
        entries, vorelin::AccuracyFraction(vorelin::test::kLargestRegionPercent),
        [&](const vorelin::SweepPoint& p) {
            vorelin::PlotDot(list, {p.loadR, p.loadX}, entries.Impedance, frame, vorelin::kRegionDot);
        });
    for (auto _ : state) {
        QImage image = vorelin::RenderPage(list, vorelin::kWindowPage, QSize(1200, 900), 0xFFFFFF);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["primitives"] = static_cast<double>(list.Primitives().size());
}
BENCHMARK(BM_RenderLargestRegion1200x900)->Unit(benchmark::kMillisecond);

// The results page of the largest region: at home, and zoomed in fully (17 presses of "Larger")
// and moved (21 left, 18 up) so that the region runs under the schematic, labels and table.
void BM_SvgOfZoomedLargestRegion(benchmark::State& state) {
    vorelin::ResultsScratch scratch;
    const vorelin::LoadAnalysis analysis = vorelin::AnalyseLoad(
        vorelin::test::LargestRegion(), vorelin::AccuracyFraction(vorelin::test::kLargestRegionPercent));
    vorelin::ResultsView shown;
    vorelin::MoveCentreHome(shown.view);
    vorelin::EnsureScale(shown.view);
    for (int press = 0; press < state.range(0); ++press)
        vorelin::ZoomLarger(shown.view);
    for (int press = 0; press < state.range(1); ++press)
        vorelin::Pan(shown.view, vorelin::PanDirection::Left);
    for (int press = 0; press < state.range(2); ++press)
        vorelin::Pan(shown.view, vorelin::PanDirection::Up);
    shown.aspectRatio = kAspect;
    shown.drawing = vorelin::ResultsDrawing::RegionChosen;
    vorelin::DisplayList page;
    vorelin::DrawResultsPage(page, analysis, shown, scratch);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray svg = vorelin::PageSvg(page, vorelin::kWindowPage, QSize(2400, 1800), 0xFFFFFF);
        bytes = svg.size();
    }
    state.counters["primitives"] = static_cast<double>(page.Primitives().size());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SvgOfZoomedLargestRegion)->Args({0, 0, 0})->Args({17, 21, 18})->Unit(benchmark::kMillisecond);

// The System page at a keystroke: the system computed and its page recorded into a display list.
void BM_SystemPageKeystroke(benchmark::State& state) {
    const vorelin::SystemSettings settings{{400, 200, 1000},
                                           vorelin::FeedlineOf(*vorelin::CableNamed("LMR-400"), 30)};
    vorelin::DisplayList list;
    for (auto _ : state) {
        list.Clear();
        vorelin::DrawSystemPage(list,
                                vorelin::SystemViewOf(vorelin::test::LargestRegion(), settings, "", ""));
        benchmark::DoNotOptimize(list.Primitives().size());
    }
}
BENCHMARK(BM_SystemPageKeystroke)->Unit(benchmark::kMicrosecond);

} // namespace
