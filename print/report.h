#pragma once

#include "core/session.h"
#include "graphics/chart_grid.h"
#include "graphics/schematic.h"
#include "graphics/surface.h"

#include <string>
#include <string_view>

namespace vorelin {

// The printed report: one sheet with the title, the schematic of the network with its part
// values and the load, the load's readout, the Smith chart with the load marked, and a footer.
// It is drawn in the printer page's units: 11500 wide, 15200 high, origin at the top-left.

inline constexpr std::string_view kReportTitle = "Vorelin Output";
inline constexpr std::string_view kPublisherAddress = "https://vorelin.example.org";

// Sizes of the report's Arial fonts, in points.
inline constexpr float kTitlePoints = 18;
inline constexpr float kBodyPoints = 12;
inline constexpr float kFooterPoints = 8;

// The whole sheet, drawn on `surface` from the session: title, chart, network, load and footer
// with `dateTimeText` (the user's local date and time). Runs the network routine of Topology
// once more, which sets ChartRadius and rewrites LoadR, LoadX and the part-value copies with
// what the same entries gave before; nothing else in the session changes. When the entries
// give no load, the chart is left unmarked and the load line says so.
void DrawReport(Surface& surface, Session& session, std::string_view dateTimeText);

// The report's steps, in the order DrawReport runs them.

// The printed grid with the load marked (when `mark` says so) and its caption.
void PrintChart(Surface& surface, Session& session, PrintedLoadMark mark);
// The generator, the network of Topology (after running its routine) and PrintLoad.
void PrintNetwork(Surface& surface, Session& session);
// From the network's output end `at`: the output bar, the load with its lead-in and readouts,
// and "Load:" with the load line at the top left. `loadFound` false: no readouts, the lead-in
// a bare stretch, and the load line says that the load cannot be computed.
void PrintLoad(Surface& surface, const Session& session, Anchor& at, bool loadFound);

// "Load as seen on a 50 ohm chart:", ".5 ohm" for half an ohm.
std::string ChartCaption(float impedance);

} // namespace vorelin
