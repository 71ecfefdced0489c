// The design of all eight networks for one load, at the default loaded Q and with C1 held.
// Target: <= 50 us each, so that a page can redesign as the user types.
#include "core/design.h"
#include "core/networks.h"

#include <benchmark/benchmark.h>

namespace {

// The load of the typical pi network: 14.2 MHz, 50 ohms, C1 150p, L2 2.2u, C3 300p.
vorelin::DesignTarget TypicalLoad() {
    const vorelin::Entries e{
        .Frequency = 14.2e6f, .Impedance = 50, .C1 = 150e-12f, .C3 = 300e-12f, .L2 = 2.2e-6f, .Topology = 7};
    const vorelin::Load load = vorelin::RunNetwork(e).load;
    return {load.LoadR, load.LoadX, e.Impedance, e.Frequency};
}

void BM_DesignAll(benchmark::State& state) {
    const vorelin::DesignTarget target = TypicalLoad();
    vorelin::DesignOptions options;
    if (state.range(0) != 0) options.hold = vorelin::DesignHold{"C1", 150e-12f};
    for (auto _ : state) {
        benchmark::DoNotOptimize(vorelin::DesignAll(target, options));
    }
}
BENCHMARK(BM_DesignAll)->ArgName("held")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
