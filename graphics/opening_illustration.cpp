#include "graphics/opening_illustration.h"

#include "graphics/chart_grid.h"
#include "graphics/schematic.h"
#include "graphics/style.h"

#include <array>

namespace vorelin {

namespace {

struct Panel {
    float width;
    Colour fill;
    Colour outline;
};

constexpr Panel kTransmitter{980, kTransmitterPanelColour, kTransmitterEdgeColour};
constexpr Panel kTuner{2500, kTunerPanelColour, kTunerEdgeColour};
constexpr Panel kAntenna{1140, kAntennaPanelColour, kAntennaEdgeColour};

void DrawPanel(Surface& surface, const Anchor& at, const Panel& panel) {
    const float right = static_cast<float>(static_cast<double>(at.X) + static_cast<double>(panel.width));
    const float top = static_cast<float>(static_cast<double>(at.Y) - 500);
    const float bottom = static_cast<float>(static_cast<double>(at.Y) + 1500);
    surface.FilledBox(at.X, top, right, bottom, panel.fill);
    surface.BoxOutline(at.X, top, right, bottom, panel.outline);
}

} // namespace

void DrawOpeningSchematic(Surface& surface) {
    const Entries none;
    Schematic schematic(surface, none, 0, SchematicPage::Opening);
    surface.SetPenWidth(2);
    Anchor at{1000, 3500};

    DrawPanel(surface, at, kTransmitter);
    schematic.Gen(at);

    // The tuner is the pi network of topology 7; its strokes run 60 past its panel.
    DrawPanel(surface, at, kTuner);
    schematic.Wire(at);
    schematic.ShuntC(at);
    schematic.SeriesL(at);
    schematic.ShuntC(at);
    schematic.Wire(at);

    DrawPanel(surface, at, kAntenna);
    schematic.Wire(at);
    schematic.SeriesC(at);
    schematic.Load(at);
}

void DrawOpeningChart(Surface& surface, float aspectRatio) {
    const ChartFrame frame{kOpeningCentreX, kOpeningCentreY, kOpeningChartRadius, 1, aspectRatio};
    DrawChartGrid(surface, frame, OpeningGridStyle());

    // The marker stands at Gamma = -0.2 + 0.4j of a round chart, whatever the aspect ratio.
    const auto radius = static_cast<double>(kOpeningChartRadius);
    const auto markerX = static_cast<float>(static_cast<double>(kOpeningCentreX) - 0.2 * radius);
    const auto markerY = static_cast<float>(static_cast<double>(kOpeningCentreY) - 0.4 * radius);
    surface.SetPenWidth(3);
    surface.Circle(markerX, markerY, 50, kFinalMarkColour);
    surface.SetPenWidth(1);
    surface.Circle(markerX, markerY, 60, kInkColour);
}

} // namespace vorelin
