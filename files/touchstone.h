#pragma once

#include "core/entries.h"
#include "core/networks.h"
#include "files/file_io.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// A Touchstone one-port file (.s1p) of loads: the reflection coefficient against Z0 per frequency,
// which RF tools and libraries read. ASCII only, LF line ends, a period as decimal mark:
//   ! Vorelin Version 2.03
//   ! Topology 5: T network
//   ! L1 1.1 uH, C2 330 pF, L3 2.7 uH
//   ! Accuracy 5 %
//   # Hz S RI R 50
//   10100000 0.5400547987554175 -0.556842019826303
//   2.1E+09 -1.4999999998085938 2.187499921834254E-05
// Frequencies are written to 9 significant digits (every float comes back exactly), Re and Im of
// gamma in the shortest form that gives the same double back.

struct TouchstonePoint {
    float frequency = 0; // Hz
    Load load;
};

// Why the points cannot make a file. Rows count from 0 in the order given.
struct TouchstoneProblem {
    enum class Kind {
        NoPoints,      // nothing to write
        BadImpedance,  // Z0 not finite and positive
        BadFrequency,  // `row` has a frequency that is negative or not finite
        SameFrequency, // `row` has the frequency of `previousRow`, the row before it
        NotAscending,  // `row` has a lower frequency than `previousRow`, the row before it
        NoReflection,  // `row` has no gamma: its load is not finite or is exactly -Z0
    };
    Kind kind;
    std::size_t row = 0;
    std::size_t previousRow = 0;

    friend bool operator==(const TouchstoneProblem&, const TouchstoneProblem&) = default;
};

// Every problem, in row order; none means the points can be written. The frequencies must be
// unique and strictly ascending as given: the writer never reorders.
std::vector<TouchstoneProblem> CheckTouchstonePoints(float impedance,
                                                     std::span<const TouchstonePoint> points);

// One problem in a sentence fragment, rows counted from 1: "rows 3 and 4 have the same
// frequency (14200000 Hz)", "row 2 has a lower frequency than row 1", "there is no load to write".
std::string DescribeProblem(const TouchstoneProblem& problem, std::span<const TouchstonePoint> points);

// The comment lines for one load: the program and version, the topology and its form, the part
// values as the pages show them, and the accuracy when one is chosen ("Accuracy 5 %").
std::vector<std::string> TouchstoneComments(const Entries& entries, std::optional<float> accuracy);

// The whole file: each comment line after "! " (anything outside printable ASCII becomes "?", one
// per character), the option line "# Hz S RI R <Z0>", one data line per point. Nothing when
// CheckTouchstonePoints finds a problem.
std::optional<std::string> TouchstoneText(std::span<const std::string> comments, float impedance,
                                          std::span<const TouchstonePoint> points);

// Writes the file atomically. Points with a problem write nothing and fail with a message naming
// the file and every problem; a failed write keeps the old file and names the file too.
WriteResult WriteTouchstone(const std::string& path, std::span<const std::string> comments, float impedance,
                            std::span<const TouchstonePoint> points);

} // namespace vorelin
