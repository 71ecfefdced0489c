// Where the results page's texts and controls stand: everything but the chart, laid out once for
// the entries, so that nothing of it moves when the view of the chart changes.
#include "core/figures_text.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"
#include "graphics/page_layout.h"
#include "graphics/results_scene.h"
#include "graphics/schematic.h"
#include "graphics/text_metrics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace vorelin {

namespace {

constexpr Colour kBlack = 0;
constexpr Colour kLabelGrey = 0xE0E0E0;
constexpr Colour kCaptionBackground = 0xEEEEFF;
constexpr Colour kHintBackground = 0xFFFFFF;

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

// The controls' fonts: the page's buttons in bold, the accuracy percentages, the view buttons
// and the aspect-ratio boxes. The view controls are as large as a pointer and a reader need at
// the smallest window a page may have (about 24 pixels a target, 11 a text).
const Font kButtonFont{"Arial", ScreenFontSize(0.0008), true};
const Font kPercentFont{"Arial", ScreenFontSize(0.0008), false};
const Font kViewFont{"Arial", ScreenFontSize(0.0008), false};

// The view controls stand left of the chart's area, below the accuracy buttons and beside the
// hint, in the order they were designed: the aspect ratio, the zoom, the arrows.
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
    {"saveAsButton", 1000, 8000, 1500, 300, kButtonFont},
    {"designButton", 1000, 8500, 1500, 300, kButtonFont},
    // Added beside the specified controls, above the view controls, where nothing is drawn.
    {"systemButton", 4700, 6000, 1500, 300, kButtonFont},
    {"aspectLabel", 4700, 7300, 950, 300, kViewFont},
    {"aspectBox", 5700, 7300, 500, 300, kViewFont},
    {"aspectSpinner", 6220, 7300, 300, 300, kViewFont},
    {"largerButton", 4700, 7700, 600, 300, kViewFont},
    {"smallerButton", 5300, 7700, 600, 300, kViewFont},
    {"resetButton", 5900, 7700, 600, 300, kViewFont},
    {"upButton", 5450, 8050, 300, 300, kViewFont},
    {"leftButton", 5150, 8350, 300, 300, kViewFont},
    {"rightButton", 5750, 8350, 300, 300, kViewFont},
    {"downButton", 5450, 8650, 300, 300, kViewFont},
};

constexpr float kLabelGap = 30;    // between a label and anything else
constexpr float kStrokeReach = 20; // how far a stroke of the schematic reaches beside its line
constexpr float kSearchStep = 25;
constexpr float kSearchReach = 4000;
constexpr double kLabelMargin = 120; // the grey box reaches this far beyond its text
// How far the first places tried around a symbol lie from its body.
constexpr float kBesideBody = 60;

// Where labels may go: the schematic's rows above the figures, left of the chart; the readout's
// texts may also use the band above the chart, where its caption stands.
constexpr PageRect kLabelBounds{1000, 850, kResultsChartArea.left, 4150};
constexpr PageRect kReadoutBounds{1000, 850, 11900, 4150};
constexpr PageRect kCaptionBounds{5400, 850, 11900, kResultsChartArea.top};

PageRect RectOf(const PageLabel& label) {
    return {static_cast<float>(label.left), static_cast<float>(label.top),
            static_cast<float>(label.left + label.width), static_cast<float>(label.top + label.height)};
}

PageRect RectOf(const ControlPlace& control) {
    return {static_cast<float>(control.left), static_cast<float>(control.top),
            static_cast<float>(control.left + control.width),
            static_cast<float>(control.top + control.height)};
}

PageRect Moved(const PageRect& rect, double left, double top) {
    return {static_cast<float>(left), static_cast<float>(top),
            static_cast<float>(left + static_cast<double>(rect.right - rect.left)),
            static_cast<float>(top + static_cast<double>(rect.bottom - rect.top))};
}

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

// A label as large as its text (and its margin where it has a grey box), at its designed place.
PageLabel FittedLabel(std::string name, std::string text, double left, double top, const Font& font,
                      bool grey) {
    const double width = TextWidth(font, text) + (grey ? kLabelMargin : 0);
    return {std::move(name), std::move(text), left, top, width, TextHeight(font) + 8, font, kBlack, grey,
            kLabelGrey};
}

// The distance between two rectangles (0 where they touch or overlap), or with `corners` between
// their top-left corners.
double Distance(const PageRect& a, const PageRect& b, bool corners = false) {
    if (corners)
        return std::hypot(static_cast<double>(a.left) - static_cast<double>(b.left),
                          static_cast<double>(a.top) - static_cast<double>(b.top));
    const double dx =
        std::max({0.0, static_cast<double>(a.left - b.right), static_cast<double>(b.left - a.right)});
    const double dy =
        std::max({0.0, static_cast<double>(a.top - b.bottom), static_cast<double>(b.top - a.bottom)});
    return std::hypot(dx, dy);
}

// Where a label of `size` stands right beside a body: above, below, left and right of it, centred on it.
std::array<PageRect, 4> AroundBody(const PageRect& body, const PageRect& size) {
    const double width = static_cast<double>(size.right - size.left),
                 height = static_cast<double>(size.bottom - size.top);
    const double middleX = (static_cast<double>(body.left) + static_cast<double>(body.right)) / 2;
    const double middleY = (static_cast<double>(body.top) + static_cast<double>(body.bottom)) / 2;
    const auto beside = static_cast<double>(kBesideBody);
    return {Moved(size, middleX - width / 2, static_cast<double>(body.top) - beside - height),
            Moved(size, middleX - width / 2, static_cast<double>(body.bottom) + beside),
            Moved(size, static_cast<double>(body.left) - beside - width, middleY - height / 2),
            Moved(size, static_cast<double>(body.right) + beside, middleY - height / 2)};
}

// Lays the labels out one after another, each where it covers nothing placed before it.
class LabelPlacer {
public:
    LabelPlacer(ResultsLayout& layout, const ResultsSymbolBodies& bodies)
        : m_layout(layout), m_bodies(bodies), m_room(kLabelGap) {}

    FreeRoom& Room() { return m_room; }

    // Where nothing moves it: the title, the hint, the details.
    void Fixed(const PageLabel& label) {
        m_room.Take(RectOf(label));
        m_layout.labels.push_back(label);
    }

    // At the first free place of `tried` (the designed place first), else at the nearest free
    // place to the first one.
    const PageLabel& Place(PageLabel label, std::span<const PageRect> tried, const PageRect& bounds) {
        for (const PageRect& place : tried) {
            if (Within(place, bounds) && m_room.IsFree(place)) return Put(std::move(label), place);
        }
        return Put(std::move(label), m_room.Nearest(RectOf(label), bounds, kSearchStep, kSearchReach));
    }

    // A label of a symbol (the load's resistor): at the places tried (the designed one first),
    // else right beside the symbol (above, below, left, right), else at the nearest free place;
    // each only where the label lies nearer the symbol's body than any other symbol's and over
    // none.
    const PageLabel& PlaceBeside(PageLabel label, const PageRect& own, std::span<const PageRect> first) {
        const std::vector<Choice> choices = ChoicesBeside(label, own, first);
        if (choices.empty())
            return Put(std::move(label),
                       m_room.Nearest(RectOf(label), kLabelBounds, kSearchStep, kSearchReach));
        return Put(std::move(label), choices.front().place);
    }

    // Where a label may go and what it costs: its designed place nothing, a place right beside its
    // symbol a little, any other place much, and more the farther it lies from the designed one.
    struct Choice {
        PageRect place;
        double cost;
        std::optional<PageRect> second; // the place of a label placed with it (a heading)
    };
    static constexpr double kBesideCost = 1000, kElsewhereCost = 10000;
    // A part's label moved away from its part costs more than a heading moved as far.
    static constexpr double kPartWeight = 2;
    static constexpr std::size_t kElsewhereChoices = 16;
    static constexpr float kElsewhereSpacing = 200; // the other places differ by at least this
    static constexpr float kElsewhereStep = 50;

    std::vector<Choice> ChoicesBeside(const PageLabel& label, const PageRect& own,
                                      std::span<const PageRect> first) const {
        const auto beside = [&](const PageRect& place) { return BesideItsPart(place, own); };
        const std::array around = AroundBody(own, RectOf(label));
        std::vector<PageRect> preferred(first.begin() + 1, first.end());
        preferred.insert(preferred.end(), around.begin(), around.end());
        return Choices(first.front(), preferred, beside, kLabelBounds, kPartWeight);
    }

    // Where a readout may go with its heading: at each of `places` that is free (the designed one
    // first, dearer the farther away), with the heading right above it, else beside it on its
    // left or right.
    std::vector<Choice> ChoicesWithHeading(const PageRect& designed, std::span<const PageRect> places,
                                           const PageRect& heading, const PageRect& bounds) const {
        std::vector<Choice> choices;
        const auto valid = [&](const PageRect& place) {
            return Within(place, bounds) && m_room.IsFree(place);
        };
        const double width = static_cast<double>(heading.right - heading.left);
        const double height = static_cast<double>(heading.bottom - heading.top);
        const double gap = static_cast<double>(kLabelGap) + 1;
        for (std::size_t i = 0; i < places.size(); ++i) {
            const PageRect& place = places[i];
            if (!valid(place)) continue;
            const auto left = static_cast<double>(place.left), top = static_cast<double>(place.top);
            const std::array headings{Moved(heading, left, std::min(1200.0, top - gap - height)),
                                      Moved(heading, left - gap - width, top),
                                      Moved(heading, static_cast<double>(place.right) + gap, top)};
            const double cost = (i == 0 ? 0 : kBesideCost) + Distance(designed, place, true);
            for (std::size_t h = 0; h < headings.size(); ++h) {
                if (valid(headings[h]) && !Overlap(Inflated(headings[h], kLabelGap), place))
                    choices.push_back({place, cost + (h == 0 ? 0 : kBesideCost), headings[h]});
            }
        }
        std::ranges::stable_sort(choices, {}, &Choice::cost);
        return choices;
    }

    // The designed place, the preferred ones and the nearest others that are free, inside the
    // bounds and taken by `accept`, cheapest first.
    std::vector<Choice> Choices(const PageRect& designed, std::span<const PageRect> preferred,
                                const std::function<bool(const PageRect&)>& accept, const PageRect& bounds,
                                double weight = 1, double preferredCost = kBesideCost) const {
        std::vector<Choice> choices;
        const auto valid = [&](const PageRect& place) {
            return Within(place, bounds) && m_room.IsFree(place) && (!accept || accept(place));
        };
        const auto add = [&](const PageRect& place, double cost) {
            if (std::ranges::any_of(choices, [&](const Choice& c) { return c.place == place; })) return;
            choices.push_back({place, cost + weight * Distance(designed, place, true), std::nullopt});
        };
        if (valid(designed)) add(designed, 0);
        for (const PageRect& place : preferred) {
            if (valid(place)) add(place, preferredCost);
        }
        for (const PageRect& place : m_room.NearestAccepted(designed, bounds, kElsewhereStep, kSearchReach,
                                                            accept, kElsewhereChoices, kElsewhereSpacing))
            add(place, kElsewhereCost);
        std::ranges::stable_sort(choices, {}, &Choice::cost);
        return choices;
    }

    // Labels placed together: of their choices, those that cover none of each other and cost
    // least together. A label without a choice, or when no choices fit together, goes to the
    // nearest free place after the rest.
    struct Placing {
        PageLabel label;
        std::vector<Choice> choices;
        std::optional<PageLabel> second;
    };
    void PlaceTogether(std::vector<Placing> placings) {
        // A label may be left out of the choices, at a cost above any choice's, when no choice of
        // it fits beside the others.
        constexpr std::size_t kNoChoice = std::numeric_limits<std::size_t>::max();
        constexpr double kLeftOutCost = 1e7;
        std::vector<std::size_t> picked(placings.size(), kNoChoice), best(placings.size(), kNoChoice);
        double bestCost = std::numeric_limits<double>::infinity();
        const auto covers = [](const Choice& a, const Choice& b) {
            const auto near = [](const PageRect& x, const PageRect& y) {
                return Overlap(Inflated(x, kLabelGap), y);
            };
            return near(a.place, b.place) || (a.second && near(*a.second, b.place)) ||
                   (b.second && near(a.place, *b.second)) ||
                   (a.second && b.second && near(*a.second, *b.second));
        };
        const auto fits = [&](std::size_t item, const Choice& choice) {
            for (std::size_t before = 0; before < item; ++before) {
                if (picked[before] == kNoChoice) continue;
                if (covers(choice, placings[before].choices[picked[before]])) return false;
            }
            return true;
        };
        const std::function<void(std::size_t, double)> search = [&](std::size_t item, double cost) {
            if (cost >= bestCost) return;
            if (item == placings.size()) {
                bestCost = cost;
                best = picked;
                return;
            }
            for (std::size_t c = 0; c < placings[item].choices.size(); ++c) {
                if (!fits(item, placings[item].choices[c])) continue;
                picked[item] = c;
                search(item + 1, cost + placings[item].choices[c].cost);
            }
            picked[item] = kNoChoice;
            search(item + 1, cost + kLeftOutCost);
        };
        search(0, 0);
        std::vector<PageLabel> leftOver;
        for (std::size_t item = 0; item < placings.size(); ++item) {
            if (best[item] == kNoChoice) {
                leftOver.push_back(std::move(placings[item].label));
                if (placings[item].second) leftOver.push_back(std::move(*placings[item].second));
            } else {
                const Choice& choice = placings[item].choices[best[item]];
                Put(std::move(placings[item].label), choice.place);
                if (placings[item].second) Put(std::move(*placings[item].second), *choice.second);
            }
        }
        for (PageLabel& label : leftOver) {
            const PageRect designed = RectOf(label);
            Put(std::move(label), m_room.Nearest(designed, kLabelBounds, kSearchStep, kSearchReach));
        }
    }

private:
    static bool Within(const PageRect& r, const PageRect& bounds) {
        return r.left >= bounds.left && r.top >= bounds.top && r.right <= bounds.right &&
               r.bottom <= bounds.bottom;
    }

    bool BesideItsPart(const PageRect& place, const PageRect& own) const {
        if (Overlap(place, own)) return false;
        const double mine = Distance(place, own);
        const auto fartherOrOver = [&](const PageRect& body) {
            return body == own || (!Overlap(place, body) && Distance(place, body) > mine);
        };
        return std::ranges::all_of(m_bodies.parts, fartherOrOver) &&
               std::ranges::all_of(m_bodies.others, fartherOrOver);
    }

    const PageLabel& Put(PageLabel label, const PageRect& place) {
        label.left = static_cast<double>(place.left);
        label.top = static_cast<double>(place.top);
        m_room.Take(place);
        m_layout.labels.push_back(std::move(label));
        return m_layout.labels.back();
    }

    ResultsLayout& m_layout;
    const ResultsSymbolBodies& m_bodies;
    FreeRoom m_room;
};

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

} // namespace

std::span<const ControlPlace> ResultsControlPlaces() { return kControlPlaces; }

const ControlPlace& ResultsControlPlace(std::string_view name) {
    for (const ControlPlace& place : kControlPlaces) {
        if (place.name == name) return place;
    }
    static const ControlPlace kNowhere{"", 0, 0, 0, 0, {}};
    return kNowhere;
}

std::vector<std::string> DetailsLines(const ResultsModel& model, bool accuracyChosen) {
    if (!model.run.Computed()) return {};
    const auto lines = DetailLines(model.figures);
    std::vector<std::string> details(lines.begin(), lines.end());
    // The ranges belong to a chosen accuracy: a pan before one is chosen adds none.
    if (model.ranges && accuracyChosen) details.push_back(RangeLine(*model.ranges, model.accuracy));
    return details;
}

std::string ResultsText(const ResultsModel& model, bool accuracyChosen) {
    if (!model.run.Computed()) return std::string(kLoadNotComputable) + "\n";
    std::string text = "Load: " + Trimmed(LoadLine(model.run.load)) + "\n";
    for (const std::string& line : DetailsLines(model, accuracyChosen))
        text += line + "\n";
    return text;
}

ResultsLayout LayoutResults(const ResultsModel& model, const ResultsView& view) {
    const Entries& entries = model.entries;
    const bool computed = model.run.Computed();
    const float loadX = computed ? model.run.load.LoadX : 0;
    const ResultsSchematicEnds ends = ResultsSchematicExtent(entries.Topology, loadX);
    const double readoutX = static_cast<double>(ends.networkEndX + 200);
    const ResultsSymbolBodies bodies = ResultsSymbols(entries.Topology, loadX);

    ResultsLayout layout;
    LabelPlacer placer(layout, bodies);
    // Taken: the chart's area, the schematic with the generator's texts and the red load line,
    // stroke by stroke, and the controls.
    placer.Room().Take(kResultsChartArea);
    DisplayList fixed;
    DrawResultsReadout(fixed, model);
    placer.Room().TakeAll(fixed, kStrokeReach);
    for (const ControlPlace& control : ResultsControlPlaces())
        placer.Room().Take(RectOf(control));

    PageLabel title = FittedLabel("lblTitle", "Vorelin - Results Page", 1000, 300, kResultsTitleFont, false);
    title.textColour = kPageTitleColour;
    placer.Fixed(title);
    if (view.hintShown) {
        placer.Fixed({"lblComment", std::string(kHint), kHintLeft, kHintTop, kHintWidth, kHintHeight,
                      FittedHintFont(), kBlack, true, kHintBackground, false, true});
    }
    // The details block keeps its place (nothing else is designed into that area); the labels
    // make room for it.
    const std::vector<std::string> details =
        WrappedDetails(DetailsLines(model, view.hintShown), kResultsPageFont, kDetailsWidth * 0.95);
    if (!details.empty()) {
        std::string text;
        for (const std::string& line : details)
            text += (text.empty() ? "" : "\n") + line;
        PageLabel block{"details", text, kDetailsLeft, kDetailsTop, kDetailsWidth, 0, kResultsPageFont};
        block.wrapped = true;
        block.height = static_cast<double>(details.size()) * LineSpacing(kResultsPageFont);
        placer.Fixed(block);
    }

    // The readout first: it is what the page is for. The resistance beside its resistor; the
    // reactance with its heading right above it (or beside it) is placed with the part labels and
    // the network's heading, so that where the chart's area takes the reactance's designed row it
    // moves up to the headings' row and along it only as far as the part labels need.
    std::vector<LabelPlacer::Placing> placings;
    PageLabel reactance;
    if (computed) {
        reactance = FittedLabel("lblReactance", ReactanceLabel(model.run.load, entries.Frequency), readoutX,
                                static_cast<double>(kResultsSchematicY) - 400, kResultsReadoutFont, false);
        // Beside the resistor: right of it as designed (moved clear of its zigzag), else left of it.
        PageLabel resistance = FittedLabel(
            "lblResistance", ResistanceLabel(model.run.load), static_cast<double>(ends.loadX) + 100,
            static_cast<double>(kResultsSchematicY) + 400, kResultsReadoutFont, false);
        const PageRect designed = RectOf(resistance);
        const PageRect right =
            Moved(designed, static_cast<double>(bodies.resistor.right + kBesideBody), resistance.top);
        const PageRect left =
            Moved(designed, static_cast<double>(bodies.resistor.left - kBesideBody) - resistance.width,
                  resistance.top);
        placer.PlaceBeside(std::move(resistance), bodies.resistor, std::array{designed, right, left});
    } else {
        // The sentence wraps within the readout's width rather than run into the chart.
        reactance = {"lblReactance",     std::string(kLoadNotComputable), readoutX, 0, 3400, 0,
                     kResultsReadoutFont};
        reactance.wrapped = true;
        reactance.height =
            static_cast<double>(WrapText(kResultsReadoutFont, kLoadNotComputable, 3400).size()) *
            LineSpacing(kResultsReadoutFont);
        reactance.top = static_cast<double>(kResultsSchematicY) - 400 - reactance.height + 375;
    }
    {
        PageLabel heading = FittedLabel("lblLoad", "Load:", readoutX, 1200, kResultsReadoutFont, true);
        // As designed, else a little higher (clear of the load's lead-in), else on the headings' row,
        // as far along it as the part labels need.
        const PageRect designed = RectOf(reactance);
        std::vector<PageRect> places{designed};
        for (double up = 25; up <= 100; up += 25)
            places.push_back(Moved(designed, readoutX, reactance.top - up));
        const double headingsRow = std::round(1200 + 276 - reactance.height); // its last line there
        for (double along = 0; along <= 3000; along += 100)
            places.push_back(Moved(designed, readoutX + along, headingsRow));
        auto choices = placer.ChoicesWithHeading(designed, places, RectOf(heading), kReadoutBounds);
        placings.push_back({std::move(reactance), std::move(choices), std::move(heading)});
    }
    // The part labels and the network's heading: each part's label beside its part, the heading
    // on the first rows, all as near their designed places as they fit together.
    const auto parts = PartsOf(entries.Topology);
    for (std::size_t position = 0; position < parts.size(); ++position) {
        const LabelPlace place = ResultsLabelPlace(entries.Topology, position);
        PageLabel label =
            FittedLabel("lbl" + std::string(parts[position].name), PartLabel(entries, parts[position]),
                        place.left, place.top, kResultsPartFont, true);
        auto choices = placer.ChoicesBeside(label, bodies.parts[position], std::array{RectOf(label)});
        placings.push_back({std::move(label), std::move(choices), std::nullopt});
    }
    {
        // The network's heading: as designed, else between the port marks, else on the top row.
        PageLabel network = FittedLabel("lblNetwork", "Network:", 2200, 1200, kResultsReadoutFont, true);
        const double betweenMarks = (static_cast<double>(kResultsSchematicX) + 1050 - 30 +
                                     static_cast<double>(ends.networkEndX) - network.width) /
                                    2;
        const PageRect designed = RectOf(network);
        const std::array preferred{Moved(designed, betweenMarks, 1200), Moved(designed, 2200, 850),
                                   Moved(designed, 1000, 850)};
        // A heading stands as well on the top row as on its own: moving it there costs only the way.
        auto choices = placer.Choices(
            designed, preferred, [](const PageRect& place) { return place.top <= 1200; }, kLabelBounds, 1, 0);
        placings.push_back({std::move(network), std::move(choices), std::nullopt});
    }
    placer.PlaceTogether(std::move(placings));

    // The caption's band is as high as its text: the designed 300 reached down to the chart's "+1".
    const PageLabel caption{"lblNormalized",
                            "Load as shown on a " + SignedText(entries.Impedance) + " ohm chart:",
                            7000,
                            1500,
                            4000,
                            TextHeight(kResultsPageFont) + 10,
                            kResultsPageFont,
                            kBlack,
                            true,
                            kCaptionBackground,
                            true};
    placer.Place(caption, std::array{RectOf(caption)}, kCaptionBounds);
    return layout;
}

} // namespace vorelin
