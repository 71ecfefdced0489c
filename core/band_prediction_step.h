#pragma once

#include "core/band_prediction.h"
#include "core/band_table.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vorelin {

// What the band page's Predict does with the frequency typed beside it: a predicted row to add,
// the row that already holds that frequency, or the reason there is neither. Rows are named as
// the page's grid numbers them, from 1.
struct PredictionStep {
    std::optional<BandRow> added; // the predicted row, to stand at `row`
    std::size_t row = 0;          // where it goes; without one, the row that holds the frequency
    // Without a row to add or show: why ("No settings were predicted. The frequency lies outside
    // …"). With one added beside a likely misread row: "The predicted row lies beside row 5, which
    // is likely misread: …"; else empty.
    std::string message;

    bool Refused() const { return !added && !message.empty(); }
};

// The frequency is read whole, as a table cell is: "7.15M", but not "7,15M" or "7.15M;7.2M".
// `misread` are the table's flagged rows.
PredictionStep PredictAtTypedFrequency(const BandTable& table, std::string_view typed,
                                       std::span<const MisreadRow> misread);

// A flag's numbers for the grid's tip: "Likely misread: the load lies 0.1205 from its neighbours'
// trend (|ΔΓ|); readings within the accuracy explain at most 0.03021."
std::string MisreadTip(const MisreadRow& misread);

} // namespace vorelin
