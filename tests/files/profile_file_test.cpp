// The tuner profiles and the profile in use, kept in their files through the run's book.
#include "files/settings_file.h"
#include "files/tuner_profile_book.h"

#include "tests/support/folders.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace vorelin {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const std::string kProfiles(kProfileFileName), kSettings(kSettingsFileName), kLock(kProfileLockName);

TunerProfile Profile(std::string name, std::int16_t topology) {
    TunerProfile profile;
    profile.name = std::move(name);
    profile.topology = topology;
    profile.ranges[0] = {10, 500};
    return profile;
}

// Profiles put, renamed and removed reach the file whole, the choice follows its profile, the
// settings file's other lines stay; a second book in the folder reads them but changes nothing.
TEST(TunerProfileBook, KeepsProfilesAndTheChoiceInTheirFiles) {
    test::WorkingFolder folder;
    test::PutFile(kSettings, "* mine\nPower: 50\n");
    TunerProfileBook book;
    EXPECT_EQ(book.Open(), "");
    const TunerProfile renamed = Profile("Shack 2", 7), tee = Profile("Tee", 6);
    EXPECT_EQ(book.Put("", Profile("Shack", 7)), "");
    EXPECT_EQ(book.Put("", tee), "");
    EXPECT_EQ(book.Choose("SHACK "), "");
    EXPECT_EQ(book.Chosen()->name, "Shack");
    EXPECT_EQ(book.Put("shack", renamed), "");
    EXPECT_EQ(test::FileBytes(kProfiles), TunerProfilesText(TunerProfiles{renamed, tee}));
    EXPECT_EQ(test::FileBytes(kSettings), "* mine\r\nPower: 50\r\nTuner profile: Shack 2\r\n");

    TunerProfileBook second;
    EXPECT_EQ(second.Open(), "");
    EXPECT_TRUE(second.ReadOnly());
    EXPECT_EQ(second.Profiles(), (TunerProfiles{renamed, tee}));
    EXPECT_EQ(second.Chosen()->name, "Shack 2");
    second.Remove("Tee");
    EXPECT_EQ(book.Remove("Shack 2"), "");
    EXPECT_EQ(book.Chosen(), nullptr);
    EXPECT_EQ(test::FileBytes(kProfiles), TunerProfilesText(TunerProfiles{tee}));
    EXPECT_EQ(ReadSetting(kTunerProfileSetting), "");
}

// An unreadable file is set aside and told; a name that is no regular file stays as it is and
// is never written.
TEST(TunerProfileBook, SetsUnreadableFilesAsideAndLeavesOthersAlone) {
    {
        test::WorkingFolder folder;
        test::PutFile(kProfiles, "name,topology\nA,9\n");
        TunerProfileBook book;
        EXPECT_EQ(book.Open(), "The tuner profile file (VORELIN-TUNERS.CSV) was not read. Line 2: topology "
                               "\"9\" is not a whole number from 1 to 8. It is kept as VORELIN-TUNERS.BAK.");
        EXPECT_EQ(book.Put("", Profile("A", 1)), "");
        EXPECT_EQ(test::FileBytes("VORELIN-TUNERS.BAK"), "name,topology\nA,9\n");
    }
    const std::function<void()> kSpoilers[] = {
        [] { fs::create_directory(kProfiles); },
        [] { mkfifo(kProfiles.c_str(), 0600); },
        [] { fs::create_symlink("gone.csv", kProfiles); },
    };
    for (const auto& spoil : kSpoilers) {
        test::WorkingFolder folder;
        spoil();
        const auto type = fs::symlink_status(kProfiles).type();
        TunerProfileBook book;
        EXPECT_TRUE(book.Open().ends_with(
            " It stays as it is, and the tuner profiles of this run are not kept in it."));
        EXPECT_EQ(book.Put("", Profile("A", 1)), "");
        EXPECT_EQ(book.NotKeptReason(), "it is not a regular file");
        EXPECT_EQ(fs::symlink_status(kProfiles).type(), type);
        EXPECT_EQ(folder.Entries(), (Names{kProfiles, kLock}));
    }
}

// Only the setting's own line changes; a file that cannot be read is never replaced.
TEST(SettingsFile, ChangesOnlyItsOwnLine) {
    const struct {
        std::string_view before, after;
    } cases[] = {
        {"", "* Vorelin settings: one \"name: value\" a line\r\nTuner profile: B\r\n"},
        {"x\nTUNER PROFILE : old\r\nPower: 5\rtuner profile: again\n",
         "x\r\nTuner profile: B\r\nPower: 5\r\n"},
        {"Tuner profiles: A", "Tuner profiles: A\r\nTuner profile: B\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithSetting(c.before, kTunerProfileSetting, "B"), c.after);
        EXPECT_EQ(SettingIn(c.after, kTunerProfileSetting), "B");
    }
    EXPECT_EQ(SettingIn("Tuner profile:  Shack: T \r\n", kTunerProfileSetting), "Shack: T");
    test::WorkingFolder folder;
    EXPECT_EQ(
        KeepSetting(kTunerProfileSetting, "A\nB").message,
        "The settings file (VORELIN-SETTINGS.TXT) was not written correctly. The value is not one line.");
    const std::string large(kLargestReadableFile + 1, '\n');
    test::PutFile(kSettings, large);
    EXPECT_EQ(KeepSetting(kTunerProfileSetting, "A").message,
              "The settings file (VORELIN-SETTINGS.TXT) was not written correctly. It is larger than 1 MB.");
    EXPECT_EQ(test::FileBytes(kSettings), large);
    // Several settings change in one write, or none does.
    test::PutFile(kSettings, "Note: mine\r\nLine: old\r\n");
    const std::pair<std::string_view, std::string_view> two[] = {{"Line", "LMR-400"}, {"System power", "400"}};
    EXPECT_FALSE(KeepSettings(two).Failed());
    EXPECT_EQ(test::FileBytes(kSettings), "Note: mine\r\nLine: LMR-400\r\nSystem power: 400\r\n");
    const std::pair<std::string_view, std::string_view> bad[] = {{"Line", "none"}, {"System power", "4\n5"}};
    EXPECT_TRUE(KeepSettings(bad).Failed());
    EXPECT_EQ(ReadSetting("Line"), "LMR-400");
}

} // namespace
} // namespace vorelin
