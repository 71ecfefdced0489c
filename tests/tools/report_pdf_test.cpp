// vorelin-calc --report run as a user runs it (no display, no platform chosen), and the PDF read
// back with poppler's tools: one portrait page of the locale's paper with the chart in its place.
#include "tests/support/folders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <regex>
#include <string>

namespace {

// A load of practically 50 ohms (50.00004 -j0.047): the mark sits on the chart's centre.
const std::string kMatched = "--topology 1 --frequency 1M --impedance 50 --l1 10n --c2 1p --report";

// What a command writes to its standard output; a failing command fails the test.
std::string Output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    for (int c; pipe != nullptr && (c = std::fgetc(pipe)) != EOF;)
        text += static_cast<char>(c);
    EXPECT_EQ(pipe == nullptr ? -1 : pclose(pipe), 0) << command;
    return text;
}

// Writes the report of the matched load under a locale and returns the PDF's path.
std::string WriteReport(const vorelin::test::ScratchFolder& folder, const std::string& locale) {
    const std::string pdf = folder / "report.pdf";
    Output("env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=" + locale + " " VORELIN_CALC " " +
           kMatched + " '" + pdf + "' > /dev/null");
    return pdf;
}

// The page rendered by pdftoppm at 150 dpi, read as a binary PPM; colours of points on the
// report's page of 11500 x 15200 units, fitted into the sheet and centred on it.
struct Page {
    int width = 0, height = 0;
    std::string pixels;
    std::string ColourAt(double x, double y) const {
        const double scale = std::min(width / 11500.0, height / 15200.0);
        const auto column = static_cast<long>((width - scale * 11500) / 2 + scale * x);
        const auto row = static_cast<long>((height - scale * 15200) / 2 + scale * y);
        const auto at = static_cast<std::size_t>((row * width + column) * 3);
        const auto level = [&](std::size_t i) { return static_cast<unsigned char>(pixels[at + i]); };
        const auto high = [](int v) { return v > 200; };
        const auto low = [](int v) { return v < 90; };
        if (high(level(0)) && high(level(1)) && high(level(2))) return "white";
        if (high(level(0)) && low(level(1)) && low(level(2))) return "red";
        if (low(level(0)) && low(level(1)) && high(level(2))) return "blue";
        return "other";
    }
};

Page Render(const std::string& pdf) {
    const std::string ppm = Output("pdftoppm -r 150 -singlefile '" + pdf + "'");
    Page page;
    int maximum = 0, consumed = 0;
    EXPECT_EQ(std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &page.width, &page.height, &maximum, &consumed), 3);
    page.pixels = ppm.substr(static_cast<std::size_t>(consumed) + 1);
    EXPECT_EQ(page.pixels.size(), static_cast<std::size_t>(page.width * page.height * 3));
    return page;
}

TEST(ReportPdf, OnePortraitA4PageWithTheChartInPlace) {
    const vorelin::test::ScratchFolder folder;
    const std::string pdf = WriteReport(folder, "de_DE.UTF-8");
    const std::string info = Output("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       595 x 842 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           Vorelin Output\n"), std::string::npos) << info;

    // The load's blue ring of radius 50 around the centre; the outer circle of radius 3000 in
    // red, white just outside it and at the sheet's corner.
    const Page page = Render(pdf);
    ASSERT_LT(page.width, page.height);
    for (const auto& [dx, dy] : {std::pair{50, 0}, {-50, 0}, {0, 50}, {0, -50}})
        EXPECT_EQ(page.ColourAt(6000 + dx, 8000 + dy), "blue") << dx << ", " << dy;
    for (const double degrees : {45.0, 135.0, 225.0, 315.0}) {
        const double c = std::cos(degrees * std::numbers::pi / 180),
                     s = std::sin(degrees * std::numbers::pi / 180);
        EXPECT_EQ(page.ColourAt(6000 + 3000 * c, 8000 - 3000 * s), "red") << degrees;
        EXPECT_EQ(page.ColourAt(6000 + 3100 * c, 8000 - 3100 * s), "white") << degrees;
    }
    EXPECT_EQ(page.ColourAt(50, 50), "white");

    // The texts are real text in the document; the date follows the German short form.
    const std::string text = Output("pdftotext -layout '" + pdf + "' -");
    for (const char* expected :
         {"Vorelin Output", "Load as seen on a 50 ohm chart:", "Test freq:", "50.00004 -j0.04712391",
          "Vorelin Version 2.03 - https://vorelin.example.org"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(\b\d\d\.\d\d\.\d\d \d\d:\d\d\b)"))) << text;
}

TEST(ReportPdf, LetterPaperWhereTheLocaleMeasuresInUsUnits) {
    const vorelin::test::ScratchFolder folder;
    const std::string pdf = WriteReport(folder, "en_US.UTF-8");
    EXPECT_NE(Output("pdfinfo '" + pdf + "'").find("Page size:       612 x 792 pts (letter)"),
              std::string::npos);
    EXPECT_TRUE(std::regex_search(Output("pdftotext '" + pdf + "' -"),
                                  std::regex(R"(\b\d{1,2}/\d{1,2}/\d\d \d{1,2}:\d\d\s?[AP]M\b)")));
}

// With an accuracy the report has the region's ranges line, as the page's printed report has.
TEST(ReportPdf, AccuracyAddsTheRangesLine) {
    const vorelin::test::ScratchFolder folder;
    const std::string pdf = folder / "region.pdf";
    Output(VORELIN_CALC " --accuracy 20 " + kMatched + " '" + pdf + "' > /dev/null");
    EXPECT_NE(Output("pdftotext '" + pdf + "' -").find("Within 20 %: R "), std::string::npos);
}

// With a power and a line the report has the system's lines, as the text output has them, on
// its one page, the footer still under them.
TEST(ReportPdf, SystemLinesWithALine) {
    const vorelin::test::ScratchFolder folder;
    const std::string pdf = folder / "system.pdf";
    const std::string system = "--topology 5 --frequency 7.1M --impedance 50 --l1 1.1u --c2 330p --l3 2.7u "
                               "--accuracy 20 --power 400 --cable LMR-400 --line-length 30";
    Output(VORELIN_CALC " " + system + " --report '" + pdf + "' > /dev/null");
    const std::string text = Output("pdftotext -layout '" + pdf + "' -");
    const std::string expected =
        Output(VORELIN_CALC " " + system + " | sed -n '/^Antenna system/,/At the antenna/p'");
    std::size_t at = 0;
    for (std::size_t from = 0, end; (end = expected.find('\n', from)) != std::string::npos; from = end + 1) {
        const std::string line =
            expected.substr(from, end - from).substr(expected.compare(from, 2, "  ") == 0 ? 2 : 0);
        at = text.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << "\n" << text;
    }
    EXPECT_NE(text.find("Vorelin", at), std::string::npos) << "the footer follows";
    EXPECT_NE(Output("pdfinfo '" + pdf + "'").find("Pages:           1\n"), std::string::npos);
}

} // namespace
