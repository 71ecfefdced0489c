#pragma once

#include "core/entries.h"
#include "core/load_analysis.h"
#include "core/networks.h"
#include "core/tolerance_area.h"
#include "graphics/chart_grid.h"
#include "graphics/load_marks.h"
#include "graphics/page_layout.h"
#include "graphics/schematic.h"
#include "graphics/surface.h"

#include <span>
#include <string>
#include <string_view>

namespace vorelin {

// The printed report: one sheet with the title, the schematic of the network with its part
// values and the load, the load's readout, the Smith chart with the load marked, and a footer.
// It is drawn in the printer page's units (kPrinterPage), origin at the top-left.

inline constexpr std::string_view kReportTitle = "Vorelin Output";
inline constexpr std::string_view kPublisherAddress = "https://vorelin.example.org";

// The whole sheet, drawn on `surface` from the analysis of the load: title, chart, network,
// load, below the chart the load's figures (with a region, also their ranges over it, and its
// area filled on the chart), and under them the footer with `dateTimeText` (the user's local
// date and time) and the version. The load is marked on the chart in `mark`, the style the
// results page marks it with. When the entries give no load, the chart is left unmarked and the
// load line says so.
// `systemLines` (the antenna system's, SystemLines) follow the figures in a smaller type, each
// wrapped to the sheet.
void DrawReport(Surface& surface, const LoadAnalysis& analysis, std::string_view dateTimeText, DotStyle mark,
                std::span<const std::string> systemLines = {});


// Where the figures stand on the sheet: right under the chart, the footer under them.
inline constexpr float kReportDetailsLeft = 1000;
inline constexpr float kReportDetailsTop = 11400;

// The report's steps, in the order DrawReport runs them.

// The printed grid over the tolerance area (when there is one) with the load marked (when there is
// one) and its caption.
void PrintChart(Surface& surface, float impedance, const std::optional<PrintedLoadMark>& mark,
                const ToleranceArea* area = nullptr);
// The generator, the network of Topology and PrintLoad for the network's run; the part values
// and the load's texts go where `placer` puts them.
void PrintNetwork(Surface& surface, const Entries& entries, const NetworkRun& run, TextPlacer& placer);
// From the network's output end `at`: the output bar, the load with its lead-in and readouts,
// and "Load:" with the load line at the top left. A run that found no load: no readouts, the
// lead-in a bare stretch, and the load line says that the load cannot be computed.
void PrintLoad(Surface& surface, const Entries& entries, const NetworkRun& run, Anchor& at,
               TextPlacer& placer);

// "Load as seen on a 50 ohm chart:", ".5 ohm" for half an ohm.
std::string ChartCaption(float impedance);

} // namespace vorelin
