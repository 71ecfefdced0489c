#include "core/polar_interpolation.h"

#include <cmath>
#include <numbers>

namespace vorelin {

std::complex<double> InterpolateGammaPolar(std::complex<double> before, std::complex<double> after,
                                           double t) {
    const double magnitude = std::abs(before) + t * (std::abs(after) - std::abs(before));
    // A coefficient of magnitude 0 has no angle of its own: it takes the other's.
    const double angleBefore = std::abs(before) > 0 ? std::arg(before) : std::arg(after);
    const double angleAfter = std::abs(after) > 0 ? std::arg(after) : angleBefore;
    double turn = std::remainder(angleAfter - angleBefore, 2 * std::numbers::pi); // in [-pi, pi]
    if (turn == -std::numbers::pi) turn = std::numbers::pi;
    return std::polar(magnitude, angleBefore + t * turn);
}

std::complex<double> InterpolateGammaAt(double below, std::complex<double> gammaBelow, double above,
                                        std::complex<double> gammaAbove, double frequency) {
    return InterpolateGammaPolar(gammaBelow, gammaAbove, (frequency - below) / (above - below));
}

} // namespace vorelin
