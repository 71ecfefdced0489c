// Nothing the user made is lost: outputs written all or none, files told apart by identity, odd
// targets refused, backups numbered, one program at a time on a shared file, whole files for
// programs writing at once.
#include "files/defaults_file.h"
#include "files/file_identity.h"
#include "files/file_lock.h"
#include "files/last_session_file.h"
#include "files/numbered_backup.h"
#include "files/output_plan.h"
#include "files/write_target.h"
#include "tests/support/entries.h"
#include "tests/support/folders.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vorelin {
namespace {

namespace fs = std::filesystem;
using test::FileBytes;
using test::PutFile;
using Names = std::vector<std::string>;

// Each way a target is no place for a file; the plan writes a.s1p first, then the spoilt b.png.
TEST(OutputPlan, AllOrNone) {
    const struct {
        const char* name;
        std::function<void()> spoil;
        std::string reason;
    } kCases[] = {
        {"pipe", [] { mkfifo("b.png", 0600); }, ItIs(kNotRegular)},
        {"folder", [] { fs::create_directory("b.png"); }, ItIs(kNotRegular)},
        {"link to a device", [] { fs::create_symlink("/dev/zero", "b.png"); }, ItIs(kNotRegular)},
        {"link in a loop", [] { fs::create_symlink("b.png", "b.png"); }, ItIs(kLinkLoops)},
        {"link to nothing", [] { fs::create_symlink("gone/b.png", "b.png"); }, ItIs(kLinkDangles)},
        {"no folder", [] { fs::create_directory_symlink("gone", "b.png.d"); }, "No such file or directory"},
        {"same file", [] { fs::create_symlink("a.s1p", "b.png"); }, "it is a.s1p too"},
    };
    for (const auto& c : kCases) {
        const test::WorkingFolder folder;
        PutFile("a.s1p", "old");
        c.spoil();
        const Names before = folder.Entries();
        OutputPlan plan;
        plan.Add("a.s1p", "new", "Touchstone file");
        plan.Add(std::string(c.name) == "no folder" ? "b.png.d/b.png" : "b.png", "picture", "picture file");
        const WriteResult result = plan.Commit();
        EXPECT_TRUE(result.Failed()) << c.name;
        EXPECT_EQ(result.reason, c.reason) << c.name;
        EXPECT_EQ(result.message, NotWrittenMessage("picture file", result.fileName, c.reason)) << c.name;
        EXPECT_EQ(FileBytes("a.s1p"), "old") << c.name;
        EXPECT_EQ(folder.Entries(), before) << c.name; // no temporary file stays, no link is followed
    }
}

TEST(OutputPlan, FullDiskAtTheSecondFileReplacesNone) {
    const test::WorkingFolder folder;
    PutFile("a.csv", "old");
    OutputPlan plan;
    plan.Add("a.csv", "small");
    plan.Add("b.csv", std::string(4096, 'x'));
    WriteResult result;
    {
        const test::FileSizeLimit fullDisk(1000);
        result = plan.Commit();
    }
    EXPECT_EQ(result.fileName, "b.csv");
    EXPECT_EQ(result.reason, "File too large");
    EXPECT_EQ(FileBytes("a.csv"), "old");
    EXPECT_EQ(folder.Entries(), Names{"a.csv"});
}

// A link to a regular file is written through and stays a link; permissions are kept.
TEST(OutputPlan, WritesThroughLinksAndKeepsPermissions) {
    const test::WorkingFolder folder;
    PutFile("real.csv", "old");
    chmod("real.csv", 0640);
    fs::create_symlink("real.csv", "link.csv");
    OutputPlan plan;
    plan.Add("link.csv", "new");
    plan.Add("fresh.csv", "fresh");
    ASSERT_EQ(plan.Commit().status, WriteResult::Status::Written);
    EXPECT_TRUE(fs::is_symlink("link.csv"));
    EXPECT_EQ(FileBytes("real.csv"), "new");
    EXPECT_EQ(fs::status("real.csv").permissions(), fs::perms(0640));
    EXPECT_EQ(folder.Entries(), (Names{"fresh.csv", "link.csv", "real.csv"}));
}

TEST(FileIdentity, NamesOfOneFile) {
    const test::WorkingFolder folder;
    fs::create_directory("d");
    fs::create_directory_symlink("d", "dl");
    PutFile("band.csv", "x");
    fs::create_symlink("band.csv", "results.csv");
    fs::create_hard_link("band.csv", "d/hard.csv");
    const struct {
        const char *a, *b;
        bool same;
    } kCases[] = {
        {"band.csv", "results.csv", true}, {"band.csv", "d/hard.csv", true},  {"d/x.s1p", "dl/x.s1p", true},
        {"x.s1p", "./d/../x.s1p", true},   {"band.csv", "d/band.csv", false}, {"d/x.s1p", "d/y.s1p", false},
    };
    for (const auto& c : kCases)
        EXPECT_EQ(SameFile(c.a, c.b), c.same) << c.a << " " << c.b;
    EXPECT_EQ(IdentityOf("d/x.s1p").path, fs::canonical("d").string() + "/x.s1p");
}

TEST(WriteTarget, NamesWithoutAFileName) {
    for (const char* path : {"", "dir/", ".", "..", "a/.."})
        EXPECT_EQ(CheckWriteTarget(path).refusal, ItIs(kNoFileName)) << path;
    EXPECT_TRUE(HasFileName("dir/x.PWF"));
}

TEST(NumberedBackup, NeverReplacesABackup) {
    const test::WorkingFolder folder;
    for (const char* content : {"first", "second"}) {
        PutFile("T.CSV", content);
        EXPECT_EQ(MoveToBackup("T.CSV", "T", ".BAK").name,
                  std::string(content) == "first" ? "T.BAK" : "T-2.BAK");
    }
    EXPECT_EQ(WriteBackup("third", "T", ".BAK").name, "T-3.BAK");
    EXPECT_EQ(FileBytes("T.BAK"), "first");
    EXPECT_EQ(FileBytes("T-2.BAK"), "second");
    EXPECT_EQ(FileBytes("T-3.BAK"), "third");
    EXPECT_EQ(folder.Entries(), (Names{"T-2.BAK", "T-3.BAK", "T.BAK"}));
    EXPECT_EQ(MoveToBackup("T.CSV", "T", ".BAK").reason, "No such file or directory");
}

TEST(FileLock, OneHolderAtATime) {
    const test::WorkingFolder folder;
    auto first = std::make_unique<FileLock>("X.LCK");
    ASSERT_EQ(first->Take(), FileLock::State::Held);
    EXPECT_EQ(first->Take(), FileLock::State::Held);
    FileLock second("X.LCK");
    EXPECT_EQ(second.Take(), FileLock::State::HeldElsewhere);
    EXPECT_EQ(second.Holder(), static_cast<long long>(getpid()));
    first.reset();
    EXPECT_EQ(second.Take(), FileLock::State::Held);
}

// Two programs ending at once: each file is one writer's whole version, never a mix.
TEST(ProgramFiles, WritersAtOnceLeaveOneWholeVersion) {
    const test::WorkingFolder folder;
    const Entries a = test::TypicalExample(), b = test::TypicalExample(2);
    const Settings sa{0.6f, 1, 2}, sb{1.4f, 3, 4};
    std::atomic<bool> stop{false};
    std::atomic<int> writes{0};
    const auto writer = [&stop, &writes](const Entries& entries, const Settings& settings) {
        while (!stop) {
            WriteLastSession(entries);
            WriteDefaults(settings);
            ++writes;
        }
    };
    std::thread one(writer, a, sa), two(writer, b, sb);
    while (writes < 100) {
        const std::string session = FileBytes("VORELIN.DAT").value_or(LastSessionFileText(a));
        const std::string defaults = FileBytes("Defaults.TXT").value_or(DefaultsFileText(sa));
        EXPECT_TRUE(session == LastSessionFileText(a) || session == LastSessionFileText(b)) << session;
        EXPECT_TRUE(defaults == DefaultsFileText(sa) || defaults == DefaultsFileText(sb)) << defaults;
    }
    stop = true;
    one.join();
    two.join();
    EXPECT_EQ(folder.Entries(), (Names{"Defaults.TXT", "VORELIN.DAT"}));
}

} // namespace
} // namespace vorelin
