#pragma once

#include "core/band_table.h"
#include "core/networks.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace vorelin {

// What the band table's tuned rows say about the frequencies between them. Only rows without a
// problem whose load can be computed take part, and not predicted rows (they hold no reading);
// they are taken in order of frequency.

// The note a predicted row carries in the table.
inline constexpr std::string_view kPredictionNote = "predicted";

// A row is a prediction while its note is kPredictionNote.
inline bool IsPredictedRow(const BandRow& row) { return row.Cell(BandColumn::Note) == kPredictionNote; }

// A row suggested for a frequency that has not been tuned, or the reason there is none.
struct BandPrediction {
    std::string_view reason;   // empty when there is a prediction; else a kPrediction... or design reason
    Entries entries;           // topology, Z0, the frequency and the design's parts, as exact floats
    BandRow row;               // the same as the table keeps it: its cells as typed, note kPredictionNote
    Load load;                 // the interpolated load the parts match
    std::string_view heldPart; // T and pi networks: the part kept at its interpolated value
    double loadedQ = 0;
    std::size_t below = 0, above = 0; // the neighbouring rows, as indexes into the table's rows

    bool Ok() const { return reason.empty(); }
};

// The settings for `frequency` between the two tuned rows around it (a frequency equal to a
// row's is fine): their loads are interpolated as reflection coefficients, linearly in
// frequency (Gamma stays in the unit disc, where the impedances of a smooth antenna move
// smoothly too), and the network of both rows is designed for that load. An L network has its
// one solution. A T or pi network keeps one part at its value interpolated between the rows,
// linearly in frequency: the part whose value changes least from one row to the other
// (|ln(after / before)|); when no setting of the other two matches the load, the part that
// changes next least, then the last. Of two solutions the one nearer the interpolated values of
// the parts that are not held is offered.
BandPrediction PredictBandRow(const BandTable& table, float frequency);

inline constexpr std::string_view kPredictionTooFewRows =
    "The table needs two tuned rows at different frequencies whose load can be computed.";
inline constexpr std::string_view kPredictionOutsideRange =
    "The frequency lies outside the range of the table's tuned rows.";
inline constexpr std::string_view kPredictionMixedTopologies =
    "The tuned rows on either side of this frequency use different topologies.";
inline constexpr std::string_view kPredictionMixedImpedances =
    "The tuned rows on either side of this frequency use different system impedances.";

// A row whose load breaks the trend of its neighbours.
struct MisreadRow {
    std::size_t row = 0;  // index into the table's rows
    double deviation = 0; // |Gamma - the Gamma interpolated from the neighbours|
    double allowance = 0; // kMisreadFactor x the reach of the row's tolerance area
};

// How far a row's load may stray from the trend, in reaches of its tolerance area: honest
// readings within the accuracy put the row's own load up to one reach from its true place, and
// the trend, interpolated from neighbours as uncertain, about as far again. The reach is a worst
// case (every part off by the whole accuracy in the most unlucky way), so a deviation beyond
// both together is far more than reading errors within the accuracy explain.
inline constexpr double kMisreadFactor = 2;

// Rows whose settings were likely misread. Each tuned row with a tuned neighbour on either side
// (lower and higher frequency, all three of one topology and Z0) is compared with the
// interpolation of its neighbours' reflection coefficients at its frequency. It is flagged
// when its deviation exceeds kMisreadFactor times the reach of its tolerance area at
// `accuracyPercent` (the farthest any load of SweepTolerance gets from the row's own, in Gamma)
// and is larger than the deviations of both neighbours: a misread row also bends its
// neighbours' interpolations, by about half as much. The first and last tuned rows are not
// checked. Nothing is flagged for an accuracy outside 1 to 100 %. In order of the rows. A row
// within reach of the trend costs eight network runs (the sweep's corners bound the reach from
// below); only a row that strays farther is swept whole: 1,000 rows take well under a millisecond.
std::vector<MisreadRow> MisreadRows(const BandTable& table, int accuracyPercent);

} // namespace vorelin
