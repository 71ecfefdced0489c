#pragma once

#include "core/networks.h"
#include "core/touchstone_reader.h"

#include <complex>
#include <optional>

namespace vorelin {

// A measured sweep beside the tuner's loads: the measured Gamma at any frequency of the sweep
// and its distance from the tuner's.

// The measured Gamma at `frequency`, against the sweep's reference: a point's own Gamma at its
// frequency; between two points, InterpolateGammaAt of the two neighbours (magnitude and angle
// linear in frequency, the angle turning the shorter way). Nothing outside the sweep, for a
// frequency that is not a number, or for a sweep without points.
std::optional<std::complex<double>> MeasuredGammaAt(const MeasuredSweep& sweep, double frequency);

// The impedance R + jX that Gamma stands for against `reference` ohms: R (1 + Gamma) / (1 - Gamma).
// Nothing for Gamma = 1 (an open).
std::optional<std::complex<double>> ImpedanceOfGamma(std::complex<double> gamma, double reference);

// Gamma against `from` ohms referred to `to` ohms through the impedance Z it stands for:
// (Z - to) / (Z + to) with Z = from (1 + Gamma) / (1 - Gamma), multiplied out to
// ((1 + Gamma) from - (1 - Gamma) to) / ((1 + Gamma) from + (1 - Gamma) to), so that an open
// (Gamma = 1) stays 1 instead of passing through an infinite Z. Nothing when Z = -to.
std::optional<std::complex<double>> GammaReferredTo(std::complex<double> gamma, double from, double to);

// The measured load at a tuner's frequency, against the tuner's system impedance.
struct MeasuredComparison {
    std::complex<double> gamma;                    // measured, against the row's Z0
    std::optional<std::complex<double>> impedance; // measured R + jX; none for an open
    std::optional<double> gammaDistance;           // |Gamma_tuner - Gamma_measured|, both against Z0
};

// The comparison at a row of `frequency` and system impedance `impedance` whose tuner gives
// `tunerLoad` (none when its load could not be computed; then there is no distance). Nothing
// outside the sweep, for Z0 not finite and positive, or when the measured Gamma has none against
// Z0 (a load of exactly -Z0).
std::optional<MeasuredComparison> CompareWithMeasured(const MeasuredSweep& sweep, float frequency,
                                                      float impedance, const std::optional<Load>& tunerLoad);

} // namespace vorelin
