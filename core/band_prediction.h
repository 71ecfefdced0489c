#pragma once

#include "core/band_table.h"
#include "core/networks.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
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
    // The neighbouring rows, as indexes into the table's rows; with kPredictionOnRow both are the
    // row that holds the frequency.
    std::size_t below = 0, above = 0;

    bool Ok() const { return reason.empty(); }
};

// The settings for `frequency` between the two tuned rows around it (of `topology` only, when it
// is 1 to 8; else the two must share one network). Their reflection coefficients are interpolated
// in polar form, linearly in frequency: |Gamma| and its unwrapped angle, the shorter way round
// (InterpolateGammaAt). A feedline turns Gamma about the chart's centre as the frequency rises,
// which a straight chord between the two would cut across. The network of both rows is then
// designed for that load. An L network has its one solution. A T or pi network keeps one part at
// its value interpolated between the rows, linearly in frequency: the part whose value changes
// least from one row to the other (|ln(after / before)|); when no setting of the other two
// matches the load, the part that changes next least, then the last. Of two solutions the one
// nearer the interpolated values of the parts that are not held is offered. A frequency that a
// row already holds gets no prediction (kPredictionOnRow): that row is the answer.
BandPrediction PredictBandRow(const BandTable& table, float frequency, int topology = 0);

inline constexpr std::string_view kPredictionTooFewRows =
    "The table needs two tuned rows at different frequencies whose load can be computed.";
inline constexpr std::string_view kPredictionOutsideRange =
    "The frequency lies outside the range of the table's tuned rows.";
inline constexpr std::string_view kPredictionMixedTopologies =
    "The tuned rows on either side of this frequency use different topologies.";
inline constexpr std::string_view kPredictionMixedImpedances =
    "The tuned rows on either side of this frequency use different system impedances.";
inline constexpr std::string_view kPredictionOnRow = "A row of the table already holds this frequency.";

// A row whose load breaks the trend of its neighbours.
struct MisreadRow {
    std::size_t row = 0;  // index into the table's rows
    double deviation = 0; // |Gamma - the Gamma of the neighbours' polar trend|
    // How far readings within the accuracy could take it: by whole sweeps, or, for a row that
    // strays more than twice as far, by the sweeps' corners alone (within half again of them).
    double allowance = 0;
    std::size_t below = 0, above = 0; // the neighbours of the trend, as indexes into the table's rows
};

// How close the neighbours of a judged row must be (see MisreadRows): within this fraction of
// the row's frequency of each other, and Gamma turning less than this many degrees per step of
// rows from the one to the other.
inline constexpr double kMisreadSpan = 0.06;
inline constexpr double kMisreadTurnPerStep = 45;

// Readings within the accuracy move a row's Gamma by up to the reach of its tolerance area (every
// part off by the whole accuracy in the most unlucky way), and its neighbours' trend by up to
// theirs. A deviation beyond this many times those reaches, combined as independent errors, plus
// the trend's own error is far more than reading errors within the accuracy explain.
inline constexpr double kMisreadFactor = 1;

// Rows whose settings were likely misread. A tuned row is judged only against neighbours close
// enough for the polar trend of PredictBandRow to hold: its nearest tuned neighbours below and
// above (all three of one topology and Z0) lie within kMisreadSpan of its frequency of each
// other, and Gamma turns less than kMisreadTurnPerStep degrees per step from the one to the other
// (90 across the row). The trend's own error is told by the same trend one step wider, leaving
// the row out: each neighbour from its other neighbour and the row's other neighbour (where those
// are close enough too; without either the row is not judged). A judged row is flagged when its
// distance from its neighbours' trend at its frequency exceeds kMisreadFactor times the root sum
// square of its own reach and its neighbours' reaches as the trend weighs them, at
// `accuracyPercent`, plus the trend's error; and exceeds the distances of both neighbours (a
// misread row bends its neighbours' trends by about half as much). Rows that cannot be judged,
// the first and last among them and every row of a table with one row per band, are not flagged;
// nor is anything for an accuracy outside 1 to 100 %. In order of the rows. The reaches are bounded
// from below by the sweep's corners first (eight network runs a row); only a row that strays
// beyond that bound, but less than twice as far, costs whole sweeps.
std::vector<MisreadRow> MisreadRows(const BandTable& table, int accuracyPercent);

// The flagged row beside a prediction (its row below, else its row above), if either is flagged.
std::optional<MisreadRow> FlaggedNeighbour(const BandPrediction& prediction,
                                           std::span<const MisreadRow> misread);

// The flag as the calculator tells it: "likely misread: Γ lies 0.1205 from the trend of line 3
// and line 5; readings within the accuracy explain about 0.03021".
std::string MisreadReason(const BandTable& table, const MisreadRow& misread);

} // namespace vorelin
