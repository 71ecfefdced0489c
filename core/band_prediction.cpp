#include "core/band_prediction.h"

#include "core/design.h"
#include "core/dial_values.h"
#include "core/load_figures.h"
#include "core/polar_interpolation.h"
#include "core/tolerance_sweep.h"
#include "core/topology.h"
#include "core/tuned_rows.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <complex>
#include <limits>
#include <optional>

namespace vorelin {

namespace {

using Complex = std::complex<double>;

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

// The first row of the table (of `topology` when one is given) that holds this frequency.
std::optional<std::size_t> RowAtFrequency(const BandTable& table, float frequency, int topology) {
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const Entries& entries = table.rows[i].entries;
        if (entries.Frequency == frequency && (topology == 0 || entries.Topology == topology)) return i;
    }
    return std::nullopt;
}

} // namespace

BandPrediction PredictBandRow(const BandTable& table, float frequency, int topology) {
    BandPrediction prediction;
    if (!(std::isfinite(frequency) && frequency > 0)) {
        prediction.reason = kReasonBadFrequency;
        return prediction;
    }
    if (const auto held = RowAtFrequency(table, frequency, topology)) {
        prediction.reason = kPredictionOnRow;
        prediction.below = prediction.above = *held;
        return prediction;
    }
    const std::vector<TunedRow> tuned = TunedRows(table, topology);
    if (tuned.empty() || tuned.front().Frequency() == tuned.back().Frequency()) {
        prediction.reason = kPredictionTooFewRows;
        return prediction;
    }
    const auto f = static_cast<double>(frequency);
    const auto above = std::ranges::find_if(tuned, [f](const TunedRow& row) { return row.Frequency() > f; });
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
    const Complex gamma = InterpolateGammaAt(low.Frequency(), low.gamma, high.Frequency(), high.gamma, f);
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

} // namespace vorelin
