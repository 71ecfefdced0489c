#include "print/report.h"

#include "tests/support/display_list_text.h"
#include "tests/support/entries.h"
#include "tests/support/golden.h"

#include <gtest/gtest.h>

namespace vorelin {
namespace {

// A sheet as text: every primitive one line, except the printed grid between the title and the
// chart's caption, which is the graphics tests' subject: its length and fingerprint stand for it,
// with its circles (the load mark among them) spelled out.
std::string SheetText(const Entries& entries, DotStyle mark) {
    DisplayList list;
    DrawReport(list, entries, "06/12/2024 19:09", mark);
    const auto& all = list.Primitives();
    std::size_t caption = 1;
    while (caption < all.size() &&
           !(all[caption].op == Op::Text && list.TextOf(all[caption]).starts_with("Load as")))
        ++caption;
    std::string text = test::Show(list, all[0]) + "\n", chart, circles;
    for (std::size_t i = 1; i < caption; ++i) {
        chart += test::Show(list, all[i]) + "\n";
        if (all[i].op == Op::Circle) circles += "  " + test::Show(list, all[i]) + "\n";
    }
    text += "chart: " + test::Fingerprint(chart) + ", its circles:\n" + circles;
    for (std::size_t i = caption; i < all.size(); ++i)
        text += test::Show(list, all[i]) + "\n";
    return text;
}

// The sheet of each topology (the typical parts), a purely resistive load, a load marked in
// another style, and entries that give no load; then the chart captions of a few impedances.
TEST(Report, Sheets) {
    std::string text;
    for (int topology = 1; topology <= 8; ++topology)
        text += "== topology " + std::to_string(topology) + "\n" +
                SheetText(test::TypicalExample(topology), kLoadMark);
    text += "== a purely resistive load\n" + SheetText(test::MakeEntries(2, 7e6f, 50), kLoadMark);
    text += "== the nominal mark\n" + SheetText(test::TypicalExample(), kNominalDot);
    text += "== no load\n" + SheetText(test::NotComputable(), kLoadMark);
    for (const float impedance : {50.0f, 75.0f, 0.5f, 12.5f, 1e6f})
        text += ChartCaption(impedance) + "\n";
    EXPECT_EQ(test::GoldenMismatch("print/golden/sheets.txt", text), "");
}

} // namespace
} // namespace vorelin
