#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorelin {

// The parts of a Touchstone file below its structure: words, plain numbers, the option line and
// the conversion of one port's parameters to Gamma.

// The blank-separated words of a line (blanks are spaces and tabs).
class Words {
public:
    explicit Words(std::string_view text) : m_text(text) {}
    // The next word, or nothing at the end of the line.
    std::optional<std::string_view> Next();
    // How many words the whole line has, counting no further than `most`.
    std::size_t CountUpTo(std::size_t most) const;

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

// A word as a reason quotes it: in double quotes, bytes outside printable ASCII as "?", a long
// word shortened with "...": "\"14.2M\"".
std::string Quoted(std::string_view word);

// A plain number (an optional sign, digits with an optional period, an optional exponent), times
// 10^shift, correctly rounded once: ("14.2", 6) -> 14200000 exactly. `fault` names what is wrong
// otherwise: "\"14.2M\" is not a plain number", "\"1e999\" is out of range".
struct PlainNumber {
    double value = 0;
    std::string fault;
};
PlainNumber ReadPlainNumber(std::string_view word, int shift = 0);

enum class ParameterKind { S, Y, Z };
enum class ParameterFormat { MagnitudeAngle, DecibelAngle, RealImaginary };

// What the option line says, with the format's defaults for what it leaves out.
struct TouchstoneOptions {
    int unitExponent = 9; // the frequency unit as a power of ten: 0 Hz, 3 kHz, 6 MHz, 9 GHz
    ParameterKind kind = ParameterKind::S;
    ParameterFormat format = ParameterFormat::MagnitudeAngle;
    double resistance = 50; // R, ohms
};

// The options of the text after "#", in any order and case, or the fault:
// "unknown option \"XY\"", "the option line gives two frequency units", "R needs a positive number after it".
struct OptionLineRead {
    TouchstoneOptions options;
    std::string fault;
};
OptionLineRead ReadOptionLine(std::string_view text);

// One parameter from its pair of numbers: first + j second (RI), first at second degrees (MA),
// 10^(first / 20) at second degrees (DB).
std::complex<double> ParameterOfPair(ParameterFormat format, double first, double second);

// What S11 of a two-port's Y or Z matrix depends on besides N11.
struct SecondPort {
    std::complex<double> transfer; // N12 x N21, as in the file
    std::complex<double> n22;      // as in the file
    double reference = 50;         // ohms: port 2 is terminated in it
};

// Gamma at port 1 against `reference` from the file's N11 (and, for a two-port, the rest). S11
// is N11 itself. Y and Z values are first made absolute by `scale`: a version 1 file holds them
// normalised to its one R (z = Z / R, y = Y R), so scale is R for Z and 1 / R for Y; a version 2
// file holds ohms and siemens, scale 1. Port 1 then sees Zin = Z11 - Z12 Z21 / (Z22 + R2) or
// Yin = Y11 - Y12 Y21 / (Y22 + 1 / R2), and Gamma = (Zin - R1) / (Zin + R1) = (1 - Yin R1) / (1 + Yin R1).
// A value that has no Gamma (Z = -R1) gives an infinity or NaN for the caller to refuse.
std::complex<double> GammaAtPort1(ParameterKind kind, double scale, std::complex<double> n11,
                                  double reference, const std::optional<SecondPort>& second);

} // namespace vorelin
