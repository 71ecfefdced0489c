#include "graphics/program_icon.h"

#include "graphics/style.h"

#include <numbers>

namespace vorelin {

namespace {

constexpr float kSheetInset = 40; // clear of the edge with the outline's pen
constexpr double kCentre = 500;
constexpr double kRadius = 420;

// A point of the reflection-coefficient plane on the icon's page.
constexpr float X(double u) { return static_cast<float>(kCentre + u * kRadius); }
constexpr float Y(double v) { return static_cast<float>(kCentre - v * kRadius); }
constexpr float Length(double units) { return static_cast<float>(units * kRadius); }

} // namespace

void DrawProgramIcon(Surface& surface) {
    constexpr double pi = std::numbers::pi;
    surface.SetPenWidth(2);
    surface.FilledBox(kSheetInset, kSheetInset, kIconSide - kSheetInset, kIconSide - kSheetInset,
                      kIconSheetColour);
    surface.BoxOutline(kSheetInset, kSheetInset, kIconSide - kSheetInset, kIconSide - kSheetInset,
                       kIconSheetEdgeColour);

    // Constant resistance r: a circle through (1, 0) with centre r / (r + 1) and radius 1 / (r + 1).
    surface.SetPenWidth(2);
    surface.Circle(X(0.5), Y(0), Length(0.5), kIconChartLightColour);
    surface.Circle(X(0.75), Y(0), Length(0.25), kIconChartLightColour);
    // Constant reactance x = +1 and -1: circles of radius 1 around (1, +1) and (1, -1), the
    // quarter inside the chart.
    surface.Arc(X(1), Y(1), Length(1), kIconChartLightColour, pi, 1.5 * pi);
    surface.Arc(X(1), Y(-1), Length(1), kIconChartLightColour, 0.5 * pi, pi);
    surface.Line(X(-1), Y(0), X(1), Y(0), kIconChartColour);

    surface.SetPenWidth(4);
    surface.Circle(X(0), Y(0), Length(1), kIconChartColour);

    // The load, inductive and below the system impedance, as on the opening page.
    surface.SetPenWidth(6);
    surface.Circle(X(-0.2), Y(0.4), 45, kIconLoadColour);
    surface.SetPenWidth(1);
}

} // namespace vorelin
