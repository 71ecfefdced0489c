// The files' speed. The aspect-ratio spinner rewrites the defaults file at every step, so one
// atomic write (temporary file, flush, rename) should stay well below a frame: target <= 5 ms.
// The readers must stay linear on hostile files: the largest file read (1 MiB, one line of
// digits) in <= 10 ms.
#include "files/defaults_file.h"
#include "files/file_io.h"
#include "files/last_session_file.h"
#include "files/network_file.h"

#include "tests/support/entries.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const vorelin::Load kTypicalLoad{2.454566f, 47.01322f};

void BM_ReadLastSessionTypical(benchmark::State& state) {
    const std::string bytes = vorelin::LastSessionFileText(vorelin::test::TypicalExample());
    vorelin::Entries s;
    for (auto _ : state)
        benchmark::DoNotOptimize(vorelin::ReadLastSessionFrom(bytes, s));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadLastSessionTypical);

// One line of digits as large as a file may be: the number scan must not go quadratic.
void BM_ReadLastSessionLongestLine(benchmark::State& state) {
    const std::string bytes = "1." + std::string(vorelin::kLargestReadableFile - 2, '7');
    vorelin::Entries s;
    for (auto _ : state)
        benchmark::DoNotOptimize(vorelin::ReadLastSessionFrom(bytes, s));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadLastSessionLongestLine)->Unit(benchmark::kMillisecond);

void BM_ReadDefaultsLongestField(benchmark::State& state) {
    const std::string bytes = "0." + std::string(vorelin::kLargestReadableFile - 2, '7');
    vorelin::Settings s;
    for (auto _ : state)
        benchmark::DoNotOptimize(vorelin::ReadDefaultsFrom(bytes, s));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadDefaultsLongestField)->Unit(benchmark::kMillisecond);

void BM_NetworkFileText(benchmark::State& state) {
    const vorelin::Entries s = vorelin::test::TypicalExample();
    for (auto _ : state)
        benchmark::DoNotOptimize(vorelin::NetworkFileText(s, kTypicalLoad, "06/12/2024 19:09"));
}
BENCHMARK(BM_NetworkFileText);

// A real write into a fresh folder on the machine's temporary disk, as at a spinner step.
void BM_WriteDefaults(benchmark::State& state) {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorelin-bench-XXXXXX").string();
    const std::filesystem::path folder = mkdtemp(pattern.data());
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    vorelin::Settings s{1.2f, 1000, 200};
    for (auto _ : state) {
        s.AspectRatio = s.AspectRatio == 1.2f ? 1.21f : 1.2f;
        if (vorelin::WriteDefaults(s).Failed()) state.SkipWithError("the defaults file was not written");
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteDefaults)->Unit(benchmark::kMicrosecond);

} // namespace
