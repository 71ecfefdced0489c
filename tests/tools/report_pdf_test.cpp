// vorelin-calc --report, run as a user runs it (no display, no platform chosen), and the PDF
// read back with poppler's tools: one portrait page with the chart where the layout puts it.
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Folder = vorelin::test::ScratchFolder;

// A load of practically 50 ohms (50.00004 -j0.047): the mark sits on the chart's centre.
const std::string kMatched = "--topology 1 --frequency 1M --impedance 50 --l1 10n --c2 1p --report";

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

int Shell(const std::string& command) { return std::system(command.c_str()); }

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs a command and returns what it wrote to stdout.
std::string Output(const std::string& command, const Folder& folder) {
    const fs::path out = folder.Path() / "output.txt";
    EXPECT_EQ(Shell(command + " > " + Quoted(out)), 0) << command;
    return ReadAll(out);
}

// Writes the report for the matched load under the given locale.
fs::path WriteReport(const Folder& folder, const std::string& locale) {
    const fs::path pdf = folder.Path() / "report.pdf";
    const std::string command = "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY LC_ALL=" + locale +
                                " " + VORELIN_CALC + " " + kMatched + " " + Quoted(pdf) + " > /dev/null";
    EXPECT_EQ(Shell(command), 0) << command;
    return pdf;
}

// A binary PPM image as pdftoppm writes it.
struct Picture {
    int width = 0, height = 0;
    std::string pixels;
    struct Rgb {
        int red, green, blue;
    };
    Rgb At(double x, double y) const {
        const auto index =
            (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 3;
        const auto byte = [&](std::size_t i) {
            return static_cast<int>(static_cast<std::uint8_t>(pixels[index + i]));
        };
        return {byte(0), byte(1), byte(2)};
    }
};

Picture ReadPpm(const fs::path& path) {
    std::istringstream in(ReadAll(path));
    std::string magic;
    int maximum = 0;
    Picture picture;
    in >> magic >> picture.width >> picture.height >> maximum;
    in.get();
    EXPECT_EQ(magic, "P6");
    EXPECT_EQ(maximum, 255);
    picture.pixels.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    EXPECT_EQ(picture.pixels.size(), static_cast<std::size_t>(picture.width * picture.height * 3));
    return picture;
}

// The report's page, 11500 x 15200 units, fitted into the sheet and centred on it.
struct Sheet {
    double scale, left, top;
    explicit Sheet(const Picture& p)
        : scale(std::min(p.width / 11500.0, p.height / 15200.0)), left((p.width - scale * 11500) / 2),
          top((p.height - scale * 15200) / 2) {}
    double X(double x) const { return left + scale * x; }
    double Y(double y) const { return top + scale * y; }
};

bool IsBlue(Picture::Rgb c) { return c.blue > 200 && c.red < 90 && c.green < 90; }
bool IsRed(Picture::Rgb c) { return c.red > 200 && c.green < 90 && c.blue < 90; }
bool IsWhite(Picture::Rgb c) { return c.red > 245 && c.green > 245 && c.blue > 245; }

TEST(ReportPdf, OnePortraitPageWithTheChartInPlace) {
    const Folder folder;
    const fs::path pdf = WriteReport(folder, "de_DE.UTF-8");

    const std::string info = Output("pdfinfo " + Quoted(pdf), folder);
    EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       595 x 842 pts (A4)"), std::string::npos) << info;
    EXPECT_NE(info.find("Title:           Vorelin Output\n"), std::string::npos) << info;

    ASSERT_EQ(Shell("pdftoppm -r 150 -singlefile " + Quoted(pdf) + " " + Quoted(folder.Path() / "page")), 0);
    const Picture page = ReadPpm(folder.Path() / "page.ppm");
    ASSERT_LT(page.width, page.height); // portrait
    const Sheet sheet(page);

    // The load's blue ring of radius 50 around the centre (6000, 8000), its pen 16 dots of 600 dpi.
    for (const auto& [dx, dy] : {std::pair{50, 0}, {-50, 0}, {0, 50}, {0, -50}}) {
        const auto colour = page.At(sheet.X(6000 + dx), sheet.Y(8000 + dy));
        EXPECT_TRUE(IsBlue(colour)) << dx << ", " << dy << ": " << colour.red << " " << colour.green << " "
                                    << colour.blue;
    }
    // The outer circle, radius 3000, in red; white just outside it and at the sheet's corner.
    for (const double degrees : {45.0, 135.0, 225.0, 315.0}) {
        const double angle = degrees * std::numbers::pi / 180;
        const double x = 6000 + 3000 * std::cos(angle), y = 8000 - 3000 * std::sin(angle);
        EXPECT_TRUE(IsRed(page.At(sheet.X(x), sheet.Y(y)))) << degrees;
        const double outX = 6000 + 3100 * std::cos(angle), outY = 8000 - 3100 * std::sin(angle);
        EXPECT_TRUE(IsWhite(page.At(sheet.X(outX), sheet.Y(outY)))) << degrees;
    }
    EXPECT_TRUE(IsWhite(page.At(2, 2)));

    // The texts are real text in the document; the date follows the German short form.
    const std::string text = Output("pdftotext -layout " + Quoted(pdf) + " -", folder);
    for (const char* expected :
         {"Vorelin Output", "Load as seen on a 50 ohm chart:", "Test freq:", "50.00004 -j0.04712391",
          "Vorelin Version 2.03 - https://vorelin.example.org"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(\b\d\d\.\d\d\.\d\d \d\d:\d\d\b)"))) << text;
}

TEST(ReportPdf, LetterPaperWhereTheLocaleMeasuresInUsUnits) {
    const Folder folder;
    const fs::path pdf = WriteReport(folder, "en_US.UTF-8");
    const std::string info = Output("pdfinfo " + Quoted(pdf), folder);
    EXPECT_NE(info.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info;
    const std::string text = Output("pdftotext " + Quoted(pdf) + " -", folder);
    EXPECT_TRUE(std::regex_search(text, std::regex(R"(\b\d{1,2}/\d{1,2}/\d\d \d{1,2}:\d\d\s?[AP]M\b)")))
        << text;
}

} // namespace
