#include "core/measured_rows.h"

#include "core/figures_text.h"

namespace vorelin {

std::vector<std::optional<MeasuredComparison>> CompareRowsWithMeasured(const BandTable& table,
                                                                       std::span<const BandResult> results,
                                                                       const MeasuredSweep& sweep) {
    std::vector<std::optional<MeasuredComparison>> compared(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const BandRow& row = table.rows[i];
        if (row.problem) continue;
        const std::optional<Load> load = i < results.size() ? results[i].load : std::nullopt;
        compared[i] = CompareWithMeasured(sweep, row.entries.Frequency, row.entries.Impedance, load);
    }
    return compared;
}

std::string MeasuredLoadText(const std::optional<MeasuredComparison>& comparison) {
    if (!comparison) return std::string(kMissingFigure);
    if (!comparison->impedance) return "open";
    return FigureText(comparison->impedance->real()) + " " + ReactanceText(comparison->impedance->imag());
}

std::string GammaDistanceText(const std::optional<MeasuredComparison>& comparison) {
    return FigureText(comparison ? comparison->gammaDistance : std::nullopt);
}

} // namespace vorelin
