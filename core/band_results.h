#pragma once

#include "core/band_table.h"
#include "core/load_figures.h"
#include "core/networks.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorelin {

// What a row of the band table gives: its load and the figures against the row's own Z0, or the
// reason there is none.
struct BandResult {
    std::optional<Load> load;
    LoadFigures figures; // every figure empty without a load
    std::string reason;  // without a load: the row's problem, or kLoadNotComputable

    // The texts of the page's result columns: "25 -j62.5 Ω", "3", "0.5"; empty without a load.
    std::string LoadText() const;
    std::string SwrText() const;
    std::string GammaText() const;
};

// The row's own checks first; a row that passes them is run through its network.
BandResult ResultOf(const BandRow& row);

// The column a row's problem names ("C2" -> BandColumn::C2, "Frequency" -> Frequency); nothing for
// a row without a problem.
std::optional<BandColumn> ProblemColumn(const BandRow& row);

// The rows' indices ordered by frequency; rows of one frequency keep their table order.
std::vector<std::size_t> FrequencyOrder(const BandTable& table);

// The impedance the band's chart is normalised to: the one most rows with a load share (the
// smallest of equally common ones), else the fallback 50 ohms.
float ChartImpedance(const BandTable& table, std::span<const BandResult> results);

} // namespace vorelin
