// The results page's worst view change: topology 5 at 20 % accuracy, an arrow pressed. The page
// is cleared and redrawn (readout, the region's 68,921 loads and circles, the chart, the marks)
// and rendered at 1200 x 900. Target: <= 6 ms, allocating no megabytes (the counters give what a
// change allocates, Qt's share included). Beside it the straightforward rendering, one
// antialiased ellipse per circle and one stroke per line; the counters give the share of pixels
// in which the two images differ. With VORELIN_BENCH_IMAGES=DIR both images are saved.
#include "pages/program.h"
#include "pages/results_page.h"
#include "quiet_dialogs.h"
#include "render/page_renderer.h"

#include "allocation_count.h"

#include "tests/support/entries.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

const QSize kPixels(1200, 900);

struct WorstView {
    QTemporaryDir folder; // the page writes its defaults file into the working folder
    QuietDialogs dialogs;
    vorelin::Program program{dialogs, vorelin::test::LargestRegion()};

    WorstView() {
        QDir::setCurrent(folder.path());
        program.ShowResultsPage();
        program.ResultsWindow().onAccuracy(vorelin::test::kLargestRegionPercent);
    }
    vorelin::ResultsPage& Page() { return program.ResultsWindow(); }
};

WorstView& View() {
    static WorstView view;
    return view;
}

const vorelin::RenderOptions kStraightforward{1, false, false};

// Pans left from the home position and back, so every pass redraws the whole view at the same
// places however many passes a run makes.
void ChangeView(vorelin::ResultsPage& page) {
    page.onPan(page.View().CentreX == vorelin::kHomeCentreX ? vorelin::PanDirection::Left
                                                            : vorelin::PanDirection::Right);
}

void BM_ViewChange(benchmark::State& state, vorelin::RenderOptions options) {
    vorelin::ResultsPage& page = View().Page();
    for (auto _ : state) {
        ChangeView(page);
        QImage image = vorelin::RenderPage(page.Drawing(), vorelin::kWindowPage, kPixels, 0xFFFFFF, options);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["primitives"] = static_cast<double>(page.Drawing().Primitives().size());
}
BENCHMARK_CAPTURE(BM_ViewChange, Stamped, vorelin::RenderOptions{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ViewChange, Straightforward, kStraightforward)->Unit(benchmark::kMillisecond);

// What the window does at a view change: the chart's area of the new drawing painted over its
// retained image (nothing outside that area changes).
void BM_ViewChangeInTheWindow(benchmark::State& state) {
    vorelin::ResultsPage& page = View().Page();
    vorelin::PageImageCache window;
    const auto change = [&] {
        ChangeView(page);
        benchmark::DoNotOptimize(
            window.Image(page.Drawing(), vorelin::kWindowPage, kPixels, 0xFFFFFF, vorelin::kResultsChartArea)
                .constBits());
    };
    change(); // the window's image and the page's storage grow once
    change();
    vorelin::bench::StartCountingAllocations();
    for (auto _ : state)
        change();
    const vorelin::bench::AllocationCount allocated = vorelin::bench::StopCountingAllocations();
    const auto perChange = [&state](std::size_t total) {
        return static_cast<double>(total) / static_cast<double>(state.iterations());
    };
    state.counters["primitives"] = static_cast<double>(page.Drawing().Primitives().size());
    state.counters["alloc_kB_per_change"] = perChange(allocated.bytes) / 1024;
    state.counters["largest_alloc_kB"] = static_cast<double>(allocated.largest) / 1024;
}
BENCHMARK(BM_ViewChangeInTheWindow)->Unit(benchmark::kMillisecond);

// The drawing alone, without rendering.
void BM_ViewChangeDrawingOnly(benchmark::State& state) {
    vorelin::ResultsPage& page = View().Page();
    for (auto _ : state)
        ChangeView(page);
}
BENCHMARK(BM_ViewChangeDrawingOnly)->Unit(benchmark::kMillisecond);

// The 68,921 region circles alone, rendered both ways.
void BM_RegionCircles(benchmark::State& state, vorelin::RenderOptions options) {
    const vorelin::DisplayList& page = View().Page().Drawing();
    vorelin::DisplayList circles;
    for (const vorelin::Primitive& p : page.Primitives()) {
        if (p.op == vorelin::Op::Circle && p.colour == 0x66CC00) {
            circles.SetPenWidth(p.penWidth);
            circles.Circle(p.centreX, p.centreY, p.radius, p.colour);
        }
    }
    for (auto _ : state) {
        QImage image = vorelin::RenderPage(circles, vorelin::kWindowPage, kPixels, 0xFFFFFF, options);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["circles"] = static_cast<double>(circles.Primitives().size());
}
BENCHMARK_CAPTURE(BM_RegionCircles, Stamped, vorelin::RenderOptions{})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegionCircles, Straightforward, kStraightforward)->Unit(benchmark::kMillisecond);

// How alike the two renderings are: the share of pixels that differ at all, and by more than a
// quarter of the full scale in some channel.
void BM_ImageDifference(benchmark::State& state) {
    const vorelin::DisplayList& page = View().Page().Drawing();
    QImage fast, plain;
    for (auto _ : state) {
        fast = vorelin::RenderPage(page, vorelin::kWindowPage, kPixels, 0xFFFFFF);
        plain = vorelin::RenderPage(page, vorelin::kWindowPage, kPixels, 0xFFFFFF, kStraightforward);
    }
    long differing = 0, clearly = 0;
    for (int y = 0; y < fast.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(fast.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(plain.constScanLine(y));
        for (int x = 0; x < fast.width(); ++x) {
            if (a[x] == b[x]) continue;
            ++differing;
            const int most =
                std::max({std::abs(qRed(a[x]) - qRed(b[x])), std::abs(qGreen(a[x]) - qGreen(b[x])),
                          std::abs(qBlue(a[x]) - qBlue(b[x]))});
            if (most > 64) ++clearly;
        }
    }
    const double pixels = static_cast<double>(fast.width()) * fast.height();
    state.counters["differing_%"] = 100.0 * static_cast<double>(differing) / pixels;
    state.counters["clearly_differing_%"] = 100.0 * static_cast<double>(clearly) / pixels;
    if (const char* folder = std::getenv("VORELIN_BENCH_IMAGES")) {
        fast.save(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("view-fast.png")));
        plain.save(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("view-straightforward.png")));
    }
}
BENCHMARK(BM_ImageDifference)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
