#include "core/load_figures.h"

#include <cmath>
#include <numbers>

namespace vorelin {

namespace {

constexpr double kDegreesPerRadian = 180 / std::numbers::pi;

bool ValidImpedance(float impedance) { return std::isfinite(impedance) && impedance > 0; }
bool FiniteLoad(const Load& load) { return std::isfinite(load.LoadR) && std::isfinite(load.LoadX); }

// A figure that exists: finite, and never a negative zero (which a file would show as "-0").
std::optional<double> Figure(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    return value + 0.0;
}

std::optional<double> Degrees(double y, double x) {
    if (y == 0 && x == 0) return std::nullopt;
    return Figure(std::atan2(y, x) * kDegreesPerRadian);
}

} // namespace

std::optional<Reflection> ReflectionOf(const Load& load, float impedance) {
    if (!ValidImpedance(impedance) || !FiniteLoad(load)) return std::nullopt;
    const auto r = static_cast<double>(load.LoadR);
    const auto x = static_cast<double>(load.LoadX);
    const auto z0 = static_cast<double>(impedance);
    // (Z - Z0) / (Z + Z0) multiplied out: the real part's numerator is |Z|^2 - Z0^2. A network
    // leaves a resistive load with X = -0, whose imaginary part must not be written as "-0".
    const double denominator = (r + z0) * (r + z0) + x * x;
    if (denominator == 0) return std::nullopt;
    return Reflection{((r - z0) * (r + z0) + x * x) / denominator + 0.0, (2 * z0 * x) / denominator + 0.0};
}

LoadFigures FiguresOf(const Load& load, float impedance, float frequency) {
    LoadFigures figures;
    if (!ValidImpedance(impedance) || !FiniteLoad(load)) return figures;
    const auto r = static_cast<double>(load.LoadR);
    const auto x = static_cast<double>(load.LoadX);
    const auto z0 = static_cast<double>(impedance);

    if (const auto gamma = ReflectionOf(load, impedance)) {
        const double magnitude = std::hypot(gamma->re, gamma->im);
        figures.gammaRe = gamma->re;
        figures.gammaIm = gamma->im;
        figures.gammaMag = Figure(magnitude);
        figures.gammaDeg = Degrees(gamma->im, gamma->re);
        if (magnitude > 0) figures.returnLossDb = Figure(-20 * std::log10(magnitude));
        // |gamma| < 1 exactly when R > 0; a tiny R can still round |gamma| up to 1.
        if (r > 0 && magnitude < 1) figures.swr = Figure((1 + magnitude) / (1 - magnitude));
    }
    // 1 - |gamma|^2 = 4 R Z0 / |Z + Z0|^2, without the cancellation near |gamma| = 1.
    if (r > 0) figures.mismatchLossDb = Figure(-10 * std::log10(4 * r * z0 / ((r + z0) * (r + z0) + x * x)));

    figures.zMag = Figure(std::hypot(r, x));
    figures.zDeg = Degrees(x, r);

    const double squared = r * r + x * x;
    if (r != 0) {
        figures.parallelR = Figure(squared / r);
        figures.q = Figure(std::fabs(x) / r);
    }
    if (x != 0) {
        const double parallelX = squared / x;
        figures.parallelX = Figure(parallelX);
        const double omega = 2 * std::numbers::pi * static_cast<double>(frequency);
        if (std::isfinite(omega) && omega > 0) {
            if (parallelX > 0) {
                figures.parallelInductance = Figure(parallelX / omega);
            } else {
                figures.parallelCapacitance = Figure(-1 / (omega * parallelX));
            }
        }
    }
    return figures;
}

} // namespace vorelin
