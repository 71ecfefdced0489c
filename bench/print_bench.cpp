// The printed report: drawn into a display list (target <= 5 ms) and painted as a one-page PDF
// at 1200 dpi (target <= 50 ms, unnoticed after the print dialog closes).
#include "core/networks.h"
#include "graphics/display_list.h"
#include "graphics/load_marks.h"
#include "print/report.h"
#include "render/report_pdf.h"

#include "tests/support/entries.h"

#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QPdfWriter>

namespace {

void BM_DrawReport(benchmark::State& state) {
    const vorelin::LoadAnalysis analysis = vorelin::AnalyseLoad(vorelin::test::TypicalExample());
    vorelin::DisplayList report;
    for (auto _ : state) {
        report.Clear();
        vorelin::DrawReport(report, analysis, "06/12/2024 19:09", vorelin::kLoadMark);
        benchmark::DoNotOptimize(report.Primitives().data());
    }
    state.counters["primitives"] = static_cast<double>(report.Primitives().size());
}
BENCHMARK(BM_DrawReport)->Unit(benchmark::kMillisecond);

void BM_PaintReportAsPdf(benchmark::State& state) {
    vorelin::DisplayList report;
    vorelin::DrawReport(report, vorelin::AnalyseLoad(vorelin::test::TypicalExample()), "06/12/2024 19:09",
                        vorelin::kLoadMark);
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(1200);
            if (!vorelin::PaintReport(writer, report)) state.SkipWithError("the PDF writer did not start");
        }
        bytes = buffer.size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PaintReportAsPdf)->Unit(benchmark::kMillisecond);

} // namespace
