#include "print/report.h"

#include "core/networks.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/version.h"

#include <cmath>

namespace vorelin {

namespace {

constexpr Colour kBlack = 0;

// The schematic's anchor on paper: the signal rail at 2000, the ground rail at 3040.
constexpr Anchor kSchematicStart{1500, 2000};

constexpr int kOutputBarPen = 5;

Font ReportFont(float points) { return Font{"Arial", points * kPageUnitsPerPoint, false}; }

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
// print form alone, " 50 ".
std::string ReportLoadLine(const Load& load) {
    const float reactance = load.LoadX;
    if (reactance == 0) return PrintText(load.LoadR);
    return PlainText(load.LoadR) + " " + ReactanceText(reactance);
}

} // namespace

std::string ChartCaption(float impedance) {
    TextForm noLeadingZero;
    noLeadingZero.leadingZero = false;
    return "Load as seen on a " + DecimalText(static_cast<double>(impedance), noLeadingZero) + " ohm chart:";
}

void DrawReport(Surface& surface, const Entries& entries, std::string_view dateTimeText, DotStyle mark) {
    const NetworkRun run = RunNetwork(entries);

    surface.SetTextColour(kBlack);
    surface.SetFont(ReportFont(kTitlePoints));
    PrintAt(surface, 2000, 500, kReportTitle);
    surface.SetFont(ReportFont(kBodyPoints));
    std::optional<PrintedLoadMark> printedMark;
    if (run.Computed()) printedMark = PrintedLoadMark{run.load, entries.Impedance, mark};
    PrintChart(surface, entries.Impedance, printedMark);
    PrintNetwork(surface, entries, run);

    surface.SetTextColour(kBlack);
    surface.SetFont(ReportFont(kFooterPoints));
    PrintAt(surface, 2000, 11300, dateTimeText);
    PrintAt(surface, 2000, 11500,
            std::string(kProgramName) + " " + std::string(kVersionText) + " - " + std::string(kPublisherAddress));
}

void PrintChart(Surface& surface, float impedance, const std::optional<PrintedLoadMark>& mark) {
    PrintGrid(surface, mark);
    surface.SetPenWidth(1);
    surface.SetTextColour(kBlack);
    PrintAt(surface, 1800, 4000, ChartCaption(impedance));
}

void PrintNetwork(Surface& surface, const Entries& entries, const NetworkRun& run) {
    surface.SetTextColour(kBlack);
    Anchor at = kSchematicStart;
    Schematic printed(surface, entries, run.load.LoadX, SchematicPage::Printer);
    printed.Gen(at); // and the pen width 10 for the rest of the schematic
    printed.DrawNetwork(entries.Topology, at); // nothing outside topologies 1 to 8
    PrintLoad(surface, entries, run, at);
    surface.SetPenWidth(1);
}

void PrintLoad(Surface& surface, const Entries& entries, const NetworkRun& run, Anchor& at) {
    // A load that was not found has no reactance to draw: its lead-in is a bare stretch.
    const bool loadFound = run.Computed();
    const float reactance = loadFound ? run.load.LoadX : 0;
    Schematic printed(surface, entries, reactance, SchematicPage::Printer);

    printed.Wire(at);
    surface.SetPenWidth(kOutputBarPen);
    surface.Line(at.X, Offset(at.Y, -300), at.X, Offset(at.Y, 1200), kBlack);
    printed.Load(at); // pen width 10, the lead-in, two Wires and the resistor; X stays at the resistor

    if (loadFound) PrintAt(surface, Offset(at.X, 200), Offset(at.Y, 350), PrintText(run.load.LoadR));
    if (reactance != 0) {
        PrintAt(surface, Offset(at.X, -1200), Offset(at.Y, -400), ReactanceText(reactance));
        PrintAt(surface, Offset(at.X, 100), Offset(at.Y, -400),
                "( " + EquivalentPartText(run.load, entries.Frequency) + " )");
    }

    surface.SetFont(ReportFont(kBodyPoints));
    PrintAt(surface, 1000, 1200, "Load:");
    PrintAt(surface, 1000, 1500, loadFound ? ReportLoadLine(run.load) : std::string(kLoadLineNotComputable));
}

} // namespace vorelin
