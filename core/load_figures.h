#pragma once

#include "core/networks.h"

#include <optional>

namespace vorelin {

// The reflection coefficient of a load against the system impedance Z0.
struct Reflection {
    double re = 0;
    double im = 0;
};

// Gamma = (Z - Z0) / (Z + Z0), in double from the stored float load. Nothing when Z0 is not a
// finite positive number, the load is not finite, or Z + Z0 = 0 (a load of exactly -Z0).
std::optional<Reflection> ReflectionOf(const Load& load, float impedance);

// Everything a reader of an impedance wants besides R + jX. Each figure is computed in double
// from the stored float load, Z0 and frequency; one that does not exist is empty, never an
// infinity or NaN:
// - gamma*: when ReflectionOf has a result; gammaDeg also needs gamma != 0;
// - swr, mismatchLossDb: only for R > 0 (|gamma| < 1); 25 or 100 ohms against 50 give SWR 2;
// - returnLossDb: needs 0 < |gamma| (negative for |gamma| > 1, a load with R < 0);
// - zMag: always for a finite load; zDeg needs Z != 0;
// - parallelR needs R != 0, parallelX needs X != 0; the parallel reactance's inductance (Xp > 0)
//   or capacitance (Xp < 0) needs a finite positive frequency as well;
// - q = |X| / R needs R != 0 (negative for R < 0).
// With Z0 not finite and positive, or a load that is not finite, every figure is empty.
struct LoadFigures {
    std::optional<double> gammaRe, gammaIm;
    std::optional<double> gammaMag;
    std::optional<double> gammaDeg; // -180 ... 180
    std::optional<double> swr;
    std::optional<double> returnLossDb;   // -20 log10 |gamma|
    std::optional<double> mismatchLossDb; // -10 log10 (1 - |gamma|^2)
    std::optional<double> zMag;
    std::optional<double> zDeg; // -90 ... 90 for R >= 0
    std::optional<double> parallelR;
    std::optional<double> parallelX;
    std::optional<double> parallelInductance;  // henries, when parallelX > 0
    std::optional<double> parallelCapacitance; // farads, when parallelX < 0
    std::optional<double> q;
};

LoadFigures FiguresOf(const Load& load, float impedance, float frequency);

} // namespace vorelin
