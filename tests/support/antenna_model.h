#pragma once

#include <cmath>
#include <complex>
#include <numbers>

namespace vorelin::test {

// A model antenna system, independent of the program's maths: a dipole near its resonance behind
// a lossy coaxial feedline, as the tuner's output sees it. The dipole's resistance grows with the
// square of the frequency and its reactance is that of a series resonant circuit of quality
// `antennaQ`; the line's loss in dB grows with the square root of the frequency.
struct AntennaSystem {
    double resonance = 7.1e6; // Hz
    double radiationR = 65;   // ohms at resonance
    double antennaQ = 12;
    double lineLength = 20; // metres
    double velocityFactor = 0.66;
    double lineZ0 = 50;
    double lossDbPer100mAt10MHz = 4.6;

    std::complex<double> AntennaImpedance(double f) const {
        const double ratio = f / resonance;
        return {radiationR * ratio * ratio, antennaQ * radiationR * (ratio - 1 / ratio)};
    }

    // The impedance at the line's input: Zc (Zl + Zc tanh(gamma l)) / (Zc + Zl tanh(gamma l)).
    std::complex<double> Impedance(double f) const {
        const double alpha = lossDbPer100mAt10MHz / 100 / (20 / std::log(10.0)) * std::sqrt(f / 10e6);
        const double beta = 2 * std::numbers::pi * f / (velocityFactor * 299792458.0);
        const std::complex<double> t = std::tanh(std::complex<double>(alpha, beta) * lineLength);
        const std::complex<double> zl = AntennaImpedance(f);
        return lineZ0 * (zl + lineZ0 * t) / (lineZ0 + zl * t);
    }

    std::complex<double> Gamma(double f, double z0 = 50) const {
        const std::complex<double> z = Impedance(f);
        return (z - z0) / (z + z0);
    }
};

} // namespace vorelin::test
