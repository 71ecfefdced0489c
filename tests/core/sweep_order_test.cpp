#include "core/tolerance_sweep.h"
#include "core/topology.h"

#include "tests/support/case_table.h"
#include "tests/support/entries.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace vorelin {
namespace {

// Every load of two small regions in the order they are handed on, as exact floats: the part in
// position 1 varies slowest, the factors step in single precision, the nominal load comes last.
TEST(ToleranceSweep, LoadsInDrawingOrder) {
    std::string text;
    const auto sweep = [&text](const Entries& entries, float accuracy) {
        text += "== topology " + std::to_string(entries.Topology) + " at " + test::Exact(accuracy) + "\n";
        SweepTolerance(entries, accuracy, [&text](const SweepPoint& p) {
            text += test::Exact(p.loadR) + " " + test::Exact(p.loadX) + (p.nominal ? " nominal\n" : "\n");
        });
    };
    sweep(test::LargestRegion(), 0.01f);
    sweep(test::MakeEntries(1, 3.5e6f, 50, {.c2 = 680e-12f, .l1 = 4.7e-6f}), 0.02f);
    EXPECT_EQ(test::GoldenMismatch("core/golden/sweep_order.txt", text), "");
}

// Every combination run through the whole network routine, in the sweep's order: what the sweep
// (which runs the steps before the innermost part once per setting of the others) must give.
std::vector<Load> EachCombinationRunWhole(const Entries& entries, float accuracy) {
    const auto parts = PartsOf(entries.Topology);
    std::vector<float> factors;
    const ToleranceFactors range = ToleranceFactors::For(accuracy);
    for (float f = range.start; f <= range.end; f = ToleranceFactors::Next(f))
        factors.push_back(f);
    std::vector<Load> loads;
    for (std::int64_t n = 0; n < SweepCombinations(entries.Topology, accuracy); ++n) {
        Entries varied = entries;
        auto rest = static_cast<std::size_t>(n); // the combination's steps, the last part's fastest
        for (std::size_t p = parts.size(); p-- > 0; rest /= factors.size())
            varied.*parts[p].value = static_cast<float>(static_cast<double>(entries.*parts[p].value) *
                                                        static_cast<double>(factors[rest % factors.size()]));
        if (const NetworkRun run = RunNetwork(varied); run.Computed()) loads.push_back(run.load);
    }
    return loads;
}

// The sweep, on one thread and on two, gives the loads of every combination run whole, bit for bit
// and in its order, also where some combinations give no load (the larger coils overflow a step)
// and where too few runs are made to share them out.
TEST(ToleranceSweep, TwoThreadsGiveTheOneThreadOrder) {
    std::vector<Entries> cases;
    for (int topology = 1; topology <= 8; ++topology)
        cases.push_back(test::TypicalExample(topology));
    cases.push_back(test::MakeEntries(7, 1e10f, 50, {.c1 = 150e-12f, .c3 = 300e-12f, .l2 = 2.7e8f}));
    cases.push_back(test::NotComputable());
    std::vector<Load> loads;
    for (const Entries& entries : cases) {
        for (const int percent : {0, 1, 5, 20}) {
            const float accuracy = AccuracyFraction(percent);
            std::vector<Load> expected;
            const SweepSummary one = SweepTolerance(entries, accuracy, [&expected](const SweepPoint& p) {
                if (!p.nominal) expected.push_back({p.loadR, p.loadX});
            });
            const SweepSummary two = SweepToleranceLoads(entries, accuracy, loads);
            const std::vector<Load> whole = EachCombinationRunWhole(entries, accuracy);
            ASSERT_EQ(whole.size(), expected.size()) << entries.Topology << " at " << percent;
            EXPECT_TRUE(whole.empty() ||
                        std::memcmp(whole.data(), expected.data(), whole.size() * sizeof(Load)) == 0)
                << entries.Topology << " at " << percent;
            ASSERT_EQ(loads.size(), expected.size()) << entries.Topology << " at " << percent;
            EXPECT_TRUE(loads.empty() ||
                        std::memcmp(loads.data(), expected.data(), loads.size() * sizeof(Load)) == 0)
                << entries.Topology << " at " << percent;
            EXPECT_EQ(two.combinations, one.combinations);
            EXPECT_EQ(two.notComputable, one.notComputable);
            EXPECT_EQ(two.nominal.load, one.nominal.load);
        }
    }
}

} // namespace
} // namespace vorelin
