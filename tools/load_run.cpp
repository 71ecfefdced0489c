#include "tools/load_run.h"

#include "core/entry_checks.h"
#include "core/load_analysis.h"
#include "core/readout.h"
#include "core/system_text.h"
#include "files/load_csv.h"
#include "files/local_date_time.h"
#include "files/network_file.h"
#include "files/touchstone.h"
#include "tools/calculator.h"
#include "tools/calculator_pictures.h"
#include "tools/load_output.h"

#include <optional>

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

std::string ExportTarget(const std::string& path) { return BaseName(path) + ".PWF"; }

// Each file as the results page's buttons write it, in the order of the usage text, added to
// `plan`; or the failure of the first that cannot be made.
std::optional<WriteResult> PlanOutputs(const CalcOptions& options, const LoadAnalysis& analysis,
                                       const std::optional<SystemReport>& system, OutputPlan& plan) {
    const Entries& entries = analysis.entries;
    if (!options.exportPath.empty())
        plan.Add(ExportTarget(options.exportPath),
                 NetworkFileText(entries, analysis.run.load, CurrentDateTimeText()), "Plotwin file");
    if (!options.reportPath.empty()) {
        const std::vector<std::string> systemLines =
            system ? SystemLines(system->figures, system->settings) : std::vector<std::string>{};
        if (auto failure = AddReportFile(plan, analysis, options.reportPath, systemLines)) return *failure;
    }
    if (!options.s1pPath.empty()) {
        const TouchstonePoint point{entries.Frequency, analysis.run.load};
        const std::vector<std::string> comments = TouchstoneComments(entries, analysis.accuracy);
        const auto text = TouchstoneText(comments, entries.Impedance, {&point, 1});
        // A load without a reflection coefficient: the writer tells why and writes nothing.
        if (!text) return WriteTouchstone(options.s1pPath, comments, entries.Impedance, {&point, 1});
        plan.Add(options.s1pPath, *text, "Touchstone file");
    }
    if (!options.csvPath.empty()) plan.Add(options.csvPath, RegionCsvText(analysis), "CSV file");
    if (auto failure = AddResultsPictures(plan, analysis, options.pngPath, options.svgPath)) return *failure;
    return std::nullopt;
}

} // namespace

int RunLoad(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    const Entries entries = StoredEntries(options);
    if (const auto problem = CheckEntries(entries)) {
        err << problem->message << '\n';
        return kCalcBadEntries;
    }
    const std::optional<float> accuracy =
        options.accuracyPercent > 0 ? std::optional(AccuracyFraction(options.accuracyPercent)) : std::nullopt;
    const LoadAnalysis analysis = AnalyseLoad(entries, accuracy);
    if (!analysis.Computed()) {
        err << kLoadNotComputable << '\n';
        return kCalcNotComputable;
    }
    std::optional<SystemReport> system;
    if (options.system) {
        system = SystemReport{*options.system, SystemFiguresOf(entries, analysis.run.load, *options.system)};
        if (!system->figures.Computed()) {
            err << kCalcPrefix << system->figures.reason << '\n';
            return kCalcBadEntries;
        }
    }

    OutputPlan plan;
    const auto failure = PlanOutputs(options, analysis, system, plan);
    const WriteResult written = failure ? *failure : plan.Commit();
    if (written.Failed()) {
        err << written.message << '\n';
        return kCalcNotWritten;
    }
    LoadReport report{analysis, options.points, {}, system};
    if (!options.exportPath.empty()) report.networkFile = ExportTarget(options.exportPath);
    if (options.json) {
        WriteLoadJson(report, out);
    } else {
        WriteLoadText(report, out);
    }
    return kCalcOk;
}

} // namespace vorelin
