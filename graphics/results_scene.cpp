#include "graphics/results_scene.h"

#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"
#include "graphics/chart_grid.h"
#include "graphics/schematic.h"
#include "graphics/text_metrics.h"

#include <algorithm>

namespace vorelin {

namespace {

// A font given as a factor of the screen height (in twips, giving points) is 180000 x factor
// page units; a size in points is 20 page units a point.
constexpr float ScreenFontSize(double factor) { return static_cast<float>(180000 * factor); }
constexpr float PointFontSize(double points) { return static_cast<float>(20 * points); }

constexpr Colour kBlack = 0;
constexpr Colour kLoadTextRed = 0x0000FF;
constexpr Colour kTitleBlue = 0xFF0000;
constexpr Colour kLabelGrey = 0xE0E0E0;
constexpr Colour kCaptionBackground = 0xEEEEFF;
constexpr Colour kHintBackground = 0xFFFFFF;

constexpr float kLoadTextTop = 3200;
constexpr float kLoadLineTop = 3400;

constexpr double kPartLabelWidth = 2500;
constexpr double kPartLabelHeight = 330;
constexpr double kPartLabelMargin = 120;

constexpr std::string_view kHint =
    "Adjust the network for a flat input. Then measure each of the network's component values and enter "
    "those values into the network schematic on the Entries page. The load will appear somewhere within "
    "the colored area. That area is defined by the above-selected accuracy of the component value "
    "measurement.";
constexpr double kHintLeft = 3000, kHintTop = 6000, kHintWidth = 2100, kHintHeight = 2500;
constexpr float kSmallestHintFont = PointFontSize(6);

// The largest size, at most the hint font's own, at which the hint wrapped into its box fits it,
// with a little room to spare.
Font FittedHintFont() {
    Font font = kResultsHintFont;
    for (; font.size > kSmallestHintFont; font.size *= 0.95f) {
        const auto lines = WrapText(font, kHint, kHintWidth * 0.95);
        if (static_cast<double>(lines.size()) * LineSpacing(font) <= kHintHeight * 0.95) return font;
    }
    font.size = kSmallestHintFont;
    return font;
}

void DrawLabel(Surface& surface, const PageLabel& label) {
    if (label.filled)
        surface.FilledBox(static_cast<float>(label.left), static_cast<float>(label.top),
                          static_cast<float>(label.left + label.width), static_cast<float>(label.top + label.height),
                          label.background);
    surface.SetFont(label.font);
    surface.SetTextColour(label.textColour);
    if (label.wrapped) {
        const auto lines = WrapText(label.font, label.text, label.width * 0.95);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            surface.MoveTo(static_cast<float>(label.left),
                           static_cast<float>(label.top + static_cast<double>(i) * LineSpacing(label.font)));
            surface.Print(lines[i]);
        }
    } else if (!label.text.empty()) {
        const double indent = label.centred ? (label.width - TextWidth(label.font, label.text)) / 2 : 0;
        surface.MoveTo(static_cast<float>(label.left + indent), static_cast<float>(label.top));
        surface.Print(label.text);
    }
    surface.SetTextColour(kBlack);
}

// The readout step's drawing: the schematic with the generator's texts, then "Load:" and the
// load line in red under the readout column.
void DrawReadout(Surface& surface, const ResultsModel& model) {
    const bool computed = model.run.Computed();
    surface.SetFont(kResultsPageFont);
    surface.SetPenWidth(2);
    // A load that was not found has no reactance to show: its lead-in is a bare Wire.
    const ResultsSchematicEnds ends = DrawResultsSchematic(surface, model.entries, computed ? model.run.load.LoadX : 0);
    const float readoutX = ends.networkEndX + 200;
    surface.SetTextColour(kLoadTextRed);
    surface.MoveTo(readoutX + 100, kLoadTextTop);
    surface.Print("Load:");
    surface.MoveTo(readoutX + 100, kLoadLineTop);
    surface.Print(computed ? LoadLine(model.run.load) : std::string(kLoadLineNotComputable));
    surface.SetTextColour(kBlack);
}

// The varied loads in green, then the nominal load in dark red.
void DrawRegion(Surface& surface, const ResultsModel& model, const ChartFrame& frame, ResultsScratch& scratch) {
    if (!model.run.Computed()) return;
    const float impedance = model.entries.Impedance;
    PlotDots(surface, model.regionLoads, impedance, frame, kRegionDot, scratch.pagePoints);
    if (model.region.nominal.Computed()) PlotDot(surface, model.region.nominal.load, impedance, frame, kNominalDot);
}

} // namespace

const Font kResultsPageFont{"Arial", ScreenFontSize(0.0008), false};
const Font kResultsReadoutFont{"Arial", PointFontSize(12), false};
const Font kResultsPartFont{"MS Sans Serif", PointFontSize(12), false};
const Font kResultsTitleFont{"Times New Roman", ScreenFontSize(0.002), true};
const Font kResultsHintFont{"Arial", PointFontSize(9.75), false};

ResultsModel ComputeResults(const Entries& entries, float accuracy, bool withRegion, ResultsScratch& scratch) {
    ResultsModel model;
    model.entries = entries;
    model.run = RunNetwork(entries);
    model.accuracy = accuracy;
    scratch.loads.clear();
    if (withRegion && model.run.Computed()) {
        scratch.loads.reserve(static_cast<std::size_t>(SweepCombinations(entries.Topology, accuracy)));
        model.region = SweepTolerance(entries, accuracy, [&scratch](const SweepPoint& point) {
            if (!point.nominal) scratch.loads.push_back({point.loadR, point.loadX});
        });
    }
    model.regionLoads = scratch.loads;
    return model;
}

namespace {

// The controls' fonts: the page's buttons in bold, the accuracy percentages, the small view
// buttons and the aspect-ratio boxes.
const Font kButtonFont{"Arial", ScreenFontSize(0.0008), true};
const Font kPercentFont{"Arial", ScreenFontSize(0.0008), false};
const Font kSmallFont{"Arial", ScreenFontSize(0.0006), false};
const Font kAspectFont{"Arial", ScreenFontSize(0.0007), false};

const ControlPlace kControlPlaces[] = {
    {"accuracyButton", 1000, 5500, 1500, 300, kButtonFont},
    {"accuracy1Button", 2600, 5500, 500, 300, kPercentFont},
    {"accuracy2Button", 3200, 5500, 500, 300, kPercentFont},
    {"accuracy5Button", 3800, 5500, 500, 300, kPercentFont},
    {"accuracy10Button", 4400, 5500, 500, 300, kPercentFont},
    {"accuracy20Button", 5000, 5500, 500, 300, kPercentFont},
    {"entriesButton", 1000, 6000, 1500, 300, kButtonFont},
    {"printButton", 1000, 6500, 1500, 300, kButtonFont},
    {"plotwinButton", 1000, 7000, 1500, 300, kButtonFont},
    {"exitButton", 1000, 7500, 1500, 300, kButtonFont},
    {"aspectLabel", 4500, 7330, 1500, 300, kSmallFont},
    {"aspectBox", 6200, 7300, 400, 300, kAspectFont},
    {"aspectPercentBox", 6700, 7300, 400, 200, kAspectFont},
    {"aspectSpinner", 6620, 7300, 180, 300, kAspectFont},
    {"largerButton", 5400, 7700, 600, 200, kSmallFont},
    {"smallerButton", 6000, 7700, 600, 200, kSmallFont},
    {"resetButton", 6600, 7700, 600, 200, kSmallFont},
    {"upButton", 5900, 8000, 200, 200, kSmallFont},
    {"leftButton", 5700, 8200, 200, 200, kSmallFont},
    {"rightButton", 6100, 8200, 200, 200, kSmallFont},
    {"downButton", 5900, 8400, 200, 200, kSmallFont},
};

} // namespace

std::span<const ControlPlace> ResultsControlPlaces() { return kControlPlaces; }

const ControlPlace& ResultsControlPlace(std::string_view name) {
    for (const ControlPlace& place : kControlPlaces) {
        if (place.name == name) return place;
    }
    static const ControlPlace kNowhere{"", 0, 0, 0, 0, {}};
    return kNowhere;
}

std::vector<PageLabel> ResultsLabels(const ResultsModel& model, const ResultsView& view) {
    const Entries& entries = model.entries;
    const bool computed = model.run.Computed();
    const ResultsSchematicEnds ends = ResultsSchematicExtent(entries.Topology, computed ? model.run.load.LoadX : 0);
    const double readoutX = static_cast<double>(ends.networkEndX + 200);

    std::vector<PageLabel> labels;
    labels.push_back({"lblTitle", "Vorelin - Results Page", 1000, 300, 10000, 500, kResultsTitleFont, kTitleBlue});
    labels.push_back({"lblNormalized", "Load as shown on a " + SignedText(entries.Impedance) + " ohm chart:", 7000,
                      1500, 4000, 300, kResultsPageFont, kBlack, true, kCaptionBackground, true});
    labels.push_back({"lblNetwork", "Network:", 2200, 1200, 1500, 435, kResultsReadoutFont, kBlack, true, kLabelGrey});
    labels.push_back({"lblLoad", "Load:", readoutX, 1200, 1500, 405, kResultsReadoutFont, kBlack, true, kLabelGrey});

    // The part labels stack in the page's order of them: C1, C2, C3, L1, L2, L3.
    const auto parts = PartsOf(entries.Topology);
    for (const std::string_view name : kPartNames) {
        for (std::size_t position = 0; position < parts.size(); ++position) {
            if (parts[position].name != name) continue;
            const LabelPlace place = ResultsLabelPlace(entries.Topology, position);
            const std::string text = PartLabel(entries, parts[position]);
            // At most as wide as designed, but no wider than its text: the grey box of a label must
            // not cover its neighbour or the red load line drawn on the page beside it.
            const double width = std::min(kPartLabelWidth, TextWidth(kResultsPartFont, text) + kPartLabelMargin);
            labels.push_back({"lbl" + std::string(name), text, place.left, place.top, width, kPartLabelHeight,
                              kResultsPartFont, kBlack, true, kLabelGrey});
        }
    }

    labels.push_back({"lblReactance",
                      computed ? ReactanceLabel(model.run.load, entries.Frequency) : std::string(kLoadNotComputable),
                      readoutX, static_cast<double>(kResultsSchematicY) - 400, 3400, 375, kResultsReadoutFont});
    labels.push_back({"lblResistance", computed ? ResistanceLabel(model.run.load) : std::string(),
                      static_cast<double>(ends.loadX) + 100, static_cast<double>(kResultsSchematicY) + 400, 2000, 375,
                      kResultsReadoutFont});
    if (view.hintShown) {
        labels.push_back({"lblComment", std::string(kHint), kHintLeft, kHintTop, kHintWidth, kHintHeight,
                          FittedHintFont(), kBlack, true, kHintBackground, false, true});
    }
    return labels;
}

void DrawResultsPage(Surface& surface, const ResultsModel& model, const ResultsView& view,
                     ResultsScratch& scratch) {
    const ChartFrame frame = ResultsFrame(view.view, view.aspectRatio);
    const bool computed = model.run.Computed();
    const float impedance = model.entries.Impedance;
    const auto readoutAndGrid = [&] {
        DrawReadout(surface, model);
        DrawGrid(surface, view.view, view.aspectRatio);
    };

    switch (view.drawing) {
    case ResultsDrawing::LoadMarked:
        readoutAndGrid();
        if (computed) PlotDot(surface, model.run.load, impedance, frame, view.mark);
        break;
    case ResultsDrawing::ViewChanged:
    case ResultsDrawing::RegionChosen:
        if (view.drawing == ResultsDrawing::ViewChanged) readoutAndGrid();
        DrawRegion(surface, model, frame, scratch);
        readoutAndGrid();
        if (computed) PlotDot2(surface, model.run.load, impedance, frame, kNominalDot.radius);
        break;
    }

    // The labels stand over the drawing, as the page's controls do.
    for (const PageLabel& label : ResultsLabels(model, view))
        DrawLabel(surface, label);
}

} // namespace vorelin
