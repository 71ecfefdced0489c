#include "core/tuned_rows.h"

#include "core/band_prediction.h"
#include "core/load_figures.h"
#include "core/networks.h"

#include <algorithm>

namespace vorelin {

std::vector<TunedRow> TunedRows(const BandTable& table, int topology) {
    std::vector<TunedRow> tuned;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const BandRow& row = table.rows[i];
        if (row.problem || IsPredictedRow(row)) continue;
        if (topology != 0 && row.entries.Topology != topology) continue;
        const NetworkRun run = RunNetwork(row.entries);
        if (!run.Computed()) continue;
        if (const auto gamma = ReflectionOf(run.load, row.entries.Impedance))
            tuned.push_back({i, &row.entries, {gamma->re, gamma->im}});
    }
    std::stable_sort(tuned.begin(), tuned.end(),
                     [](const TunedRow& a, const TunedRow& b) { return a.Frequency() < b.Frequency(); });
    return tuned;
}

} // namespace vorelin
