#include "core/networks.h"
#include "files/defaults_file.h"
#include "files/file_io.h"
#include "files/last_session_file.h"
#include "files/network_file.h"
#include "tests/support/case_table.h"
#include "tests/support/decimal_comma_locale.h"
#include "tests/support/entries.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

namespace vorelin {
namespace {

using test::Arguments;
using test::Exact;
using test::FloatField;

std::string ReadDefaultsText(const std::string& bytes) {
    Settings settings{1.3f, 7, 8};
    const DefaultsRead read = ReadDefaultsFrom(bytes, settings);
    return std::string(read == DefaultsRead::FromFile ? "FromFile " : "Defaults ") +
           Exact(settings.AspectRatio) + " " + Exact(settings.DefaultsValue2) + " " +
           Exact(settings.DefaultsValue3);
}

std::string ReadLastSessionText(const std::string& bytes) {
    Entries e = test::MakeEntries(0, 0, 0, {-1, -2, -3, -4, -5, -6});
    const LastSessionRead read = ReadLastSessionFrom(bytes, e);
    std::string text = read == LastSessionRead::Complete ? "Complete"
                       : read == LastSessionRead::Short  ? "Short"
                                                         : "Failed";
    for (const float value : {e.SavedFrequency, e.SavedImpedance, static_cast<float>(e.SavedTopology), e.C1,
                              e.C2, e.C3, e.L1, e.L2, e.L3})
        text += " " + Exact(value);
    return text;
}

std::string StagesText(int topology) {
    std::string text;
    for (const Stage& stage : NetworkStages(test::MakeEntries(topology, 0, 0, {1, 2, 3, 4, 5, 6})))
        text += std::string(text.empty() ? "" : " ") + std::to_string(static_cast<int>(stage.code)) + ":" +
                Exact(stage.value);
    return text;
}

std::string LatchText(const std::string& results) {
    WriteFailureLatch latch;
    std::string news;
    for (const char c : results) {
        WriteResult result;
        result.status = c == 'W'   ? WriteResult::Status::Written
                        : c == 'S' ? WriteResult::Status::Skipped
                                   : WriteResult::Status::Failed;
        result.reason = c == 'D' ? "Permission denied" : "No space left on device";
        news += latch.ShouldReport(result) ? '1' : '0';
    }
    return news;
}

// Under a decimal-comma locale: the files are the same everywhere.
TEST(FileCases, TextsAndReaders) {
    const test::DecimalCommaLocale comma;
    test::ExpectCases(
        "files/data/cases.txt",
        {
            {"ReadDefaults", [](const Arguments& a) { return ReadDefaultsText(a[0]); }},
            {"DefaultsText",
             [](const Arguments& a) {
                 return DefaultsFileText({FloatField(a[0]), FloatField(a[1]), FloatField(a[2])});
             }},
            {"ReadLastSession", [](const Arguments& a) { return ReadLastSessionText(a[0]); }},
            {"Stages", [](const Arguments& a) { return StagesText(test::IntField(a[0])); }},
            {"BaseName", [](const Arguments& a) { return BaseName(a[0]); }},
            {"NumberText", [](const Arguments& a) { return NumberText(FloatField(a[0])); }},
            {"NumberTextDouble", [](const Arguments& a) { return NumberText(test::DoubleField(a[0])); }},
            {"Latch", [](const Arguments& a) { return LatchText(a[0]); }},
        });
}

// The last-session and network files of several entries and loads, byte for byte.
TEST(FileCases, FileTexts) {
    const test::DecimalCommaLocale comma;
    const struct {
        const char* name;
        Entries entries;
        Load load;
        const char* dateTime;
    } kFiles[] = {
        {"the typical example and its load", test::TypicalExample(), RunNetwork(test::TypicalExample()).load,
         "06/12/2024 19:09"},
        {"topology 6, a part it does not use, a reactance below one",
         test::MakeEntries(6, 14e6f, 50, {2e-10f, 0, 1e-10f, 5e-6f, 2e-6f, 0}),
         {12.5f, -0.5f},
         "06/12/2024 19:09"},
        {"topology 1, small and negative values",
         test::MakeEntries(1, 0.5f, 75, {.c2 = 4.7e-11f, .l1 = -0.5f}),
         {0.25f, -12},
         "06/12/2024 19:09"},
        {"topology 8, fractions everywhere",
         test::MakeEntries(8, 14.25e6f, 50.5f, {.c2 = 4.7e-11f, .l1 = 1.5e-6f, .l3 = 2.25e-6f}),
         {0.75f, -12.5f},
         "1.2.2024 10:00"},
        {"no topology", test::MakeEntries(0, 1e6f, 50), {}, "06/12/2024 19:09"},
        {"topology -3, exponents and negative values",
         test::MakeEntries(-3, 0.5f, 1234567, {4.7e-11f, -3e-10f, 0.0001f, 0.5f, -0.25f, 1e10f}),
         {},
         "x"},
        {"a date with a line break, a narrow no-break space, an e acute and a euro sign",
         test::MakeEntries(9, 0, 0),
         {},
         "6.12.24\r\n7:09\xE2\x80\xAFPM \xC3\xA9\xE2\x82\xAC"},
    };
    std::string text;
    for (const auto& file : kFiles)
        text += std::string("== ") + file.name + "\n-- VORELIN.DAT\n" +
                test::Visible(LastSessionFileText(file.entries)) + "-- network file\n" +
                test::Visible(NetworkFileText(file.entries, file.load, file.dateTime));
    EXPECT_EQ(test::GoldenMismatch("files/golden/file_texts.txt", text), "");
}

} // namespace
} // namespace vorelin
