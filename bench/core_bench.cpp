// The analysis core's speed: single network runs, and the largest tolerance sweep
// (topology 5 at 20 %: 41^3 = 68,921 network runs). Targets: the sweep in <= 1.5 ms on one thread,
// and its loads as the results page keeps them, on two threads, in <= 0.6 ms.
#include "core/networks.h"
#include "core/tolerance_sweep.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

vorelin::Entries Entries(int topology) {
    vorelin::Entries s;
    s.Topology = static_cast<std::int16_t>(topology);
    s.Frequency = 10.1e6f;
    s.Impedance = 50;
    s.C1 = 100e-12f;
    s.C2 = 330e-12f;
    s.C3 = 200e-12f;
    s.L1 = 1.1e-6f;
    s.L2 = 2e-6f;
    s.L3 = 2.7e-6f;
    return s;
}

void BM_Network(benchmark::State& state) {
    const vorelin::Entries s = Entries(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(vorelin::RunNetwork(s));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Network)->DenseRange(1, 8);

void BM_ToleranceSweep(benchmark::State& state) {
    const vorelin::Entries s = Entries(static_cast<int>(state.range(0)));
    std::int64_t runs = 0;
    for (auto _ : state) {
        float sum = 0;
        const auto summary =
            vorelin::SweepTolerance(s, 0.2f, [&sum](const vorelin::SweepPoint& p) { sum += p.loadR; });
        benchmark::DoNotOptimize(sum);
        runs += summary.combinations + 1;
    }
    state.SetItemsProcessed(runs);
}
BENCHMARK(BM_ToleranceSweep)->Arg(5)->Arg(7)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ToleranceLoadsOnTwoThreads(benchmark::State& state) {
    const vorelin::Entries s = Entries(static_cast<int>(state.range(0)));
    std::vector<vorelin::Load> loads;
    std::int64_t runs = 0;
    for (auto _ : state) {
        const auto summary = vorelin::SweepToleranceLoads(s, 0.2f, loads);
        benchmark::DoNotOptimize(loads.data());
        runs += summary.combinations + 1;
    }
    state.SetItemsProcessed(runs);
}
BENCHMARK(BM_ToleranceLoadsOnTwoThreads)->Arg(5)->Arg(7)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
