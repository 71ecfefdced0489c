#pragma once

#include "core/antenna_system.h"
#include "core/design.h"
#include "core/strict_value.h"
#include "core/topology.h"

#include <array>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// What one run of vorelin-calc does.
enum class CalcMode {
    Load,     // one load from the tuner's settings (the default)
    Table,    // --table: one load per row of a band table
    Design,   // --design: the part values that match a load
    Measured, // --measured without --table: the points of a measured sweep
    Help,     // --help: the usage text on stdout
    Version,  // --version
    Cables    // --cables: the table of lines that --cable names
};

// The command line, read but not yet computed: values stay the texts the user typed, checked
// already by `reading` (OptionValue gives their numbers).
struct CalcOptions {
    ValueReading reading = ValueReading::Whole; // --page-reading: as the entries page reads them
    CalcMode mode = CalcMode::Load;
    int topology = 0; // 1 to 8; 0 when not given (only --design may leave it out)
    std::string frequency, impedance;
    std::array<std::string, kEntryParts.size()> parts; // in kEntryParts order; empty: 0
    int accuracyPercent = 0;                           // 0: not given (no region; --table flags at 5 %)
    bool points = false;
    bool json = false;
    // Output files; empty when not asked for.
    std::string exportPath, reportPath, s1pPath, csvPath, pngPath, svgPath;
    std::string tablePath;
    std::string measuredPath;       // --measured: a Touchstone file read, never written
    std::optional<float> reference; // the Touchstone reference impedance of a table
    std::string loadR, loadX;       // --design's load
    std::optional<DesignHold> hold; // its part name is one of kEntryParts'
    std::optional<double> loadedQ;
    std::optional<std::string> profile;      // --profile's name
    std::optional<double> coilQ, capacitorQ; // the parts' Q for the losses
    std::string predict;                     // --table's --predict frequency; empty when not asked for
    // With --power, a Q or a line (one load and --table): the antenna system's settings, the Qs
    // and the power defaulted; checked by SystemSettingsProblem.
    std::optional<SystemSettings> system;
};

// A value option's number, read as `options.reading` reads it (ReadOptions has refused any text
// the whole reading refuses).
double OptionValue(const CalcOptions& options, std::string_view text);

struct UsageError {
    std::string message;   // "--csv needs --accuracy"
    bool withUsage = true; // false where the usage text would not help: a value that is refused
};

// Reads the arguments (without the program name). Options may come in any order; each at most
// once. A known option name where a value belongs ("--l1 --json") is a forgotten value. --help,
// --version and --cables end the reading where they stand. Two output files that are one file (after the
// .PWF rule of --export), or an output that is the band table itself, are refused.
std::optional<UsageError> ReadOptions(const std::vector<std::string>& arguments, CalcOptions& options);

// A part's name as the options and the JSON keys write it: "C1" -> "c1".
std::string PartKey(std::string_view partName);

// The usage text of --help and of every usage error: every option, one line each.
extern const std::string_view kCalcUsage;

} // namespace vorelin
