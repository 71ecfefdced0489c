#include "core/tolerance_area.h"

#include "core/tolerance_sweep.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace vorelin {

namespace {

struct GammaPoint {
    double re, im;
};

} // namespace

std::optional<ToleranceArea> ToleranceAreaOf(const Entries& entries, float accuracy, float impedance,
                                             const std::atomic<bool>& stop) {
    std::vector<GammaPoint> points;
    points.reserve(static_cast<std::size_t>(SweepCombinations(entries.Topology, accuracy)));
    const auto z0 = static_cast<double>(impedance);
    SweepTolerance(entries, accuracy, [&](const SweepPoint& point) {
        if (point.nominal) return;
        const auto r = static_cast<double>(point.loadR), x = static_cast<double>(point.loadX);
        const double denominator = (r + z0) * (r + z0) + x * x;
        const GammaPoint gamma{((r - z0) * (r + z0) + x * x) / denominator, 2 * z0 * x / denominator};
        if (std::hypot(gamma.re, gamma.im) <= kLargestAreaGamma) points.push_back(gamma);
    });
    if (stop.load(std::memory_order_relaxed)) return std::nullopt;
    ToleranceArea area;
    if (points.empty()) return area;

    const auto [minRe, maxRe] = std::ranges::minmax(points, {}, &GammaPoint::re);
    const auto [minIm, maxIm] = std::ranges::minmax(points, {}, &GammaPoint::im);
    // Square cells, never smaller than a hair, so that a region of one load is still one box.
    const double cell = std::max({maxRe.re - minRe.re, maxIm.im - minIm.im, 1e-4}) / kAreaCells;
    const auto columns = static_cast<std::size_t>((maxRe.re - minRe.re) / cell) + 1;
    const auto rows = static_cast<std::size_t>((maxIm.im - minIm.im) / cell) + 1;
    std::vector<bool> filled(columns * rows);
    for (const GammaPoint& p : points) {
        const auto column = std::min(columns - 1, static_cast<std::size_t>((p.re - minRe.re) / cell));
        const auto row = std::min(rows - 1, static_cast<std::size_t>((p.im - minIm.im) / cell));
        filled[row * columns + column] = true;
    }
    const auto at = [&](double origin, std::size_t index) {
        return static_cast<float>(origin + static_cast<double>(index) * cell);
    };
    for (std::size_t row = 0; row < rows; ++row) {
        for (std::size_t column = 0; column < columns;) {
            if (!filled[row * columns + column]) {
                ++column;
                continue;
            }
            std::size_t end = column;
            while (end < columns && filled[row * columns + end])
                ++end;
            area.boxes.push_back(
                {at(minRe.re, column), at(minIm.im, row), at(minRe.re, end), at(minIm.im, row + 1)});
            column = end;
        }
    }
    return area;
}

std::optional<std::vector<ToleranceArea>> ToleranceAreasOf(std::span<const Entries> entries, float accuracy,
                                                           float impedance, const std::atomic<bool>& stop) {
    std::vector<std::optional<ToleranceArea>> areas(entries.size());
    // Each thread takes the next entries not taken yet: sweeps of two and three parts differ in
    // length by a factor of forty, so halves fixed in advance would leave one thread idle.
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < entries.size() && !stop.load(std::memory_order_relaxed); i = next++)
            areas[i] = ToleranceAreaOf(entries[i], accuracy, impedance, stop);
    };
    std::thread helper(work);
    work();
    helper.join();
    if (stop.load()) return std::nullopt;
    std::vector<ToleranceArea> done;
    done.reserve(areas.size());
    for (std::optional<ToleranceArea>& area : areas)
        done.push_back(std::move(*area));
    return done;
}

} // namespace vorelin
