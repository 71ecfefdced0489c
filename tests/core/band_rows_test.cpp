#include "core/band_paste.h"
#include "core/band_results.h"
#include "core/load_figures.h"
#include "core/readout.h"
#include "core/tolerance_area.h"
#include "core/tolerance_sweep.h"

#include "tests/support/entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

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

// Rows copied from the grid come back through its paste cell for cell: tabs, quotes and line
// ends in a note, blanks around a value, other scripts; a row without text is left out.
TEST(BandRows, CopiedRowsPasteBackUnchanged) {
    const std::vector<BandCells> cells{
        {"14.2M", "7", "50", "150p", "", "300p", "", "2.2u", "", "dipole\tat 10 m"},
        {" 7.1M ", "5", "50", "", "330p", "", "1.1u", "", "2.7u", "\"inverted\" V, 40 m"},
        {"", "", "", "", "", "", "", "", "", ""},
        {"3.6M", "2", "75", "1n", "", "", "", "3u", "", "two\r\nlines"},
        {"28.5M", "7", "50", "100p", "", "200p", "", "1u", "", "Ω µ ü"},
    };
    BandTable table;
    for (const BandCells& row : cells)
        table.rows.push_back(BandRowFromCells(row));
    const std::vector<std::size_t> copied{4, 0, 2, 1, 3};
    const BandRead pasted = PastedRows(CopiedRows(table, copied));
    ASSERT_TRUE(pasted.Ok()) << pasted.error;
    const std::vector<std::size_t> kept{4, 0, 1, 3};
    ASSERT_EQ(pasted.table.rows.size(), kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_EQ(pasted.table.rows[i].cells, cells[kept[i]]) << i;
}

// How many times the rings wind round a point, and how far the point lies from the nearest ring.
struct RingsAround {
    int winding = 0;
    double distance = std::numeric_limits<double>::infinity();
};
RingsAround Around(const ToleranceArea& area, double re, double im) {
    RingsAround around;
    std::size_t start = 0;
    for (const std::uint32_t end : area.ringEnds) {
        for (std::size_t i = start; i < end; ++i) {
            const GammaVertex& a = area.points[i];
            const GammaVertex& b = area.points[i + 1 < end ? i + 1 : start];
            const double ax = a.re, ay = a.im, bx = b.re, by = b.im;
            if ((ay <= im) != (by <= im)) {
                const double cross = (bx - ax) * (im - ay) - (by - ay) * (re - ax);
                around.winding += (by > ay) == (cross > 0) ? (by > ay ? 1 : -1) : 0;
            }
            const double length2 = (bx - ax) * (bx - ax) + (by - ay) * (by - ay);
            const double t =
                length2 > 0 ? std::clamp(((re - ax) * (bx - ax) + (im - ay) * (by - ay)) / length2, 0.0, 1.0)
                            : 0;
            around.distance =
                std::min(around.distance, std::hypot(ax + t * (bx - ax) - re, ay + t * (by - ay) - im));
        }
        start = end;
    }
    return around;
}

// Every varied load lies in its area (or within a cell of its edge, where the edge cuts a
// corner), the area is one ring without holes or islands however sparse the loads, and its edge
// runs smooth: no more vertices than a staircase round it would have.
TEST(BandRows, EveryVariedLoadLiesInItsArea) {
    const std::atomic<bool> go{false};
    for (const auto& [entries, percent] :
         {std::pair{Row("14.2M", "7", "75").entries, 5}, std::pair{Row("14.2M", "7", "75").entries, 20},
          std::pair{test::LargestRegion(), 20},
          std::pair{test::MakeEntries(1, 3.5e6f, 50, {.c2 = 680e-12f, .l1 = 4.7e-6f}), 2}}) {
        const float accuracy = AccuracyFraction(percent);
        const auto area = ToleranceAreaOf(entries, accuracy, 50, go); // against another Z0 than the row's
        ASSERT_TRUE(area);
        EXPECT_EQ(area->ringEnds.size(), 1u) << entries.Topology << " at " << percent;
        double low = 1e9, high = -1e9;
        for (const GammaVertex& v : area->points) {
            low = std::min({low, static_cast<double>(v.re), static_cast<double>(v.im)});
            high = std::max({high, static_cast<double>(v.re), static_cast<double>(v.im)});
        }
        EXPECT_LT(area->points.size(), 4u * kAreaCells);
        const double cell = (high - low) / kAreaCells;
        SweepTolerance(entries, accuracy, [&](const SweepPoint& point) {
            if (point.nominal) return;
            const Reflection g = *ReflectionOf({point.loadR, point.loadX}, 50);
            const RingsAround around = Around(*area, g.re, g.im);
            EXPECT_TRUE(around.winding != 0 || around.distance < cell) << point.loadR << " " << point.loadX;
        });
    }
    const Entries entries = Row("14.2M", "7", "75").entries;
    const auto area = ToleranceAreaOf(entries, 0.05f, 50, go);
    const std::vector<Entries> many{entries, Row("7.1M", "7", "50").entries};
    EXPECT_EQ(ToleranceAreasOf(many, 0.05f, 50, go)->at(0), *area);
    const std::atomic<bool> stop{true};
    EXPECT_FALSE(ToleranceAreaOf(entries, 0.05f, 50, stop));
    EXPECT_FALSE(ToleranceAreasOf(many, 0.05f, 50, stop));
}

} // namespace
} // namespace vorelin
