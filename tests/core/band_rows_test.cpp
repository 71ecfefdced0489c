#include "core/band_paste.h"
#include "core/band_results.h"
#include "core/load_figures.h"
#include "core/readout.h"
#include "core/tolerance_area.h"
#include "core/tolerance_sweep.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vorelin {
namespace {

BandRow Row(std::string frequency, std::string topology, std::string impedance, std::string c1 = "150p",
            std::string c3 = "300p", std::string l2 = "2.2u") {
    return BandRowFromCells({frequency, topology, impedance, c1, "", c3, "", l2, "", ""});
}

TEST(BandRows, ARowWithoutLoadTellsWhy) {
    const BandRow seriesCapacitor = Row("14.2M", "6", "50", "");
    EXPECT_EQ(ResultOf(seriesCapacitor).reason, "Series capacitor must have a positive value");
    EXPECT_EQ(ProblemColumn(seriesCapacitor), BandColumn::C1);
    const BandResult overflow = ResultOf(Row("10G", "7", "50", "150p", "300p", "10G"));
    EXPECT_FALSE(overflow.load);
    EXPECT_EQ(overflow.reason, kLoadNotComputable);
    EXPECT_EQ(overflow.LoadText(), "");
    const BandResult typical = ResultOf(Row("14.2M", "7", "50"));
    EXPECT_EQ(typical.LoadText() + " | " + typical.SwrText() + " | " + typical.GammaText(),
              "2.455 +j47.01 Ω | 38.4 | 0.9492");
}

TEST(BandRows, FrequencyOrderKeepsEqualFrequenciesInTableOrder) {
    BandTable table;
    for (const char* frequency : {"14.2M", "7.1M", "14.2M", "3.5M"})
        table.rows.push_back(Row(frequency, "7", "50"));
    EXPECT_EQ(FrequencyOrder(table), (std::vector<std::size_t>{3, 1, 0, 2}));
}

TEST(BandRows, TheChartTakesTheImpedanceMostRowsShare) {
    BandTable table;
    for (const char* impedance : {"75", "50", "75", "50", "600"})
        table.rows.push_back(Row("14.2M", "7", impedance));
    table.rows.push_back(Row("14.2M", "6", "600", "")); // no load: not counted
    std::vector<BandResult> results;
    for (const BandRow& row : table.rows)
        results.push_back(ResultOf(row));
    EXPECT_EQ(ChartImpedance(table, results), 50); // 50 and 75 twice each: the smaller
    results[1] = {};
    EXPECT_EQ(ChartImpedance(table, results), 75);
    EXPECT_EQ(ChartImpedance({}, {}), kFallbackImpedance);
}

TEST(BandRows, PastedRowsWithOrWithoutTheirHeader) {
    const BandRead plain =
        PastedRows("\t\t\r\n14.2M\t7\t50\t150p\t\t300p\t\t2.2u\r\n7.1M\t3\t75\t\t330p\t\t1.1u\r\n");
    ASSERT_TRUE(plain.Ok()) << plain.error;
    ASSERT_EQ(plain.table.rows.size(), 2u);
    EXPECT_EQ(plain.table.rows[0].entries, Row("14.2M", "7", "50").entries);
    EXPECT_EQ(plain.table.rows[1].Cell(BandColumn::L1), "1.1u");
    EXPECT_EQ(plain.table.rows[1].line, 2u);

    const BandRead headed = PastedRows("Impedance;Frequency;Topology;L2\n50;14.2M;7;2.2u\n");
    ASSERT_TRUE(headed.Ok()) << headed.error;
    EXPECT_EQ(headed.table.rows[0].Cell(BandColumn::Frequency), "14.2M");
    EXPECT_EQ(headed.table.rows[0].Cell(BandColumn::L2), "2.2u");

    // A row whose note or cells read as column names is still a row.
    for (const char* row : {"14.2M\t7\t50\t\t\t\t\t\t\tnote\n", "C1\t7\t50\n"})
        EXPECT_EQ(PastedRows(row).table.rows.size(), 1u) << row;
    EXPECT_EQ(PastedRows("\xEF\xBB\xBF\xEF\xBB\xBF"
                         "14.2M\t7\t50\n")
                  .error.substr(0, 46),
              "Line 1 holds a second byte-order mark (U+FEFF)");
    EXPECT_EQ(PastedRows("14.2M,7,50\n7.1M,7,\"50\n").error,
              "Line 2 opens a quoted cell that is never closed.");
    EXPECT_EQ(PastedRows("1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\n").error,
              "Line 1 has more cells than the 10 columns of a band table.");
    EXPECT_TRUE(PastedRows(" \r\n").table.rows.empty());
}

TEST(BandRows, EveryVariedLoadLiesInItsArea) {
    const Entries entries = Row("14.2M", "7", "75").entries; // against another Z0 than the chart's
    const std::atomic<bool> go{false};
    const auto area = ToleranceAreaOf(entries, 0.05f, 50, go);
    ASSERT_TRUE(area);
    EXPECT_LT(area->boxes.size(), 200u); // 11^3 loads
    SweepTolerance(entries, 0.05f, [&](const SweepPoint& point) {
        if (point.nominal) return;
        const Reflection g = *ReflectionOf({point.loadR, point.loadX}, 50);
        const auto within = [](double value, float low, float high) {
            return value >= static_cast<double>(low) - 1e-6 && value <= static_cast<double>(high) + 1e-6;
        };
        const bool inside = std::ranges::any_of(area->boxes, [&](const GammaBox& box) {
            return within(g.re, box.left, box.right) && within(g.im, box.bottom, box.top);
        });
        EXPECT_TRUE(inside) << point.loadR << " " << point.loadX;
    });
    const std::vector<Entries> many{entries, Row("7.1M", "7", "50").entries};
    EXPECT_EQ(ToleranceAreasOf(many, 0.05f, 50, go)->at(0), *area);
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(ToleranceAreaOf(entries, 0.05f, 50, stop));
    EXPECT_FALSE(ToleranceAreasOf(many, 0.05f, 50, stop));
}

} // namespace
} // namespace vorelin
