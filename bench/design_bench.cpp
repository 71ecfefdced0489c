// The design of all eight networks for one load, at the default loaded Q and with C1 held.
// Target: <= 50 us each, so that a page can redesign as the user types. The design page's whole
// keystroke (the eight designs rated for a profile, and a held C1 that fails told the values that
// would work): <= 200 us.
#include "core/design.h"
#include "core/design_choice.h"
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

void BM_DesignAndChoose(benchmark::State& state) {
    const vorelin::DesignTarget target = TypicalLoad();
    vorelin::TunerProfile profile;
    profile.topology = 7;
    profile.ranges[0] = {20, 500}; // C1, pF
    std::vector<vorelin::DesignRequest> requests;
    for (int topology = 1; topology <= 8; ++topology)
        requests.push_back({topology, {}});
    if (state.range(0) != 0) requests[6].options.hold = vorelin::DesignHold{"C1", 600e-12f};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            vorelin::DesignAndChoose(target, requests, &profile, vorelin::LossSettingsOf(&profile)));
    }
}
BENCHMARK(BM_DesignAndChoose)->ArgName("held_fails")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
