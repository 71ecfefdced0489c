#include "print/report.h"

#include "core/number_text.h"
#include "core/readout.h"
#include "core/version.h"
#include "graphics/page_layout.h"
#include "graphics/style.h"
#include "graphics/text_metrics.h"

#include <cmath>

namespace vorelin {

namespace {

// The schematic's anchor on paper: the signal rail at 2000, the ground rail at 3040.
constexpr Anchor kSchematicStart{1500, 2000};

constexpr int kOutputBarPen = 5;

float Offset(float base, double by) { return static_cast<float>(static_cast<double>(base) + by); }

void PrintAt(Surface& surface, float x, float y, std::string_view text) {
    surface.MoveTo(x, y);
    surface.Print(text);
}

// The reactance over its symbol: "+j47.01322", "-j12.5".
std::string ReactanceText(float reactance) {
    return reactance > 0 ? "+j" + PlainText(reactance) : "-j" + PlainText(std::fabs(reactance));
}

// The line under "Load:": "2.454566 +j47.01322", "50 -j12.5"; a purely resistive load in the
// print form alone, " 50 "; " cannot be computed" when there is no load.
std::string LoadLineText(const NetworkRun& run) {
    if (!run.Computed()) return std::string(kLoadLineNotComputable);
    const float reactance = run.load.LoadX;
    if (reactance == 0) return PrintText(run.load.LoadR);
    return PlainText(run.load.LoadR) + " " + ReactanceText(reactance);
}

// The part the load's reactance amounts to: "( 526.929 nH )".
std::string EquivalentText(const Load& load, float frequency) {
    return "( " + EquivalentPartText(load, frequency) + " )";
}

} // namespace

std::string ChartCaption(float impedance) {
    TextForm noLeadingZero;
    noLeadingZero.leadingZero = false;
    return "Load as seen on a " + DecimalText(static_cast<double>(impedance), noLeadingZero) + " ohm chart:";
}

namespace {

constexpr float kTextGap = 30;
constexpr float kStrokeReach = 20;
constexpr PageRect kSheet = WholePage(kPrinterPage);
// The system lines under their heading.
constexpr float kSystemIndent = 300;
// Between the last figure and the footer.
constexpr double kFooterGap = 200;

// The sheet but its figures and footer: the title, the chart (with the tolerance area when there
// is one), the network and the load.
// With a region, the chart shows its area, where the load must lie, as the page does.
void DrawSheet(Surface& surface, const LoadAnalysis& analysis, DotStyle mark, TextPlacer& placer) {
    const Entries& entries = analysis.entries;
    surface.SetTextColour(kInkColour);
    surface.SetFont(kReportTitleFont);
    PrintAt(surface, 2000, 500, kReportTitle);
    surface.SetFont(kReportBodyFont);
    std::optional<PrintedLoadMark> printedMark;
    if (analysis.Computed()) printedMark = PrintedLoadMark{analysis.run.load, entries.Impedance, mark};
    PrintChart(surface, entries.Impedance, printedMark, analysis.region ? &analysis.region->area : nullptr);
    PrintNetwork(surface, entries, analysis.run, placer);
}

} // namespace

void DrawReport(Surface& surface, const LoadAnalysis& analysis, std::string_view dateTimeText, DotStyle mark,
                std::span<const std::string> systemLines) {
    // The sheet is drawn once without the part values and the load's texts, to see where
    // everything else lies; then those texts go where they cover nothing.
    DisplayList measured;
    TextPlacer measuring = TextPlacer::ForMeasuring();
    DrawSheet(measured, analysis, mark, measuring);
    FreeRoom room(kTextGap);
    room.TakeAll(measured, kStrokeReach);
    TextPlacer placer(std::move(room), kSheet);
    DrawSheet(surface, analysis, mark, placer);

    // Under the chart the load's figures (with a region also their ranges), then the footer.
    const std::vector<std::string> lines = FigureLines(analysis);
    surface.SetTextColour(kInkColour);
    surface.SetFont(kReportBodyFont);
    auto y = static_cast<double>(kReportDetailsTop);
    for (const std::string& line : lines) {
        PrintAt(surface, kReportDetailsLeft, static_cast<float>(y), line);
        y += LineSpacing(kReportBodyFont);
    }
    const Font& system = kReportSystemFont;
    surface.SetFont(system);
    for (std::size_t i = 0; i < systemLines.size(); ++i) {
        // The heading, then its lines indented under it.
        const float left = kReportDetailsLeft + (i == 0 ? 0 : kSystemIndent);
        for (const std::string& wrapped :
             WrapText(system, systemLines[i], static_cast<double>(kSheet.right - kReportDetailsLeft - left))) {
            PrintAt(surface, left, static_cast<float>(y), wrapped);
            y += LineSpacing(system);
        }
    }
    surface.SetFont(kReportFooterFont);
    y += lines.empty() && systemLines.empty() ? 0 : kFooterGap;
    PrintAt(surface, 2000, static_cast<float>(y), dateTimeText);
    PrintAt(surface, 2000, static_cast<float>(y + 200),
            std::string(kProgramName) + " " + std::string(kVersionText) + " - " +
                std::string(kPublisherAddress));
}

void PrintChart(Surface& surface, float impedance, const std::optional<PrintedLoadMark>& mark,
                const ToleranceArea* area) {
    if (area != nullptr)
        FillToleranceArea(surface, *area, {kPrintedCentreX, kPrintedCentreY, kChartRadius, 1, 1},
                          kRegionDot.colour, kSheet);
    PrintGrid(surface, mark);
    surface.SetPenWidth(1);
    surface.SetTextColour(kInkColour);
    PrintAt(surface, 1800, 4000, ChartCaption(impedance));
}

void PrintNetwork(Surface& surface, const Entries& entries, const NetworkRun& run, TextPlacer& placer) {
    surface.SetTextColour(kInkColour);
    Anchor at = kSchematicStart;
    Schematic printed(surface, entries, run.load.LoadX, SchematicPage::Printer);
    printed.PlaceLabelsWith(&placer);
    printed.Gen(at);                           // and the pen width 10 for the rest of the schematic
    printed.DrawNetwork(entries.Topology, at); // nothing outside topologies 1 to 8
    PrintLoad(surface, entries, run, at, placer);
    surface.SetPenWidth(1);
}

void PrintLoad(Surface& surface, const Entries& entries, const NetworkRun& run, Anchor& at,
               TextPlacer& placer) {
    // A load that was not found has no reactance to draw: its lead-in is a bare stretch.
    const bool loadFound = run.Computed();
    const float reactance = loadFound ? run.load.LoadX : 0;
    Schematic printed(surface, entries, reactance, SchematicPage::Printer);

    printed.Wire(at);
    surface.SetPenWidth(kOutputBarPen);
    surface.Line(at.X, Offset(at.Y, -300), at.X, Offset(at.Y, 1200), kInkColour);
    printed.Load(at); // pen width 10, the lead-in, two Wires and the resistor; X stays at the resistor

    // Each text is placed in the font it is printed in.
    const auto printPlaced = [&](PagePoint wanted, const std::string& text) {
        if (const auto place = placer.Place(wanted, text, surface.CurrentFont()))
            PrintAt(surface, place->x, place->y, text);
    };
    if (loadFound) printPlaced({Offset(at.X, 200), Offset(at.Y, 350)}, PrintText(run.load.LoadR));
    if (reactance != 0) {
        printPlaced({Offset(at.X, -1200), Offset(at.Y, -400)}, ReactanceText(reactance));
        printPlaced({Offset(at.X, 100), Offset(at.Y, -400)}, EquivalentText(run.load, entries.Frequency));
    }

    surface.SetFont(kReportBodyFont);
    const std::string line = LoadLineText(run);
    // "Load:" keeps its place. Where the line under it would cover the generator's texts, it
    // follows "Load:" on its row.
    PrintAt(surface, 1000, 1200, "Load:");
    placer.Take({1000, 1200}, "Load:", surface.CurrentFont());
    const PagePoint under{1000, 1500};
    const PagePoint beside{static_cast<float>(1000 + TextWidth(surface.CurrentFont(), "Load: ")), 1200};
    printPlaced(placer.IsFree(under, line, surface.CurrentFont()) ? under : beside, line);
}

} // namespace vorelin
