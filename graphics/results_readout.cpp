// The results page's readout step: the schematic with the generator's texts, "Load:" and the load
// line.
#include "core/readout.h"
#include "graphics/results_scene.h"
#include "graphics/schematic.h"
#include "graphics/text_metrics.h"

#include <algorithm>

namespace vorelin {

namespace {

constexpr float kLoadTextTop = 3200;
constexpr float kLoadLineTop = 3400;
// Between the red load line and what it must keep clear of: the chart's area, the port mark.
constexpr float kLoadLineGap = 30;

} // namespace

void DrawResultsReadout(Surface& surface, const LoadAnalysis& analysis) {
    const bool computed = analysis.Computed();
    surface.SetFont(kPageFont);
    surface.SetTextColour(kInkColour);
    surface.SetPenWidth(2);
    // A load that was not found has no reactance to show: its lead-in is a bare Wire.
    const ResultsSchematicEnds ends =
        DrawResultsSchematic(surface, analysis.entries, computed ? analysis.run.load.LoadX : 0);
    const std::string line = computed ? LoadLine(analysis.run.load) : std::string(kLoadLineNotComputable);
    // "Load:" and the load line stand under the readout column, moved left as far as a long line
    // needs to keep out of the chart's area, but not across the output port mark; a line still
    // too long goes on two lines, the reactance under the resistance.
    const double width = TextWidth(kPageFont, line);
    const double designed = static_cast<double>(ends.networkEndX) + 300;
    const double leftmost = static_cast<double>(ends.networkEndX + kLoadLineGap);
    const double rightmost = static_cast<double>(kResultsChartArea.left - kLoadLineGap);
    const auto x = static_cast<float>(std::max(leftmost, std::min(designed, rightmost - width)));
    surface.SetTextColour(kLoadTextColour);
    surface.MoveTo(x, kLoadTextTop);
    surface.Print("Load:");
    const std::size_t split = line.find(" -j") != std::string::npos ? line.find(" -j") : line.find(" +j");
    surface.MoveTo(x, kLoadLineTop);
    if (static_cast<double>(x) + width <= rightmost || split == std::string::npos) {
        surface.Print(line);
    } else {
        surface.Print(line.substr(0, split));
        surface.MoveTo(x, static_cast<float>(static_cast<double>(kLoadLineTop) + LineSpacing(kPageFont)));
        surface.Print(line.substr(split + 1));
    }
    surface.SetTextColour(kInkColour);
}

} // namespace vorelin
