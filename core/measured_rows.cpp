#include "core/measured_rows.h"

#include "core/figures_text.h"

namespace vorelin {

std::optional<MeasuredComparison> CompareRowWithMeasured(const BandRow& row, const std::optional<Load>& load,
                                                         const MeasuredSweep& sweep,
                                                         std::optional<float> impedance) {
    if (row.problem) return std::nullopt;
    return CompareWithMeasured(sweep, row.entries.Frequency, impedance.value_or(row.entries.Impedance), load);
}

std::vector<std::optional<MeasuredComparison>> CompareRowsWithMeasured(const BandTable& table,
                                                                       std::span<const BandResult> results,
                                                                       const MeasuredSweep& sweep) {
    std::vector<std::optional<MeasuredComparison>> compared(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i)
        compared[i] =
            CompareRowWithMeasured(table.rows[i], i < results.size() ? results[i].load : std::nullopt, sweep);
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
