// The entries and opening pages as a user meets them, rendered at 1200 x 900 like a window:
// - a click on a thumbnail: the topology picked, the part boxes switched, the eight thumbnails
//   drawn afresh and the page image rendered. Target: <= 5 ms, so that a click feels immediate.
// - the opening page's load: start-up, the last-session read, the title, both illustrations
//   (a full Smith chart grid among them) and the page image. Target: <= 50 ms.
#include "pages/entries_page.h"
#include "pages/opening_page.h"
#include "render/page_renderer.h"
#include "pages/program.h"
#include "quiet_dialogs.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

namespace {

const QSize kPixels(1200, 900);

struct Run {
    QTemporaryDir folder; // the pages read their files from the working folder
    QuietDialogs dialogs;
    vorelin::Program program{dialogs};

    Run() {
        QDir::setCurrent(folder.path());
        program.Start();
        program.ShowEntriesPage();
    }
};

Run& TheRun() {
    static Run run;
    return run;
}

void BM_ThumbnailClick(benchmark::State& state) {
    vorelin::EntriesPage& page = TheRun().program.EntriesWindow();
    bool pi = true;
    for (auto _ : state) {
        // Topology 7 and topology 1 in turn: the part boxes change at every click.
        page.onPageClicked(5000, pi ? 6000 : 3000);
        pi = !pi;
        QImage image = vorelin::RenderPage(page.Drawing(), vorelin::kWindowPage, kPixels, 0xFFFFFF);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["primitives"] = static_cast<double>(page.Drawing().Primitives().size());
}
BENCHMARK(BM_ThumbnailClick)->Unit(benchmark::kMillisecond);

void BM_OpeningPageLoad(benchmark::State& state) {
    vorelin::OpeningPage& page = TheRun().program.OpeningWindow();
    for (auto _ : state) {
        page.ShowPage();
        QImage image = vorelin::RenderPage(page.Drawing(), vorelin::kWindowPage, kPixels, 0xFFFFF4);
        benchmark::DoNotOptimize(image.constBits());
        page.Unload();
    }
    state.counters["primitives"] = static_cast<double>(page.Drawing().Primitives().size());
}
BENCHMARK(BM_OpeningPageLoad)->Unit(benchmark::kMillisecond);

} // namespace
