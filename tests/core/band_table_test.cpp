#include "core/band_table.h"

#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorelin {
namespace {

using namespace std::string_literals;

// One line per row: "line: cell|...|cell -> field: reason"; or the file's error.
std::string Dump(const BandRead& read) {
    if (!read.Ok()) return "error: " + read.error;
    std::string dump;
    for (const BandRow& row : read.table.rows) {
        dump += std::to_string(row.line) + ":";
        for (std::size_t i = 0; i < row.cells.size(); ++i)
            dump += (i == 0 ? " " : "|") + row.cells[i];
        if (row.problem)
            dump += " -> " + std::string(row.problem->field) + ": " + std::string(row.problem->message);
        dump += "\n";
    }
    return dump;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    std::string dump;
};

void ExpectDumps(const std::vector<ReadCase>& cases) {
    for (const ReadCase& c : cases)
        EXPECT_EQ(Dump(ReadBandTable(c.bytes)), c.dump) << c.name;
}

const std::string kHeader = "frequency,topology,impedance,c1,c2,c3,l1,l2,l3,note\n";
const std::string kColumns = "frequency, topology, impedance, c1, c2, c3, l1, l2, l3 and note";

TEST(BandTable, ReadsRowsAsTyped) {
    ExpectDumps({
        {"BomCommaCrLf",
         "\xEF\xBB\xBF"
         "frequency,topology,impedance,c1,c2,c3,l1,l2,l3,note\r\n"
         "14.2M,7,50,150p,,300p,,2.2u,,40 m\r\n",
         "2: 14.2M|7|50|150p||300p||2.2u||40 m\n"},
        {"SemicolonLoneCrShortRow", "frequency; topology ;impedance\r7.1M;1;50\r3.6M\r",
         "2: 7.1M|1|50|||||||\n3: 3.6M||||||||| -> Topology: " + std::string(kBadTopology) + "\n"},
        {"TabAnyCaseAnyOrder",
         "\n \t\nNote\tIMPEDANCE\tTopology\tFrequency\tL1\tC2\nhome\t50\t 3.0 \t3.5M\t1u\t200p\n",
         "4: 3.5M| 3.0 |50||200p||1u|||home\n"},
        {"QuotesAndSkippedLines",
         "frequency,topology,impedance,note\n\n,,,\n14.2M,7,50,\"a, \"\"b\"\"\nc\"\n"
         "21.2M,7,50, \"x\" \n",
         "4: 14.2M|7|50|||||||a, \"b\"\nc\n6: 21.2M|7|50|||||||x\n"},
        {"NoLines", "\xEF\xBB\xBF\r\n  \n", ""},
    });
}

TEST(BandTable, KeepsFailingRowsWithTheirReason) {
    const std::string shuntL = "Shunt inductor must have a positive value";
    const std::string seriesC = "Series capacitor must have a positive value";
    ExpectDumps({{"EachCheck",
                  "frequency;topology;impedance;c1;l1\n14M;9;50\n14M;7.5;50\n14M;7x;50\n14,2M;7;50\n"
                  "14M;3;50;;\n14M;4;50;;1u\n0;1;50\n14M;1;-50\n",
                  "2: 14M|9|50||||||| -> Topology: " + std::string(kBadTopology) +
                      "\n3: 14M|7.5|50||||||| -> Topology: " + std::string(kBadTopology) +
                      "\n4: 14M|7x|50||||||| -> Topology: " + std::string(kBadTopology) +
                      "\n5: 14,2M|7|50||||||| -> Frequency: " + std::string(kDecimalComma) +
                      "\n6: 14M|3|50||||||| -> L1: " + shuntL + "\n7: 14M|4|50||||1u||| -> C1: " + seriesC +
                      "\n8: 0|1|50||||||| -> Frequency: Frequency must be a positive value"
                      "\n9: 14M|1|-50||||||| -> Impedance: System impedance must be a positive value\n"}});
}

TEST(BandTable, ReadsValuesWithTheEntriesParser) {
    const BandRead read = ReadBandTable(kHeader + "14.2M,7,50,150p,,300p,,2.2u,,\n");
    ASSERT_EQ(read.table.rows.size(), 1u);
    const Entries expected{
        .Frequency = 14.2e6f, .Impedance = 50, .C1 = 150e-12f, .C3 = 300e-12f, .L2 = 2.2e-6f, .Topology = 7};
    EXPECT_EQ(read.table.rows[0].entries, expected);
}

TEST(BandTable, RefusesMalformedFilesWithAMessage) {
    std::string manyRows = kHeader;
    for (int i = 0; i < 100000; ++i)
        manyRows += "14M,7,50\n";
    ExpectDumps({
        {"ControlByte", kHeader + "14M,7,5\0"s,
         "error: Line 2 holds the control byte 0x00: this is not a text table."},
        {"HundredMegabyteLine", kHeader + std::string(100'000'000, '7'),
         "error: Line 2 has a cell of more than 1000 bytes."},
        {"HundredThousandRows", manyRows,
         "error: Line 10002 is row 10001: a band table holds at most 10000 rows."},
        {"UnclosedQuote", kHeader + "14M,7,\"50\n\n",
         "error: Line 2 opens a quoted cell that is never closed."},
        {"TextAfterQuote", kHeader + "14M,7,\"50\"x\n",
         "error: Line 2 has text after the closing quote of a cell."},
        {"LongRow", "frequency,topology,impedance\n14M,7,50,\n",
         "error: Line 2 has more cells than the 3 columns of the header on line 1."},
        {"NoHeader", "14.2M,7,50\n", "error: Line 1 must name the columns: " + kColumns + "."},
        {"UnknownColumn", "frequency,topology,impedance,swr\n",
         "error: Line 1 names an unknown column \"swr\"; the columns are " + kColumns + "."},
        {"NamelessColumn", "frequency,,topology\n", "error: Line 1 has a column without a name (column 2)."},
        {"TwiceNamed", "frequency,topology,impedance,C1,c1\n",
         "error: Line 1 names the column \"c1\" twice."},
        {"RequiredMissing", "frequency,topology,c1\n",
         "error: Line 1 names no impedance column; frequency, topology and impedance are needed."},
        {"WideHeader", "frequency,topology,impedance,c1,c2,c3,l1,l2,l3,note,x\n",
         "error: Line 1 names more than the 10 columns of a band table."},
        {"Utf16WithMark",
         "\xFF\xFE"
         "f\0r\0"s,
         "error: This is UTF-16 text: save it as UTF-8."},
        {"Utf16BigEndian", "\0f\0r"s, "error: This is UTF-16 text: save it as UTF-8."},
        {"Utf32", "\xFF\xFE\0\0f\0\0\0"s, "error: This is UTF-32 text: save it as UTF-8."},
        {"SecondMark", "\xEF\xBB\xBF\xEF\xBB\xBF" + kHeader,
         "error: Line 1 holds a second byte-order mark (U+FEFF), as text joined from two files does: remove "
         "it and save the text as UTF-8."},
        {"JoinedFiles", kHeader + "14M,7,50\r\n\xEF\xBB\xBF" + kHeader,
         "error: Line 3 holds a second byte-order mark (U+FEFF), as text joined from two files does: remove "
         "it and save the text as UTF-8."},
    });
}

BandTable WithoutLines(BandTable table) {
    for (BandRow& row : table.rows)
        row.line = 0;
    return table;
}

TEST(BandTable, WritesWhatItReadsBackToTheSameRows) {
    const BandRead read = ReadBandTable(test::ReadTestFile("core/golden/band_table.csv"));
    ASSERT_TRUE(read.Ok()) << read.error;
    const std::string text = BandTableText(read.table);
    EXPECT_EQ(test::GoldenMismatch("core/golden/band_table_written.csv", text), "");
    EXPECT_EQ(WithoutLines(ReadBandTable(text).table), WithoutLines(read.table));
}

TEST(BandTable, WritesControlBytesAsBlanks) {
    BandCells cells;
    cells[0] = "14M\x01";
    EXPECT_EQ(BandTableText({{BandRowFromCells(cells)}}),
              kHeader.substr(0, kHeader.size() - 1) + "\r\n14M ,,,,,,,,,\r\n");
}

TEST(BandTable, NewRowHoldsTheEntriesAsThePageShowsThem) {
    const Entries entries{.Frequency = 14.2e6f,
                          .Impedance = 50,
                          .C1 = 150e-12f,
                          .C3 = 300e-12f,
                          .L1 = 1e-6f,
                          .L2 = 2.2e-6f,
                          .Topology = 7};
    const BandRow row = BandRowFromEntries(entries);
    EXPECT_EQ(row.cells, (BandCells{"14.2M", "7", "50", "150 pF", "", "300 pF", "", "2.2 uH", "", ""}));
    EXPECT_FALSE(row.problem.has_value());
    // A frequency the page's three decimals would round keeps its own value.
    for (const float frequency : {14.0002e6f, 10.123457e6f, 7.0000005e6f, 1234.5f}) {
        const Entries between{.Frequency = frequency, .Impedance = 50.25f, .L1 = 1e-6f, .Topology = 3};
        EXPECT_EQ(BandRowFromEntries(between).entries.Frequency, frequency)
            << BandRowFromEntries(between).cells[0];
        EXPECT_EQ(BandRowFromEntries(between).entries.Impedance, 50.25f);
    }
}

} // namespace
} // namespace vorelin
