#include "graphics/system_scene.h"

#include "core/cables.h"
#include "core/engineering_value.h"
#include "core/figures_text.h"
#include "core/readout.h"
#include "core/system_text.h"
#include "core/topology.h"
#include "graphics/style.h"
#include "graphics/text_metrics.h"

#include <algorithm>
#include <array>

namespace vorelin {

namespace {


// The controls' rows, in the doubles their places are given in.
constexpr double kControlHeight = 300;
constexpr double kPowerRowTop = 850, kLineRowTop = 1300;
constexpr float kHintTop = 1700;

// The picture: four stages in a row, arrows between them carrying the power.
constexpr float kStageTop = 2600, kStageBottom = 3500, kStageWidth = 1900;
constexpr std::array<float, 4> kStageLefts{600, 3600, 6600, 9600};
constexpr float kArrowY = (kStageTop + kStageBottom) / 2;
constexpr float kUnderStage = kStageBottom + 280, kLine = 190;
// A line that cannot deliver the load says why under the line and the antenna.
constexpr double kLineReasonWidth = 2 * static_cast<double>(kStageWidth) + 1000;

// The part table.
constexpr float kTableTop = 4900, kRowHeight = 260;
constexpr std::array<float, 5> kColumnLefts{1000, 2300, 4300, 6300, 8300};
constexpr float kTableRight = 10300;
constexpr std::array<std::string_view, 5> kColumnHeads{"Part", "RMS current", "RMS voltage", "Peak voltage",
                                                       "Dissipated"};
constexpr float kReasonTop = kTableTop + 2 * kRowHeight;
constexpr double kReasonWidth = 9300, kHintWidth = 10400;
constexpr double kButtonsTop = 8480;

constexpr std::string_view kHint =
    "Length in metres, or in feet as 98.4ft; a line's loss is k1 √f + k2 f dB per 100 m, f in MHz. An "
    "empty Q is the tuner profile's, or 200 for coils and 1000 for capacitors.";

const ControlPlace kControlPlaces[] = {
    {"powerBox", 2300, kPowerRowTop, 900, kControlHeight, kEntryBoxFont},
    {"coilQBox", 4300, kPowerRowTop, 700, kControlHeight, kEntryBoxFont},
    {"capacitorQBox", 6500, kPowerRowTop, 700, kControlHeight, kEntryBoxFont},
    {"lineChooser", 2300, kLineRowTop, 2000, kControlHeight, kEntryBoxFont},
    {"lengthBox", 5100, kLineRowTop, 900, kControlHeight, kEntryBoxFont},
    {"vfBox", 6700, kLineRowTop, 600, kControlHeight, kEntryBoxFont},
    {"z0Box", 8400, kLineRowTop, 600, kControlHeight, kEntryBoxFont},
    {"k1Box", 9500, kLineRowTop, 700, kControlHeight, kEntryBoxFont},
    {"k2Box", 10700, kLineRowTop, 700, kControlHeight, kEntryBoxFont},
    {"resultsButton", 1000, kButtonsTop, 1500, kControlHeight, kPageButtonFont},
};

struct Caption {
    std::string_view text;
    float left;
    double top;
};
constexpr Caption kCaptions[] = {
    {"Power, W:", 1000, kPowerRowTop}, {"Coil Q:", 3500, kPowerRowTop}, {"Capacitor Q:", 5300, kPowerRowTop},
    {"Feedline:", 1000, kLineRowTop},  {"Length:", 4500, kLineRowTop},  {"VF:", 6250, kLineRowTop},
    {"Z0, ohms:", 7500, kLineRowTop},  {"k1:", 9150, kLineRowTop},      {"k2:", 10350, kLineRowTop},
};

void Add(std::vector<SystemText>& texts, std::string text, float left, float top, const Font& font,
         Colour colour = kInkColour) {
    texts.push_back({std::move(text), {left, top}, &font, colour});
}

float CaptionTop(double rowTop) {
    return static_cast<float>(rowTop + (kControlHeight - TextHeight(kPageFont)) / 2);
}

// A text centred on `centre`.
void AddCentred(std::vector<SystemText>& texts, std::string text, float centre, float top, const Font& font,
                Colour colour = kInkColour) {
    const float left = static_cast<float>(static_cast<double>(centre) - TextWidth(font, text) / 2);
    Add(texts, std::move(text), left, top, font, colour);
}

float StageCentre(std::size_t stage) { return kStageLefts[stage] + kStageWidth / 2; }

// Between two stages: the gap's centre.
float GapCentre(std::size_t before) {
    return (kStageLefts[before] + kStageWidth + kStageLefts[before + 1]) / 2;
}

std::string Watts(std::optional<double> watts) {
    return watts ? FigureText(watts) + " W" : std::string(kMissingFigure);
}

std::string LoadText(const Load& load) { return FigureText(load.LoadR) + " " + ReactanceText(load.LoadX); }

void AddPictureTexts(std::vector<SystemText>& texts, const SystemView& view) {
    const SystemFigures* figures = view.figures ? &*view.figures : nullptr;
    const TunerLoss* tuner = figures != nullptr ? &figures->tuner : nullptr;
    const FeedlineFigures* line =
        figures != nullptr && figures->line && figures->line->figures ? &*figures->line->figures : nullptr;
    const float nameTop = kStageTop + 120, subTop = nameTop + 300;
    AddCentred(texts, "Transmitter", StageCentre(0), nameTop, kSystemStageFont);
    AddCentred(texts, "Tuner", StageCentre(1), nameTop, kSystemStageFont);
    AddCentred(texts, "Feedline", StageCentre(2), nameTop, kSystemStageFont);
    AddCentred(texts, "Antenna", StageCentre(3), nameTop, kSystemStageFont);
    if (IsKnownTopology(view.entries.Topology))
        AddCentred(texts,
                   std::to_string(view.entries.Topology) + ": " + std::string(FormOf(view.entries.Topology)),
                   StageCentre(1), subTop, kPageFont);
    // Under the line's conductors: its length, and the cable it is (its values are in the boxes).
    std::vector<std::string> lineTexts{"No line"};
    if (const auto& feedline = view.settings.line) {
        const double metres = feedline->lengthM;
        lineTexts = {FigureText(metres) + " m (" + FigureText(MetresToFeet(metres)) + " ft)"};
        const Cable* cable = CableOfLine(*feedline);
        lineTexts.push_back(cable != nullptr ? std::string(cable->name) : "Zc " + OhmsText(feedline->zc));
    }
    for (std::size_t i = 0; i < lineTexts.size(); ++i)
        AddCentred(texts, std::move(lineTexts[i]), StageCentre(2),
                   kArrowY + 120 + static_cast<float>(i) * kLine, kPageFont);

    // The power into each stage, above the arrows.
    const float powerTop = kArrowY - 330;
    AddCentred(texts, Watts(tuner ? std::optional(tuner->powerW) : std::nullopt), GapCentre(0), powerTop,
               kSystemPowerFont);
    AddCentred(texts, Watts(tuner ? std::optional(tuner->loadPowerW) : std::nullopt), GapCentre(1), powerTop,
               kSystemPowerFont);
    AddCentred(texts, Watts(figures ? figures->antennaPowerW : std::nullopt), GapCentre(2), powerTop,
               kSystemPowerFont);

    // Under the stages: the tuner's input, the losses, the antenna's own impedance.
    const auto under = [&texts](std::size_t stage, std::size_t row, std::string text,
                                Colour colour = kInkColour) {
        Add(texts, std::move(text), kStageLefts[stage], kUnderStage + static_cast<float>(row) * kLine,
            kPageFont, colour);
    };
    under(0, 0, "Into the tuner:");
    under(0, 1,
          tuner ? FigureText(tuner->inputR) + " " + ReactanceText(tuner->inputX)
                : std::string(kMissingFigure));
    under(1, 0, "Loss " + DecibelText(tuner ? std::optional(tuner->lossDb) : std::nullopt));
    under(1, 1, "Efficiency " + (tuner ? PercentText(tuner->efficiency) : std::string(kMissingFigure)));
    if (view.settings.line) {
        under(2, 0, "Loss " + DecibelText(line ? std::optional(line->totalLossDb) : std::nullopt));
        under(2, 1, "Matched " + DecibelText(line ? std::optional(line->matchedLossDb) : std::nullopt));
        under(3, 0, "Feedpoint:");
        under(3, 1,
              line ? LoadText({static_cast<float>(line->feedpointR), static_cast<float>(line->feedpointX)})
                   : std::string(kMissingFigure));
        under(3, 2,
              "SWR " + FigureText(line ? std::optional(line->feedpointSwr) : std::nullopt) + " on the line");
    } else {
        under(3, 0, "The tuner's load:");
        under(3, 1, view.load ? LoadText(*view.load) : std::string(kMissingFigure));
    }
    if (figures != nullptr && figures->line && !figures->line->figures) {
        std::size_t row = 3;
        for (std::string& wrapped : WrapText(kPageFont, figures->line->reason, kLineReasonWidth))
            under(2, row++, std::move(wrapped), kReasonColour);
    }
}

void AddTableTexts(std::vector<SystemText>& texts, const SystemView& view) {
    const double power = view.settings.loss.powerW;
    Add(texts, "Parts at " + Watts(view.figures ? std::optional(power) : std::nullopt), kColumnLefts[0],
        kTableTop - 360, kHeadingFont);
    for (std::size_t c = 0; c < kColumnHeads.size(); ++c)
        Add(texts, std::string(kColumnHeads[c]), kColumnLefts[c], kTableTop, kHeadingFont);
    if (!view.figures) {
        Add(texts, std::string(kMissingFigure), kColumnLefts[0], kTableTop + kRowHeight, kPageFont);
        return;
    }
    const auto parts = view.figures->tuner.Parts();
    const std::array<double PartStress::*, 4> fields{&PartStress::currentRms, &PartStress::voltageRms,
                                                     &PartStress::voltagePeak, &PartStress::dissipatedW};
    const std::array<std::string_view, 4> units{" A", " V", " V", " W"};
    for (std::size_t r = 0; r < parts.size(); ++r) {
        const float top = kTableTop + static_cast<float>(r + 1) * kRowHeight;
        Add(texts, std::string(parts[r].name), kColumnLefts[0], top, kHeadingFont);
        for (std::size_t c = 0; c < fields.size(); ++c) {
            const double value = parts[r].*fields[c];
            const bool most = value > 0 && std::ranges::all_of(parts, [&](const PartStress& other) {
                                  return other.*fields[c] <= value;
                              });
            Add(texts, FigureText(value) + std::string(units[c]), kColumnLefts[c + 1], top,
                most ? kHeadingFont : kPageFont, most ? kSystemMostColour : kInkColour);
        }
    }
    Add(texts, "The largest figure of each column is in red.", kColumnLefts[0],
        kTableTop + static_cast<float>(parts.size() + 1) * kRowHeight + 60, kPageFont);
}

} // namespace

SystemView SystemViewOf(const Entries& entries, const SystemSettings& settings, std::string refusal,
                        std::string qSource) {
    SystemView view{entries, std::nullopt, settings, std::nullopt, std::move(refusal), std::move(qSource)};
    const NetworkRun run = RunNetwork(entries);
    if (run.Computed()) view.load = run.load;
    if (!view.refusal.empty()) return view;
    if (!view.load) {
        view.refusal = std::string(kLoadNotComputable);
        return view;
    }
    SystemFigures figures = SystemFiguresOf(entries, *view.load, settings);
    if (!figures.Computed()) {
        view.refusal = std::string(figures.reason);
        return view;
    }
    view.figures = std::move(figures);
    return view;
}

std::vector<SystemText> SystemTexts(const SystemView& view) {
    std::vector<SystemText> texts;
    Add(texts, "Vorelin - System", 1000, 300, kPageTitleFont, kPageTitleColour);
    std::string load = view.load
                           ? "Load " + LoadText(*view.load) + " at " + FormatValue(view.entries.Frequency) +
                                 " Hz, Z0 " + OhmsText(view.entries.Impedance)
                           : "No load";
    Add(texts, std::move(load), 5000, 360, kPageFont);
    Add(texts, view.qSource, 7600, CaptionTop(kPowerRowTop), kPageFont);
    for (const Caption& caption : kCaptions)
        Add(texts, std::string(caption.text), caption.left, CaptionTop(caption.top), kPageFont);
    float y = kHintTop;
    for (std::string& line : WrapText(kPageFont, kHint, kHintWidth)) {
        Add(texts, std::move(line), 1000, y, kPageFont);
        y += kLine;
    }
    AddPictureTexts(texts, view);
    AddTableTexts(texts, view);
    if (!view.figures) {
        y = kReasonTop;
        for (std::string& line : WrapText(kHeadingFont, view.refusal, kReasonWidth)) {
            Add(texts, std::move(line), kColumnLefts[0], y, kHeadingFont, kReasonColour);
            y += kLine;
        }
    }
    return texts;
}

void DrawSystemPage(Surface& surface, const SystemView& view) {
    surface.SetPenWidth(2);
    for (std::size_t stage = 0; stage < kStageLefts.size(); ++stage) {
        const float left = kStageLefts[stage], right = left + kStageWidth;
        if (stage == 2) {
            // The line as its two conductors, or a plain wire when there is none.
            const float gap = view.settings.line ? 90.0f : 0.0f;
            surface.Line(left, kArrowY - gap, right, kArrowY - gap, kSystemStageOutlineColour);
            surface.Line(left, kArrowY + gap, right, kArrowY + gap, kSystemStageOutlineColour);
            continue;
        }
        if (stage == 3) {
            // A mast with a V on top, left of the stage's name.
            const float x = left + 150;
            surface.Line(left, kArrowY, x, kArrowY, kSystemStageOutlineColour);
            surface.Line(x, kArrowY, x, kStageTop - 100, kSystemStageOutlineColour);
            surface.Line(x, kStageTop - 100, x - 120, kStageTop - 400, kSystemStageOutlineColour);
            surface.Line(x, kStageTop - 100, x + 120, kStageTop - 400, kSystemStageOutlineColour);
            continue;
        }
        surface.FilledBox(left, kStageTop, right, kStageBottom, kSystemStageFillColour);
        surface.BoxOutline(left, kStageTop, right, kStageBottom, kSystemStageOutlineColour);
    }
    for (std::size_t gap = 0; gap + 1 < kStageLefts.size(); ++gap) {
        const float from = kStageLefts[gap] + kStageWidth + 60, to = kStageLefts[gap + 1] - 60;
        surface.Line(from, kArrowY, to, kArrowY, kSystemArrowColour);
        surface.Line(to, kArrowY, to - 120, kArrowY - 70, kSystemArrowColour);
        surface.Line(to, kArrowY, to - 120, kArrowY + 70, kSystemArrowColour);
    }
    surface.SetPenWidth(1);
    const float rule = kTableTop + kRowHeight - 40;
    surface.Line(kColumnLefts[0], rule, kTableRight, rule, kSystemRuleColour);
    PrintTexts(surface, SystemTexts(view));
}

std::span<const ControlPlace> SystemControlPlaces() { return kControlPlaces; }

} // namespace vorelin
