#include "files/last_session_file.h"

#include "tests/core/float_bits.h"
#include "tests/files/file_test_support.h"
#include "tests/support/sessions.h"

#include <QDir>

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace vorelin {
namespace {

using namespace std::string_literals;
using test::Bits;
using enum LastSessionRead;

// The nine values a read can touch, in file order.
struct Nine {
    float frequency, impedance;
    std::int16_t topology;
    std::array<float, 6> parts; // C1, C2, C3, L1, L2, L3
};

Nine Taken(const Session& s) {
    return {s.SavedFrequency, s.SavedImpedance, s.SavedTopology, {s.C1, s.C2, s.C3, s.L1, s.L2, s.L3}};
}

// What a session holds before a read, so that values the read leaves alone show.
constexpr std::array<float, 6> kKept{-1, -2, -3, -4, -5, -6};
constexpr Nine kBefore{0, 0, 0, kKept};

Session SessionWith(const Nine& nine) {
    Session s;
    s.SavedFrequency = nine.frequency;
    s.SavedImpedance = nine.impedance;
    s.SavedTopology = nine.topology;
    s.C1 = nine.parts[0];
    s.C2 = nine.parts[1];
    s.C3 = nine.parts[2];
    s.L1 = nine.parts[3];
    s.L2 = nine.parts[4];
    s.L3 = nine.parts[5];
    return s;
}

void ExpectNine(const Session& session, const Nine& expected, const std::string& name) {
    const Nine got = Taken(session);
    EXPECT_EQ(Bits(got.frequency), Bits(expected.frequency)) << name << ": frequency";
    EXPECT_EQ(Bits(got.impedance), Bits(expected.impedance)) << name << ": impedance";
    EXPECT_EQ(got.topology, expected.topology) << name << ": topology";
    for (std::size_t i = 0; i < got.parts.size(); ++i)
        EXPECT_EQ(Bits(got.parts[i]), Bits(expected.parts[i])) << name << ": part " << i;
}

constexpr Nine kFallbacksOnly{4000000, 50, 1, kKept};

const std::string kTypicalFile(test::kTypicalLastSessionFile);

std::string FirstLines(const std::string& text, int count) {
    std::size_t end = 0;
    for (int i = 0; i < count; ++i)
        end = text.find("\r\n", end) + 2;
    return text.substr(0, end);
}

constexpr Nine kTypical{14.2e6f, 50, 7, {150e-12f, 0, 300e-12f, 0, 2.2e-6f, 0}};

TEST(ReadLastSessionFrom, NextValueStep) {
    const struct {
        const char* name;
        std::string bytes;
        LastSessionRead result;
        Nine values;
    } kCases[] = {
        {"AsWritten", kTypicalFile, Complete, kTypical},
        {"LineFeedsOnly", "1\n2\n3\n4\n5\n6\n7\n8\n9\n", Complete, {1, 2, 3, {4, 5, 6, 7, 8, 9}}},
        {"CarriageReturnsOnly", "1\r2\r3\r4\r5\r6\r7\r8\r9", Complete, {1, 2, 3, {4, 5, 6, 7, 8, 9}}},
        {"MixedLineEnds", "1\r\n2\n3\r4\n\r5\r\n6\n7\r8\r\n9", Complete, {1, 2, 3, {4, 5, 6, 7, 8, 9}}},
        {"CommentsAndEmptyLinesAnywhere",
         "*\r\n1\r\n\r\n\r\n* a: 99\r\n2\r\n*x\r\n3\r\n4\r\n5\r\n\r\n6\r\n7\r\n8\r\n9\r\n",
         Complete,
         {1, 2, 3, {4, 5, 6, 7, 8, 9}}},
        {"FirstFiveLines", FirstLines(kTypicalFile, 5), Short, {14.2e6f, 50, 7, kKept}},
        {"EmptyFile", "", Short, kBefore},
        {"OnlyComments", "* one\r\n*two\r\n\r\n", Short, kBefore},
        {"BlankLineCountsAsZero", "1\r\n   \r\n3\r\n", Short, {1, 0, 3, kKept}},
        {"BlankBeforeStarIsNoComment", "1\r\n *2\r\n3\r\n", Short, {1, 0, 3, kKept}},
        {"LabelsNeverChecked",
         "L3: 1\r\nC2: 2\r\nL1: 3\r\nL3: 4\r\n",
         Short,
         {1, 2, 3, {4, -2, -3, -4, -5, -6}}},
        {"FirstColonCounts", "a: b: 5\r\nx:7:8\r\n", Short, {0, 7, 0, kKept}},
        {"NoColonWholeLine", " 1.4E+07 \r\n50 ohms\r\n", Short, {14e6f, 50, 0, kKept}},
        {"ColonOnly", ":\r\n:\t-.25\r\n", Short, {0, -0.25f, 0, kKept}},
        {"LongestPrefix",
         "1.5abc\r\n2.5e3x\r\n3e\r\n1.2.3\r\n",
         Short,
         {1.5f, 2500, 3, {1.2f, -2, -3, -4, -5, -6}}},
        {"DecimalCommaReadsUpToComma", "14,2\r\n", Short, {14, 0, 0, kKept}},
        {"NegativeKept",
         "-4E+06\r\n-50\r\n-3\r\n-1E-10\r\n",
         Short,
         {-4e6f, -50, -3, {-1e-10f, -2, -3, -4, -5, -6}}},
        {"WordsReadAsZero", "nan\r\ninf\r\n-infinity\r\nNaN\r\n", Short, {0, 0, 0, {0, -2, -3, -4, -5, -6}}},
        {"TopologyHalvesToEven", "1\r\n2\r\n2.5\r\n", Short, {1, 2, 2, kKept}},
        {"TopologyHalfUpToEven", "1\r\n2\r\n3.5\r\n", Short, {1, 2, 4, kKept}},
        {"TopologyNegativeHalf", "1\r\n2\r\n-2.5\r\n", Short, {1, 2, -2, kKept}},
        {"TopologyNoRangeCheck", "1\r\n2\r\n9\r\n", Short, {1, 2, 9, kKept}},
        {"TopologyLargestInt16", "1\r\n2\r\n32767.4\r\n", Short, {1, 2, 32767, kKept}},
        {"TopologySmallestInt16", "1\r\n2\r\n-32768.5\r\n", Short, {1, 2, -32768, kKept}},
        {"TopologyBeyondInt16", "1\r\n2\r\n32767.5\r\n4\r\n", Failed, kFallbacksOnly},
        {"TopologyHuge", "1\r\n2\r\n1e30\r\n4\r\n", Failed, kFallbacksOnly},
        {"TopologyBeyondDouble", "1\r\n2\r\n-1e999\r\n", Failed, kFallbacksOnly},
        {"FrequencyBeyondFloat", "1e39\r\n2\r\n3\r\n4\r\n", Failed, kFallbacksOnly},
        {"PartBeyondFloatKeepsEarlierParts",
         "1\r\n2\r\n3\r\n4\r\n-1e39\r\n6\r\n",
         Failed,
         {4000000, 50, 1, {4, -2, -3, -4, -5, -6}}},
        {"TinyIsZero", "1e-50\r\n", Short, {0, 0, 0, kKept}},
        {"NulBytes", "\0\r\n1\0\r\n:\0 2\r\n"s, Short, {0, 1, 0, kKept}},
        {"Binary", "\xff\xfe\x01:\x80 7\r\n\x1a", Short, {0, 0, 0, kKept}},
        {"AfterNinthIgnored", kTypicalFile + "99\r\n1e999\r\n", Complete, kTypical},
    };
    for (const auto& c : kCases) {
        Session session = SessionWith(kBefore);
        EXPECT_EQ(ReadLastSessionFrom(c.bytes, session), c.result) << c.name;
        ExpectNine(session, c.values, c.name);
    }
}

TEST(ReadLastSessionFrom, OneHundredMegabyteLine) {
    std::string bytes = "Operating frequency: 1" + std::string(100'000'000, '0') + "e-99999994\r\n50\r\n";
    Session session = SessionWith(kBefore);
    EXPECT_EQ(ReadLastSessionFrom(bytes, session), Short);
    ExpectNine(session, {1e6f, 50, 0, kKept}, "long line");
}

TEST(LastSessionFileText, ThirteenLines) {
    Session session = test::TypicalExample();
    EXPECT_EQ(LastSessionFileText(session), kTypicalFile);

    // Negative, below one, exponent forms and a part the topology does not use.
    session.Frequency = 0.5f;
    session.Impedance = 1234567;
    session.Topology = -3;
    session.C1 = 4.7e-11f;
    session.C2 = -3e-10f;
    session.C3 = 0.0001f;
    session.L1 = 0.5f;
    session.L2 = -0.25f;
    session.L3 = 1e10f;
    EXPECT_EQ(LastSessionFileText(session), "* Vorelin last-session file\r\n"
                                            "\r\n"
                                            "Operating frequency:  0.5 \r\n"
                                            "System impedance:  1234567 \r\n"
                                            "Network topology: -3 \r\n"
                                            "\r\n"
                                            "C1:  4.7E-11 \r\n"
                                            "C2: -3E-10 \r\n"
                                            "C3:  0.0001 \r\n"
                                            "L1:  0.5 \r\n"
                                            "L2: -0.25 \r\n"
                                            "L3:  1E+10 \r\n"
                                            "\r\n");
}

TEST(LastSessionFile, MissingFileGivesFallbacks) {
    test::WorkingFolder folder;
    Session session = SessionWith(kBefore);
    EXPECT_EQ(ReadLastSession(session), Failed);
    ExpectNine(session, kFallbacksOnly, "missing");
    EXPECT_TRUE(folder.Entries().isEmpty());
}

TEST(LastSessionFile, WrittenEntriesComeBack) {
    test::WorkingFolder folder;
    test::PutFile("VORELIN.DAT", "an older and much longer file\r\n" + std::string(500, 'x'));
    // C1 is not used by topology 5, and written all the same.
    Session session = test::Entries(5, 3.5e6f, 75, {12e-12f, 470e-12f, 0, 1.8e-6f, 0, 2.7e-6f});
    const WriteResult result = WriteLastSession(session);
    EXPECT_EQ(result.status, WriteResult::Status::Written);
    EXPECT_EQ(result.fileName, "VORELIN.DAT");
    EXPECT_EQ(session.FileName, "VORELIN.DAT");
    EXPECT_EQ(test::FileBytes("VORELIN.DAT"), LastSessionFileText(session));
    EXPECT_EQ(folder.Entries(), QStringList{"VORELIN.DAT"});

    Session next;
    EXPECT_EQ(ReadLastSession(next), Complete);
    ExpectNine(next, {3.5e6f, 75, 5, {12e-12f, 470e-12f, 0, 1.8e-6f, 0, 2.7e-6f}}, "read back");
}

TEST(LastSessionFile, FailedWriteKeepsTheOldFileAndSaysSo) {
    test::WorkingFolder folder;
    test::PutFile("VORELIN.DAT", kTypicalFile);
    Session session;
    session.Frequency = 7e6f;
    WriteResult result;
    {
        const test::FileSizeLimit fullDisk(40); // fails after a few lines
        result = WriteLastSession(session);
    }
    EXPECT_EQ(result.status, WriteResult::Status::Failed);
    EXPECT_EQ(result.message, "The last-session file (VORELIN.DAT) was not written correctly.");
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(test::FileBytes("VORELIN.DAT"), kTypicalFile);
    EXPECT_EQ(folder.Entries(), QStringList{"VORELIN.DAT"});
}

TEST(LastSessionFile, VanishedWorkingFolderFails) {
    test::WorkingFolder folder;
    ASSERT_TRUE(QDir().mkdir("gone"));
    ASSERT_TRUE(QDir::setCurrent("gone"));
    ASSERT_TRUE(QDir(folder.Path()).rmdir("gone"));
    Session session;
    EXPECT_EQ(WriteLastSession(session).status, WriteResult::Status::Failed);
    EXPECT_EQ(ReadLastSession(session), Failed);
}

TEST(LastSessionFile, TooLargeFileGivesFallbacks) {
    test::WorkingFolder folder;
    test::PutFile("VORELIN.DAT", kTypicalFile + std::string(kLargestReadableFile, '*'));
    Session session = SessionWith(kBefore);
    EXPECT_EQ(ReadLastSession(session), Failed);
    ExpectNine(session, kFallbacksOnly, "too large");
}

} // namespace
} // namespace vorelin
