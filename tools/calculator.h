#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vorelin {

// Exit codes of vorelin-calc.
inline constexpr int kCalcOk = 0;
inline constexpr int kCalcBadEntries = 2; // a usage error or a failed check of the entries
inline constexpr int kCalcNotComputable = 3;
inline constexpr int kCalcNotWritten = 4; // the file of --export or --report could not be written

// The command-line calculator: parses the entries as the entries page does, checks them as
// "See results" does, runs the network and writes the readout (or JSON) to `out`; with
// --export it first writes the network file as "Send to Plotwin" does, with --report the
// printed report as a PDF file. Messages go to `err`.
// `arguments` excludes the program name.
int RunCalculator(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace vorelin
