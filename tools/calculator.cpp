#include "tools/calculator.h"

#include "core/engineering_value.h"
#include "core/entry_checks.h"
#include "core/networks.h"
#include "core/readout.h"
#include "core/tolerance_sweep.h"
#include "core/topology.h"
#include "files/local_date_time.h"
#include "files/network_file.h"
#include "graphics/load_marks.h"
#include "tools/json_writer.h"

#if VORELIN_CALC_REPORT
#include "render/report_pdf.h"
#endif

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <string_view>

namespace vorelin {

namespace {

constexpr std::string_view kUsage =
    "usage: vorelin-calc --topology N --frequency TEXT --impedance TEXT\n"
    "                    [--c1 TEXT] [--c2 TEXT] [--c3 TEXT] [--l1 TEXT] [--l2 TEXT] [--l3 TEXT]\n"
    "                    [--accuracy PERCENT] [--points] [--json] [--export PATH] [--report PATH.pdf]\n"
    "  N is the network topology, 1 to 8; PERCENT is 1, 2, 5, 10 or 20.\n"
    "  Values are engineering text as on the entries page: 14.2M, 50, 150p, 2.2u.\n"
    "  --export writes the Plotwin network file PATH, its extension replaced by .PWF.\n"
    "  --report writes the printed report to the PDF file PATH.pdf.\n";

struct Options {
    int topology = 0;
    std::string frequency, impedance;
    std::map<std::string, std::string, std::less<>> parts; // "c1" ... "l3" -> text
    int accuracyPercent = -1;                              // -1: no region
    bool points = false;
    bool json = false;
    std::string exportPath; // empty: no network file
    std::string reportPath; // empty: no report
};

struct UsageError {
    std::string message;
};

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

constexpr std::array<std::string_view, 14> kOptionNames{
    "--topology", "--frequency", "--impedance", "--c1", "--c2",   "--c3",     "--l1",
    "--l2",       "--l3",        "--accuracy",  "--points", "--json", "--export", "--report"};

bool IsOptionName(std::string_view text) {
    return std::find(kOptionNames.begin(), kOptionNames.end(), text) != kOptionNames.end();
}

// Whether two paths name the same file, as far as their texts tell.
bool SameFile(const std::string& a, const std::string& b) {
    const auto normal = [](const std::string& path) {
        return std::filesystem::absolute(std::filesystem::path(path)).lexically_normal();
    };
    return normal(a) == normal(b);
}

std::optional<UsageError> ReadOptions(const std::vector<std::string>& arguments, Options& options) {
    constexpr std::array<std::string_view, 6> kPartOptions{"--c1", "--c2", "--c3", "--l1", "--l2", "--l3"};
    bool haveTopology = false, haveFrequency = false, haveImpedance = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        if (option == "--points") {
            options.points = true;
            continue;
        }
        if (option == "--json") {
            options.json = true;
            continue;
        }
        const bool takesValue =
            option == "--topology" || option == "--frequency" || option == "--impedance" ||
            option == "--accuracy" || option == "--export" || option == "--report" ||
            std::find(kPartOptions.begin(), kPartOptions.end(), option) != kPartOptions.end();
        if (!takesValue) return UsageError{"unknown option: " + std::string(option)};
        // An option name where the value should be ("--l1 --json") is a forgotten value, not a text.
        if (i + 1 >= arguments.size() || IsOptionName(arguments[i + 1]))
            return UsageError{"missing value after " + std::string(option)};
        const std::string& value = arguments[++i];

        if (option == "--topology") {
            const auto number = WholeNumber(value);
            if (!number || !IsKnownTopology(*number))
                return UsageError{"the topology must be a whole number from 1 to 8"};
            options.topology = *number;
            haveTopology = true;
        } else if (option == "--frequency") {
            options.frequency = value;
            haveFrequency = true;
        } else if (option == "--impedance") {
            options.impedance = value;
            haveImpedance = true;
        } else if (option == "--accuracy") {
            const auto number = WholeNumber(value);
            if (!number || std::find(kAccuracyPercents.begin(), kAccuracyPercents.end(), *number) ==
                               kAccuracyPercents.end())
                return UsageError{"the accuracy must be 1, 2, 5, 10 or 20 (percent)"};
            options.accuracyPercent = *number;
        } else if (option == "--export") {
            if (value.empty()) return UsageError{"--export needs a file name"};
            options.exportPath = value;
        } else if (option == "--report") {
            if (value.empty()) return UsageError{"--report needs a file name"};
            options.reportPath = value;
        } else {
            options.parts[std::string(option.substr(2))] = value;
        }
    }
    if (!haveTopology) return UsageError{"--topology is required"};
    if (!haveFrequency) return UsageError{"--frequency is required"};
    if (!haveImpedance) return UsageError{"--impedance is required"};
    if (options.points && options.accuracyPercent < 0) return UsageError{"--points needs --accuracy"};
    if (!options.exportPath.empty() && !options.reportPath.empty() &&
        SameFile(BaseName(options.exportPath) + ".PWF", options.reportPath))
        return UsageError{"--export and --report name the same file"};
    return std::nullopt;
}

float Parsed(std::string_view text) { return static_cast<float>(ParseValue(text)); }

// The entries as the entries page's change handlers store them.
Entries StoredEntries(const Options& options) {
    Entries entries;
    entries.Topology = static_cast<std::int16_t>(options.topology);
    entries.Frequency = Parsed(options.frequency);
    entries.Impedance = Parsed(options.impedance);
    for (const std::string_view name : kPartNames) {
        std::string key(name);
        key[0] = static_cast<char>(key[0] - 'A' + 'a');
        const auto found = options.parts.find(key);
        entries.*PartField(name) = found == options.parts.end() ? 0.0f : Parsed(found->second);
    }
    return entries;
}

struct Region {
    float accuracy = 0;
    SweepSummary summary;
    std::int64_t count = 0;
    float rMin = std::numeric_limits<float>::infinity(), rMax = -std::numeric_limits<float>::infinity();
    float xMin = std::numeric_limits<float>::infinity(), xMax = -std::numeric_limits<float>::infinity();
    std::vector<std::array<float, 2>> points;
};

Region SweepRegion(const Entries& entries, int percent, bool keepPoints) {
    Region region;
    region.accuracy = AccuracyFraction(percent);
    if (keepPoints)
        region.points.reserve(static_cast<std::size_t>(SweepCombinations(entries.Topology, region.accuracy)));
    region.summary = SweepTolerance(entries, region.accuracy, [&region, keepPoints](const SweepPoint& point) {
        if (point.nominal) return; // the extent covers the varied combinations only
        ++region.count;
        region.rMin = std::min(region.rMin, point.loadR);
        region.rMax = std::max(region.rMax, point.loadR);
        region.xMin = std::min(region.xMin, point.loadX);
        region.xMax = std::max(region.xMax, point.loadX);
        if (keepPoints) region.points.push_back({point.loadR, point.loadX});
    });
    return region;
}

// The report as "Send to printer" prints it when the results page has just opened: the load
// marked with a blue circle of radius 50.
WriteResult WriteReport(const Entries& entries, const std::string& path) {
#if VORELIN_CALC_REPORT
    return WriteReportPdf(entries, path, CurrentDateTimeText(), kLoadMark);
#else
    WriteResult result;
    result.status = WriteResult::Status::Failed;
    result.fileName = path;
    result.message = "This vorelin-calc was built without Qt Gui and cannot write the report.";
    return result;
#endif
}

std::string NetworkDescription(int topology) {
    std::string text = "topology " + std::to_string(topology) + ", " + std::string(FormOf(topology)) + ":";
    for (const auto& part : PartsOf(topology))
        text += std::string(part.placement == Placement::Series ? " series " : " shunt ") +
                std::string(part.name) + ",";
    text.pop_back();
    return text;
}

void WriteJson(const Entries& entries, const Load& load, const std::optional<Region>& region, bool withPoints,
               const std::string& networkFile, std::ostream& out) {
    JsonWriter json;
    json.BeginObject();
    json.Integer("topology", entries.Topology);
    json.Float("frequency", entries.Frequency);
    json.Float("impedance", entries.Impedance);
    json.Float("c1", entries.C1);
    json.Float("c2", entries.C2);
    json.Float("c3", entries.C3);
    json.Float("l1", entries.L1);
    json.Float("l2", entries.L2);
    json.Float("l3", entries.L3);
    json.String("frequency_text", FormatValue(entries.Frequency));
    json.String("impedance_text", FormatValue(entries.Impedance));
    json.BeginObject("part_texts");
    json.String("c1", FormatCapacitance(entries.C1));
    json.String("c2", FormatCapacitance(entries.C2));
    json.String("c3", FormatCapacitance(entries.C3));
    json.String("l1", FormatInductance(entries.L1));
    json.String("l2", FormatInductance(entries.L2));
    json.String("l3", FormatInductance(entries.L3));
    json.EndObject();
    json.String("report_frequency_text", FormatFrequency(entries.Frequency));
    json.Float("load_r", load.LoadR);
    json.Float("load_x", load.LoadX);
    json.String("reactance_label", ReactanceLabel(load, entries.Frequency));
    json.String("resistance_label", ResistanceLabel(load));
    json.String("load_line", LoadLine(load));
    json.BeginObject("part_labels");
    for (const auto& part : PartsOf(entries.Topology))
        json.String(part.name, PartLabel(entries, part));
    json.EndObject();
    if (!networkFile.empty()) json.String("network_file", networkFile);
    if (region) {
        json.BeginObject("region");
        json.Float("accuracy", region->accuracy);
        json.Integer("count", region->count);
        json.Integer("not_computed", region->summary.notComputable);
        json.Float("r_min", region->rMin);
        json.Float("r_max", region->rMax);
        json.Float("x_min", region->xMin);
        json.Float("x_max", region->xMax);
        if (withPoints) {
            json.BeginArray("points");
            for (const auto& [r, x] : region->points) {
                json.BeginArray();
                json.Float({}, r);
                json.Float({}, x);
                json.EndArray();
            }
            json.EndArray();
        }
        json.EndObject();
    }
    json.EndObject();
    out << json.Text() << '\n';
}

void WriteSummary(const Entries& entries, const Load& load, const std::optional<Region>& region, bool withPoints,
                  const std::string& networkFile, std::ostream& out) {
    out << "Network: " << NetworkDescription(entries.Topology) << '\n';
    out << "Test frequency, Hz: " << FormatValue(entries.Frequency) << '\n';
    out << "System impedance, ohms: " << FormatValue(entries.Impedance) << '\n';
    for (const auto& part : PartsOf(entries.Topology))
        out << PartLabel(entries, part) << '\n';
    out << "Load: " << LoadLine(load) << '\n';
    out << "  resistance, ohms: " << ResistanceLabel(load) << '\n';
    out << "  reactance, ohms: " << ReactanceLabel(load, entries.Frequency) << '\n';
    if (!networkFile.empty()) out << "Network file: " << networkFile << '\n';
    if (!region) return;
    out << "Region for " << JsonWriter::FloatText(region->accuracy * 100.0f)
        << " % accuracy: " << region->count << " loads, R from " << JsonWriter::FloatText(region->rMin)
        << " to " << JsonWriter::FloatText(region->rMax) << ", X from " << JsonWriter::FloatText(region->xMin)
        << " to " << JsonWriter::FloatText(region->xMax) << " ohms\n";
    if (region->summary.notComputable > 0)
        out << "  " << region->summary.notComputable << " of the " << region->summary.combinations
            << " varied loads cannot be computed and are left out\n";
    if (!withPoints) return;
    for (const auto& [r, x] : region->points)
        out << JsonWriter::FloatText(r) << ' ' << JsonWriter::FloatText(x) << '\n';
}

} // namespace

int RunCalculator(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Options options;
    if (const auto problem = ReadOptions(arguments, options)) {
        err << "vorelin-calc: " << problem->message << '\n' << kUsage;
        return kCalcBadEntries;
    }

    const Entries entries = StoredEntries(options);
    if (const auto problem = CheckEntries(entries)) {
        err << problem->message << '\n';
        return kCalcBadEntries;
    }
    const NetworkRun run = RunNetwork(entries);
    if (!run.Computed()) {
        err << kLoadNotComputable << '\n';
        return kCalcNotComputable;
    }

    // As the results page's "Send to Plotwin" does, from the nominal load.
    std::string networkFile;
    if (!options.exportPath.empty()) {
        const WriteResult written = WriteNetworkFile(entries, run.load, options.exportPath, CurrentDateTimeText());
        if (written.Failed()) {
            err << written.message << '\n';
            return kCalcNotWritten;
        }
        networkFile = written.fileName;
    }

    if (!options.reportPath.empty()) {
        const WriteResult written = WriteReport(entries, options.reportPath);
        if (written.Failed()) {
            err << written.message << '\n';
            return kCalcNotWritten;
        }
    }

    std::optional<Region> region;
    if (options.accuracyPercent > 0) region = SweepRegion(entries, options.accuracyPercent, options.points);

    if (options.json) {
        WriteJson(entries, run.load, region, options.points, networkFile, out);
    } else {
        WriteSummary(entries, run.load, region, options.points, networkFile, out);
    }
    return kCalcOk;
}

} // namespace vorelin
