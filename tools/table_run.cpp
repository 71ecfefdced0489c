#include "tools/table_run.h"

#include "core/band_prediction.h"
#include "core/band_table.h"
#include "core/engineering_value.h"
#include "core/figures_text.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/strict_value.h"
#include "core/system_text.h"
#include "core/version.h"
#include "files/band_file.h"
#include "files/load_csv.h"
#include "files/output_plan.h"
#include "files/touchstone.h"
#include "tools/calculator.h"
#include "tools/load_output.h"
#include "tools/system_output.h"
#include "tools/table_prediction.h"

#include <algorithm>
#include <filesystem>
#include <numeric>

namespace vorelin {

namespace {

// The Touchstone file's reference: --reference, else the impedance all rows share; nothing (and
// the impedances named on `err`) when they differ.
std::optional<float> TouchstoneReference(const CalcOptions& options, const BandTable& table,
                                         std::ostream& err) {
    if (options.reference) return options.reference;
    std::vector<float> impedances;
    for (const BandRow& row : table.rows)
        if (std::find(impedances.begin(), impedances.end(), row.entries.Impedance) == impedances.end())
            impedances.push_back(row.entries.Impedance);
    if (impedances.size() == 1) return impedances.front();
    err << "vorelin-calc: the rows have different impedances (";
    for (std::size_t i = 0; i < impedances.size(); ++i)
        err << (i > 0 ? ", " : "") << JsonWriter::FloatText(impedances[i]);
    err << " ohms): choose the Touchstone reference with --reference Z0\n";
    return std::nullopt;
}

// The loads in ascending frequency (rows at one frequency in file order) with their lines; false,
// every problem named on `err`, when they cannot make a Touchstone file.
bool TouchstonePoints(const BandTable& table, const std::vector<Load>& loads, float reference,
                      std::vector<TouchstonePoint>& points, std::ostream& err) {
    std::vector<std::size_t> order(loads.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&table](std::size_t a, std::size_t b) {
        return table.rows[a].entries.Frequency < table.rows[b].entries.Frequency;
    });
    for (const std::size_t row : order)
        points.push_back({table.rows[row].entries.Frequency, loads[row]});
    const auto lineOf = [&](std::size_t point) { return table.rows[order[point]].line; };
    const auto problems = CheckTouchstonePoints(reference, points);
    // The rows passed the entry checks and are sorted: only these two problems remain possible.
    for (const TouchstoneProblem& problem : problems) {
        if (problem.kind == TouchstoneProblem::Kind::SameFrequency) {
            err << "vorelin-calc: lines " << lineOf(problem.previousRow) << " and " << lineOf(problem.row)
                << " have the same frequency (" << JsonWriter::FloatText(points[problem.row].frequency)
                << " Hz); a Touchstone file needs one row per frequency\n";
        } else {
            err << "vorelin-calc: line " << lineOf(problem.row)
                << ": the load has no reflection coefficient against the reference\n";
        }
    }
    return problems.empty();
}

// The files asked for, all written or none.
WriteResult WriteTableFiles(const CalcOptions& options, const BandTable& table,
                            const std::vector<Load>& loads, float reference,
                            const std::vector<TouchstonePoint>& points) {
    OutputPlan plan;
    if (!options.s1pPath.empty()) {
        const std::vector<std::string> comments{
            std::string(kProgramName) + " " + std::string(kVersionText),
            "Band table " + std::filesystem::path(options.tablePath).filename().string()};
        // The points were checked when they were made.
        plan.Add(options.s1pPath, TouchstoneText(comments, reference, points).value_or(std::string()),
                 "Touchstone file");
    }
    if (!options.csvPath.empty()) {
        std::vector<BandResultRow> rows;
        for (std::size_t i = 0; i < loads.size(); ++i) {
            const BandRow& row = table.rows[i];
            rows.push_back(
                {row.entries.Frequency, row.entries.Impedance, loads[i], row.Cell(BandColumn::Note)});
        }
        plan.Add(options.csvPath, BandCsvText(rows), "CSV file");
    }
    return plan.Commit();
}

// Each row's flag, or nothing: the reason MisreadReason gives, in row order.
using MisreadReasons = std::vector<std::optional<std::string>>;

MisreadReasons FlagsOf(const BandTable& table, const CalcOptions& options) {
    MisreadReasons reasons(table.rows.size());
    for (const MisreadRow& misread : MisreadRows(table, TableAccuracy(options)))
        reasons[misread.row] = MisreadReason(table, misread);
    return reasons;
}

void WriteTableJson(const BandTable& table, const std::vector<Load>& loads, const MisreadReasons& flags,
                    const std::vector<SystemReport>& systems, std::ostream& out) {
    JsonWriter json;
    json.BeginObject();
    json.BeginArray("rows");
    for (std::size_t i = 0; i < loads.size(); ++i) {
        const Entries& entries = table.rows[i].entries;
        json.BeginObject();
        json.Integer("line", static_cast<long long>(table.rows[i].line));
        json.Float("frequency", entries.Frequency);
        json.Integer("topology", entries.Topology);
        json.Float("impedance", entries.Impedance);
        json.Float("load_r", loads[i].LoadR);
        json.Float("load_x", loads[i].LoadX);
        WriteFiguresJson(json, FiguresOf(loads[i], entries.Impedance, entries.Frequency));
        if (flags[i]) {
            json.String("likely_misread", *flags[i]);
        } else {
            json.Null("likely_misread");
        }
        if (!systems.empty()) WriteSystemJson(json, systems[i]);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << json.Text() << '\n';
}

// "line 2, 14.2M Hz: 2.454566 +j47.01322 ohms, SWR 40.92, return loss 0.4244 dB, |Γ| 0.9523", and
// "; likely misread: ..." after a flagged row.
void WriteTableText(const BandTable& table, const std::vector<Load>& loads, const MisreadReasons& flags,
                    const std::vector<SystemReport>& systems, std::ostream& out) {
    if (!systems.empty()) out << SystemHeading(systems.front().settings.loss) << '\n';
    for (std::size_t i = 0; i < loads.size(); ++i) {
        const Entries& entries = table.rows[i].entries;
        const LoadFigures figures = FiguresOf(loads[i], entries.Impedance, entries.Frequency);
        out << "line " << table.rows[i].line << ", " << FormatValue(entries.Frequency)
            << " Hz: " << Trimmed(LoadLine(loads[i])) << " ohms, SWR " << FigureText(figures.swr)
            << ", return loss " << DecibelText(figures.returnLossDb) << ", |Γ| "
            << FigureText(figures.gammaMag);
        if (flags[i]) out << "; " << *flags[i];
        out << '\n';
        if (!systems.empty()) WriteSystemText(systems[i], out, "", false);
    }
}

// Every reason a row cannot be computed: its topology, each value refused, or its first problem.
void TellRowProblems(const CalcOptions& options, const BandRow& row, std::ostream& err) {
    const auto tell = [&](std::string_view message) {
        err << options.tablePath << ':' << row.line << ": " << message << '\n';
    };
    const std::vector<RefusedCell> refused =
        options.reading == ValueReading::Whole ? RefusedCells(row) : std::vector<RefusedCell>{};
    if (row.problem && (refused.empty() || row.problem->message == kBadTopology)) tell(row.problem->message);
    for (const RefusedCell& cell : refused)
        tell(std::string(cell.field) + " " + RefusalText(row.Cell(cell.column), cell.reading));
}

} // namespace

int RunTable(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    BandRead read = ReadBandTableFile(options.tablePath, options.reading);
    if (!read.Ok()) {
        err << "vorelin-calc: the band table " << options.tablePath << " was not read. " << read.error << '\n';
        return kCalcBadEntries;
    }
    const BandTable table = std::move(read.table);
    const auto tell = [&](const BandRow& row, std::string_view message) {
        err << options.tablePath << ':' << row.line << ": " << message << '\n';
    };
    bool failed = false;
    for (const BandRow& row : table.rows) {
        if (row.problem) TellRowProblems(options, row, err);
        failed |= row.problem.has_value();
    }
    if (failed) return kCalcBadEntries;

    std::vector<Load> loads;
    for (const BandRow& row : table.rows) {
        const NetworkRun run = RunNetwork(row.entries);
        if (!run.Computed()) tell(row, kLoadNotComputable);
        failed |= !run.Computed();
        loads.push_back(run.load);
    }
    if (failed) return kCalcNotComputable;
    if (!options.predict.empty()) return RunTablePrediction(options, table, out, err);

    std::vector<SystemReport> systems;
    if (!TableSystems(options, table, loads, systems, err)) return kCalcBadEntries;
    float reference = 0;
    std::vector<TouchstonePoint> points;
    if (!options.s1pPath.empty()) {
        const auto chosen = TouchstoneReference(options, table, err);
        if (!chosen || !TouchstonePoints(table, loads, *chosen, points, err)) return kCalcBadEntries;
        reference = *chosen;
    }
    if (const WriteResult written = WriteTableFiles(options, table, loads, reference, points);
        written.Failed()) {
        err << written.message << '\n';
        return kCalcNotWritten;
    }
    const MisreadReasons flags = FlagsOf(table, options);
    if (options.json) {
        WriteTableJson(table, loads, flags, systems, out);
    } else {
        WriteTableText(table, loads, flags, systems, out);
    }
    return kCalcOk;
}

} // namespace vorelin
