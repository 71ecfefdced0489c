#include "files/band_file.h"
#include "files/kept_band_file.h"

#include "tests/support/folders.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace vorelin {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const std::string kName(kBandFileName);
const std::string kNotRead = std::string(kBandFileNotRead) + " ";
const std::string kRows = "frequency,topology,impedance\r\n14.2M,7,50\r\n0,7,50\r\n";
const BandTable kTable = ReadBandTable(kRows).table;

TEST(BandFile, NoFileIsAnEmptyTable) {
    test::WorkingFolder folder;
    const BandFileRead read = ReadBandFile();
    EXPECT_TRUE(read.Ok());
    EXPECT_TRUE(read.table.rows.empty());
}

TEST(BandFile, WritesAtomicallyAndReadsBack) {
    test::WorkingFolder folder;
    EXPECT_EQ(WriteBandFile(kTable).status, WriteResult::Status::Written);
    EXPECT_EQ(folder.Entries(), Names{kName});
    EXPECT_EQ(test::FileBytes(kName), BandTableText(kTable));
    EXPECT_EQ(ReadBandFile().table, kTable);
}

TEST(BandFile, UnreadableFileGivesItsReason) {
    test::WorkingFolder folder;
    test::PutFile(kName, "frequency,topology\n");
    EXPECT_EQ(ReadBandFile().error, kNotRead + "Line 1 names no impedance column; frequency, topology and "
                                               "impedance are needed.");
    test::PutFile(kName, std::string(kLargestBandFile + 1, '\n'));
    EXPECT_EQ(ReadBandFile().error, kNotRead + "It is larger than 16 MB.");
    ASSERT_TRUE(fs::remove(kName) && fs::create_directory(kName));
    EXPECT_EQ(ReadBandFile().error, kNotRead + "It is not a regular file.");
    EXPECT_EQ(WriteBandFile({}).message, std::string(kBandFileNotWritten) + " It is not a regular file.");
}

// An unreadable file is set aside under the first free backup name; the backups before it stay.
TEST(KeptBandFile, SetsAnUnreadableFileAsideBesideOlderBackups) {
    test::WorkingFolder folder;
    test::PutFile("VORELIN-BAND.BAK", "older");
    test::PutFile(kName, "frequency\n\"unclosed");
    KeptBandFile kept;
    const KeptBandFile::Start start = kept.Open();
    EXPECT_TRUE(start.table.rows.empty());
    EXPECT_TRUE(start.message.ends_with(" It is kept as VORELIN-BAND-2.BAK.")) << start.message;
    EXPECT_EQ(kept.Keep(kTable), "");
    EXPECT_EQ(test::FileBytes("VORELIN-BAND.BAK"), "older");
    EXPECT_EQ(test::FileBytes("VORELIN-BAND-2.BAK"), "frequency\n\"unclosed");
    EXPECT_EQ(test::FileBytes(kName), BandTableText(kTable));
    EXPECT_EQ(KeepBandTableAsBackup({}).name, "VORELIN-BAND-3.BAK");
    EXPECT_EQ(test::FileBytes("VORELIN-BAND.BAK"), "older");
}

// What stands under the name and is no regular file stays as it is, and is never written.
TEST(KeptBandFile, LeavesWhatIsNoRegularFileAlone) {
    const std::function<void()> kSpoilers[] = {
        [] { fs::create_directories(kName + "/inside"); },
        [] { mkfifo(kName.c_str(), 0600); },
        [] { fs::create_symlink("/dev/zero", kName); },
        [] { fs::create_symlink("gone/table.csv", kName); },
        [] { fs::create_symlink(kName, kName); },
    };
    for (const auto& spoil : kSpoilers) {
        test::WorkingFolder folder;
        spoil();
        const auto status = fs::symlink_status(kName).type();
        KeptBandFile kept;
        const KeptBandFile::Start start = kept.Open();
        EXPECT_TRUE(start.message.starts_with(kNotRead + "It is ")) << start.message;
        EXPECT_TRUE(start.message.ends_with("not kept in it (Save table as… keeps it elsewhere)."))
            << start.message;
        EXPECT_EQ(kept.Keep(kTable), "");
        EXPECT_EQ(kept.NotKeptReason(), "it is not a regular file");
        EXPECT_EQ(folder.Entries(), (Names{kName, std::string(kBandLockName)})) << start.message;
        EXPECT_EQ(fs::symlink_status(kName).type(), status);
    }
}

} // namespace
} // namespace vorelin
