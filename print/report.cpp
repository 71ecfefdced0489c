#include "print/report.h"

#include "core/networks.h"
#include "core/number_text.h"
#include "core/readout.h"

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
std::string ReportLoadLine(const Session& session) {
    const float reactance = session.LoadX;
    if (reactance == 0) return PrintText(session.LoadR);
    return PlainText(session.LoadR) + " " + ReactanceText(reactance);
}

bool LoadFound(NetworkResult result) { return result == NetworkResult::Computed; }

} // namespace

std::string ChartCaption(float impedance) {
    TextForm noLeadingZero;
    noLeadingZero.leadingZero = false;
    return "Load as seen on a " + DecimalText(static_cast<double>(impedance), noLeadingZero) + " ohm chart:";
}

void DrawReport(Surface& surface, Session& session, std::string_view dateTimeText) {
    // The chart is drawn before the network runs again, from the load already held; whether the
    // entries give a load at all is asked of a copy, so that a load that cannot be found is not
    // marked where an earlier one was.
    Session trial = session;
    const bool loadFound = LoadFound(RunNetwork(trial));

    surface.SetTextColour(kBlack);
    surface.SetFont(ReportFont(kTitlePoints));
    PrintAt(surface, 2000, 500, kReportTitle);
    surface.SetFont(ReportFont(kBodyPoints));
    PrintChart(surface, session, loadFound ? PrintedLoadMark::Shown : PrintedLoadMark::Omitted);
    PrintNetwork(surface, session);

    surface.SetTextColour(kBlack);
    surface.SetFont(ReportFont(kFooterPoints));
    PrintAt(surface, 2000, 11300, dateTimeText);
    PrintAt(surface, 2000, 11500, "Vorelin " + session.VersionText + " - " + std::string(kPublisherAddress));
}

void PrintChart(Surface& surface, Session& session, PrintedLoadMark mark) {
    PrintGrid(surface, session, mark);
    surface.SetPenWidth(1);
    surface.SetTextColour(kBlack);
    PrintAt(surface, 1800, 4000, ChartCaption(session.Impedance));
}

void PrintNetwork(Surface& surface, Session& session) {
    surface.SetTextColour(kBlack);
    Anchor at = kSchematicStart;
    Schematic printed(surface, session, SchematicPage::Printer);
    printed.Gen(at); // and the pen width 10 for the rest of the schematic
    // Outside topologies 1 to 8 nothing runs and nothing is drawn.
    const NetworkResult result = RunNetwork(session);
    printed.DrawNetwork(session.Topology, at);
    PrintLoad(surface, session, at, LoadFound(result));
    surface.SetPenWidth(1);
}

void PrintLoad(Surface& surface, const Session& session, Anchor& at, bool loadFound) {
    // A load that was not found has no reactance to draw: its lead-in is a bare stretch.
    Session shown = session;
    if (!loadFound) shown.LoadX = 0;
    Schematic printed(surface, shown, SchematicPage::Printer);

    printed.Wire(at);
    surface.SetPenWidth(kOutputBarPen);
    surface.Line(at.X, Offset(at.Y, -300), at.X, Offset(at.Y, 1200), kBlack);
    printed.Load(at); // pen width 10, the lead-in, two Wires and the resistor; X stays at the resistor

    const float reactance = shown.LoadX;
    if (loadFound) PrintAt(surface, Offset(at.X, 200), Offset(at.Y, 350), PrintText(session.LoadR));
    if (reactance != 0) {
        PrintAt(surface, Offset(at.X, -1200), Offset(at.Y, -400), ReactanceText(reactance));
        PrintAt(surface, Offset(at.X, 100), Offset(at.Y, -400), "( " + EquivalentPartText(session) + " )");
    }

    surface.SetFont(ReportFont(kBodyPoints));
    PrintAt(surface, 1000, 1200, "Load:");
    PrintAt(surface, 1000, 1500, loadFound ? ReportLoadLine(session) : std::string(kLoadLineNotComputable));
}

} // namespace vorelin
