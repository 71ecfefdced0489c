#include "graphics/chart_view.h"

#include "core/decimal_number.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace vorelin {

namespace {

float Shifted(float value, double step) { return static_cast<float>(static_cast<double>(value) + step); }

// An unset zoom counts as 1 the first time a zoom button is pressed.
float CurrentZoom(const ChartView& view) { return view.Zoom == 0 ? 1.0f : view.Zoom; }

float WithinAspectLimits(float ratio) {
    if (ratio > kLargestAspectRatio) return kLargestAspectRatio;
    if (ratio < kSmallestAspectRatio) return kSmallestAspectRatio;
    return ratio;
}

// The leading plain decimal number of a text: blanks, an optional sign, digits with at most one
// period. No exponent and no multiplier letters; a text without such a number reads as 0. A
// number too large for a double reads as infinity (keeping its sign), one too small as 0.
double LeadingNumber(std::string_view text) {
    const std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string_view::npos) return 0;
    const DecimalPrefix number = ScanDecimalPrefix(text.substr(at), Exponent::NotAllowed);
    if (!number.overflow) return number.value;
    return text[at] == '-' ? -std::numeric_limits<double>::infinity()
                           : std::numeric_limits<double>::infinity();
}

} // namespace

void MoveCentreHome(ChartView& view) {
    view.CentreX = kHomeCentreX;
    view.CentreY = kHomeCentreY;
}

void Pan(ChartView& view, PanDirection direction) {
    const auto step = static_cast<double>(kPanStep);
    switch (direction) {
    case PanDirection::Left:
        view.CentreX = Shifted(view.CentreX, -step);
        break;
    case PanDirection::Right:
        view.CentreX = Shifted(view.CentreX, step);
        break;
    case PanDirection::Up:
        view.CentreY = Shifted(view.CentreY, -step);
        break;
    case PanDirection::Down:
        view.CentreY = Shifted(view.CentreY, step);
        break;
    }
}

void ZoomLarger(ChartView& view) {
    view.Zoom = static_cast<float>(static_cast<double>(CurrentZoom(view)) * 1.1);
    if (view.Zoom > kLargestZoom) view.Zoom = kLargestZoom;
    view.ChartScale = view.Zoom;
}

void ZoomSmaller(ChartView& view) {
    view.Zoom = static_cast<float>(static_cast<double>(CurrentZoom(view)) / 1.1);
    if (view.Zoom < kSmallestZoom) view.Zoom = kSmallestZoom;
    view.ChartScale = view.Zoom;
}

void ResetView(ChartView& view) {
    MoveCentreHome(view);
    view.ChartScale = 1;
    view.Zoom = 1;
}

void EnsureScale(ChartView& view) {
    if (view.ChartScale == 0) view.ChartScale = 1;
}

TypedAspect ClampTypedAspect(double parsed) {
    const auto ratio = static_cast<float>(parsed);
    if (ratio > kLargestAspectRatio) return {kLargestAspectRatio, "1.5", "150"};
    if (ratio < kSmallestAspectRatio) return {kSmallestAspectRatio, ".5", "50"};
    return {ratio, {}, {}};
}

float SpinnerAspectRatio(std::string_view percentText) {
    return WithinAspectLimits(static_cast<float>(LeadingNumber(percentText) * 0.01));
}

ChartFrame ResultsFrame(const ChartView& view, float aspectRatio) {
    return {view.CentreX, view.CentreY, kChartRadius, view.ChartScale, aspectRatio};
}

PagePoint MapLoad(float loadR, float loadX, float impedance, const ChartFrame& frame, MarkProduct product) {
    return AtCentre(frame, MapLoadOffset(loadR, loadX, impedance, frame, product));
}

PageOffset MapLoadOffset(float loadR, float loadX, float impedance, const ChartFrame& frame,
                         MarkProduct product) {
    constexpr double pi = std::numbers::pi;
    const auto r = static_cast<float>(static_cast<double>(loadR) / static_cast<double>(impedance));
    auto x = static_cast<float>(static_cast<double>(loadX) / static_cast<double>(impedance));
    if (x == 0) x = 1e-12f; // keeps the angle of a purely resistive load defined

    const auto rd = static_cast<double>(r), xd = static_cast<double>(x);
    const double n = rd * rd + xd * xd - 1;
    const double m = (rd + 1) * (rd + 1) + xd * xd;
    const auto u = static_cast<float>(n / m);
    const auto v = static_cast<float>(2 * xd / m);
    const auto magnitude = static_cast<float>(std::sqrt(static_cast<double>(u) * static_cast<double>(u) +
                                                        static_cast<double>(v) * static_cast<double>(v)));

    // The angle of (u, -v) in degrees, folded into -180 ... 180.
    float degrees = 0;
    if (u == 0) {
        degrees = v > 0 ? -90.0f : v < 0 ? 90.0f : 0.0f;
    } else {
        degrees = static_cast<float>(-std::atan(static_cast<double>(v) / static_cast<double>(u)) * 180 / pi);
        if (u < 0) degrees = Shifted(degrees, v >= 0 ? 180.0 : -180.0);
        if (degrees > 180) degrees = Shifted(degrees, -360.0);
        if (degrees < -180) degrees = Shifted(degrees, 360.0);
    }
    const auto angle = static_cast<double>(static_cast<float>(static_cast<double>(degrees) * pi / 180));

    const auto stretch = static_cast<double>(frame.aspectRatio),
               radius = static_cast<double>(frame.chartRadius);
    const auto scale = static_cast<double>(frame.chartScale);
    const auto mag = static_cast<double>(magnitude);
    // Both taken up front, so that the compiler can fetch them with one sincos call.
    const double cosine = std::cos(angle), sine = std::sin(angle);
    const double across = product == MarkProduct::RadiusScaleMagnitude
                              ? stretch * cosine * radius * scale * mag
                              : stretch * cosine * mag * radius * scale;
    const double down = radius * sine * scale * mag;
    return {across, down};
}

} // namespace vorelin
