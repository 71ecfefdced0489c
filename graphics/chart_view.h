#pragma once

#include "core/settings.h"
#include "graphics/surface.h"

#include <string_view>

namespace vorelin {

// Where the results page shows its Smith chart. The page owns one of these for the whole run:
// loading the page moves the centre home, while the zoom and scale carry over between openings.
// All values are page units except the two factors.
struct ChartView {
    float CentreX = 0;
    float CentreY = 0;
    float ChartScale = 0; // 0 until the first readout step makes it 1
    float Zoom = 0;       // 0 means unset and counts as 1
};

inline constexpr float kHomeCentreX = 9000;
inline constexpr float kHomeCentreY = 5000;
inline constexpr float kPanStep = 500; // page units at every zoom
inline constexpr float kLargestZoom = 5;
inline constexpr float kSmallestZoom = 0.6f;

enum class PanDirection { Left, Right, Up, Down };

// The page load: the centre goes home; scale and zoom are kept.
void MoveCentreHome(ChartView& view);
// The arrow buttons: the centre moves 500 page units (up is towards smaller y).
void Pan(ChartView& view, PanDirection direction);
// "Larger": zoom x 1.1 up to 5; "Smaller": zoom / 1.1 down to 0.6. Either copies zoom into scale.
void ZoomLarger(ChartView& view);
void ZoomSmaller(ChartView& view);
// "Reset": centre home, scale and zoom 1.
void ResetView(ChartView& view);
// The readout step's rule: a scale of 0 becomes 1, so the first grid is drawn at scale 1.
void EnsureScale(ChartView& view);

// The aspect ratio typed into its box, held within 0.5 to 1.5. When it was outside, the two
// boxes must show the limit: "1.5" and "150", or ".5" and "50"; otherwise both texts are empty
// and the boxes keep what they show.
struct TypedAspect {
    float ratio;
    std::string_view aspectText;
    std::string_view percentText;
};
TypedAspect ClampTypedAspect(double parsed);

// The spinner's percent text read as a plain decimal number (leading number only, no exponent;
// " 75" -> 0.75, "abc" -> 0), times 0.01, held within 0.5 to 1.5.
float SpinnerAspectRatio(std::string_view percentText);

// The frame a chart is drawn in: its centre on the page, the radius of the unit circle before
// scaling, the scale and the horizontal stretch. The vertical radius is radius x scale, the
// horizontal one that times the stretch.
struct ChartFrame {
    float centreX;
    float centreY;
    float chartRadius;
    float chartScale;
    float aspectRatio;
};

// The radius of the chart's unit circle at scale 1, in page units.
inline constexpr float kChartRadius = 3000;

// The results page's chart: the view's centre and scale, the chart radius and the aspect ratio.
ChartFrame ResultsFrame(const ChartView& view, float aspectRatio);

// The order of the last multiplications of the horizontal coordinate, which differs between
// the two load marks in the last bits (nothing visible).
enum class MarkProduct {
    RadiusScaleMagnitude, // PlotDot: stretch x cos(angle) x radius x scale x magnitude
    MagnitudeRadiusScale, // PlotDot2: stretch x cos(angle) x magnitude x radius x scale
};

// Maps a load (ohms) onto the chart normalised to `impedance`, through the reflection
// coefficient's magnitude and angle. A load of Z0 lands on the centre, +jZ0 straight above it.
// Every step is rounded to single precision; a purely resistive load is taken as x = 1e-12.
// A load whose reflection coefficient is not finite gives a point that is not finite either.
PagePoint MapLoad(float loadR, float loadX, float impedance, const ChartFrame& frame,
                  MarkProduct product = MarkProduct::RadiusScaleMagnitude);

// MapLoad in two steps: where the load lies from the chart's centre (in double precision, before
// the last rounding), which the centre does not change, and that offset placed at the centre.
// A pan moves only the centre, so the offsets of many loads serve every pan at the same scale.
struct PageOffset {
    double across;
    double down;
};
PageOffset MapLoadOffset(float loadR, float loadX, float impedance, const ChartFrame& frame,
                         MarkProduct product = MarkProduct::RadiusScaleMagnitude);
inline PagePoint AtCentre(const ChartFrame& frame, const PageOffset& offset) {
    return {static_cast<float>(offset.across + static_cast<double>(frame.centreX)),
            static_cast<float>(offset.down + static_cast<double>(frame.centreY))};
}

} // namespace vorelin
