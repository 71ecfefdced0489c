#include "core/band_prediction.h"

#include "core/figures_text.h"
#include "core/networks.h"
#include "core/polar_interpolation.h"
#include "core/tolerance_sweep.h"
#include "core/topology.h"
#include "core/tuned_rows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <optional>

// The rule, in short: a row is judged only against neighbours close enough for the polar trend to
// hold. Its nearest tuned neighbours below and above (one topology and Z0 for all three) must lie
// within 6 % of its frequency of each other, and Gamma must turn less than 45 degrees per step
// from the one to the other. A feedline turns Gamma by whole turns between bands: farther apart
// the phase cannot be told, and such rows are left unflagged, as are the first and last. A judged
// row is flagged when it strays from its neighbours' polar trend by more than readings within the
// accuracy explain (the reaches of its own and its neighbours' tolerance areas, combined as
// independent errors) plus the error of the trend itself (told by the same trend over one step
// more, leaving the row out), and by more than either neighbour strays from its own trend.

namespace vorelin {

namespace {

using Complex = std::complex<double>;

constexpr double kMisreadClearMargin = 2;

bool Alike(const Entries& a, const Entries& b) {
    return a.Topology == b.Topology && a.Impedance == b.Impedance;
}

// The turn from one coefficient to the other, the shorter way round, in radians (0 to pi).
double TurnBetween(Complex a, Complex b) {
    if (std::abs(a) == 0 || std::abs(b) == 0) return std::numbers::pi;
    return std::fabs(std::arg(b / a));
}

// The farthest a load of the tolerance area gets from the row's own, in Gamma.
double ToleranceReach(const TunedRow& row, float accuracy) {
    double reach = 0;
    const float z0 = row.entries->Impedance;
    SweepTolerance(*row.entries, accuracy, [&](const SweepPoint& point) {
        if (point.nominal) return;
        if (const auto gamma = ReflectionOf({point.loadR, point.loadX}, z0))
            reach = std::max(reach, std::abs(Complex(gamma->re, gamma->im) - row.gamma));
    });
    return reach;
}

// The first and last factors the sweep applies to each part.
std::array<float, 2> SweepEnds(float accuracy) {
    const ToleranceFactors factors = ToleranceFactors::For(accuracy);
    float last = factors.start;
    for (float f = factors.start; f <= factors.end; f = ToleranceFactors::Next(f))
        last = f;
    return {factors.start, last};
}

// The same reach over the corners of the sweep alone (every part at its first or last factor):
// a lower bound of ToleranceReach for at most eight network runs.
double CornerReach(const TunedRow& row, float accuracy) {
    const std::array<float, 2> ends = SweepEnds(accuracy);
    const auto parts = PartsOf(row.entries->Topology);
    double reach = 0;
    for (std::size_t corner = 0; corner < (std::size_t{1} << parts.size()); ++corner) {
        Entries varied = *row.entries;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            varied.*parts[i].value = static_cast<float>(static_cast<double>(row.entries->*parts[i].value) *
                                                        static_cast<double>(ends[(corner >> i) & 1]));
        }
        const NetworkRun run = RunNetwork(varied);
        if (!run.Computed()) continue;
        if (const auto gamma = ReflectionOf(run.load, row.entries->Impedance))
            reach = std::max(reach, std::abs(Complex(gamma->re, gamma->im) - row.gamma));
    }
    return reach;
}

// One judged row: its place among the tuned rows, where it lies between its neighbours, how far it
// strays from their trend, and how far the trend itself may be off.
struct Judged {
    std::size_t k = 0;
    double t = 0;
    double deviation = 0;
    double trendError = 0;
};

// Whether the rows `low` < `row` < `high` (indexes into `tuned`) make a trend that can hold.
bool CloseEnough(const std::vector<TunedRow>& tuned, std::size_t low, std::size_t row, std::size_t high) {
    const double steps = static_cast<double>(high - low);
    const TunedRow &a = tuned[low], &r = tuned[row], &b = tuned[high];
    if (!(a.Frequency() < r.Frequency() && r.Frequency() < b.Frequency())) return false;
    if (!Alike(*a.entries, *r.entries) || !Alike(*r.entries, *b.entries)) return false;
    if (b.Frequency() - a.Frequency() > kMisreadSpan * r.Frequency()) return false;
    return TurnBetween(a.gamma, b.gamma) < steps * kMisreadTurnPerStep * std::numbers::pi / 180;
}

// How far row `row` strays from the polar trend of rows `low` and `high`.
double Deviation(const std::vector<TunedRow>& tuned, std::size_t low, std::size_t row, std::size_t high) {
    const TunedRow &a = tuned[low], &r = tuned[row], &b = tuned[high];
    return std::abs(r.gamma -
                    InterpolateGammaAt(a.Frequency(), a.gamma, b.Frequency(), b.gamma, r.Frequency()));
}

std::optional<Judged> Judge(const std::vector<TunedRow>& tuned, std::size_t k) {
    if (!CloseEnough(tuned, k - 1, k, k + 1)) return std::nullopt;
    Judged judged{k, 0, Deviation(tuned, k - 1, k, k + 1), 0};
    const TunedRow &low = tuned[k - 1], &high = tuned[k + 1];
    judged.t = (tuned[k].Frequency() - low.Frequency()) / (high.Frequency() - low.Frequency());
    // The trend's own error, told by the same trend over a wider span that leaves this row out:
    // each neighbour from its other neighbour and the row's other neighbour. Near the chart's
    // centre an antenna's own resonance bends Gamma off the feedline's circle, and this tells.
    bool told = false;
    if (k >= 2 && CloseEnough(tuned, k - 2, k - 1, k + 1)) {
        judged.trendError = Deviation(tuned, k - 2, k - 1, k + 1);
        told = true;
    }
    if (k + 2 < tuned.size() && CloseEnough(tuned, k - 1, k + 1, k + 2)) {
        judged.trendError = std::max(judged.trendError, Deviation(tuned, k - 1, k + 1, k + 2));
        told = true;
    }
    if (!told) return std::nullopt; // three rows alone cannot tell a misread from a bend
    return judged;
}

} // namespace

std::vector<MisreadRow> MisreadRows(const BandTable& table, int accuracyPercent) {
    std::vector<MisreadRow> flagged;
    if (accuracyPercent < 1 || accuracyPercent > 100) return flagged;
    const float accuracy = AccuracyFraction(accuracyPercent);
    const std::vector<TunedRow> tuned = TunedRows(table);
    std::vector<std::optional<Judged>> judged(tuned.size());
    for (std::size_t k = 1; k + 1 < tuned.size(); ++k)
        judged[k] = Judge(tuned, k);
    const auto deviationAt = [&judged](std::size_t k) { return judged[k] ? judged[k]->deviation : 0.0; };

    // Each row's reach, found once: first the corners' lower bound, the whole sweep only where the
    // bound cannot clear a row.
    std::vector<double> corner(tuned.size(), -1), whole(tuned.size(), -1);
    const auto reach = [&](std::size_t k, bool exact) {
        std::vector<double>& known = exact ? whole : corner;
        if (known[k] < 0)
            known[k] = exact ? ToleranceReach(tuned[k], accuracy) : CornerReach(tuned[k], accuracy);
        return known[k];
    };
    // Readings within the accuracy move the row by up to its reach, and the trend by up to its
    // neighbours' reaches, weighted as the trend weighs them.
    const auto allowance = [&](const Judged& j, bool exact) {
        const double own = reach(j.k, exact), low = (1 - j.t) * reach(j.k - 1, exact),
                     high = j.t * reach(j.k + 1, exact);
        return kMisreadFactor * std::sqrt(own * own + low * low + high * high) + j.trendError;
    };
    for (std::size_t k = 1; k + 1 < tuned.size(); ++k) {
        if (!judged[k]) continue;
        const Judged& j = *judged[k];
        // A misread row bends its neighbours' trends too, by about half as much.
        if (!(j.deviation > deviationAt(k - 1) && j.deviation > deviationAt(k + 1))) continue;
        const double bound = allowance(j, false);
        if (j.deviation <= bound) continue;
        // Far beyond the corners' allowance no whole sweep can clear the row: their reach lies
        // within half again of the corners' for every accuracy offered.
        const double allowed = j.deviation > kMisreadClearMargin * bound ? bound : allowance(j, true);
        if (j.deviation > allowed)
            flagged.push_back({tuned[k].index, j.deviation, allowed, tuned[k - 1].index, tuned[k + 1].index});
    }
    std::ranges::sort(flagged, {}, &MisreadRow::row);
    return flagged;
}

namespace {

// "line 4" for a row read from a file, else "row 4" as the grid numbers it.
std::string RowName(const BandTable& table, std::size_t row) {
    const std::size_t line = table.rows[row].line;
    return line > 0 ? "line " + std::to_string(line) : "row " + std::to_string(row + 1);
}

} // namespace

std::optional<MisreadRow> FlaggedNeighbour(const BandPrediction& prediction,
                                           std::span<const MisreadRow> misread) {
    for (const std::size_t row : {prediction.below, prediction.above}) {
        const auto found = std::ranges::find(misread, row, &MisreadRow::row);
        if (found != misread.end()) return *found;
    }
    return std::nullopt;
}

std::string MisreadReason(const BandTable& table, const MisreadRow& misread) {
    return "likely misread: Γ lies " + FigureText(misread.deviation) + " from the trend of " +
           RowName(table, misread.below) + " and " + RowName(table, misread.above) +
           "; readings within the accuracy explain about " + FigureText(misread.allowance);
}

} // namespace vorelin
