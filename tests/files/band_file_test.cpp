#include "files/band_file.h"

#include "tests/support/folders.h"

#include <QDir>

#include <gtest/gtest.h>

#include <string>

namespace vorelin {
namespace {

const std::string kName(kBandFileName);
const std::string kNotRead = std::string(kBandFileNotRead) + " ";

TEST(BandFile, NoFileIsAnEmptyTable) {
    test::WorkingFolder folder;
    const BandRead read = ReadBandFile();
    EXPECT_TRUE(read.Ok());
    EXPECT_TRUE(read.table.rows.empty());
}

TEST(BandFile, WritesAtomicallyAndReadsBack) {
    test::WorkingFolder folder;
    const BandTable table = ReadBandTable("frequency,topology,impedance\r\n14.2M,7,50\r\n0,7,50\r\n").table;
    EXPECT_EQ(WriteBandFile(table).status, WriteResult::Status::Written);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{kName});
    EXPECT_EQ(test::FileBytes(kName), BandTableText(table));
    EXPECT_EQ(ReadBandFile().table, table);
}

TEST(BandFile, UnreadableFileGivesItsReason) {
    test::WorkingFolder folder;
    test::PutFile(kName, "frequency,topology\n");
    EXPECT_EQ(ReadBandFile().error, kNotRead + "Line 1 names no impedance column; frequency, topology and "
                                               "impedance are needed.");
    test::PutFile(kName, std::string(kLargestBandFile + 1, '\n'));
    EXPECT_EQ(ReadBandFile().error, kNotRead + "It is larger than 16 MB.");
    ASSERT_TRUE(std::filesystem::remove(kName) && std::filesystem::create_directory(kName));
    EXPECT_EQ(ReadBandFile().error, kNotRead + "It cannot be read: not a regular file.");
}

TEST(BandFile, FailedWriteSaysWhichFile) {
    test::WorkingFolder folder;
    ASSERT_TRUE(std::filesystem::create_directory(kName));
    EXPECT_EQ(WriteBandFile({}).message, kBandFileNotWritten);
}

} // namespace
} // namespace vorelin
