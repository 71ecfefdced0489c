#include "files/network_file.h"

#include "core/networks.h"
#include "tests/files/file_test_support.h"
#include "tests/support/sessions.h"

#include <QDir>

#include <gtest/gtest.h>

#include <string>

namespace vorelin {
namespace {

constexpr const char* kDate = "06/12/2024 19:09";

// The block of an unused stage.
std::string EmptyStage(int number) {
    return "Element type for stage " + std::to_string(number) +
           ": 0\r\n"
           "   Value(1): 0\r\n"
           "   Value(2): 0\r\n"
           "   Value(3): 0\r\n"
           "   Value(4): 0\r\n"
           "   Value(5): 0\r\n"
           "\r\n";
}

// The block of a stage with a part; `value` is the part's value as the line shows it.
std::string UsedStage(int number, int code, const std::string& value) {
    return "Element type for stage " + std::to_string(number) + ": " + std::to_string(code) +
           "\r\n"
           "   Value(1):" +
           value +
           "\r\n"
           "   Value(2): 1000000 \r\n"
           "   Value(3): 0\r\n"
           "   Value(4): 0\r\n"
           "   Value(5): 0\r\n"
           "\r\n";
}

// The whole file is spelled out once, here; the other cases build their stage blocks.
TEST(NetworkFileText, TopologySixWithANegativeReactanceBelowOne) {
    // L1 is not part of topology 6.
    Session session = test::Entries(6, 14e6f, 50, {2e-10f, 0, 1e-10f, 5e-6f, 2e-6f, 0});
    session.LoadR = 12.5f;
    session.LoadX = -0.5f;
    EXPECT_EQ(NetworkFileText(session, kDate), "Plotwin network file\r\n"
                                               "06/12/2024 19:09\r\n"
                                               "\r\n"
                                               "Frequency:  1.4E+07 \r\n"
                                               "System impedance:  50 \r\n"
                                               "\r\n"
                                               "Antenna R:  12.5 \r\n"
                                               "Antenna X: -.5 \r\n"
                                               "\r\n"
                                               "Element type for stage 1: 1\r\n"
                                               "   Value(1): 1E-10 \r\n"
                                               "   Value(2): 1000000 \r\n"
                                               "   Value(3): 0\r\n"
                                               "   Value(4): 0\r\n"
                                               "   Value(5): 0\r\n"
                                               "\r\n"
                                               "Element type for stage 2: 4\r\n"
                                               "   Value(1): 2E-06 \r\n"
                                               "   Value(2): 1000000 \r\n"
                                               "   Value(3): 0\r\n"
                                               "   Value(4): 0\r\n"
                                               "   Value(5): 0\r\n"
                                               "\r\n"
                                               "Element type for stage 3: 1\r\n"
                                               "   Value(1): 2E-10 \r\n"
                                               "   Value(2): 1000000 \r\n"
                                               "   Value(3): 0\r\n"
                                               "   Value(4): 0\r\n"
                                               "   Value(5): 0\r\n"
                                               "\r\n" +
                                                   EmptyStage(4) + EmptyStage(5) +
                                                   "Q circle value:  1000000 \r\n"
                                                   "VSWR circle value:  1.2 \r\n"
                                                   "Sweep start:  13860000 \r\n"
                                                   "Sweep stop:  14140000 \r\n"
                                                   "Number of points:  11 \r\n");
}

TEST(NetworkFileText, TopologySevenFromTheNetworkRoutine) {
    Session session = test::TypicalExample();
    ASSERT_EQ(RunNetwork(session), NetworkResult::Computed);
    EXPECT_EQ(NetworkFileText(session, kDate), "Plotwin network file\r\n"
                                               "06/12/2024 19:09\r\n"
                                               "\r\n"
                                               "Frequency:  1.42E+07 \r\n"
                                               "System impedance:  50 \r\n"
                                               "\r\n"
                                               "Antenna R:  2.454566 \r\n"
                                               "Antenna X:  47.01322 \r\n"
                                               "\r\n" +
                                                   UsedStage(1, 2, " 3E-10 ") + UsedStage(2, 3, " 2.2E-06 ") +
                                                   UsedStage(3, 2, " 1.5E-10 ") + EmptyStage(4) +
                                                   EmptyStage(5) +
                                                   "Q circle value:  1000000 \r\n"
                                                   "VSWR circle value:  1.2 \r\n"
                                                   "Sweep start:  14058000 \r\n"
                                                   "Sweep stop:  14342000 \r\n"
                                                   "Number of points:  11 \r\n");
}

TEST(NetworkFileText, TopologyOneWithSmallAndNegativeValues) {
    Session session = test::Entries(1, 0.5f, 75, {.c2 = 4.7e-11f, .l1 = -0.5f});
    session.LoadR = 0.25f;
    session.LoadX = -12;
    EXPECT_EQ(NetworkFileText(session, kDate), "Plotwin network file\r\n"
                                               "06/12/2024 19:09\r\n"
                                               "\r\n"
                                               "Frequency:  .5 \r\n"
                                               "System impedance:  75 \r\n"
                                               "\r\n"
                                               "Antenna R:  .25 \r\n"
                                               "Antenna X: -12 \r\n"
                                               "\r\n" +
                                                   UsedStage(1, 2, " 4.7E-11 ") + UsedStage(2, 3, "-0.5 ") +
                                                   EmptyStage(3) + EmptyStage(4) + EmptyStage(5) +
                                                   "Q circle value:  1000000 \r\n"
                                                   "VSWR circle value:  1.2 \r\n"
                                                   "Sweep start:  .495 \r\n"
                                                   "Sweep stop:  .505 \r\n"
                                                   "Number of points:  11 \r\n");
}

TEST(NetworkFileText, NoStagesOutsideTheEightTopologies) {
    const Session session = test::Entries(0, 1e6f, 50);
    EXPECT_EQ(NetworkFileText(session, kDate), "Plotwin network file\r\n"
                                               "06/12/2024 19:09\r\n"
                                               "\r\n"
                                               "Frequency:  1000000 \r\n"
                                               "System impedance:  50 \r\n"
                                               "\r\n"
                                               "Antenna R:  0 \r\n"
                                               "Antenna X:  0 \r\n"
                                               "\r\n"
                                               "Q circle value:  1000000 \r\n"
                                               "VSWR circle value:  1.2 \r\n"
                                               "Sweep start:  990000 \r\n"
                                               "Sweep stop:  1010000 \r\n"
                                               "Number of points:  11 \r\n");
}

TEST(NetworkFileText, DateLineStaysOneSingleByteLine) {
    Session session;
    session.Topology = 9;
    // A line break, a narrow no-break space, an e acute and a euro sign.
    const std::string text = NetworkFileText(session, "6.12.24\r\n7:09\xE2\x80\xAFPM \xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(text.substr(0, 43), "Plotwin network file\r\n6.12.24  7:09 PM \xE9?\r\n");
}

TEST(NetworkStages, LoadSideFirst) {
    Session session = test::Entries(0, 0, 0, {1, 2, 3, 4, 5, 6});
    using enum ElementCode;
    const struct {
        std::int16_t topology;
        std::array<ElementCode, 3> codes;
        std::array<float, 3> values;
    } kCases[] = {
        {1, {ShuntCapacitor, SeriesInductor, None}, {2, 4, 0}},
        {2, {SeriesInductor, ShuntCapacitor, None}, {5, 1, 0}},
        {3, {SeriesCapacitor, ShuntInductor, None}, {2, 4, 0}},
        {4, {ShuntInductor, SeriesCapacitor, None}, {5, 1, 0}},
        {5, {SeriesInductor, ShuntCapacitor, SeriesInductor}, {6, 2, 4}},
        {6, {SeriesCapacitor, ShuntInductor, SeriesCapacitor}, {3, 5, 1}},
        {7, {ShuntCapacitor, SeriesInductor, ShuntCapacitor}, {3, 5, 1}},
        {8, {ShuntInductor, SeriesCapacitor, ShuntInductor}, {6, 2, 4}},
    };
    for (const auto& c : kCases) {
        session.Topology = c.topology;
        const auto stages = NetworkStages(session);
        ASSERT_EQ(stages.size(), 5u) << c.topology;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(stages[i].code, c.codes[i]) << c.topology << " stage " << i + 1;
            EXPECT_EQ(stages[i].value, c.values[i]) << c.topology << " stage " << i + 1;
        }
        EXPECT_EQ(stages[3].code, None) << c.topology;
        EXPECT_EQ(stages[4].code, None) << c.topology;
    }
    for (const int outside : {0, -1, 9, 32767}) {
        session.Topology = static_cast<std::int16_t>(outside);
        EXPECT_TRUE(NetworkStages(session).empty()) << outside;
    }
}

TEST(BaseName, DropsTheExtensionOnly) {
    const struct {
        const char* name;
        const char* fileName;
        const char* base;
    } kCases[] = {
        {"WindowsFolder", "D:\\work\\net1.txt", "D:\\work\\net1"},
        {"PeriodInWindowsFolder", "C:\\my.files\\net1", "C:\\my.files\\net1"},
        {"PeriodInFolder", "/home/ham/my.files/net1", "/home/ham/my.files/net1"},
        {"PeriodInFolderAndName", "/home/ham/my.files/net1.pwf", "/home/ham/my.files/net1"},
        {"NoExtension", "net1", "net1"},
        {"TrailingPeriod", "net1.", "net1"},
        {"LastPeriodOnly", "net.2024.txt", "net.2024"},
        {"UpperExtension", "/tmp/NET1.PWF", "/tmp/NET1"},
        {"PeriodBeforeSlash", "a.b/c", "a.b/c"},
        {"Empty", "", ""},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(BaseName(c.fileName), c.base) << c.name;
}

TEST(NumberText, HeaderForm) {
    // Seven digits for a float, fifteen for a double.
    EXPECT_EQ(NumberText(0.123456789012345678f), " .1234568 ");
    EXPECT_EQ(NumberText(0.123456789012345678), " .123456789012346 ");
}

TEST(WriteNetworkFile, ChosenNameGetsThePwfExtension) {
    test::WorkingFolder folder;
    const Session session = test::Entries(2, 7e6f, 50);
    const WriteResult result = WriteNetworkFile(session, folder.Path().toStdString() + "/net1.txt", kDate);
    EXPECT_EQ(result.status, WriteResult::Status::Written);
    EXPECT_EQ(result.fileName, folder.Path().toStdString() + "/net1.PWF");
    EXPECT_EQ(test::FileBytes("net1.PWF"), NetworkFileText(session, kDate));
    EXPECT_EQ(folder.Entries(), QStringList{"net1.PWF"});
}

TEST(WriteNetworkFile, PeriodInFolderAndRelativeNames) {
    test::WorkingFolder folder;
    ASSERT_TRUE(QDir().mkdir("my.files"));
    Session session;
    EXPECT_EQ(WriteNetworkFile(session, "my.files/net1", kDate).fileName, "my.files/net1.PWF");
    EXPECT_TRUE(QFile::exists("my.files/net1.PWF"));
    EXPECT_EQ(WriteNetworkFile(session, "net2.", kDate).fileName, "net2.PWF");
    EXPECT_TRUE(QFile::exists("net2.PWF"));
}

TEST(WriteNetworkFile, CancelledDialogWritesNothing) {
    test::WorkingFolder folder;
    Session session;
    const WriteResult result = WriteNetworkFile(session, "", kDate);
    EXPECT_EQ(result.status, WriteResult::Status::Skipped);
    EXPECT_FALSE(result.Failed());
    EXPECT_TRUE(folder.Entries().isEmpty());
}

TEST(WriteNetworkFile, MissingFolderIsReported) {
    test::WorkingFolder folder;
    Session session;
    const WriteResult result = WriteNetworkFile(session, "missing/net1.txt", kDate);
    EXPECT_EQ(result.status, WriteResult::Status::Failed);
    EXPECT_EQ(result.fileName, "missing/net1.PWF");
    EXPECT_EQ(result.message,
              "The Plotwin file missing/net1.PWF could not be written: " + result.reason + ".");
    EXPECT_TRUE(folder.Entries().isEmpty());
}

} // namespace
} // namespace vorelin
