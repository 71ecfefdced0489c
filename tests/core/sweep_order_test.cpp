#include "core/tolerance_sweep.h"

#include "tests/support/case_table.h"
#include "tests/support/entries.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace vorelin
