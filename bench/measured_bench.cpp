// The measured sweep's share of the band page's budget (a 10,001-point file read, interpolated for
// a 1,000-row table and drawn in <= 30 ms): reading and interpolating should take a small part of
// it. The hostile case, a file as large as the reader takes (64 MB), must stay linear.
#include "core/measured_sweep.h"
#include "core/touchstone_reader.h"
#include "files/measured_file.h"

#include "bench/analyser_sweep.h"

#include "tests/support/folders.h"

#include <benchmark/benchmark.h>

#include <complex>
#include <string>

namespace {

// A table's 1,000 rows across the sweep, as float frequencies.
float RowFrequency(int row) { return 1.5e6f + 29e3f * static_cast<float>(row); }

void BM_ReadTouchstone10001(benchmark::State& state) {
    const std::string text = vorelin::bench::AnalyserFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(vorelin::ReadTouchstone(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadTouchstone10001)->Unit(benchmark::kMillisecond);

void BM_CompareThousandRows(benchmark::State& state) {
    const vorelin::MeasuredSweep sweep = vorelin::ReadTouchstone(vorelin::bench::AnalyserFile()).sweep;
    for (auto _ : state) {
        double sum = 0;
        for (int row = 0; row < 1000; ++row)
            if (const auto c =
                    vorelin::CompareWithMeasured(sweep, RowFrequency(row), 50, vorelin::Load{40, 10}))
                sum += *c->gammaDistance;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_CompareThousandRows)->Unit(benchmark::kMicrosecond);

// What the band page does when the user opens a measured file: read it from disk and compare
// every row of the table.
void BM_ReadFileAndCompareThousandRows(benchmark::State& state) {
    const vorelin::test::ScratchFolder folder;
    const std::string path = folder / "dipole.s1p";
    vorelin::test::PutFile(path, vorelin::bench::AnalyserFile());
    for (auto _ : state) {
        const vorelin::MeasuredFileRead read = vorelin::ReadMeasuredFile(path);
        if (!read.Ok()) state.SkipWithError(read.error.c_str());
        int compared = 0;
        for (int row = 0; row < 1000; ++row)
            compared += vorelin::CompareWithMeasured(read.sweep, RowFrequency(row), 50, vorelin::Load{40, 10})
                            ? 1
                            : 0;
        benchmark::DoNotOptimize(compared);
    }
}
BENCHMARK(BM_ReadFileAndCompareThousandRows)->Unit(benchmark::kMillisecond);

// The largest text the reader takes, one line of digits: refused, in linear time.
void BM_ReadTouchstoneLargestLine(benchmark::State& state) {
    const std::string text = "# Hz RI\n1." + std::string(vorelin::kLargestTouchstoneBytes - 10, '7');
    for (auto _ : state)
        benchmark::DoNotOptimize(vorelin::ReadTouchstone(text));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadTouchstoneLargestLine)->Unit(benchmark::kMillisecond);

} // namespace
