#include "core/tolerance_ranges.h"

#include <algorithm>
#include <cmath>

namespace vorelin {

namespace {

std::optional<double> SwrOf(double gamma2) {
    if (!(gamma2 < 1)) return std::nullopt;
    const double magnitude = std::sqrt(gamma2);
    if (!(magnitude < 1)) return std::nullopt; // |gamma|^2 just below 1 can round to |gamma| = 1
    return (1 + magnitude) / (1 - magnitude);
}

} // namespace

ToleranceRanges::ToleranceRanges(float impedance)
    : m_z0(static_cast<double>(impedance)), m_validZ0(std::isfinite(impedance) && impedance > 0) {}

void ToleranceRanges::TakeBatch() {
    for (std::size_t i = 0; i < m_batchSize; ++i) {
        const float loadR = m_batchR[i], loadX = m_batchX[i];
        m_minR = std::min(m_minR, loadR);
        m_maxR = std::max(m_maxR, loadR);
        m_minX = std::min(m_minX, loadX);
        m_maxX = std::max(m_maxX, loadX);
        const auto r = static_cast<double>(loadR);
        const auto x2 = static_cast<double>(loadX) * static_cast<double>(loadX);
        // |gamma|^2 = |Z - Z0|^2 / |Z + Z0|^2; a load of exactly -Z0 gives +infinity here.
        const double gamma2 = ((r - m_z0) * (r - m_z0) + x2) / ((r + m_z0) * (r + m_z0) + x2);
        m_minGamma2 = std::min(m_minGamma2, gamma2);
        m_maxGamma2 = std::max(m_maxGamma2, gamma2);
    }
    m_count += static_cast<std::int64_t>(m_batchSize);
    m_batchSize = 0;
}

ToleranceRangeFigures ToleranceRanges::Figures() const {
    ToleranceRanges all = *this;
    all.TakeBatch();
    return all.Summary();
}

ToleranceRangeFigures ToleranceRanges::Summary() const {
    ToleranceRangeFigures figures;
    figures.count = m_count;
    if (m_count == 0) return figures;
    figures.r = FigureRange{static_cast<double>(m_minR), static_cast<double>(m_maxR)};
    figures.x = FigureRange{static_cast<double>(m_minX), static_cast<double>(m_maxX)};
    if (!m_validZ0) return figures;
    // A load of exactly -Z0 has no gamma at all: an infinite |gamma|^2 leaves no finite maximum.
    if (std::isfinite(m_maxGamma2))
        figures.gammaMag = FigureRange{std::sqrt(m_minGamma2), std::sqrt(m_maxGamma2)};
    figures.swrMin = SwrOf(m_minGamma2);
    figures.swrMax = SwrOf(m_maxGamma2);
    return figures;
}

} // namespace vorelin
