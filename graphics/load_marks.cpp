#include "graphics/load_marks.h"

#include <thread>

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

void PlotDots(Surface& surface, const Session& session, const ChartView& view,
              std::span<const LoadPoint> loads, std::vector<PagePoint>& pagePoints) {
    pagePoints.resize(loads.size());
    // Copied first and mapped in place: a mapping then reads and writes the same memory.
    for (std::size_t i = 0; i < loads.size(); ++i)
        pagePoints[i] = {loads[i].loadR, loads[i].loadX};
    const ChartFrame frame = ResultsFrame(session, view);
    const auto map = [&pagePoints, &session, &frame](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            PagePoint& point = pagePoints[i];
            point = MapLoad(point.x, point.y, session.Impedance, session.Pi, frame,
                            MarkProduct::RadiusScaleMagnitude);
        }
    };
    // A thread pays for itself from a few thousand mappings on.
    constexpr std::size_t kShared = 4096;
    if (loads.size() < kShared) {
        map(0, loads.size());
    } else {
        const std::size_t half = loads.size() / 2;
        std::thread second(map, half, loads.size());
        map(0, half);
        second.join();
    }
    for (const PagePoint& at : pagePoints) {
        surface.SetPenWidth(1);
        surface.Circle(at.x, at.y, session.DotRadius, session.DotColor);
    }
}

void PlotDot2(Surface& surface, const Session& session, const ChartView& view) {
    const PagePoint at = LoadOnChart(session, view, MarkProduct::MagnitudeRadiusScale);
    surface.SetPenWidth(6);
    surface.Circle(at.x, at.y, kFinalMarkRingRadius, kFinalMarkRing);
    surface.SetPenWidth(1);
    surface.Circle(at.x, at.y, session.DotRadius, kFinalMarkRed);
}

} // namespace vorelin
