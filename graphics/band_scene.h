#pragma once

#include "core/band_prediction.h"
#include "core/band_results.h"
#include "core/band_table.h"
#include "core/networks.h"
#include "core/tolerance_area.h"
#include "graphics/chart_view.h"
#include "graphics/measured_traces.h"
#include "graphics/page_items.h"
#include "graphics/style.h"
#include "graphics/surface.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorelin {

// The band page as drawings: the Smith chart of the rows' loads (the results page's grid, the
// loads joined in frequency order, their tolerance areas) and the plot of SWR against frequency;
// for a picture of the page also its title and the table's rows as text.

// Where the page's parts stand (page units). Nothing of one reaches into another.
inline constexpr PageRect kBandTableArea{300, 900, 11700, 4350};
inline constexpr PageRect kBandChartArea{3500, 4500, 8200, 8950};
inline constexpr PageRect kBandSwrArea{8400, 4550, 11800, 8450};
// The widths of the table's columns (page units): the ten band columns, the load, SWR, |Γ| and
// the flag of a row whose settings were likely misread, in a column of its own.
inline constexpr std::size_t kBandViewColumns = kBandColumnCount + 4;
inline constexpr std::size_t kBandFlagColumn = kBandColumnCount + 3;
inline constexpr std::array<float, kBandViewColumns> kBandColumnWidths{950, 700, 800, 660,  660, 660, 660,
                                                                       660, 660, 900, 1550, 550, 650, 1050};
// The headings of those columns.
inline constexpr std::array<std::string_view, kBandViewColumns> kBandColumnHeadings{
    "Frequency", "Topology", "Impedance", "C1",          "C2",  "C3",  "L1",
    "L2",        "L3",       "Note",      "Load R + jX", "SWR", "|Γ|", "Flag"};

// What the flag column tells of a row flagged by MisreadRows (its tooltip tells why).
inline constexpr std::string_view kMisreadText = "likely misread";

// The page's controls, as the page places them.
std::span<const ControlPlace> BandControlPlaces();

// The chart's view: where its centre stands and how far it is enlarged.
struct BandChartView {
    float centreX;
    float centreY;
    float scale;
    friend bool operator==(const BandChartView&, const BandChartView&) = default;
};
// The unit circle's radius at scale 1: the chart with its labels fills its area.
inline constexpr float kBandChartRadius = 1900;
inline constexpr float kSmallestBandScale = 0.5f;
inline constexpr float kLargestBandScale = 40;

// Centred in the chart's area at scale 1.
BandChartView HomeBandView();
ChartFrame BandFrame(const BandChartView& view);
// Enlarges by `factor` (held within the scale limits) so that the chart point under `about` stays.
void ZoomBandView(BandChartView& view, PagePoint about, double factor);
void PanBandView(BandChartView& view, float dx, float dy);

// One row with a load, as the chart and the SWR plot mark it.
struct BandScenePoint {
    std::size_t row; // in the table
    float frequency;
    Load load;
    std::optional<double> swr;           // against the row's own Z0
    const ToleranceArea* area = nullptr; // drawn around the point when there is one
    bool predicted = false;              // a suggested row: a square of its own colour
    bool misread = false;                // flagged as likely misread: ringed in orange
};

struct BandSceneModel {
    std::vector<BandScenePoint> points;   // in frequency order
    float impedance = kFallbackImpedance; // the chart's Z0
    bool mixedImpedances = false;         // some rows have another Z0
    std::optional<std::size_t> selectedRow;
    std::span<const MeasuredTrace> measured; // sweeps beside the rows, in the order opened
    bool atAntenna = false;                  // the points are the antenna's feedpoints, SWR on the line
};

// The rows with a load in frequency order. `areas`, when not empty, holds one entry per row;
// `misread` holds the rows MisreadRows flagged, in order of rows as it gives them. With
// `lineImpedance` the results are the antenna's feedpoints (FeedpointResults): the chart is
// normalised to the line's Zc, and the tolerance areas, which lie at the tuner, are left out.
BandSceneModel MakeBandSceneModel(const BandTable& table, std::span<const BandResult> results,
                                  std::span<const std::optional<ToleranceArea>> areas,
                                  std::optional<std::size_t> selectedRow,
                                  std::span<const MisreadRow> misread = {},
                                  std::optional<float> lineImpedance = {});

// Where each point of the model was marked on the page (not finite for one off every chart).
struct BandSceneDrawn {
    std::vector<PagePoint> marks;
    MeasuredTracesDrawn measured;
};

// Draws the chart in kBandChartArea and the SWR plot in kBandSwrArea.
BandSceneDrawn DrawBandScene(Surface& surface, const BandSceneModel& model, const BandChartView& view);

// The point (an index into model.points) whose mark is nearest to `at` within `reach` page units.
std::optional<std::size_t> PointNear(const BandSceneDrawn& drawn, PagePoint at, float reach);

// What hovering over a point tells: "14.2 MHz", "25 -j62.5 Ω", "SWR 3"; a predicted or misread
// row says so after its frequency ("14.2 MHz, predicted").
std::array<std::string, 3> PointTexts(const BandScenePoint& point);
// 14.2e6 -> "14.2 MHz".
std::string FrequencyLabel(float frequency);

// The part of a line inside `area`, drawn as a line of its own (nothing of a line with an end
// that is not finite).
void ClippedLine(Surface& surface, PagePoint from, PagePoint to, const PageRect& area, Colour colour);
// A text cut to `width` page units, with "…" where it was cut.
std::string Fitted(const Font& font, const std::string& text, double width);

// The whole page as a picture: its title, the table's rows from `firstRow` on as far as they fit,
// and the scene.
void DrawBandPicture(Surface& surface, const BandTable& table, std::span<const BandResult> results,
                     std::size_t firstRow, const BandSceneModel& model, const BandChartView& view);

} // namespace vorelin
