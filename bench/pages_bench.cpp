// The entries and opening pages as a user meets them, rendered at 1200 x 900 like a window:
// - a click on a thumbnail: the topology picked, the part boxes switched, the eight thumbnails
//   drawn afresh and the page image rendered. Target: <= 5 ms, so that a click feels immediate.
// - a change of an entry box given 10,000 characters. Target: well under a frame (16 ms).
// - the opening page's load: start-up, the last-session read, the title, both illustrations
//   (a full Smith chart grid among them) and the page image. Target: <= 50 ms.
#include "pages/entries_page.h"
#include "pages/opening_page.h"
#include "render/page_renderer.h"
#include "pages/program.h"
#include "quiet_dialogs.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QLineEdit>
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

// A keystroke into an entry box holding 10,000 characters (pasted, or typed by a key held down):
// the box keeps 40 and the change handler parses those. Target: well under a frame.
void BM_EntryBoxChangeOnALongText(benchmark::State& state) {
    vorelin::EntriesPage& page = TheRun().program.EntriesWindow();
    auto* box = page.findChild<QLineEdit*>(QStringLiteral("frequencyBox"));
    const QString texts[] = {QString(10000, QLatin1Char('7')), QString(10000, QLatin1Char('8'))};
    int next = 0;
    for (auto _ : state) {
        box->setText(texts[next]);
        next = 1 - next;
    }
    state.counters["kept_characters"] = static_cast<double>(box->text().size());
}
BENCHMARK(BM_EntryBoxChangeOnALongText)->Unit(benchmark::kMicrosecond);

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
