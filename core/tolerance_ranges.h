#pragma once

#include "core/tolerance_sweep.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace vorelin {

// The smallest and largest value of one figure over the varied loads.
struct FigureRange {
    double min = 0;
    double max = 0;
};

// What the tolerance region spans. Every range is empty when no varied load was seen; gammaMag
// and the SWR also when Z0 is not finite and positive. swrMin is the smallest SWR of the loads
// that have one (|gamma| < 1); swrMax is empty as soon as one load has |gamma| >= 1 (R <= 0).
struct ToleranceRangeFigures {
    std::int64_t count = 0; // varied loads seen
    std::optional<FigureRange> r, x, gammaMag;
    std::optional<double> swrMin, swrMax;
};

// Collects the ranges while the sweep runs, from the same loads the region draws (every varied
// load, not the nominal one): pass it to SweepTolerance as the point handler, or call Add.
// Add only stores the load; a batch of them is taken in at once, away from the network runs,
// whose long chains of divisions the figures' own division would otherwise hold up (the figures
// bench measures it). Each load costs one division: |gamma|^2 is kept, the square roots are
// taken once at the end (|gamma| and SWR grow with |gamma|^2).
class ToleranceRanges {
public:
    explicit ToleranceRanges(float impedance);

    void operator()(const SweepPoint& point) {
        if (!point.nominal) Add(point.loadR, point.loadX);
    }

    void Add(float loadR, float loadX) {
        m_batchR[m_batchSize] = loadR;
        m_batchX[m_batchSize] = loadX;
        if (++m_batchSize == kBatch) TakeBatch();
    }

    ToleranceRangeFigures Figures() const;

private:
    static constexpr std::size_t kBatch = 256;

    void TakeBatch();
    ToleranceRangeFigures Summary() const;

    double m_z0;
    bool m_validZ0;
    std::int64_t m_count = 0;
    float m_minR = std::numeric_limits<float>::infinity(), m_maxR = -std::numeric_limits<float>::infinity();
    float m_minX = std::numeric_limits<float>::infinity(), m_maxX = -std::numeric_limits<float>::infinity();
    double m_minGamma2 = std::numeric_limits<double>::infinity();
    double m_maxGamma2 = -std::numeric_limits<double>::infinity();
    std::size_t m_batchSize = 0;
    std::array<float, kBatch> m_batchR{}, m_batchX{};
};

} // namespace vorelin
