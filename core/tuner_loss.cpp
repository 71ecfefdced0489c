#include "core/tuner_loss.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace vorelin {

namespace {

using Complex = std::complex<double>;

bool Positive(double value) { return std::isfinite(value) && value > 0; }

// A part at the frequency. An inductor is X (1/Q + j), a capacitor |X| (1/Q - j); a shunt part is
// kept as the admittance so that an open capacitor (C = 0) is exactly 0 rather than infinite.
Complex SeriesImpedance(PartKind kind, double omega, double value, const LossSettings& settings) {
    if (kind == PartKind::Inductor) {
        const double x = omega * value;
        return {x / settings.coilQ, x};
    }
    const double magnitude = 1 / (omega * value);
    return {magnitude / settings.capacitorQ, -magnitude};
}

Complex ShuntAdmittance(PartKind kind, double omega, double value, const LossSettings& settings) {
    if (kind == PartKind::Capacitor) {
        const double b = omega * value, lossRatio = 1 / settings.capacitorQ;
        return Complex{lossRatio, 1} * (b / (lossRatio * lossRatio + 1));
    }
    const double lossRatio = 1 / settings.coilQ;
    return Complex{lossRatio, -1} * (1 / (omega * value) / (lossRatio * lossRatio + 1));
}

// A part that the network routines refuse as well: it would cut the path to the load.
bool CutsThePath(const PartSlot& part, float value) {
    return value == 0 && ((part.kind == PartKind::Capacitor) == (part.placement == Placement::Series));
}

// A part's RMS current and voltage and its dissipation for 1 V across the load; the first two
// scale with the square root of the power, the last with the power.
struct PartPhasors {
    double current = 0, voltage = 0, dissipated = 0;
};

std::string_view InputProblem(const Entries& entries, const Load& load, const LossSettings& settings) {
    if (!IsKnownTopology(entries.Topology)) return kLossReasonTopology;
    if (!Positive(static_cast<double>(entries.Frequency))) return kLossReasonFrequency;
    if (!Positive(settings.powerW)) return kLossReasonPower;
    if (!Positive(settings.coilQ)) return kLossReasonCoilQ;
    if (!Positive(settings.capacitorQ)) return kLossReasonCapacitorQ;
    if (!Positive(static_cast<double>(load.LoadR)) || !std::isfinite(load.LoadX)) return kLossReasonLoad;
    for (const PartSlot& part : PartsOf(entries.Topology)) {
        const float value = entries.*part.value;
        if (!std::isfinite(value) || value < 0) return kLossReasonPartValue;
    }
    for (const PartSlot& part : PartsOf(entries.Topology)) {
        if (CutsThePath(part, entries.*part.value)) return kLossReasonNoPath;
    }
    return {};
}

} // namespace

TunerLoss TunerLossOf(const Entries& entries, const Load& load, const LossSettings& settings) {
    TunerLoss loss;
    loss.reason = InputProblem(entries, load, settings);
    if (!loss.Computed()) return loss;

    const double omega = 2 * std::numbers::pi * static_cast<double>(entries.Frequency);
    const std::span<const PartSlot> parts = PartsOf(entries.Topology);
    std::array<PartPhasors, kMostParts> phasors{};

    // Walk from the load to the input with 1 V across the load; everything scales afterwards.
    Complex v{1, 0};
    Complex i = v / Complex{static_cast<double>(load.LoadR), static_cast<double>(load.LoadX)};
    const double loadPower = (v * std::conj(i)).real();
    for (std::size_t k = parts.size(); k-- > 0;) {
        const PartSlot& part = parts[k];
        const double value = static_cast<double>(entries.*part.value);
        PartPhasors& p = phasors[k];
        if (part.placement == Placement::Series) {
            const Complex z = SeriesImpedance(part.kind, omega, value, settings);
            p.current = std::abs(i);
            p.voltage = p.current * std::abs(z);
            p.dissipated = p.current * p.current * z.real();
            v += i * z;
        } else {
            const Complex y = ShuntAdmittance(part.kind, omega, value, settings);
            p.voltage = std::abs(v);
            p.current = std::abs(v * y);
            p.dissipated = p.voltage * p.voltage * y.real();
            i += v * y;
        }
    }
    const double inputPower = (v * std::conj(i)).real();
    const Complex input = v / i;
    const double scale = std::sqrt(settings.powerW / inputPower);

    loss.powerW = settings.powerW;
    // Nearly lossless parts could round the ratio a hair past 1: a passive network gains nothing.
    loss.efficiency = std::fmin(loadPower / inputPower, 1);
    loss.loadPowerW = settings.powerW * loss.efficiency;
    loss.lossDb = std::fmax(10 * std::log10(inputPower / loadPower), 0);
    loss.inputR = input.real();
    loss.inputX = input.imag();
    bool finite = std::isfinite(scale) && std::isfinite(loss.lossDb) && std::isfinite(loss.inputR) &&
                  std::isfinite(loss.inputX) && inputPower > 0;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const PartPhasors& p = phasors[k];
        PartStress& stress = loss.partSlots[k];
        stress = {parts[k].name,
                  parts[k].kind,
                  parts[k].placement,
                  p.current * scale,
                  p.voltage * scale,
                  p.voltage * scale * std::numbers::sqrt2,
                  p.dissipated * scale * scale};
        finite = finite && std::isfinite(stress.voltagePeak) && std::isfinite(stress.currentRms) &&
                 std::isfinite(stress.dissipatedW);
    }
    loss.partCount = parts.size();
    if (!finite) return TunerLoss{.reason = kLossReasonOverflow};
    return loss;
}

} // namespace vorelin
