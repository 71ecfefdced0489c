#include "graphics/load_marks.h"

#include <thread>

namespace vorelin {

void PlotDot(Surface& surface, const Load& load, float impedance, const ChartFrame& frame, DotStyle style) {
    const PagePoint at = MapLoad(load.LoadR, load.LoadX, impedance, frame, MarkProduct::RadiusScaleMagnitude);
    surface.SetPenWidth(1);
    surface.Circle(at.x, at.y, style.radius, style.colour);
}

void MapLoads(std::span<const Load> loads, float impedance, const ChartFrame& frame,
              std::vector<PagePoint>& pagePoints) {
    pagePoints.resize(loads.size());
    // Copied first and mapped in place: a mapping then reads and writes the same memory.
    for (std::size_t i = 0; i < loads.size(); ++i)
        pagePoints[i] = {loads[i].LoadR, loads[i].LoadX};
    const auto map = [&pagePoints, impedance, &frame](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            PagePoint& point = pagePoints[i];
            point = MapLoad(point.x, point.y, impedance, frame, MarkProduct::RadiusScaleMagnitude);
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
}

void PlotMapped(Surface& surface, std::span<const PagePoint> pagePoints, DotStyle style) {
    for (const PagePoint& at : pagePoints) {
        surface.SetPenWidth(1);
        surface.Circle(at.x, at.y, style.radius, style.colour);
    }
}

void PlotDot2(Surface& surface, const Load& load, float impedance, const ChartFrame& frame, float radius) {
    const PagePoint at = MapLoad(load.LoadR, load.LoadX, impedance, frame, MarkProduct::MagnitudeRadiusScale);
    surface.SetPenWidth(6);
    surface.Circle(at.x, at.y, kFinalMarkRingRadius, kFinalMarkRing);
    surface.SetPenWidth(1);
    surface.Circle(at.x, at.y, radius, kFinalMarkRed);
}

} // namespace vorelin
