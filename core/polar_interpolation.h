#pragma once

#include <complex>

namespace vorelin {

// A reflection coefficient between two known ones, at `t` of the way from `before` (t = 0) to
// `after` (t = 1): its magnitude linear in t, its angle turning linearly the shorter way round.
// A feedline turns Gamma about the chart's centre as the frequency rises, so this follows a
// real antenna far better than the straight chord between the two. Half-way between two
// opposite coefficients the turn goes counter-clockwise (+180 degrees).
std::complex<double> InterpolateGammaPolar(std::complex<double> before, std::complex<double> after, double t);

// The same at `frequency` between two coefficients known at `below` and `above` (below < above).
std::complex<double> InterpolateGammaAt(double below, std::complex<double> gammaBelow, double above,
                                        std::complex<double> gammaAbove, double frequency);

} // namespace vorelin
