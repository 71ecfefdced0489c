#include "core/profile_form.h"
#include "core/tuner_profile.h"

#include "tests/support/entries.h"

#include <gtest/gtest.h>

namespace vorelin {
namespace {

TunerProfile PiTuner() {
    TunerProfile p{.name = "Shack pi, \"big\"",
                   .topology = 7,
                   .ranges = {},
                   .coilQ = 0.1 + 0.2,
                   .capacitorQ = 1500,
                   .note = "roller coil\nto 28 uH"};
    p.ranges[0] = {10, 100}; // C1 pF
    p.ranges[2] = {20, {}};  // C3 pF, no upper end
    p.ranges[4] = {0.5, 5};  // L2 uH
    return p;
}

TEST(TunerProfile, TextReadsBackToTheSameProfiles) {
    TunerProfile tee{.name = "T", .topology = 6, .ranges = {}, .coilQ = 200, .capacitorQ = 1000, .note = ""};
    tee.ranges[1] = {{}, 1e-3};
    const std::vector<TunerProfile> profiles{PiTuner(), tee};
    const std::string text = TunerProfilesText(profiles);
    EXPECT_TRUE(
        text.starts_with("name,topology,c1_least,c1_largest,c2_least,c2_largest,c3_least,c3_largest,"
                         "l1_least,l1_largest,l2_least,l2_largest,l3_least,l3_largest,coil_q,capacitor_q,"
                         "note\r\n\"Shack pi, \"\"big\"\"\",7,10,100,,,20,,,,0.5,5,,,"
                         "0.30000000000000004,1500,\"roller coil\nto 28 uH\"\r\n"));
    const ProfilesRead read = ReadTunerProfiles(text);
    ASSERT_TRUE(read.Ok()) << read.error;
    EXPECT_EQ(read.profiles, profiles);
}

TEST(TunerProfile, ReadsWholeNumbersOrSaysWhereNot) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", ""},
        {"\xEF\xBB\xBF\r\n \r\nName;TOPOLOGY;coil_q\r\nA;8.0;\r\n", ""},
        {"name;topology;c2_largest\nA;1;1,5\n", "Line 2: c2_largest \"1,5\" is not a number."},
        {"name,topology\nA,9\n", "Line 2: topology \"9\" is not a whole number from 1 to 8."},
        {"name,topology\n\nA,1e999\n", "Line 3: topology \"1e999\" is not a number."},
        {"name,topology,coil_q\nA,1,0\n", "Line 2: The coil Q must be a number above zero."},
        {"name,topology,c1_least,c1_largest\nA,7,300,100\n",
         "Line 2: The least value of C1 is above its largest."},
        {"name,topology,c3_least\nA,7,-1\n",
         "Line 2: The range of C3 must be given as numbers of zero or more."},
        {"name,topology\n ,1\n", "Line 2: The profile needs a name."},
        {"name,topology\n\"A\nB\",1\n", "Line 2: The profile's name must be one line."},
        {"name,topology\nA,1\na,2\n", "Line 3: the name \"a\" is taken already."},
        {"name,topolgy\n", "Line 1: the column \"topolgy\" is not a column of tuner profiles."},
        {"name,note,Name\n", "Line 1: the column \"Name\" is named twice."},
        {"name,note\n", "Line 1: the name and topology columns are needed."},
        {"name,topology\nA,1,x\n", "Line 2: there are more cells than columns."},
    };
    for (const auto& [text, error] : cases) {
        const ProfilesRead read = ReadTunerProfiles(text);
        EXPECT_EQ(read.error, error) << text;
        EXPECT_EQ(read.profiles.size(), error.empty() && !text.empty() ? 1u : 0u) << text;
    }
    const ProfilesRead defaults = ReadTunerProfiles("topology,name\n5,X\n");
    ASSERT_EQ(defaults.profiles.size(), 1u);
    EXPECT_TRUE(defaults.profiles[0].coilQ == 200 && defaults.profiles[0].capacitorQ == 1000 &&
                defaults.profiles[0].topology == 5 && defaults.profiles[0].name == "X");
}

// A typed 100 pF is the float nearest 1e-10 F, a hair above 100 pF: it still lies within 100.
TEST(TunerProfile, TellsWhichPartsLieOutsideTheRanges) {
    const TunerProfile profile = PiTuner();
    const Entries inside = test::MakeEntries(7, 14e6f, 50, {.c1 = 100e-12f, .c3 = 1e-6f, .l2 = 0.5e-6f});
    EXPECT_TRUE(FitsProfile(profile, inside));
    const Entries outside =
        test::MakeEntries(7, 14e6f, 50, {.c1 = 100.001e-12f, .c3 = 19.99e-12f, .l2 = 5e-6f});
    const auto misses = PartsOutsideProfile(profile, outside);
    ASSERT_EQ(misses.size(), 2u);
    EXPECT_EQ(misses[0].part, "C1");
    EXPECT_NEAR(misses[0].value, 100.001, 1e-5);
    EXPECT_EQ(misses[0].range, profile.ranges[0]);
    EXPECT_EQ(misses[1].part, "C3");
    EXPECT_FALSE(FitsProfile(profile, outside));
    EXPECT_FALSE(FitsProfile(profile, test::MakeEntries(8, 14e6f, 50, {.c2 = 50e-12f})));
}

// The dialog's fields read whole: the first field at fault names itself; an empty Q is the
// default; the ranges of parts the network lacks stay as they were.
TEST(ProfileForm, ReadsWholeOrNamesTheField) {
    TunerProfile base = PiTuner();
    base.ranges[3] = {1, 2}; // L1: not a part of the pi network
    EXPECT_EQ(ReadProfileForm(FormOfProfile(base), base, {}).profile, base);
    TunerProfile taken = base;
    taken.name = "shack PI, \"BIG\"";
    const std::pair<void (*)(ProfileForm&), std::string_view> cases[] = {
        {[](ProfileForm& f) { f.ranges[0][0] = "100p"; },
         "The least value of C1, \"100p\", is not a number: give it in pF, as 100 or 1.5e3."},
        {[](ProfileForm& f) { f.ranges[4][1] = "1,5"; },
         "The largest value of L2, \"1,5\", is not a number: give it in µH, as 100 or 1.5e3."},
        {[](ProfileForm& f) { f.coilQ = "abc"; }, "The coil Q, \"abc\", is not a number."},
        {[](ProfileForm& f) { f.capacitorQ = "0"; }, kLossReasonCapacitorQ},
        {[](ProfileForm& f) {
             f.ranges[0] = {"300", "200"};
         },
         "The least value of C1 is above its largest."},
        {[](ProfileForm& f) { f.name = "  "; }, "The profile needs a name."},
        {[](ProfileForm& f) { f.name = " Shack pi, \"big\" "; },
         "Another profile is named \"Shack pi, \"big\"\" already."},
        {[](ProfileForm& f) { f.name = " X ", f.coilQ = "", f.ranges[3][0] = "not read"; }, ""},
    };
    for (const auto& [change, refusal] : cases) {
        ProfileForm form = FormOfProfile(base);
        change(form);
        const ProfileFormRead read = ReadProfileForm(form, base, {&taken, 1});
        EXPECT_EQ(read.refusal, refusal);
        if (refusal.empty()) {
            EXPECT_EQ(read.profile.coilQ, kDefaultCoilQ);
            EXPECT_EQ(read.profile.ranges[3], base.ranges[3]);
        }
    }
}

} // namespace
} // namespace vorelin
