#include "graphics/design_scene.h"

#include "core/figures_text.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"
#include "graphics/style.h"
#include "graphics/text_metrics.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace vorelin {

namespace {

// Four cells a row: the L networks above, the T and pi networks (with their fields and up to
// two solutions side by side) below.
constexpr float kCellsLeft = 380, kCellWidth = 2750, kCellGap = 80;
constexpr float kUpperTop = 1250, kUpperHeight = 2920;
constexpr float kLowerTop = 4250, kLowerHeight = 4120;
// Inside a cell, from its top: the heading, the thumbnail's box, the fields of T and pi
// networks, then the texts (what a held value that fails would need, the reason, the
// solutions: a line each for the parts, the loaded Q, the loss and a mark), and at the cell's
// foot a button for each solution.
constexpr float kCellPadding = 40;
constexpr float kInnerWidth = kCellWidth - 2 * kCellPadding;
constexpr float kColumnWidth = (kInnerWidth - kCellGap) / 2;
constexpr float kThumbnailTop = 250;
constexpr float kQTop = 1700, kHoldTop = 2040;
constexpr float kTextsTopL = 1700, kTextsTopTPi = 2390;
constexpr float kLine = 170;
constexpr float kControlHeight = 300;
constexpr float kButtonFromFoot = kCellPadding + kControlHeight;
// The lines of the held part's working values; a longer text is cut.
constexpr std::size_t kHoldLines = 2;

constexpr float kLoadRowTop = 850;
constexpr float kButtonsTop = 8480;
constexpr float kHintLeft = 2800, kHintTop = 8450, kHintWidth = 8800;
constexpr float kProfileLeft = 4000, kProfileTop = 450, kProfileWidth = 7600;
constexpr std::string_view kHint =
    "Type a load, Z0 or frequency, a loaded Q, or a part to hold at a value: the solutions follow as you "
    "type. \"Use these values\" puts the network and its values into the entries and shows the results; "
    "Enter in a box uses the solution of least loss.";

struct Caption {
    std::string_view text;
    float left;
};
constexpr std::array<Caption, 4> kLoadCaptions{
    {{"Load R, ohms:", 1000}, {"Load X, ohms:", 3350}, {"Z0, ohms:", 5680}, {"Frequency, Hz:", 7520}}};
// Inside a T or pi network's cell, from its left: the loaded Q's row, then the hold's.
constexpr float kFieldLeft = 780, kQBoxWidth = 600, kHoldChooserWidth = 680;
constexpr float kHoldBoxLeft = kFieldLeft + kHoldChooserWidth + 60,
                kHoldBoxWidth = kInnerWidth - kHoldBoxLeft;

constexpr std::array<std::string_view, 8> kUseNames{"use1Button", "use2Button", "use3Button", "use4Button",
                                                    "use5Button", "use6Button", "use7Button", "use8Button"};
constexpr std::array<std::string_view, 4> kSecondUseNames{"use5SecondButton", "use6SecondButton",
                                                          "use7SecondButton", "use8SecondButton"};
constexpr std::array<std::string_view, 4> kQBoxNames{"q5Box", "q6Box", "q7Box", "q8Box"};
constexpr std::array<std::string_view, 4> kHoldChooserNames{"hold5Chooser", "hold6Chooser", "hold7Chooser",
                                                            "hold8Chooser"};
constexpr std::array<std::string_view, 4> kHoldBoxNames{"hold5Box", "hold6Box", "hold7Box", "hold8Box"};

// For the names of the T and pi networks' controls: 0 for topology 5; -1 for the others.
int FieldIndex(int topology) { return IsTOrPi(topology) ? topology - 5 : -1; }

std::string_view NameOf(std::span<const std::string_view> names, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < names.size()
               ? names[static_cast<std::size_t>(index)]
               : std::string_view();
}

float TextsTop(int topology) {
    return DesignCellOf(topology).top + (IsTOrPi(topology) ? kTextsTopTPi : kTextsTopL);
}

float ColumnLeft(int topology, std::size_t solution) {
    return DesignCellOf(topology).left + kCellPadding +
           static_cast<float>(solution) * (kColumnWidth + kCellGap);
}

float ButtonTop(int topology) { return DesignCellOf(topology).bottom - kButtonFromFoot; }

// A caption beside a control of the same row, centred on the control's height.
float CaptionTop(float rowTop, const Font& font) {
    return static_cast<float>(static_cast<double>(rowTop) +
                              (static_cast<double>(kControlHeight) - TextHeight(font)) / 2);
}

std::vector<ControlPlace> MakeControlPlaces() {
    std::vector<ControlPlace> places;
    const auto place = [&places](std::string_view name, float left, float top, float width,
                                 const Font& font) {
        places.push_back({name, static_cast<double>(left), static_cast<double>(top),
                          static_cast<double>(width), static_cast<double>(kControlHeight), font});
    };
    place("loadRBox", 2050, kLoadRowTop, 1000, kEntryBoxFont);
    place("loadXBox", 4380, kLoadRowTop, 1000, kEntryBoxFont);
    place("impedanceBox", 6420, kLoadRowTop, 800, kEntryBoxFont);
    place("frequencyBox", 8600, kLoadRowTop, 1200, kEntryBoxFont);
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        const PageRect cell = DesignCellOf(topology);
        const std::size_t solutions = IsTOrPi(topology) ? 2 : 1;
        if (IsTOrPi(topology)) {
            const float left = cell.left + kCellPadding;
            place(QBoxName(topology), left + kFieldLeft, cell.top + kQTop, kQBoxWidth, kEntryBoxFont);
            place(HoldChooserName(topology), left + kFieldLeft, cell.top + kHoldTop, kHoldChooserWidth,
                  kEntryBoxFont);
            place(HoldBoxName(topology), left + kHoldBoxLeft, cell.top + kHoldTop, kHoldBoxWidth,
                  kEntryBoxFont);
        }
        for (std::size_t s = 0; s < solutions; ++s)
            place(UseButtonName(topology, s), ColumnLeft(topology, s), ButtonTop(topology), kColumnWidth,
                  kPageButtonFont);
    }
    place("resultsButton", 1000, kButtonsTop, 1500, kPageButtonFont);
    return places;
}

void AddText(std::vector<DesignText>& texts, std::string text, float left, float top, const Font& font,
             Colour colour = kInkColour) {
    texts.push_back({std::move(text), {left, top}, &font, colour});
}

// Wrapped lines of a text from a place down, a line each kLine, at most `most` of them; the top
// of the next line.
float AddWrapped(std::vector<DesignText>& texts, std::string_view text, float left, float top, double width,
                 Colour colour, std::size_t most = SIZE_MAX) {
    float y = top;
    std::vector<std::string> lines = WrapText(kPageFont, text, width);
    if (lines.size() > most) lines.resize(most);
    for (std::string& line : lines) {
        AddText(texts, std::move(line), left, y, kPageFont, colour);
        y += kLine;
    }
    return y;
}

// The text cut to fit the width, with "…" where it was cut.
std::string Elided(const Font& font, std::string_view text, double width) {
    if (TextWidth(font, text) <= width) return std::string(text);
    std::string cut(text);
    while (!cut.empty() && TextWidth(font, cut + "…") > width) {
        cut.pop_back();
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80)
            cut.pop_back(); // the rest of a character of several bytes
        if (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0xC0) cut.pop_back();
    }
    return cut + "…";
}

std::string QText(double q) { return DecimalText(q, {.significantDigits = 3}); }

// A solution's column: its parts (those outside the profile's ranges in red), the loaded Q, the
// loss, and a mark: the parts outside, or "Least loss" for the default.
void AddSolutionTexts(std::vector<DesignText>& texts, const DesignSolution& solution,
                      const SolutionRating& rating, bool preferred, float left, float top) {
    const auto parts = PartsOf(solution.entries.Topology);
    float y = top;
    std::string outside;
    for (const PartSlot& part : parts) {
        const bool missed =
            std::ranges::any_of(rating.outside, [&part](const RangeMiss& m) { return m.part == part.name; });
        AddText(texts, PartLabel(solution.entries, part), left, y, kPageFont,
                missed ? kReasonColour : kInkColour);
        if (missed) outside += (outside.empty() ? "Outside: " : ", ") + std::string(part.name);
        y += kLine;
    }
    AddText(texts, "Loaded Q: " + QText(solution.loadedQ), left, y, kPageFont);
    y += kLine;
    AddText(texts, "Loss: " + FigureText(rating.lossDb, kRangeDigits) + " dB", left, y, kPageFont);
    y += kLine;
    if (!outside.empty()) AddText(texts, std::move(outside), left, y, kPageFont, kReasonColour);
    if (preferred) AddText(texts, "Least loss", left, y, kHeadingFont);
}

void AddCellTexts(std::vector<DesignText>& texts, const RatedDesigns& rated, std::size_t index) {
    const Design& design = rated.designs[index];
    const int topology = design.topology;
    const PageRect cell = DesignCellOf(topology);
    const float left = cell.left + kCellPadding;
    std::string heading = std::to_string(topology) + ": " + std::string(FormOf(topology));
    if (design.leastQ > 0) heading += ", least Q " + QText(design.leastQ);
    AddText(texts, std::move(heading), left, cell.top + kCellPadding, kHeadingFont);
    if (IsTOrPi(topology)) {
        AddText(texts, "Loaded Q:", left, CaptionTop(cell.top + kQTop, kPageFont), kPageFont);
        AddText(texts, "Hold:", left, CaptionTop(cell.top + kHoldTop, kPageFont), kPageFont);
    }
    // A held value that fails says what would work: after the reason, or above the solutions
    // that lie outside the profile's ranges.
    float top = TextsTop(topology);
    const double width = static_cast<double>(kInnerWidth);
    if (design.solutions.empty()) top = AddWrapped(texts, design.reason, left, top, width, kReasonColour);
    if (const auto& working = rated.workingHolds[index])
        top = AddWrapped(texts, working->text, left, top, width, kInkColour, kHoldLines);
    for (std::size_t s = 0; s < design.solutions.size() && s < 2; ++s) {
        const bool preferred = rated.choice.preferred == SolutionPlace{index, s};
        AddSolutionTexts(texts, design.solutions[s], rated.choice.ratings[index][s], preferred,
                         ColumnLeft(topology, s), top);
    }
}

} // namespace

PageRect DesignCellOf(int topology) {
    const bool upper = topology <= 4;
    const float left = kCellsLeft + static_cast<float>((topology - 1) % 4) * (kCellWidth + kCellGap);
    const float top = upper ? kUpperTop : kLowerTop;
    return {left, top, left + kCellWidth, top + (upper ? kUpperHeight : kLowerHeight)};
}

Anchor DesignThumbnailAnchor(int topology) {
    const PageRect cell = DesignCellOf(topology);
    return {cell.left + (kCellWidth - ThumbnailOf(topology).boxWidth) / 2, cell.top + kThumbnailTop + 200};
}

PageRect DesignThumbnailArea(int topology) {
    const Anchor at = DesignThumbnailAnchor(topology);
    return {at.X, at.Y - 200, at.X + ThumbnailOf(topology).boxWidth, at.Y + 1200};
}

std::vector<DesignText> DesignTexts(const RatedDesigns& rated) {
    std::vector<DesignText> texts;
    AddText(texts, "Vorelin - Design", 1000, 300, kPageTitleFont, kPageTitleColour);
    AddText(texts, Elided(kPageFont, LossBasisText(rated), static_cast<double>(kProfileWidth)), kProfileLeft,
            kProfileTop, kPageFont);
    for (const Caption& caption : kLoadCaptions)
        AddText(texts, std::string(caption.text), caption.left, CaptionTop(kLoadRowTop, kPageFont),
                kPageFont);
    for (std::size_t i = 0; i < rated.designs.size(); ++i) {
        if (IsKnownTopology(rated.designs[i].topology)) AddCellTexts(texts, rated, i);
    }
    AddWrapped(texts, kHint, kHintLeft, kHintTop, static_cast<double>(kHintWidth), kInkColour);
    return texts;
}

std::optional<PageRect> DefaultSolutionArea(const RatedDesigns& rated) {
    if (!rated.choice.preferred) return std::nullopt;
    const auto [design, solution] = *rated.choice.preferred;
    const int topology = rated.designs[design].topology;
    const float left = ColumnLeft(topology, solution);
    return PageRect{left - kCellPadding / 2, TextsTop(topology) - kCellPadding / 2,
                    left + kColumnWidth + kCellPadding / 2, DesignCellOf(topology).bottom - kCellPadding / 2};
}

void DrawDesignPage(Surface& surface, const RatedDesigns& rated, int entriesTopology) {
    surface.SetPenWidth(1);
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        const PageRect cell = DesignCellOf(topology);
        surface.BoxOutline(cell.left, cell.top, cell.right, cell.bottom, kCellOutlineColour);
    }
    if (const auto area = DefaultSolutionArea(rated))
        surface.FilledBox(area->left, area->top, area->right, area->bottom, kDefaultFillColour);
    Entries highlight;
    highlight.Topology = static_cast<std::int16_t>(entriesTopology);
    Schematic thumbnails(surface, highlight, 0, SchematicPage::Entries);
    surface.SetPenWidth(2);
    surface.SetFont(kEntryTextFont);
    surface.SetTextColour(kInkColour);
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        Anchor at = DesignThumbnailAnchor(topology);
        thumbnails.DrawNetwork(topology, at);
    }
    PrintTexts(surface, DesignTexts(rated));
}

std::span<const ControlPlace> DesignControlPlaces() {
    static const std::vector<ControlPlace> kPlaces = MakeControlPlaces();
    return kPlaces;
}

std::string_view UseButtonName(int topology, std::size_t solution) {
    if (solution == 0) return NameOf(kUseNames, IsKnownTopology(topology) ? topology - 1 : -1);
    return solution == 1 ? NameOf(kSecondUseNames, FieldIndex(topology)) : std::string_view();
}

std::string_view QBoxName(int topology) { return NameOf(kQBoxNames, FieldIndex(topology)); }
std::string_view HoldChooserName(int topology) { return NameOf(kHoldChooserNames, FieldIndex(topology)); }
std::string_view HoldBoxName(int topology) { return NameOf(kHoldBoxNames, FieldIndex(topology)); }

} // namespace vorelin
