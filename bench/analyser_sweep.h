#pragma once

#include <charconv>
#include <complex>
#include <string>

namespace vorelin::bench {

// An analyser's sweep of 10,001 points from 1 to 31 MHz of a dipole behind a feedline, written
// with every digit a double has.
inline std::string AnalyserFile() {
    const auto shortest = [](double value) {
        char text[32];
        return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
    };
    std::string text = "! 10001 points\r\n# Hz S RI R 50\r\n";
    for (int i = 0; i <= 10000; ++i) {
        const double frequency = 1e6 + 3000.0 * i;
        const std::complex<double> gamma = std::polar(0.3 + 0.5 * i / 10000, -frequency * 2.1e-6);
        text += shortest(frequency) + " " + shortest(gamma.real()) + " " + shortest(gamma.imag()) + "\r\n";
    }
    return text;
}

} // namespace vorelin::bench
