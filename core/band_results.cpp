#include "core/band_results.h"

#include "core/figures_text.h"
#include "core/readout.h"

#include <algorithm>
#include <map>
#include <numeric>

namespace vorelin {

std::string BandResult::LoadText() const {
    if (!load) return {};
    return FigureText(static_cast<double>(load->LoadR)) + " " +
           ReactanceText(static_cast<double>(load->LoadX));
}

std::string BandResult::SwrText() const { return load ? FigureText(figures.swr) : std::string(); }

std::string BandResult::GammaText() const { return load ? FigureText(figures.gammaMag) : std::string(); }

BandResult ResultOf(const BandRow& row) {
    BandResult result;
    if (row.problem) {
        result.reason = std::string(row.problem->message);
        return result;
    }
    const NetworkRun run = RunNetwork(row.entries);
    if (!run.Computed()) {
        result.reason = std::string(kLoadNotComputable);
        return result;
    }
    result.load = run.load;
    result.figures = FiguresOf(run.load, row.entries.Impedance, row.entries.Frequency);
    return result;
}

std::optional<BandColumn> ProblemColumn(const BandRow& row) {
    if (!row.problem) return std::nullopt;
    return ColumnNamed(row.problem->field);
}

std::vector<std::size_t> FrequencyOrder(const BandTable& table) {
    std::vector<std::size_t> order(table.rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::ranges::stable_sort(order, [&table](std::size_t a, std::size_t b) {
        return table.rows[a].entries.Frequency < table.rows[b].entries.Frequency;
    });
    return order;
}

float ChartImpedance(const BandTable& table, std::span<const BandResult> results) {
    std::map<float, std::size_t> counts;
    for (std::size_t i = 0; i < table.rows.size() && i < results.size(); ++i) {
        if (results[i].load) ++counts[table.rows[i].entries.Impedance];
    }
    float chosen = kFallbackImpedance;
    std::size_t most = 0;
    for (const auto& [impedance, count] : counts) {
        if (count > most) {
            chosen = impedance;
            most = count;
        }
    }
    return chosen;
}

} // namespace vorelin
