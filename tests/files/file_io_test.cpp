#include "files/file_io.h"

#include "tests/files/file_test_support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace vorelin {
namespace {

TEST(WriteFileAtomically, ReplacesTheWholeFile) {
    test::WorkingFolder folder;
    test::PutFile("data.txt", "a much longer old content\r\n");
    const WriteResult result = WriteFileAtomically("data.txt", "new\r\n");
    EXPECT_EQ(result.status, WriteResult::Status::Written);
    EXPECT_EQ(result.fileName, "data.txt");
    EXPECT_EQ(result.reason, "");
    EXPECT_EQ(test::FileBytes("data.txt"), "new\r\n");
    EXPECT_EQ(folder.Entries(), QStringList{"data.txt"});
}

TEST(WriteFileAtomically, MissingFolderFails) {
    test::WorkingFolder folder;
    const WriteResult result = WriteFileAtomically("missing/data.txt", "x");
    EXPECT_EQ(result.status, WriteResult::Status::Failed);
    EXPECT_EQ(result.fileName, "missing/data.txt");
    EXPECT_FALSE(result.reason.empty());
    EXPECT_TRUE(folder.Entries().isEmpty());
}

TEST(WriteFileAtomically, ReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders; the full-disk tests cover this";
    test::WorkingFolder folder;
    test::PutFile("data.txt", "old\r\n");
    ASSERT_EQ(chmod(".", 0555), 0);
    const WriteResult result = WriteFileAtomically("data.txt", "new\r\n");
    chmod(".", 0755);
    EXPECT_EQ(result.status, WriteResult::Status::Failed);
    EXPECT_EQ(test::FileBytes("data.txt"), "old\r\n");
    EXPECT_EQ(folder.Entries(), QStringList{"data.txt"});
}

TEST(WriteFileAtomically, FullDiskKeepsTheOldFile) {
    test::WorkingFolder folder;
    test::PutFile("data.txt", "old\r\n");
    WriteResult result;
    {
        const test::FileSizeLimit fullDisk(10);
        result = WriteFileAtomically("data.txt", "line one\r\nline two\r\nline three\r\n");
    }
    EXPECT_EQ(result.status, WriteResult::Status::Failed);
    EXPECT_FALSE(result.reason.empty());
    EXPECT_EQ(test::FileBytes("data.txt"), "old\r\n");
    EXPECT_EQ(folder.Entries(), QStringList{"data.txt"});
}

TEST(ReadSmallFile, OnlyRegularFilesOfSensibleSize) {
    test::WorkingFolder folder;
    EXPECT_EQ(ReadSmallFile("missing.txt"), std::nullopt);

    test::PutFile("empty.txt", "");
    EXPECT_EQ(ReadSmallFile("empty.txt"), "");

    const std::string largest(kLargestReadableFile, 'x');
    test::PutFile("largest.txt", largest);
    EXPECT_EQ(ReadSmallFile("largest.txt"), largest);
    test::PutFile("larger.txt", largest + "x");
    EXPECT_EQ(ReadSmallFile("larger.txt"), std::nullopt);

    ASSERT_TRUE(QDir().mkdir("folder"));
    EXPECT_EQ(ReadSmallFile("folder"), std::nullopt);
    // Opening a pipe without a writer would wait for ever.
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    EXPECT_EQ(ReadSmallFile("pipe"), std::nullopt);
}

TEST(WriteFailureLatch, ReportsEachRunOfFailuresOnce) {
    WriteResult written;
    written.status = WriteResult::Status::Written;
    WriteResult denied;
    denied.status = WriteResult::Status::Failed;
    denied.reason = "Permission denied";
    WriteResult full = denied;
    full.reason = "No space left on device";

    WriteFailureLatch latch;
    EXPECT_TRUE(latch.ShouldReport(denied)); // the first write may fail already
    EXPECT_FALSE(latch.ShouldReport(denied));
    EXPECT_FALSE(latch.ShouldReport(denied));
    EXPECT_TRUE(latch.ShouldReport(full));
    EXPECT_FALSE(latch.ShouldReport(full));
    EXPECT_FALSE(latch.ShouldReport(written));
    EXPECT_TRUE(latch.ShouldReport(full));
    EXPECT_FALSE(latch.ShouldReport(WriteResult{})); // skipped: nothing happened, no news
}

} // namespace
} // namespace vorelin
