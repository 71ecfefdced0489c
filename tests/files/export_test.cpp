#include "core/band_system.h"
#include "core/load_figures.h"
#include "files/band_workflow.h"
#include "files/load_csv.h"
#include "files/touchstone.h"

#include "tests/support/entries.h"
#include "tests/support/folders.h"
#include "tests/support/golden.h"

#include <QLocale>
#include <QProcess>

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <sstream>

namespace vorelin {
namespace {

using Kind = TouchstoneProblem::Kind;

// The largest region's nominal load, 25 ohms as a network leaves it (X = -0) and a negative
// resistance (|gamma| > 1), with exponents and fractions that a decimal comma would show in.
const std::vector<TouchstonePoint> kPoints{
    {10.1e6f, {38.1758537f, -106.751892f}}, {14.2e6f, {25, -0.0f}}, {2.1e9f, {-10, 3.5e-4f}}};

std::vector<std::string> Comments() {
    auto comments = TouchstoneComments(test::LargestRegion(), 0.05f);
    comments.push_back("Antenna: 40 m dipole, 50 Ω ±2 %");
    return comments;
}

std::vector<BandResultRow> BandRows() {
    return {{7.05e6f, 50, Load{12.5f, -0.25f}, "40 m, \"inverted V\""},
            {10.1e6f, 50, std::nullopt, ""},
            {14.2e6f, 50, Load{-3, 7}, "line\r\nbreak"}};
}

std::string WriteAndRead(const char* name, const WriteResult& result) {
    EXPECT_EQ(result.status, WriteResult::Status::Written) << result.message;
    return test::FileBytes(name).value_or("");
}

// Empty when the file written is its golden file's bytes.
std::string GoldenMismatch(const char* name, const WriteResult& result) {
    return test::GoldenMismatch(std::string("files/golden/") + name, WriteAndRead(name, result));
}

TEST(Exports, BytesAsReviewedUnderEveryLocale) {
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_ALL, locale) == nullptr) GTEST_SKIP() << locale << " is not installed";
        QLocale::setDefault(QLocale(QString::fromUtf8(locale).left(5)));
        const test::WorkingFolder folder;
        EXPECT_EQ(GoldenMismatch("load.s1p", WriteTouchstone("load.s1p", Comments(), 50, kPoints)), "");
        EXPECT_EQ(GoldenMismatch("region.csv",
                                 WriteRegionCsv("region.csv", AnalyseLoad(test::LargestRegion(), 0.01f))),
                  "");
        EXPECT_EQ(test::GoldenMismatch("files/golden/band.csv", BandCsvText(BandRows())), "");
    }
    std::setlocale(LC_ALL, "C");
    QLocale::setDefault(QLocale::c());
}

TEST(Touchstone, RefusesAnyRowThatBreaksTheFile) {
    const std::vector<TouchstonePoint> points{
        {14e6f, {50, 0}}, {14e6f, {50, 0}}, {7e6f, {50, 0}}, {NAN, {50, 0}}, {21e6f, {-50, 0}}};
    EXPECT_EQ(CheckTouchstonePoints(50, points), (std::vector<TouchstoneProblem>{{Kind::SameFrequency, 1, 0},
                                                                                 {Kind::NotAscending, 2, 1},
                                                                                 {Kind::BadFrequency, 3},
                                                                                 {Kind::NoReflection, 4}}));
    EXPECT_EQ(CheckTouchstonePoints(0, {}),
              (std::vector<TouchstoneProblem>{{Kind::NoPoints}, {Kind::BadImpedance}}));
    const test::WorkingFolder folder;
    EXPECT_EQ(
        WriteTouchstone("bad.s1p", {}, 50, points).message,
        "The Touchstone file bad.s1p was not written: rows 1 and 2 have the same frequency (14000000 Hz); "
        "row 3 has a lower frequency than row 2 (the frequencies must ascend); row 4 has no valid "
        "frequency; row 5 has no reflection coefficient.");
    EXPECT_TRUE(folder.Entries().empty());
}

TEST(Exports, AFailedWriteNamesTheFile) {
    const test::WorkingFolder folder;
    const std::string path = "no such folder/load";
    EXPECT_EQ(
        WriteTouchstone(path, {}, 50, kPoints).message.rfind("The Touchstone file " + path + " could not", 0),
        0u);
    EXPECT_EQ(WriteRegionCsv(path, LoadAnalysis{})
                  .message.rfind("The CSV file " + path + " could not be written: ", 0),
              0u);
}

// Feedpoints at the antenna say so: the CSV in its header line, its figures against the line's Zc
// (a feedpoint of Zc is SWR 1 whatever the row's own Z0), the Touchstone file in a comment line.
TEST(Exports, FeedpointsSayWhereTheyStand) {
    const test::WorkingFolder folder;
    const BandTable table = ReadBandTable("frequency,topology,impedance,c2,l2\n7.1M,2,50,220p,1.5u\n").table;
    BandResult feedpoint;
    feedpoint.load = Load{450, 0};
    const Feedline ladder{20, 0.9, 450, 0.1, 0};
    const BandExports exports{"feed.s1p", 450, "feed.csv", ladder};
    ASSERT_FALSE(WriteBandExports(exports, table, {&feedpoint, 1}).Failed());
    EXPECT_EQ(
        test::FileBytes("feed.csv").value_or(""),
        "frequency_hz,feedpoint_r_ohm,feedpoint_x_ohm,line_swr,line_return_loss_db,line_gamma_mag,note\r\n"
        "7100000,450,0,1,,0,\r\n");
    EXPECT_NE(test::FileBytes("feed.s1p")
                  .value_or("")
                  .find("\n! " + FeedpointComment(ladder) + "\n# Hz S RI R 450\n"),
              std::string::npos);
}

// The real reader: scikit-rf, from Debian's python3-scikit-rf.
TEST(Touchstone, ScikitRfReadsTheSameGamma) {
    const test::WorkingFolder folder;
    ASSERT_FALSE(WriteTouchstone("load.s1p", Comments(), 50, kPoints).Failed());
    QProcess python;
    python.start(QStringLiteral(VORELIN_PYTHON),
                 {QStringLiteral(VORELIN_FILES_TESTS "/read_s1p.py"), "load.s1p"});
    if (!python.waitForFinished(60000) || python.exitCode() == 77)
        GTEST_SKIP() << "python3 with skrf is missing";
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    std::istringstream lines(python.readAllStandardOutput().toStdString());
    for (const TouchstonePoint& point : kPoints) {
        double frequency = 0, re = 0, im = 0, z0 = 0;
        ASSERT_TRUE(lines >> frequency >> re >> im >> z0);
        const Reflection gamma = *ReflectionOf(point.load, 50);
        EXPECT_EQ(frequency, static_cast<double>(point.frequency));
        EXPECT_NEAR(re, gamma.re, 1e-9);
        EXPECT_NEAR(im, gamma.im, 1e-9);
        EXPECT_EQ(z0, 50);
    }
    std::string more;
    EXPECT_FALSE(lines >> more) << "more points than written";
}

} // namespace
} // namespace vorelin
