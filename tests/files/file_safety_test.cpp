// Nothing the user made is lost: outputs written all or none, links written through, whole files
// for programs writing at once.
#include "files/defaults_file.h"
#include "files/last_session_file.h"
#include "files/output_plan.h"
#include "tests/support/entries.h"
#include "tests/support/folders.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sys/stat.h>
#include <thread>

namespace vorelin {
namespace {

namespace fs = std::filesystem;
using test::FileBytes;
using test::PutFile;
using Names = std::vector<std::string>;

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
    OutputPlan twice; // one file under two names
    twice.Add("link.csv", "a");
    twice.Add("real.csv", "b");
    EXPECT_EQ(twice.Commit().reason, "it is link.csv too");
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
