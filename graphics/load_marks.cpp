#include "graphics/load_marks.h"

namespace vorelin {

namespace {

PagePoint LoadOnChart(const Session& session, const ChartView& view, MarkProduct product) {
    return MapLoad(session.LoadR, session.LoadX, session.Impedance, session.Pi, ResultsFrame(session, view),
                   product);
}

} // namespace

void PlotDot(Surface& surface, const Session& session, const ChartView& view) {
    const PagePoint at = LoadOnChart(session, view, MarkProduct::RadiusScaleMagnitude);
    surface.SetPenWidth(1);
    surface.Circle(at.x, at.y, session.DotRadius, session.DotColor);
}

void PlotDot2(Surface& surface, const Session& session, const ChartView& view) {
    const PagePoint at = LoadOnChart(session, view, MarkProduct::MagnitudeRadiusScale);
    surface.SetPenWidth(6);
    surface.Circle(at.x, at.y, kFinalMarkRingRadius, kFinalMarkRing);
    surface.SetPenWidth(1);
    surface.Circle(at.x, at.y, session.DotRadius, kFinalMarkRed);
}

} // namespace vorelin
