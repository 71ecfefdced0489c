#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// Exit codes of vorelin-calc.
inline constexpr int kCalcOk = 0;
inline constexpr int kCalcBadEntries = 2;    // a usage error or a failed check of the entries
inline constexpr int kCalcNotComputable = 3; // no load (--design: no network has a solution)
inline constexpr int kCalcNotWritten = 4;    // an output file could not be written; an old one stays

// What begins each of vorelin-calc's own messages on the error stream.
inline constexpr std::string_view kCalcPrefix = "vorelin-calc: ";

// The command-line calculator. By default it parses the entries as the entries page does, checks
// them as "See results" does, runs the network and writes the readout with the load's figures (or
// JSON) to `out`; it also writes the files asked for (network file, report, Touchstone, CSV, page
// pictures). --table computes a band table, --design the part values that match a load, --help
// and --version tell about the program. Messages go to `err`.
// `arguments` excludes the program name.
int RunCalculator(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace vorelin
