// Where the results page's texts stand: everything but the chart, laid out once for the analysis,
// so that nothing of it moves when the view of the chart changes.
#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"
#include "graphics/label_placer.h"
#include "graphics/results_scene.h"
#include "graphics/schematic.h"
#include "graphics/text_metrics.h"

#include <array>
#include <cmath>

namespace vorelin {

namespace {

constexpr std::string_view kHint =
    "Adjust the network for a flat input. Then measure each of the network's component values and enter "
    "those values into the network schematic on the Entries page. The load will appear somewhere within "
    "the colored area. That area is defined by the above-selected accuracy of the component value "
    "measurement.";
// The hint's box ends short of the view controls beside it, and reaches lower to keep its type.
constexpr double kHintLeft = 3000, kHintTop = 6000, kHintWidth = 1650, kHintHeight = 2900;
// The details block: in the free area left of the chart, below the generator's texts.
constexpr double kDetailsLeft = 1000, kDetailsTop = 4200, kDetailsWidth = 4300;
constexpr float kSmallestHintFont = PointFontSize(6);

constexpr float kStrokeReach = 20;   // how far a stroke of the schematic reaches beside its line
constexpr double kLabelMargin = 120; // the grey box reaches this far beyond its text

// Where labels may go: the schematic's rows above the figures, left of the chart; the readout's
// texts may also use the band above the chart, where its caption stands.
constexpr PageRect kLabelBounds{1000, 850, kResultsChartArea.left, 4150};
constexpr PageRect kReadoutBounds{1000, 850, 11900, 4150};
constexpr PageRect kCaptionBounds{5400, 850, 11900, kResultsChartArea.top};

// The largest size, at most the hint font's own, at which the hint wrapped into its box fits it,
// with a little room to spare.
Font FittedHintFont() {
    Font font = kHintFont;
    for (; font.size > kSmallestHintFont; font.size *= 0.95f) {
        const auto lines = WrapText(font, kHint, kHintWidth * 0.95);
        if (static_cast<double>(lines.size()) * LineSpacing(font) <= kHintHeight * 0.95) return font;
    }
    font.size = kSmallestHintFont;
    return font;
}

// A label as large as its text (and its margin where it has a grey box), at its designed place.
PageLabel FittedLabel(std::string name, std::string text, double left, double top, const Font& font,
                      bool grey) {
    const double width = TextWidth(font, text) + (grey ? kLabelMargin : 0);
    return {std::move(name), std::move(text), left, top, width, TextHeight(font) + 8, font, kInkColour, grey,
            kLabelBoxColour};
}

// The details lines wrapped into the block's width, each broken only after a comma, so that a
// figure never stands apart from its name ("SWR" on one line, its range on the next).
std::vector<std::string> WrappedDetails(const std::vector<std::string>& details, const Font& font,
                                        double width) {
    std::vector<std::string> lines;
    for (const std::string& detail : details) {
        std::string line;
        std::size_t at = 0;
        while (at < detail.size()) {
            std::size_t end = detail.find(", ", at);
            end = end == std::string::npos ? detail.size() : end + 1; // the comma stays with its item
            const std::string item = detail.substr(at, end - at);
            const std::string joined = line.empty() ? item : line + " " + item;
            if (!line.empty() && TextWidth(font, joined) > width) {
                lines.push_back(line);
                line = item;
            } else {
                line = joined;
            }
            at = end < detail.size() ? end + 1 : end; // past the blank after the comma
        }
        lines.push_back(line);
    }
    return lines;
}

// Taken before any label is placed: the chart's area, the schematic with the generator's texts
// and the red load line, stroke by stroke, and the controls.
void TakeTheDrawing(FreeRoom& room, const LoadAnalysis& analysis) {
    room.Take(kResultsChartArea);
    DisplayList fixed;
    DrawResultsReadout(fixed, analysis);
    room.TakeAll(fixed, kStrokeReach);
    for (const ControlPlace& control : ResultsControlPlaces())
        room.Take(RectOf(control));
}

// The title, the hint (once an accuracy is chosen) and the details block keep their places
// (nothing else is designed into theirs); the labels make room for them.
void PlaceFixedTexts(LabelPlacer& placer, const LoadAnalysis& analysis, bool hintShown) {
    PageLabel title = FittedLabel("lblTitle", "Vorelin - Results Page", 1000, 300, kPageTitleFont, false);
    title.textColour = kPageTitleColour;
    placer.Fixed(title);
    if (hintShown) {
        placer.Fixed({"lblComment", std::string(kHint), kHintLeft, kHintTop, kHintWidth, kHintHeight,
                      FittedHintFont(), kInkColour, true, kPaperColour, false, true});
    }
    const std::vector<std::string> details =
        WrappedDetails(FigureLines(analysis, hintShown), kPageFont, kDetailsWidth * 0.95);
    if (details.empty()) return;
    std::string text;
    for (const std::string& line : details)
        text += (text.empty() ? "" : "\n") + line;
    PageLabel block{"details", text, kDetailsLeft, kDetailsTop, kDetailsWidth, 0, kPageFont};
    block.wrapped = true;
    block.height = static_cast<double>(details.size()) * LineSpacing(kPageFont);
    placer.Fixed(block);
}

// The resistance beside its resistor: right of it as designed (moved clear of its zigzag), else
// left of it.
void PlaceResistance(LabelPlacer& placer, const LoadAnalysis& analysis, const ResultsSchematicEnds& ends,
                     const ResultsSymbolBodies& bodies) {
    PageLabel resistance = FittedLabel("lblResistance", ResistanceLabel(analysis.run.load),
                                       static_cast<double>(ends.loadX) + 100,
                                       static_cast<double>(kResultsSchematicY) + 400, kReadoutFont, false);
    const PageRect designed = RectOf(resistance);
    constexpr float beside = LabelPlacer::kBesideBody;
    const PageRect right =
        Moved(designed, static_cast<double>(bodies.resistor.right + beside), resistance.top);
    const PageRect left = Moved(
        designed, static_cast<double>(bodies.resistor.left - beside) - resistance.width, resistance.top);
    placer.PlaceBeside(std::move(resistance), bodies.resistor, std::array{designed, right, left});
}

// The reactance (or the sentence that there is no load) with "Load:" right above it or beside it:
// as designed, else a little higher (clear of the load's lead-in), else on the headings' row, as
// far along it as the part labels need.
LabelPlacer::Placing ReactancePlacing(const LabelPlacer& placer, const LoadAnalysis& analysis,
                                      double readoutX) {
    PageLabel reactance;
    if (analysis.Computed()) {
        reactance = FittedLabel("lblReactance", ReactanceLabel(analysis.run.load, analysis.entries.Frequency),
                                readoutX, static_cast<double>(kResultsSchematicY) - 400, kReadoutFont, false);
    } else {
        // The sentence wraps within the readout's width rather than run into the chart.
        reactance = {"lblReactance", std::string(kLoadNotComputable), readoutX, 0, 3400, 0, kReadoutFont};
        reactance.wrapped = true;
        reactance.height = static_cast<double>(WrapText(kReadoutFont, kLoadNotComputable, 3400).size()) *
                           LineSpacing(kReadoutFont);
        reactance.top = static_cast<double>(kResultsSchematicY) - 400 - reactance.height + 375;
    }
    PageLabel heading = FittedLabel("lblLoad", "Load:", readoutX, 1200, kReadoutFont, true);
    const PageRect designed = RectOf(reactance);
    std::vector<PageRect> places{designed};
    for (double up = 25; up <= 100; up += 25)
        places.push_back(Moved(designed, readoutX, reactance.top - up));
    const double headingsRow = std::round(1200 + 276 - reactance.height); // its last line there
    for (double along = 0; along <= 3000; along += 100)
        places.push_back(Moved(designed, readoutX + along, headingsRow));
    auto choices = placer.ChoicesWithHeading(designed, places, RectOf(heading), kReadoutBounds);
    return {std::move(reactance), std::move(choices), std::move(heading)};
}

// Each part's label beside its part, as near its designed place as it fits.
void AddPartPlacings(std::vector<LabelPlacer::Placing>& placings, const LabelPlacer& placer,
                     const Entries& entries, const ResultsSymbolBodies& bodies) {
    const auto parts = PartsOf(entries.Topology);
    for (std::size_t position = 0; position < parts.size(); ++position) {
        const LabelPlace place = ResultsLabelPlace(entries.Topology, position);
        PageLabel label =
            FittedLabel("lbl" + std::string(parts[position].name), PartLabel(entries, parts[position]),
                        place.left, place.top, kPartLabelFont, true);
        auto choices = placer.ChoicesBeside(label, bodies.parts[position], std::array{RectOf(label)});
        placings.push_back({std::move(label), std::move(choices), std::nullopt});
    }
}

// The network's heading: as designed, else between the port marks, else on the top row.
LabelPlacer::Placing NetworkHeadingPlacing(const LabelPlacer& placer, const ResultsSchematicEnds& ends) {
    PageLabel network = FittedLabel("lblNetwork", "Network:", 2200, 1200, kReadoutFont, true);
    const double betweenMarks = (static_cast<double>(kResultsSchematicX) + 1050 - 30 +
                                 static_cast<double>(ends.networkEndX) - network.width) /
                                2;
    const PageRect designed = RectOf(network);
    const std::array preferred{Moved(designed, betweenMarks, 1200), Moved(designed, 2200, 850),
                               Moved(designed, 1000, 850)};
    // A heading stands as well on the top row as on its own: moving it there costs only the way.
    auto choices = placer.Choices(
        designed, preferred, [](const PageRect& place) { return place.top <= 1200; }, kLabelBounds, 1, 0);
    return {std::move(network), std::move(choices), std::nullopt};
}

// The chart's caption in its band above the chart, as high as its text: the designed 300 reached
// down to the chart's "+1".
void PlaceCaption(LabelPlacer& placer, float impedance) {
    const PageLabel caption{"lblNormalized",
                            "Load as shown on a " + SignedText(impedance) + " ohm chart:",
                            7000,
                            1500,
                            4000,
                            TextHeight(kPageFont) + 10,
                            kPageFont,
                            kInkColour,
                            true,
                            kCaptionBoxColour,
                            true};
    placer.Place(caption, std::array{RectOf(caption)}, kCaptionBounds);
}

} // namespace

ResultsLayout LayoutResults(const LoadAnalysis& analysis, const ResultsView& view) {
    const Entries& entries = analysis.entries;
    const float loadX = analysis.Computed() ? analysis.run.load.LoadX : 0;
    const ResultsSchematicEnds ends = ResultsSchematicExtent(entries.Topology, loadX);
    const ResultsSymbolBodies bodies = ResultsSymbols(entries.Topology, loadX);

    ResultsLayout layout;
    LabelPlacer placer(layout.labels, bodies, kLabelBounds);
    TakeTheDrawing(placer.Room(), analysis);
    PlaceFixedTexts(placer, analysis, view.hintShown);
    // The readout first: it is what the page is for. The reactance and its heading are placed with
    // the part labels and the network's heading, so that where the chart's area takes the
    // reactance's designed row it moves up to the headings' row and along it only as far as the
    // part labels need.
    if (analysis.Computed()) PlaceResistance(placer, analysis, ends, bodies);
    std::vector<LabelPlacer::Placing> placings;
    placings.push_back(ReactancePlacing(placer, analysis, static_cast<double>(ends.networkEndX + 200)));
    AddPartPlacings(placings, placer, entries, bodies);
    placings.push_back(NetworkHeadingPlacing(placer, ends));
    placer.PlaceTogether(std::move(placings));
    PlaceCaption(placer, entries.Impedance);
    return layout;
}

} // namespace vorelin
