// A keystroke on the design page: the load box's text changed, the eight networks designed, the
// page drawn afresh and its image rendered at 1200 x 900 like a window. Target: <= 10 ms, so that
// the solutions follow the typing.
#include "pages/design_page.h"
#include "pages/program.h"
#include "quiet_dialogs.h"
#include "render/page_renderer.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {

void BM_DesignPageKeystroke(benchmark::State& state) {
    QTemporaryDir folder; // the pages read their files from the working folder
    QDir::setCurrent(folder.path());
    QuietDialogs dialogs;
    vorelin::Entries entries{
        .Frequency = 14.2e6f, .Impedance = 50, .C1 = 150e-12f, .C3 = 300e-12f, .L2 = 2.2e-6f, .Topology = 7};
    vorelin::Program program(dialogs, entries);
    program.ShowDesignPage();
    vorelin::DesignPage& page = program.DesignWindow();
    auto* box = page.findChild<QLineEdit*>(QStringLiteral("loadRBox"));
    bool other = false;
    for (auto _ : state) {
        box->setText(other ? QStringLiteral("200") : QStringLiteral("20"));
        other = !other;
        QImage image = vorelin::RenderPage(page.Drawing(), vorelin::kWindowPage, {1200, 900}, 0xFFFFFF);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["primitives"] = static_cast<double>(page.Drawing().Primitives().size());
}
BENCHMARK(BM_DesignPageKeystroke)->Unit(benchmark::kMillisecond);

} // namespace
