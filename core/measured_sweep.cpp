#include "core/measured_sweep.h"

#include "core/load_figures.h"
#include "core/polar_interpolation.h"

#include <algorithm>
#include <cmath>

namespace vorelin {

namespace {

bool IsFinite(std::complex<double> value) {
    return std::isfinite(value.real()) && std::isfinite(value.imag());
}

} // namespace

std::optional<std::complex<double>> MeasuredGammaAt(const MeasuredSweep& sweep, double frequency) {
    const auto& points = sweep.points;
    if (points.empty() || !(frequency >= points.front().frequency && frequency <= points.back().frequency))
        return std::nullopt;
    const auto above =
        std::lower_bound(points.begin(), points.end(), frequency,
                         [](const MeasuredPoint& point, double f) { return point.frequency < f; });
    if (above->frequency == frequency) return above->gamma;
    const auto below = std::prev(above);
    return InterpolateGammaAt(below->frequency, below->gamma, above->frequency, above->gamma, frequency);
}

std::optional<std::complex<double>> ImpedanceOfGamma(std::complex<double> gamma, double reference) {
    const std::complex<double> impedance = reference * (1.0 + gamma) / (1.0 - gamma);
    if (gamma == 1.0 || !IsFinite(impedance)) return std::nullopt;
    return impedance;
}

std::optional<std::complex<double>> GammaReferredTo(std::complex<double> gamma, double from, double to) {
    const std::complex<double> forward = (1.0 + gamma) * from, backward = (1.0 - gamma) * to;
    const std::complex<double> referred = (forward - backward) / (forward + backward);
    if (forward + backward == 0.0 || !IsFinite(referred)) return std::nullopt;
    return referred;
}

std::optional<MeasuredComparison> CompareWithMeasured(const MeasuredSweep& sweep, float frequency,
                                                      float impedance, const std::optional<Load>& tunerLoad) {
    if (!std::isfinite(impedance) || !(impedance > 0)) return std::nullopt;
    const auto measured = MeasuredGammaAt(sweep, static_cast<double>(frequency));
    if (!measured) return std::nullopt;
    const auto gamma = GammaReferredTo(*measured, sweep.reference, static_cast<double>(impedance));
    if (!gamma) return std::nullopt;
    MeasuredComparison comparison{*gamma, ImpedanceOfGamma(*measured, sweep.reference), std::nullopt};
    if (const auto tuner = tunerLoad ? ReflectionOf(*tunerLoad, impedance) : std::nullopt)
        comparison.gammaDistance = std::abs(std::complex<double>(tuner->re, tuner->im) - *gamma);
    return comparison;
}

} // namespace vorelin
