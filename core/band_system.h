#pragma once

#include "core/antenna_system.h"
#include "core/band_results.h"
#include "core/band_table.h"
#include "core/system_form.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorelin {

// A band table's rows with the antenna system behind the tuner, as the band page shows them: each
// row's loss, and with a feedline the antenna's feedpoint in place of the tuner's load.

// Where the band's loads are shown: at the tuner's output, or moved through the line to the
// antenna's feedpoint.
enum class BandPlace { Tuner, Antenna };

struct BandSystemRow {
    // The tuner's loss (dB), and with a line the total loss from the tuner's input to the antenna;
    // an empty one has its reason in lossReason (a row without a load: the row's reason).
    std::optional<double> tunerLossDb;
    std::optional<double> totalLossDb;
    std::string lossReason;
    bool throughLine = false; // a line was set
    // With a line: the feedpoint as a row's result, its figures against the line's Zc; without a
    // load there, the reason (the line cannot deliver it, or the row has none). Without a line:
    // no load and no reason.
    BandResult atAntenna;

    // "0.2258" without a line, "0.2258 / 0.769" with one (tuner / to the antenna), "0.2258 / —"
    // when the line cannot deliver the load; "—" without the tuner's loss.
    std::string LossText() const;
};

// The system row of every row, in row order. Settings that were refused (`read.refusal`) give every
// row that refusal as its loss reason and its feedpoint's reason.
std::vector<BandSystemRow> BandSystemRowsOf(const BandTable& table, std::span<const BandResult> results,
                                            const SystemFormRead& read);

// Each row's feedpoint result (BandSystemRow::atAntenna), in row order.
std::vector<BandResult> FeedpointResults(std::span<const BandSystemRow> rows);

} // namespace vorelin
