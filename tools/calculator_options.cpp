#include "tools/calculator_options.h"

#include "core/cables.h"
#include "core/system_form.h"
#include "core/tolerance_sweep.h"
#include "files/file_identity.h"
#include "files/network_file.h"
#include "files/write_target.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

namespace vorelin {

const std::string_view kCalcUsage =
    "usage: vorelin-calc --topology N --frequency F --impedance Z0 [--c1 V] ... [--l3 V] [options]\n"
    "       vorelin-calc --table IN.csv [--json] [--accuracy P] [--s1p PATH] [--csv PATH] [--reference Z0]\n"
    "                    [--measured FILE]\n"
    "       vorelin-calc --table IN.csv --predict F [--topology N] [--accuracy P] [--json]\n"
    "       vorelin-calc --design --load-r R --load-x X --frequency F --impedance Z0\n"
    "                    [--topology N] [--hold PART=V] [--q Q] [--profile NAME]\n"
    "                    [--coil-q Q] [--capacitor-q Q] [--json]\n"
    "       vorelin-calc --measured FILE [--json]\n"
    "       vorelin-calc --cables | --help | --version\n"
    "Values are engineering text as on the entries page: 14.2M, 50, 150p, 2.2u, 50 ohms. Each value,\n"
    "on the command line and in a table, is read whole or refused: 4k7 and 150p;2.2u are refused.\n"
    "  --page-reading       read every value as the entries page reads its boxes instead (its first\n"
    "                       12 characters; unknown characters skipped)\n"
    "One load from the tuner's settings:\n"
    "  --topology N         the network, 1 to 8\n"
    "  --frequency F        the test frequency, Hz\n"
    "  --impedance Z0       the system impedance, ohms\n"
    "  --c1 ... --l3 V      the part values (--c1 --c2 --c3 --l1 --l2 --l3); a part not given is 0\n"
    "  --accuracy PERCENT   the tolerance region for 1, 2, 5, 10 or 20 % accuracy\n"
    "  --points             every load of the region (needs --accuracy)\n"
    "  --json               JSON instead of text\n"
    "  --export PATH        the Plotwin network file, its extension replaced by .PWF\n"
    "  --report PATH.pdf    the printed report as a PDF file\n"
    "  --s1p PATH           the load as a Touchstone one-port file\n"
    "  --csv PATH           the region's loads as CSV (needs --accuracy)\n"
    "  --png PATH           the results page as a PNG picture, 2400 x 1800 pixels\n"
    "  --svg PATH           the results page as an SVG drawing\n"
    "A band table (columns frequency, topology, impedance, c1 ... l3, note), one load per row:\n"
    "  --table IN.csv       the table to compute\n"
    "  --json               JSON instead of text\n"
    "  --s1p PATH           the loads as a Touchstone one-port file, frequencies ascending\n"
    "  --csv PATH           frequency, R, X, SWR, return loss, |gamma| and note of every row\n"
    "  --reference Z0       the Touchstone file's reference when the rows' impedances differ\n"
    "  --accuracy PERCENT   the accuracy at which rows are flagged as likely misread (5 when not given)\n"
    "  --predict F          the settings at F between the tuned rows around it\n"
    "  --topology N         with --predict: only the rows of this network\n"
    "  --measured FILE      each row beside a measured sweep (.s1p, or S11 of .s2p): its R + jX\n"
    "                       at the row's frequency and the distance between the two gammas\n"
    "A measured sweep:\n"
    "  --measured FILE      the points of a Touchstone file: R + jX and gamma against its reference\n"
    "  --json               JSON instead of text\n"
    "The part values that match a load:\n"
    "  --design             design the networks for a load\n"
    "  --load-r R           the load's resistance, ohms\n"
    "  --load-x X           the load's reactance, ohms (negative: capacitive)\n"
    "  --frequency F        the frequency, Hz\n"
    "  --impedance Z0       the system impedance, ohms\n"
    "  --topology N         this network only (all eight when not given)\n"
    "  --hold PART=V        keep this part of the T and pi networks at V (c1=150p)\n"
    "  --q Q                the loaded Q of the T and pi networks (twice their least Q when not given)\n"
    "  --profile NAME       the tuner profile of that name in VORELIN-TUNERS.CSV (the working folder):\n"
    "                       its ranges mark the solutions of its network, its Qs give the losses\n"
    "  --coil-q Q           the coils' Q for each solution's loss (the profile's, else 200)\n"
    "  --capacitor-q Q      the capacitors' Q (the profile's, else 1000)\n"
    "  --json               JSON instead of text\n"
    "The antenna system, for one load and for every row of --table (any of these adds its figures):\n"
    "  --power W            the power delivered into the tuner, watts (100 when not given)\n"
    "  --coil-q Q           every coil's Q for the losses (200 when not given)\n"
    "  --capacitor-q Q      every capacitor's Q (1000 when not given)\n"
    "  --line-length L      the feedline's length in metres (30, 30m), or in feet as 98.4ft\n"
    "  --cable NAME         the line's cable from the table (--cables lists it): its VF, Z0 and loss\n"
    "  --line-vf VF         the line's velocity factor, above 0 and at most 1 (the cable's)\n"
    "  --line-z0 OHMS       the line's characteristic impedance (the cable's)\n"
    "  --line-k1 K1         the loss k1 sqrt(f) + k2 f dB/100 m, f in MHz (the cable's, else 0)\n"
    "  --line-k2 K2         (the cable's, else 0)\n"
    "  --cables             list the cables of the table\n"
    "Exit codes: 0 computed, 2 a usage error or failed checks, 3 not computable (--design: no\n"
    "solution), 4 a file could not be written (a file that existed keeps its old content).\n";

namespace {

// kAnyMode: the modes that compute a tuner's load; --measured alone only reads a file.
enum ModeBit : unsigned { kLoad = 1, kTable = 2, kDesign = 4, kAnyMode = 7, kMeasuredSweep = 8 };

struct OptionSpec {
    std::string_view name;
    bool takesValue;
    unsigned modes;
};

constexpr OptionSpec kOptionSpecs[] = {
    {"--help", false, kAnyMode},
    {"--version", false, kAnyMode},
    {"--table", true, kTable},
    {"--design", false, kDesign},
    {"--topology", true, kAnyMode},
    {"--frequency", true, kLoad | kDesign},
    {"--impedance", true, kLoad | kDesign},
    {"--c1", true, kLoad},
    {"--c2", true, kLoad},
    {"--c3", true, kLoad},
    {"--l1", true, kLoad},
    {"--l2", true, kLoad},
    {"--l3", true, kLoad},
    {"--accuracy", true, kLoad | kTable},
    {"--points", false, kLoad},
    {"--json", false, kAnyMode | kMeasuredSweep},
    {"--export", true, kLoad},
    {"--report", true, kLoad},
    {"--s1p", true, kLoad | kTable},
    {"--csv", true, kLoad | kTable},
    {"--png", true, kLoad},
    {"--svg", true, kLoad},
    {"--reference", true, kTable},
    {"--load-r", true, kDesign},
    {"--load-x", true, kDesign},
    {"--hold", true, kDesign},
    {"--q", true, kDesign},
    {"--profile", true, kDesign},
    {"--coil-q", true, kAnyMode},
    {"--capacitor-q", true, kAnyMode},
    {"--power", true, kLoad | kTable},
    {"--line-length", true, kLoad | kTable},
    {"--line-vf", true, kLoad | kTable},
    {"--line-z0", true, kLoad | kTable},
    {"--line-k1", true, kLoad | kTable},
    {"--line-k2", true, kLoad | kTable},
    {"--cable", true, kLoad | kTable},
    {"--cables", false, kAnyMode},
    {"--predict", true, kTable},
    {"--page-reading", false, kAnyMode},
    {"--measured", true, kTable | kMeasuredSweep},
};

// The options whose values are engineering text.
constexpr std::string_view kValueOptions[] = {
    "--frequency",   "--impedance", "--c1",      "--c2",      "--c3",        "--l1",      "--l2",
    "--l3",          "--load-r",    "--load-x",  "--q",       "--reference", "--predict", "--coil-q",
    "--capacitor-q", "--power",     "--line-vf", "--line-z0", "--line-k1",   "--line-k2"};

// The options that ask for the antenna system's figures.
constexpr std::string_view kSystemOptions[] = {"--power",       "--coil-q",  "--capacitor-q",
                                               "--line-length", "--line-vf", "--line-z0",
                                               "--line-k1",     "--line-k2", "--cable"};

const OptionSpec* SpecOf(std::string_view name) {
    const auto found = std::find_if(std::begin(kOptionSpecs), std::end(kOptionSpecs),
                                    [name](const OptionSpec& spec) { return spec.name == name; });
    return found == std::end(kOptionSpecs) ? nullptr : found;
}

// Option name -> value ("" for a flag); the keys are the names in kOptionSpecs.
using Given = std::map<std::string_view, std::string>;

const std::string* ValueOf(const Given& given, std::string_view name) {
    const auto found = given.find(name);
    return found == given.end() ? nullptr : &found->second;
}

// The index in kEntryParts of the part an option such as "--l2" gives.
std::optional<std::size_t> PartOption(std::string_view name) {
    for (std::size_t i = 0; i < kEntryParts.size(); ++i)
        if (name == "--" + PartKey(kEntryParts[i].name)) return i;
    return std::nullopt;
}

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

unsigned BitOf(CalcMode mode) {
    switch (mode) {
    case CalcMode::Table:
        return kTable;
    case CalcMode::Design:
        return kDesign;
    case CalcMode::Measured:
        return kMeasuredSweep;
    default:
        return kLoad;
    }
}

std::string_view ModeOption(CalcMode mode) {
    return mode == CalcMode::Table ? "--table" : mode == CalcMode::Design ? "--design" : "--measured";
}

// Every option must belong to the mode, and the mode's required options must be there.
std::optional<UsageError> CheckModeOptions(const Given& given, CalcMode mode) {
    for (const auto& [name, value] : given) {
        const unsigned modes = SpecOf(name)->modes;
        if ((modes & BitOf(mode)) != 0) continue;
        if (mode == CalcMode::Load)
            return UsageError{std::string(name) +
                              ((modes & kDesign) != 0 ? " needs --design" : " needs --table")};
        return UsageError{std::string(name) + " does not apply to " + std::string(ModeOption(mode))};
    }
    const auto require = [&given](std::string_view name, std::string_view with) -> std::optional<UsageError> {
        if (given.contains(name)) return std::nullopt;
        return UsageError{std::string(name) + " is required" + std::string(with)};
    };
    std::optional<UsageError> missing;
    if (mode == CalcMode::Load) {
        for (const std::string_view name : {"--topology", "--frequency", "--impedance"})
            if (!missing) missing = require(name, "");
    } else if (mode == CalcMode::Design) {
        for (const std::string_view name : {"--load-r", "--load-x", "--frequency", "--impedance"})
            if (!missing) missing = require(name, " with --design");
    }
    return missing;
}

// The whole reading's refusal of an option's value: "--l1 \"4k7\" at \"7\": Digits follow ...".
std::optional<UsageError> RefusedValue(std::string_view name, std::string_view text, ValueReading reading) {
    if (reading == ValueReading::AsEntriesPage) return std::nullopt;
    const WholeValue whole = ReadWholeValue(text);
    if (whole.Read()) return std::nullopt;
    return UsageError{std::string(name) + " " + RefusalText(text, whole), false};
}

std::optional<UsageError> ReadHold(std::string_view text, CalcOptions& options) {
    const auto equals = text.find('=');
    const std::string part = PartKey(text.substr(0, equals));
    const auto held = std::ranges::find_if(
        kEntryParts, [&part](const EntryPart& known) { return PartKey(known.name) == part; });
    if (equals == std::string_view::npos || held == kEntryParts.end())
        return UsageError{"--hold needs PART=VALUE with PART one of c1, c2, c3, l1, l2, l3"};
    const std::string_view value = text.substr(equals + 1);
    if (auto refused = RefusedValue("--hold", value, options.reading)) return refused;
    options.hold = DesignHold{held->name, static_cast<float>(OptionValue(options, value))};
    return std::nullopt;
}

// The values of the given options, checked where the text alone tells.
std::optional<UsageError> ReadValues(const Given& given, CalcOptions& options) {
    options.reading = given.contains("--page-reading") ? ValueReading::AsEntriesPage : ValueReading::Whole;
    for (const std::string_view name : kValueOptions) {
        if (const std::string* value = ValueOf(given, name)) {
            if (auto refused = RefusedValue(name, *value, options.reading)) return refused;
        }
    }
    for (const auto& [name, value] : given) {
        if (name == "--topology") {
            const auto number = WholeNumber(value);
            if (!number || !IsKnownTopology(*number))
                return UsageError{"the topology must be a whole number from 1 to 8"};
            options.topology = *number;
        } else if (name == "--accuracy") {
            const auto number = WholeNumber(value);
            if (!number || std::find(kAccuracyPercents.begin(), kAccuracyPercents.end(), *number) ==
                               kAccuracyPercents.end())
                return UsageError{"the accuracy must be 1, 2, 5, 10 or 20 (percent)"};
            options.accuracyPercent = *number;
        } else if (name == "--reference") {
            const auto reference = static_cast<float>(OptionValue(options, value));
            if (!(std::isfinite(reference) && reference > 0))
                return UsageError{"the reference impedance must be a number above zero"};
            options.reference = reference;
        } else if (name == "--hold") {
            if (auto problem = ReadHold(value, options)) return problem;
        } else if (name == "--q") {
            options.loadedQ = OptionValue(options, value);
        } else if (name == "--coil-q") {
            options.coilQ = OptionValue(options, value);
        } else if (name == "--capacitor-q") {
            options.capacitorQ = OptionValue(options, value);
        } else if (name == "--profile") {
            options.profile = value;
        } else if (const auto part = PartOption(name)) {
            options.parts[*part] = value;
        }
    }
    const auto text = [&given](std::string_view name) {
        const std::string* value = ValueOf(given, name);
        return value ? *value : std::string();
    };
    options.frequency = text("--frequency");
    options.impedance = text("--impedance");
    options.loadR = text("--load-r");
    options.loadX = text("--load-x");
    options.predict = text("--predict");
    options.points = given.contains("--points");
    options.json = given.contains("--json");
    return std::nullopt;
}

// A length in metres, read whole whatever the reading (no page box ever held one).
std::optional<UsageError> ReadLength(std::string_view text, double& metres) {
    const WholeValue read = ReadLineLength(text);
    if (!read.Read()) return UsageError{"--line-length " + RefusalText(text, read), false};
    metres = read.value;
    return std::nullopt;
}

// The antenna system's settings when any of its options is given (one load and --table): the
// power and the Qs defaulted, the line from --cable and --line-* (which override the cable's).
std::optional<UsageError> ReadSystem(const Given& given, CalcOptions& options) {
    if (std::ranges::none_of(kSystemOptions,
                             [&given](std::string_view name) { return given.contains(name); }) ||
        options.mode == CalcMode::Design)
        return std::nullopt;
    if (!options.predict.empty())
        return UsageError{"--predict computes no antenna system: leave out --power, the Qs and the line"};
    SystemSettings system;
    system.loss.powerW =
        given.contains("--power") ? OptionValue(options, *ValueOf(given, "--power")) : kDefaultPowerW;
    system.loss.coilQ = options.coilQ.value_or(kDefaultCoilQ);
    system.loss.capacitorQ = options.capacitorQ.value_or(kDefaultCapacitorQ);
    const bool anyLine = std::ranges::any_of(kSystemOptions, [&given](std::string_view name) {
        return name.starts_with("--line") && given.contains(name);
    });
    if (anyLine || given.contains("--cable")) {
        const std::string* length = ValueOf(given, "--line-length");
        if (length == nullptr) return UsageError{"a line needs --line-length"};
        Feedline line;
        if (const std::string* name = ValueOf(given, "--cable")) {
            const Cable* cable = CableNamed(*name);
            if (cable == nullptr)
                return UsageError{"there is no cable named \"" + *name + "\" (--cables lists them)", false};
            line = FeedlineOf(*cable, 0);
        } else if (!given.contains("--line-vf") || !given.contains("--line-z0")) {
            return UsageError{"a line needs --cable, or --line-vf and --line-z0"};
        } else {
            line.k1 = line.k2 = 0;
        }
        if (auto problem = ReadLength(*length, line.lengthM)) return problem;
        const std::pair<std::string_view, double*> kLineValues[] = {{"--line-vf", &line.velocityFactor},
                                                                    {"--line-z0", &line.zc},
                                                                    {"--line-k1", &line.k1},
                                                                    {"--line-k2", &line.k2}};
        for (const auto& [name, field] : kLineValues)
            if (const std::string* value = ValueOf(given, name)) *field = OptionValue(options, *value);
        system.line = line;
    }
    if (const std::string_view problem = SystemSettingsProblem(system); !problem.empty())
        return UsageError{std::string(problem), false};
    options.system = system;
    return std::nullopt;
}

// The files: each must be named, and no two may be one file (the band table read is one too).
std::optional<UsageError> ReadFiles(const Given& given, CalcOptions& options) {
    const std::pair<std::string_view, std::string*> kFiles[] = {
        {"--table", &options.tablePath},   {"--export", &options.exportPath},
        {"--report", &options.reportPath}, {"--s1p", &options.s1pPath},
        {"--csv", &options.csvPath},       {"--png", &options.pngPath},
        {"--svg", &options.svgPath},       {"--measured", &options.measuredPath}};
    std::vector<std::pair<std::string_view, std::string>> named; // option, the file it writes or reads
    for (const auto& [name, path] : kFiles) {
        const std::string* value = ValueOf(given, name);
        if (value == nullptr) continue;
        // "--export ." would write a hidden ".PWF", "--s1p dir/" a file without a name.
        if (!HasFileName(name == "--export" ? BaseName(*value) : *value))
            return UsageError{std::string(name) + " needs a file name" +
                              (value->empty() ? std::string() : ", not \"" + *value + "\"")};
        *path = *value;
        named.emplace_back(name, name == "--export" ? BaseName(*value) + ".PWF" : *value);
    }
    // Told apart by what they are, not by their texts: a link, a hard link or a linked folder leads
    // two names to one file.
    for (std::size_t i = 0; i < named.size(); ++i)
        for (std::size_t j = i + 1; j < named.size(); ++j)
            if (SameFile(named[i].second, named[j].second))
                return UsageError{std::string(named[i].first) + " and " + std::string(named[j].first) +
                                  " name the same file (" + named[i].second + ", " + named[j].second + ")"};
    return std::nullopt;
}

} // namespace

double OptionValue(const CalcOptions& options, std::string_view text) {
    return ReadValue(text, options.reading).value_or(0);
}

std::string PartKey(std::string_view partName) {
    std::string key(partName);
    for (char& c : key)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return key;
}

std::optional<UsageError> ReadOptions(const std::vector<std::string>& arguments, CalcOptions& options) {
    Given given;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view name = arguments[i];
        const OptionSpec* spec = SpecOf(name);
        if (spec == nullptr) {
            // An empty argument would otherwise print as nothing at all.
            if (name.empty()) return UsageError{"empty argument where an option was expected"};
            return UsageError{"unknown option: " + std::string(name)};
        }
        if (name == "--help" || name == "--version" || name == "--cables") {
            options.mode = name == "--help"      ? CalcMode::Help
                           : name == "--version" ? CalcMode::Version
                                                 : CalcMode::Cables;
            return std::nullopt;
        }
        std::string value;
        if (spec->takesValue) {
            if (i + 1 >= arguments.size() || SpecOf(arguments[i + 1]) != nullptr)
                return UsageError{"missing value after " + std::string(name)};
            value = arguments[++i];
        }
        if (!given.emplace(spec->name, std::move(value)).second)
            return UsageError{std::string(name) + " is given twice"};
    }

    if (given.contains("--table") && given.contains("--design"))
        return UsageError{"--table and --design cannot be used together"};
    options.mode = given.contains("--table")      ? CalcMode::Table
                   : given.contains("--design")   ? CalcMode::Design
                   : given.contains("--measured") ? CalcMode::Measured
                                                  : CalcMode::Load;
    if (auto problem = CheckModeOptions(given, options.mode)) return problem;
    if (auto problem = ReadValues(given, options)) return problem;
    if (auto problem = ReadSystem(given, options)) return problem;
    if (options.points && options.accuracyPercent == 0) return UsageError{"--points needs --accuracy"};
    if (options.mode == CalcMode::Load && given.contains("--csv") && options.accuracyPercent == 0)
        return UsageError{"--csv needs --accuracy"};
    if (options.reference && !given.contains("--s1p")) return UsageError{"--reference needs --s1p"};
    if (options.mode == CalcMode::Table && given.contains("--topology") && !given.contains("--predict"))
        return UsageError{"--topology needs --predict with --table"};
    if (given.contains("--predict") && (given.contains("--s1p") || given.contains("--csv")))
        return UsageError{"--predict writes no file: leave out --s1p and --csv"};
    if (given.contains("--predict") && given.contains("--measured"))
        return UsageError{"--measured does not apply to --predict"};
    return ReadFiles(given, options);
}

} // namespace vorelin
