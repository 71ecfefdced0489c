#include "files/measured_file.h"

#include "tests/support/folders.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace vorelin {
namespace {

// The independent writer: scikit-rf, from Debian's python3-scikit-rf, writes 48 files in every
// format, unit and reference; each must read back to the Gamma it was given.
TEST(MeasuredFile, ReadsWhatScikitRfWrites) {
    const test::WorkingFolder folder;
    QProcess python;
    python.start(QStringLiteral(VORELIN_PYTHON),
                 {QStringLiteral(VORELIN_FILES_TESTS "/write_touchstone.py"), "."});
    if (!python.waitForFinished(120000) || python.exitCode() == 77)
        GTEST_SKIP() << "python3 with skrf is missing";
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    std::istringstream lines(python.readAllStandardOutput().toStdString());
    int files = 0;
    for (std::string name; lines >> name; ++files) {
        double reference = 0;
        std::size_t points = 0;
        ASSERT_TRUE(lines >> reference >> points);
        const MeasuredFileRead read = ReadMeasuredFile(name);
        ASSERT_TRUE(read.Ok()) << read.error;
        EXPECT_EQ(read.sweep.reference, reference) << name;
        ASSERT_EQ(read.sweep.points.size(), points) << name;
        for (const MeasuredPoint& point : read.sweep.points) {
            double frequency = 0, re = 0, im = 0;
            ASSERT_TRUE(lines >> frequency >> re >> im);
            EXPECT_NEAR(point.frequency, frequency, frequency * 1e-15) << name;
            EXPECT_LT(std::abs(point.gamma - std::complex(re, im)), 1e-12) << name << " at " << frequency;
        }
    }
    EXPECT_EQ(files, 48);
}

TEST(MeasuredFile, NamesTheFileAndTheReason) {
    const test::WorkingFolder folder;
    // A two-port point continued on the next line: the name says two ports; without it, a
    // first line of 5 numbers reads as a one-port file and is refused.
    const std::string twoPort = "# Hz RI\n1 0.1 0.2 9 9\n 9 9 9 9\n";
    test::PutFile("amp.s2p", twoPort);
    test::PutFile("amp.txt", twoPort);
    EXPECT_EQ(ReadMeasuredFile("amp.s2p").sweep, (MeasuredSweep{50, {{1, {0.1, 0.2}}}}));
    EXPECT_EQ(
        ReadMeasuredFile("amp.txt").error,
        "The Touchstone file amp.txt was not read. Line 2: the line has more numbers than the 3 of a point.");
    EXPECT_EQ(ReadMeasuredFile("none.s1p").error,
              "The Touchstone file none.s1p was not read. There is no such file.");
    std::filesystem::create_directory("folder.s1p");
    EXPECT_EQ(ReadMeasuredFile("folder.s1p").error,
              "The Touchstone file folder.s1p was not read. It is not a regular file.");
    // Past the limit by one byte: refused before a byte is read (a sparse file takes no room).
    test::PutFile("big.s1p", "# Hz RI\n1 0 0\n");
    std::filesystem::resize_file("big.s1p", kLargestTouchstoneBytes + 1);
    const MeasuredFileRead big = ReadMeasuredFile("big.s1p");
    EXPECT_EQ(big.error, "The Touchstone file big.s1p was not read. The file is larger than 64 MB.");
    EXPECT_TRUE(big.sweep.points.empty());
}

} // namespace
} // namespace vorelin
