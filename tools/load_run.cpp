#include "tools/load_run.h"

#include "core/entry_checks.h"
#include "core/readout.h"
#include "files/load_csv.h"
#include "files/local_date_time.h"
#include "files/network_file.h"
#include "files/touchstone.h"
#include "tools/calculator.h"
#include "tools/calculator_pictures.h"
#include "tools/load_output.h"

#include <functional>

namespace vorelin {

namespace {

// The entries as the entries page's change handlers store them (read whole unless --page-reading).
Entries StoredEntries(const CalcOptions& options) {
    Entries entries;
    entries.Topology = static_cast<std::int16_t>(options.topology);
    const auto value = [&options](const std::string& text) {
        // A part not given is 0, as an empty box is.
        return text.empty() ? 0.0f : static_cast<float>(OptionValue(options, text));
    };
    entries.Frequency = value(options.frequency);
    entries.Impedance = value(options.impedance);
    for (std::size_t i = 0; i < kEntryParts.size(); ++i)
        entries.*kEntryParts[i].value = value(options.parts[i]);
    return entries;
}

// One sweep gives the region's extent, its ranges and (when kept) its loads.
Region SweepRegion(const Entries& entries, int percent, bool keepPoints) {
    Region region;
    region.accuracy = AccuracyFraction(percent);
    if (keepPoints)
        region.points.reserve(static_cast<std::size_t>(SweepCombinations(entries.Topology, region.accuracy)));
    ToleranceRanges ranges(entries.Impedance);
    region.summary = SweepTolerance(entries, region.accuracy, [&](const SweepPoint& point) {
        ranges(point);
        if (keepPoints && !point.nominal) region.points.push_back({point.loadR, point.loadX});
    });
    region.ranges = ranges.Figures();
    return region;
}

} // namespace

int RunLoad(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    LoadReport report;
    report.entries = StoredEntries(options);
    const Entries& entries = report.entries;
    if (const auto problem = CheckEntries(entries)) {
        err << problem->message << '\n';
        return kCalcBadEntries;
    }
    const NetworkRun run = RunNetwork(entries);
    if (!run.Computed()) {
        err << kLoadNotComputable << '\n';
        return kCalcNotComputable;
    }
    report.load = run.load;
    report.figures = FiguresOf(run.load, entries.Impedance, entries.Frequency);
    const std::optional<float> accuracy =
        options.accuracyPercent > 0 ? std::optional(AccuracyFraction(options.accuracyPercent)) : std::nullopt;

    // Each file as the results page's buttons write it, in the order of the usage text.
    const TouchstonePoint point{entries.Frequency, run.load};
    const std::pair<const std::string&, std::function<WriteResult()>> files[] = {
        {options.exportPath,
         [&] {
             WriteResult written =
                 WriteNetworkFile(entries, run.load, options.exportPath, CurrentDateTimeText());
             report.networkFile = written.fileName;
             return written;
         }},
        {options.reportPath,
         [&] { return WriteReportFile(entries, options.accuracyPercent, options.reportPath); }},
        {options.s1pPath,
         [&] {
             return WriteTouchstone(options.s1pPath, TouchstoneComments(entries, accuracy), entries.Impedance,
                                    {&point, 1});
         }},
        {options.csvPath, [&] { return WriteRegionCsv(options.csvPath, entries, *accuracy); }},
        {options.pngPath.empty() ? options.svgPath : options.pngPath,
         [&] {
             return WriteResultsPictures(entries, options.accuracyPercent, options.pngPath, options.svgPath);
         }},
    };
    for (const auto& [path, write] : files) {
        if (path.empty()) continue;
        const WriteResult written = write();
        if (written.Failed()) {
            err << written.message << '\n';
            return kCalcNotWritten;
        }
    }

    if (accuracy) report.region = SweepRegion(entries, options.accuracyPercent, options.points);
    report.withPoints = options.points;
    if (options.json) {
        WriteLoadJson(report, out);
    } else {
        WriteLoadText(report, out);
    }
    return kCalcOk;
}

} // namespace vorelin
