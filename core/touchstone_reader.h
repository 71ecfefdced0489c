#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// A sweep a network analyser measured: the reflection coefficient of one port, frequency by
// frequency, as a Touchstone file holds it.
struct MeasuredPoint {
    double frequency = 0;       // Hz
    std::complex<double> gamma; // against the sweep's reference

    friend bool operator==(const MeasuredPoint&, const MeasuredPoint&) = default;
};

struct MeasuredSweep {
    double reference = 50;             // ohms: the file's reference resistance of port 1
    std::vector<MeasuredPoint> points; // frequencies strictly ascending

    friend bool operator==(const MeasuredSweep&, const MeasuredSweep&) = default;
};

// Limits that keep any file, however malformed, quick to read; a file past them is refused whole.
// A sweep of an analyser has a few thousand points.
inline constexpr std::size_t kMostMeasuredPoints = 1'000'000;
inline constexpr std::size_t kLargestTouchstoneBytes = std::size_t{64} << 20;
inline constexpr std::string_view kTouchstoneTooLarge = "the file is larger than 64 MB";

// Why a file was refused, and where.
struct TouchstoneFault {
    std::size_t line = 0; // from 1; 0 for the file as a whole (its size, what its end lacks)
    std::string reason;   // a phrase: "the frequencies must ascend: 14.2 follows 14.2"

    friend bool operator==(const TouchstoneFault&, const TouchstoneFault&) = default;
};

struct TouchstoneRead {
    MeasuredSweep sweep; // no points when there is a fault
    std::optional<TouchstoneFault> fault;

    bool Ok() const { return !fault.has_value(); }
};

// The port count that a file name gives by the format's convention: 1 for "ant.s1p", 2 for
// "amp.S2P", 3 for "x.s3p"; nothing for any other name ("sweep.ts", "sweep.txt").
std::optional<int> TouchstonePortsFromName(std::string_view fileName);

// Reads the sweep of a one-port Touchstone file, or S11 of a two-port file (with port 2
// terminated in its reference), in version 1 or version 2.0/2.1 form.
// - Version 1: comments, then the option line "# [Hz|kHz|MHz|GHz] [S|Y|Z] [MA|DB|RI] [R n]" (any
//   order and case; GHz, S, MA and R 50 where a part is left out), then one point per line: the
//   frequency and the parameters, a two-port's in the order N11 N21 N12 N22, possibly continued
//   in whole pairs on the following lines. The port count comes from `portsFromName`; without
//   it a file whose first point has 9 numbers on its line is a two-port file, any other a
//   one-port file. A two-port file may end in noise parameters (a line of 5 numbers whose
//   frequency does not rise): they are not read.
// - Version 2: "[Version] 2.0" first, the option line, [Number of Ports] (which the name does
//   not override), [Number of Frequencies], optionally [Reference] (one value per port, on its
//   line or the following ones; it replaces the option line's R), [Two-Port Data Order],
//   [Matrix Format] and [Begin Information] ... [End Information], then [Network Data], the
//   points, optionally [Noise Data] and its lines (not read), and [End].
// "!" starts a comment anywhere; blank lines, tabs and CR LF, LF or CR line ends are fine. A
// number is plain: an optional sign, digits with an optional period, an optional exponent
// ("1e-3"); frequencies are scaled by their unit exactly (the decimal text times a power of ten,
// rounded once). Y and Z values become Gamma at port 1 (see GammaAtPort1): a version 1 file
// holds them normalised to its R (z = Z / R, y = Y R), a version 2 file in ohms and siemens
// against each port's reference. Any fault refuses the whole file and names the line: a text
// that is not a plain number or a known option, a missing value, frequencies that do not
// ascend, a second option line, no option line before the data, more than kMostMeasuredPoints
// points, more than kLargestTouchstoneBytes bytes, values that give no finite Gamma, a negative
// magnitude or frequency, a keyword out of place.
TouchstoneRead ReadTouchstone(std::string_view bytes, std::optional<int> portsFromName = std::nullopt);

// The fault as a sentence: "Line 7: the frequencies must ascend: 14.2 follows 14.2." or, for the
// file as a whole, "The file has no data."
std::string TouchstoneFaultText(const TouchstoneFault& fault);

} // namespace vorelin
