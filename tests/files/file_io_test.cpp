// The files on a real disk: whole or not at all, with failures injected (a full disk through
// RLIMIT_FSIZE, a read-only or vanished folder) and files that cannot be read.
#include "files/defaults_file.h"
#include "files/last_session_file.h"
#include "files/network_file.h"
#include "files/start_up.h"
#include "tests/support/entries.h"
#include "tests/support/folders.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace vorelin {
namespace {

namespace fs = std::filesystem;
using test::FileBytes;
using test::PutFile;
using Names = std::vector<std::string>;

constexpr const char* kDate = "06/12/2024 19:09";
const Settings kSettings{1.25f, 123456, 654321};
const Load kLoad{2.5f, -1};

// Each file the program writes: its name, its writer on fixed values, the bytes it must write and
// the message of a failure for the system's reason.
struct Writer {
    std::string fileName;
    std::function<WriteResult()> write;
    std::string bytes;
    std::function<std::string(const std::string&)> message;
};

std::vector<Writer> Writers() {
    const Entries e = test::TypicalExample();
    return {
        {"Defaults.TXT", [] { return WriteDefaults(kSettings); }, DefaultsFileText(kSettings),
         [](const std::string& reason) {
             return "The defaults file (Defaults.TXT) could not be written: " + reason +
                    ". The aspect ratio is kept until Vorelin ends.";
         }},
        {"VORELIN.DAT", [e] { return WriteLastSession(e); }, LastSessionFileText(e),
         [](const std::string& reason) {
             return "The last-session file (VORELIN.DAT) was not written correctly. " + reason + ".";
         }},
        {"net1.PWF", [e] { return WriteNetworkFile(e, kLoad, "net1.txt", kDate); },
         NetworkFileText(e, kLoad, kDate),
         [](const std::string& reason) {
             return "The Plotwin file net1.PWF could not be written: " + reason + ".";
         }},
    };
}

constexpr std::string_view kOld = "an older and much longer file\r\n";
constexpr std::size_t kMebibyte = std::size_t{1} << 20; // the largest file the program reads

TEST(Writers, ReplaceTheWholeFile) {
    for (const Writer& writer : Writers()) {
        const test::WorkingFolder folder;
        PutFile(writer.fileName, std::string(kOld) + std::string(2000, 'x'));
        const WriteResult result = writer.write();
        EXPECT_EQ(result.status, WriteResult::Status::Written) << writer.fileName;
        EXPECT_EQ(result.fileName, writer.fileName);
        EXPECT_EQ(FileBytes(writer.fileName), writer.bytes);
        EXPECT_EQ(folder.Entries(), Names{writer.fileName});
    }
}

// A failed write leaves the old file as it was, no temporary file, and a message for the user.
void ExpectFailureKeepsTheOldFile(const std::function<void()>& spoil, const std::function<void()>& repair,
                                  const std::string& reason) {
    for (const Writer& writer : Writers()) {
        const test::WorkingFolder folder;
        PutFile(writer.fileName, kOld);
        spoil();
        const WriteResult result = writer.write();
        repair();
        EXPECT_EQ(result.status, WriteResult::Status::Failed) << writer.fileName;
        EXPECT_EQ(result.reason, reason) << writer.fileName;
        EXPECT_EQ(result.message, writer.message(result.reason));
        EXPECT_EQ(FileBytes(writer.fileName), kOld);
        EXPECT_EQ(folder.Entries(), Names{writer.fileName});
    }
}

TEST(Writers, FullDiskKeepsTheOldFile) {
    std::optional<test::FileSizeLimit> fullDisk;
    ExpectFailureKeepsTheOldFile([&] { fullDisk.emplace(8); }, [&] { fullDisk.reset(); }, "File too large");
}

TEST(Writers, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; the full-disk test covers this";
    ExpectFailureKeepsTheOldFile([] { chmod(".", 0555); }, [] { chmod(".", 0755); }, "Permission denied");
}

TEST(Writers, VanishedWorkingFolderFails) {
    for (const Writer& writer : Writers()) {
        const test::WorkingFolder folder;
        fs::create_directory("gone");
        fs::current_path("gone");
        fs::remove(folder.Path() / "gone");
        EXPECT_EQ(writer.write().status, WriteResult::Status::Failed) << writer.fileName;
    }
}

TEST(Writers, NetworkFileNames) {
    const test::WorkingFolder folder;
    fs::create_directory("my.files");
    const Entries e = test::TypicalExample(2);
    EXPECT_EQ(WriteNetworkFile(e, kLoad, folder / "net1.txt", kDate).fileName, folder / "net1.PWF");
    EXPECT_EQ(WriteNetworkFile(e, kLoad, "my.files/net1", kDate).fileName, "my.files/net1.PWF");
    EXPECT_EQ(WriteNetworkFile(e, kLoad, "net2.", kDate).fileName, "net2.PWF");
    EXPECT_EQ(WriteNetworkFile(e, kLoad, "", kDate).status,
              WriteResult::Status::Skipped); // a cancelled dialog
    EXPECT_EQ(folder.Entries(), (Names{"my.files", "net1.PWF", "net2.PWF"}));
    EXPECT_TRUE(fs::exists("my.files/net1.PWF"));
}

TEST(Readers, WrittenValuesComeBack) {
    const test::WorkingFolder folder;
    const Entries written = test::MakeEntries(5, 3.5e6f, 75, {12e-12f, 470e-12f, 0, 1.8e-6f, 0, 2.7e-6f});
    ASSERT_FALSE(WriteDefaults(kSettings).Failed());
    ASSERT_FALSE(WriteLastSession(written).Failed());
    Settings settings;
    EXPECT_EQ(ReadDefaults(settings), DefaultsRead::FromFile);
    EXPECT_EQ(settings, kSettings);
    Entries read;
    EXPECT_EQ(ReadLastSession(read), LastSessionRead::Complete);
    Entries expected = test::MakeEntries(0, 0, 0, {12e-12f, 470e-12f, 0, 1.8e-6f, 0, 2.7e-6f});
    expected.SavedFrequency = 3.5e6f;
    expected.SavedImpedance = 75;
    expected.SavedTopology = 5;
    EXPECT_EQ(read, expected);
}

// No file, a folder of the file's name, or a file far larger than any of ours: the defaults and
// the fallback entries, the part values as they were.
TEST(Readers, FilesThatCannotBeReadGiveTheFallbacks) {
    const std::function<void(const std::string&)> kSpoilers[] = {
        [](const std::string&) {},
        [](const std::string& name) { fs::create_directory(name); },
        [](const std::string& name) { PutFile(name, "0.9,500,300,1\n" + std::string(kMebibyte, '1')); },
    };
    for (const auto& spoil : kSpoilers) {
        const test::WorkingFolder folder;
        spoil("Defaults.TXT");
        spoil("VORELIN.DAT");
        Settings settings{1.3f, 7, 8};
        EXPECT_EQ(ReadDefaults(settings), DefaultsRead::Defaults);
        EXPECT_EQ(settings, (Settings{0.75f, 1000, 200}));
        Entries entries = test::MakeEntries(0, 0, 0, {-1, -2, -3, -4, -5, -6});
        Entries expected = entries;
        expected.SavedFrequency = 4e6f;
        expected.SavedImpedance = 50;
        expected.SavedTopology = 1;
        EXPECT_EQ(ReadLastSession(entries), LastSessionRead::Failed);
        EXPECT_EQ(entries, expected);
    }
}

TEST(Readers, StartUpReadsTheDefaultsFileAndNeverCreatesIt) {
    const test::WorkingFolder folder;
    Settings settings;
    InitProgram(settings);
    EXPECT_EQ(settings, (Settings{0.75f, 1000, 200}));
    EXPECT_TRUE(folder.Entries().empty());
    PutFile("Defaults.TXT", "0.9,500,300");
    InitProgram(settings);
    EXPECT_EQ(settings, (Settings{0.9f, 500, 300}));
}

TEST(Readers, OnlyRegularFilesOfSensibleSize) {
    const test::WorkingFolder folder;
    PutFile("empty", "");
    EXPECT_EQ(ReadSmallFile("empty"), "");
    const std::string largest(kMebibyte, 'x');
    PutFile("largest", largest);
    EXPECT_EQ(ReadSmallFile("largest"), largest);
    ASSERT_EQ(mkfifo("pipe", 0600), 0); // opening a pipe without a writer would wait for ever
    EXPECT_EQ(ReadSmallFile("pipe"), std::nullopt);
}

} // namespace
} // namespace vorelin
