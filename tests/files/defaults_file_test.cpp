#include "files/defaults_file.h"

#include "files/start_up.h"
#include "tests/core/float_bits.h"
#include "tests/files/file_test_support.h"

#include <QDir>

#include <gtest/gtest.h>

#include <bit>
#include <string>

namespace vorelin {
namespace {

using namespace std::string_literals;

using test::Bits;

struct Values {
    float aspectRatio, value2, value3;
};

// Values a session holds before a read, so that a read that keeps nothing of the file shows.
Session Earlier() {
    Session session;
    session.AspectRatio = 1.3f;
    session.DefaultsValue2 = 7;
    session.DefaultsValue3 = 8;
    return session;
}

void ExpectValues(const Session& session, Values expected, const std::string& name) {
    EXPECT_EQ(Bits(session.AspectRatio), Bits(expected.aspectRatio)) << name;
    EXPECT_EQ(Bits(session.DefaultsValue2), Bits(expected.value2)) << name;
    EXPECT_EQ(Bits(session.DefaultsValue3), Bits(expected.value3)) << name;
}

constexpr Values kDefaults{0.75f, 1000, 200};

TEST(ReadDefaultsFrom, FieldRules) {
    const struct {
        const char* name;
        std::string bytes;
        DefaultsRead result;
        Values values;
    } kCases[] = {
        {"AsWritten", "0.9\r\n500\r\n300\r\n", DefaultsRead::FromFile, {0.9f, 500, 300}},
        {"NoZeroBeforePeriod", ".75\r\n1000\r\n200\r\n", DefaultsRead::FromFile, {0.75f, 1000, 200}},
        {"OneLineWithCommas", "0.9,500,300", DefaultsRead::FromFile, {0.9f, 500, 300}},
        {"OneLineWithBlanks", "0.9 500 300", DefaultsRead::FromFile, {0.9f, 500, 300}},
        {"BlanksAroundCommas", "  0.9 , 500 ,\t300  ", DefaultsRead::FromFile, {0.9f, 500, 300}},
        {"LineFeedsOnly", "1.2\n1000\n200\n", DefaultsRead::FromFile, {1.2f, 1000, 200}},
        {"CarriageReturnsOnly", "1.2\r1000\r200\r", DefaultsRead::FromFile, {1.2f, 1000, 200}},
        {"NoLastLineEnd", "1.2\r\n1000\r\n200", DefaultsRead::FromFile, {1.2f, 1000, 200}},
        {"EmptyLinesBetween", "\r\n1.2\r\n\r\n1000\r\n200\r\n", DefaultsRead::FromFile, {1.2f, 1000, 200}},
        {"FourthLineIgnored", "1.2\r\n1000\r\n200\r\n42\r\n", DefaultsRead::FromFile, {1.2f, 1000, 200}},
        {"AnythingAfterThirdIgnored", "1,2,3,garbage\0\xff"s, DefaultsRead::FromFile, {1, 2, 3}},
        {"TextAfterThirdOnItsLine", "1\r\n2\r\n3 ohms", DefaultsRead::FromFile, {1, 2, 3}},
        {"NoRangeChecked", "-0.5,1E+10,4.7E-11", DefaultsRead::FromFile, {-0.5f, 1e10f, 4.7e-11f}},
        {"PlusSign", "+1.5,+2,+3", DefaultsRead::FromFile, {1.5f, 2, 3}},
        {"RoundedToFloat", "0.1,1e-50,1", DefaultsRead::FromFile, {0.1f, 0, 1}},
        {"DecimalCommaSplitsTheField", "0,75\r\n1000\r\n200\r\n", DefaultsRead::FromFile, {0, 75, 1000}},
        {"Empty", "", DefaultsRead::Defaults, kDefaults},
        {"TwoLinesOnly", "0.9\r\n500\r\n", DefaultsRead::Defaults, kDefaults},
        {"OnlyBlanksAndLineEnds", " \r\n\t\n\r", DefaultsRead::Defaults, kDefaults},
        {"Word", "abc\r\n1\r\n2\r\n", DefaultsRead::Defaults, kDefaults},
        {"NumberWithText", "0.9x\r\n1\r\n2\r\n", DefaultsRead::Defaults, kDefaults},

        {"EmptyFirstField", ",1,2,3", DefaultsRead::Defaults, kDefaults},
        {"EmptyMiddleField", "1,,2,3", DefaultsRead::Defaults, kDefaults},
        {"BadThirdField", "1\r\n2\r\nthree\r\n", DefaultsRead::Defaults, kDefaults},
        {"NotANumber", "nan,1,2", DefaultsRead::Defaults, kDefaults},
        {"Infinity", "1,inf,2", DefaultsRead::Defaults, kDefaults},
        {"BeyondFloat", "1,2,1e39", DefaultsRead::Defaults, kDefaults},
        {"BeyondDouble", "1e999,2,3", DefaultsRead::Defaults, kDefaults},
        {"NulInField", "0.9\0\r\n1\r\n2\r\n"s, DefaultsRead::Defaults, kDefaults},
        {"Binary", "\x01\x02\xfe\xff", DefaultsRead::Defaults, kDefaults},
    };
    for (const auto& c : kCases) {
        Session session = Earlier();
        EXPECT_EQ(ReadDefaultsFrom(c.bytes, session), c.result) << c.name;
        ExpectValues(session, c.values, c.name);
    }
}

TEST(ReadDefaultsFrom, OneHundredMegabyteLine) {
    std::string bytes(100'000'000, '7');
    bytes[1] = '.';
    Session session = Earlier();
    EXPECT_EQ(ReadDefaultsFrom(bytes, session), DefaultsRead::Defaults); // a single field, then the end
    ExpectValues(session, kDefaults, "long line");
}

TEST(DefaultsFileText, ThreePlainNumbers) {
    Session session;
    session.AspectRatio = 0.75f;
    session.DefaultsValue2 = 1000;
    session.DefaultsValue3 = 200;
    EXPECT_EQ(DefaultsFileText(session), "0.75\r\n1000\r\n200\r\n");
    session.AspectRatio = 1.2f;
    session.DefaultsValue2 = -0.5f;
    session.DefaultsValue3 = 1.4e7f;
    EXPECT_EQ(DefaultsFileText(session), "1.2\r\n-0.5\r\n1.4E+07\r\n");
}

TEST(DefaultsFile, StartUpReadsTheFileOrKeepsTheDefaultsWithoutCreatingIt) {
    test::WorkingFolder folder;
    Session session;
    InitProgram(session);
    ExpectValues(session, kDefaults, "start-up");
    EXPECT_EQ(std::bit_cast<std::uint64_t>(session.Pi), std::bit_cast<std::uint64_t>(3.141592653589793));
    EXPECT_EQ(session.ProgramName, "Vorelin");
    EXPECT_EQ(session.VersionText, "Version 2.03");
    EXPECT_TRUE(folder.Entries().isEmpty());

    test::PutFile("Defaults.TXT", "0.9,500,300");
    InitProgram(session);
    ExpectValues(session, {0.9f, 500, 300}, "start-up with the file");
}

TEST(DefaultsFile, WriteReplacesTheFileWithThreeLines) {
    test::WorkingFolder folder;
    test::PutFile("Defaults.TXT", "0.9\r\n500\r\n300\r\n4th line\r\n");
    Session session;
    ReadDefaults(session);
    session.AspectRatio = 1.2f;
    const WriteResult result = WriteDefaults(session);
    EXPECT_EQ(result.status, WriteResult::Status::Written);
    EXPECT_EQ(result.fileName, "Defaults.TXT");
    EXPECT_EQ(test::FileBytes("Defaults.TXT"), "1.2\r\n500\r\n300\r\n");
    EXPECT_EQ(folder.Entries(), QStringList{"Defaults.TXT"});

    Session again;
    EXPECT_EQ(ReadDefaults(again), DefaultsRead::FromFile);
    ExpectValues(again, {1.2f, 500, 300}, "read back");
}

TEST(DefaultsFile, UnreadableFilesGiveDefaults) {
    test::WorkingFolder folder;
    Session session = Earlier();
    ASSERT_TRUE(QDir().mkdir("Defaults.TXT")); // a folder of that name
    EXPECT_EQ(ReadDefaults(session), DefaultsRead::Defaults);
    ExpectValues(session, kDefaults, "folder");
    ASSERT_TRUE(QDir().rmdir("Defaults.TXT"));

    // Far larger than any defaults file: not read at all.
    std::string huge(kLargestReadableFile + 1, '0');
    huge.replace(0, 12, "0.9,500,300,");
    test::PutFile("Defaults.TXT", huge);
    session = Earlier();
    EXPECT_EQ(ReadDefaults(session), DefaultsRead::Defaults);
    ExpectValues(session, kDefaults, "too large");
}

TEST(DefaultsFile, FailedWriteKeepsTheOldFileAndSaysSo) {
    test::WorkingFolder folder;
    test::PutFile("Defaults.TXT", "0.9\r\n500\r\n300\r\n");
    Session session;
    session.AspectRatio = 1.25f;
    session.DefaultsValue2 = 123456;
    session.DefaultsValue3 = 654321;
    WriteResult result;
    {
        const test::FileSizeLimit fullDisk(8);
        result = WriteDefaults(session);
    }
    EXPECT_EQ(result.status, WriteResult::Status::Failed);
    EXPECT_EQ(result.fileName, "Defaults.TXT");
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(result.message, "The defaults file (Defaults.TXT) could not be written: " + result.reason +
                                  ". The aspect ratio is kept until Vorelin ends.");
    EXPECT_EQ(test::FileBytes("Defaults.TXT"), "0.9\r\n500\r\n300\r\n");
    EXPECT_EQ(folder.Entries(), QStringList{"Defaults.TXT"}); // no temporary file left behind
}

} // namespace
} // namespace vorelin
