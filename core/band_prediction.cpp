#include "core/band_prediction.h"

#include "core/design.h"
#include "core/dial_values.h"
#include "core/load_figures.h"
#include "core/tolerance_sweep.h"
#include "core/topology.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <limits>

namespace vorelin {

namespace {

using Complex = std::complex<double>;

// A row that takes part: its place in the table, its entries and its reflection coefficient.
struct TunedRow {
    std::size_t index;
    const Entries* entries;
    Complex gamma;

    double Frequency() const { return static_cast<double>(entries->Frequency); }
};

// The rows without a problem whose load can be computed, by frequency (equal ones in table order).
// A prediction is left out: it would pull the trend toward itself and hide a misread neighbour.
std::vector<TunedRow> TunedRows(const BandTable& table) {
    std::vector<TunedRow> tuned;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const BandRow& row = table.rows[i];
        if (row.problem || IsPredictedRow(row)) continue;
        const NetworkRun run = RunNetwork(row.entries);
        if (!run.Computed()) continue;
        if (const auto gamma = ReflectionOf(run.load, row.entries.Impedance))
            tuned.push_back({i, &row.entries, {gamma->re, gamma->im}});
    }
    std::stable_sort(tuned.begin(), tuned.end(),
                     [](const TunedRow& a, const TunedRow& b) { return a.Frequency() < b.Frequency(); });
    return tuned;
}

bool Alike(const Entries& a, const Entries& b) {
    return a.Topology == b.Topology && a.Impedance == b.Impedance;
}

double Between(double before, double after, double t) { return before + t * (after - before); }

// How much a part changes from one row to the other; a part at zero changes without bound.
double Change(float before, float after) {
    if (!(before > 0 && after > 0)) return std::numeric_limits<double>::infinity();
    return std::fabs(std::log(static_cast<double>(after) / static_cast<double>(before)));
}

// How far a solution's parts lie from the interpolated values, held part included (it is exact).
double Distance(const Entries& solution, const Entries& interpolated) {
    double sum = 0;
    for (const PartSlot& part : PartsOf(solution.Topology)) {
        const double ratio =
            static_cast<double>(solution.*part.value) / static_cast<double>(interpolated.*part.value);
        sum += ratio > 0 ? std::log(ratio) * std::log(ratio) : std::numeric_limits<double>::infinity();
    }
    return sum;
}

// The design for the interpolated load, with the part that changes least held (see the header).
void DesignBetween(const Entries& before, const Entries& after, double t, const DesignTarget& target,
                   BandPrediction& prediction) {
    const int topology = before.Topology;
    const auto parts = PartsOf(topology);
    Entries interpolated = before;
    for (const PartSlot& part : parts) {
        interpolated.*part.value = static_cast<float>(
            Between(static_cast<double>(before.*part.value), static_cast<double>(after.*part.value), t));
    }
    const auto take = [&](const Design& design) {
        const auto nearest = std::ranges::min_element(
            design.solutions, {}, [&](const DesignSolution& s) { return Distance(s.entries, interpolated); });
        prediction.entries = nearest->entries;
        prediction.loadedQ = nearest->loadedQ;
    };
    if (parts.size() == 2) {
        const Design design = DesignNetwork(topology, target);
        if (design.solutions.empty()) {
            prediction.reason = design.reason;
        } else {
            take(design);
        }
        return;
    }
    std::array<std::size_t, 3> order{0, 1, 2};
    std::ranges::stable_sort(
        order, {}, [&](std::size_t i) { return Change(before.*parts[i].value, after.*parts[i].value); });
    for (const std::size_t i : order) {
        const Design design = DesignNetwork(
            topology, target, {.hold = DesignHold{parts[i].name, interpolated.*parts[i].value}});
        if (design.solutions.empty()) {
            if (prediction.reason.empty()) prediction.reason = design.reason;
            continue;
        }
        take(design);
        prediction.heldPart = parts[i].name;
        prediction.reason = {};
        return;
    }
}

} // namespace

BandPrediction PredictBandRow(const BandTable& table, float frequency) {
    BandPrediction prediction;
    if (!(std::isfinite(frequency) && frequency > 0)) {
        prediction.reason = kReasonBadFrequency;
        return prediction;
    }
    const std::vector<TunedRow> tuned = TunedRows(table);
    if (tuned.empty() || tuned.front().Frequency() == tuned.back().Frequency()) {
        prediction.reason = kPredictionTooFewRows;
        return prediction;
    }
    const auto f = static_cast<double>(frequency);
    // The first row above the frequency; at the highest frequency, the first row there.
    auto above = std::ranges::find_if(tuned, [f](const TunedRow& row) { return row.Frequency() > f; });
    if (above == tuned.end() && f == tuned.back().Frequency())
        above = std::ranges::find_if(tuned, [f](const TunedRow& row) { return row.Frequency() == f; });
    if (above == tuned.begin() || above == tuned.end()) {
        prediction.reason = kPredictionOutsideRange;
        return prediction;
    }
    const TunedRow& high = *above;
    const TunedRow& low = *(above - 1);
    prediction.below = low.index;
    prediction.above = high.index;
    if (low.entries->Topology != high.entries->Topology) {
        prediction.reason = kPredictionMixedTopologies;
        return prediction;
    }
    if (low.entries->Impedance != high.entries->Impedance) {
        prediction.reason = kPredictionMixedImpedances;
        return prediction;
    }

    const double t = (f - low.Frequency()) / (high.Frequency() - low.Frequency());
    const Complex gamma = low.gamma + t * (high.gamma - low.gamma);
    const Complex z = static_cast<double>(low.entries->Impedance) * (1.0 + gamma) / (1.0 - gamma);
    prediction.load = {static_cast<float>(z.real()), static_cast<float>(z.imag())};
    const DesignTarget target{prediction.load.LoadR, prediction.load.LoadX, low.entries->Impedance,
                              frequency};
    DesignBetween(*low.entries, *high.entries, t, target, prediction);
    if (!prediction.Ok()) return prediction;
    prediction.row = BandRowForDials(prediction.entries);
    prediction.row.cells[static_cast<std::size_t>(BandColumn::Note)] = kPredictionNote;
    return prediction;
}

namespace {

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

// The same reach over the corners of the sweep alone (every part at its first or last factor,
// varied as the sweep varies it): a lower bound of ToleranceReach for eight network runs, which
// spares the whole sweep for rows that stay near the trend.
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

} // namespace

std::vector<MisreadRow> MisreadRows(const BandTable& table, int accuracyPercent) {
    std::vector<MisreadRow> flagged;
    if (accuracyPercent < 1 || accuracyPercent > 100) return flagged;
    const std::vector<TunedRow> tuned = TunedRows(table);
    // Each row's deviation from its neighbours' trend; 0 where it cannot be told.
    std::vector<double> deviation(tuned.size(), 0);
    for (std::size_t k = 1; k + 1 < tuned.size(); ++k) {
        const TunedRow &low = tuned[k - 1], &row = tuned[k], &high = tuned[k + 1];
        if (!(low.Frequency() < row.Frequency() && row.Frequency() < high.Frequency())) continue;
        if (!Alike(*low.entries, *row.entries) || !Alike(*row.entries, *high.entries)) continue;
        const double t = (row.Frequency() - low.Frequency()) / (high.Frequency() - low.Frequency());
        deviation[k] = std::abs(row.gamma - (low.gamma + t * (high.gamma - low.gamma)));
    }
    for (std::size_t k = 1; k + 1 < tuned.size(); ++k) {
        if (!(deviation[k] > deviation[k - 1] && deviation[k] > deviation[k + 1])) continue;
        const float accuracy = AccuracyFraction(accuracyPercent);
        if (deviation[k] <= kMisreadFactor * CornerReach(tuned[k], accuracy)) continue;
        const double allowance = kMisreadFactor * ToleranceReach(tuned[k], accuracy);
        if (deviation[k] > allowance) flagged.push_back({tuned[k].index, deviation[k], allowance});
    }
    std::ranges::sort(flagged, {}, &MisreadRow::row);
    return flagged;
}

} // namespace vorelin
