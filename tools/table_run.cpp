#include "tools/table_run.h"

#include "core/band_prediction.h"
#include "core/band_results.h"
#include "core/band_table.h"
#include "core/engineering_value.h"
#include "core/figures_text.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/strict_value.h"
#include "core/system_text.h"
#include "files/band_workflow.h"
#include "tools/calculator.h"
#include "tools/load_output.h"
#include "tools/measured_run.h"
#include "tools/system_output.h"
#include "tools/table_prediction.h"

namespace vorelin {

namespace {

// The Touchstone file's reference: --reference, else the impedance all rows share. The rows are
// checked first, as the band page checks them before it asks for a reference; `err` is told why
// there is no file.
std::optional<float> TouchstoneReference(const CalcOptions& options, const BandTable& table,
                                         std::span<const BandResult> results, std::ostream& err) {
    const std::vector<float> impedances = BandImpedances(table);
    const float reference = options.reference.value_or(impedances.front());
    if (const std::string problem = BandTouchstoneProblem(table, results, reference); !problem.empty()) {
        err << kCalcPrefix << problem << '\n';
        return std::nullopt;
    }
    if (options.reference || impedances.size() == 1) return reference;
    err << kCalcPrefix << "the rows have different impedances (";
    for (std::size_t i = 0; i < impedances.size(); ++i)
        err << (i > 0 ? ", " : "") << PlainText(impedances[i]);
    err << " ohms): choose the Touchstone reference with --reference Z0\n";
    return std::nullopt;
}

// Each row's flag, or nothing: the reason MisreadReason gives, in row order.
using MisreadReasons = std::vector<std::optional<std::string>>;

// What the rows tell besides their loads: their flags and, with --measured, each row beside the sweep.
struct RowNotes {
    MisreadReasons flags;
    std::optional<std::vector<std::optional<MeasuredComparison>>> measured;
    std::vector<SystemReport> systems; // with the system's options, one per row
};

MisreadReasons FlagsOf(const BandTable& table, const CalcOptions& options) {
    MisreadReasons reasons(table.rows.size());
    for (const MisreadRow& misread : MisreadRows(table, TableAccuracy(options)))
        reasons[misread.row] = MisreadReason(table, misread);
    return reasons;
}

// Every row has a load here: a table with a row without one is refused before.
void WriteTableJson(const BandTable& table, std::span<const BandResult> results, const RowNotes& notes,
                    std::ostream& out) {
    const MisreadReasons& flags = notes.flags;
    JsonWriter json;
    json.BeginObject();
    json.BeginArray("rows");
    for (std::size_t i = 0; i < results.size(); ++i) {
        const Entries& entries = table.rows[i].entries;
        json.BeginObject();
        json.Integer("line", static_cast<long long>(table.rows[i].line));
        json.Float("frequency", entries.Frequency);
        json.Integer("topology", entries.Topology);
        json.Float("impedance", entries.Impedance);
        json.Float("load_r", results[i].load->LoadR);
        json.Float("load_x", results[i].load->LoadX);
        WriteFiguresJson(json, results[i].figures);
        if (flags[i]) {
            json.String("likely_misread", *flags[i]);
        } else {
            json.Null("likely_misread");
        }
        if (notes.measured) WriteMeasuredRowJson(json, (*notes.measured)[i]);
        if (!notes.systems.empty()) WriteSystemJson(json, notes.systems[i]);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    out << json.Text() << '\n';
}

// "line 2, 14.2M Hz: 2.454566 +j47.01322 ohms, SWR 40.92, return loss 0.4244 dB, |Γ| 0.9523", and
// with --measured "; measured 24.1 -j61.3 Ω, |Γ − Γm| 0.0123", and "; likely misread: ..." after a
// flagged row.
void WriteTableText(const BandTable& table, std::span<const BandResult> results, const RowNotes& notes,
                    std::ostream& out) {
    const MisreadReasons& flags = notes.flags;
    if (!notes.systems.empty()) out << SystemHeading(notes.systems.front().settings.loss) << '\n';
    for (std::size_t i = 0; i < results.size(); ++i) {
        const LoadFigures& figures = results[i].figures;
        out << "line " << table.rows[i].line << ", " << FormatValue(table.rows[i].entries.Frequency)
            << " Hz: " << Trimmed(LoadLine(*results[i].load)) << " ohms, SWR " << FigureText(figures.swr)
            << ", return loss " << DecibelText(figures.returnLossDb) << ", |Γ| "
            << FigureText(figures.gammaMag);
        if (notes.measured) out << MeasuredRowText((*notes.measured)[i]);
        if (flags[i]) out << "; " << *flags[i];
        out << '\n';
        if (!notes.systems.empty()) WriteSystemText(notes.systems[i], out, "", false);
    }
}

// "band.csv:3: The load cannot be computed from these entries."
void TellAtRow(const CalcOptions& options, const BandRow& row, std::string_view message, std::ostream& err) {
    err << options.tablePath << ':' << row.line << ": " << message << '\n';
}

// Every reason a row cannot be computed: its topology, each value refused, or its first problem.
void TellRowProblems(const CalcOptions& options, const BandRow& row, std::ostream& err) {
    const auto tell = [&](std::string_view message) { TellAtRow(options, row, message, err); };
    const std::vector<RefusedCell> refused =
        options.reading == ValueReading::Whole ? RefusedCells(row) : std::vector<RefusedCell>{};
    if (row.problem && (refused.empty() || row.problem->message == kBadTopology)) tell(row.problem->message);
    for (const RefusedCell& cell : refused)
        tell(std::string(cell.field) + " " + RefusalText(row.Cell(cell.column), cell.reading));
}

} // namespace

int RunTable(const CalcOptions& options, std::ostream& out, std::ostream& err) {
    BandRead read = ReadNamedBandTable(options.tablePath, options.reading);
    if (!read.Ok()) {
        err << kCalcPrefix << read.error << '\n';
        return kCalcBadEntries;
    }
    const BandTable table = std::move(read.table);
    bool failed = false;
    for (const BandRow& row : table.rows) {
        if (row.problem) TellRowProblems(options, row, err);
        failed |= row.problem.has_value();
    }
    if (failed) return kCalcBadEntries;

    const std::vector<BandResult> results = BandResultsOf(table);
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (!results[i].load) TellAtRow(options, table.rows[i], results[i].reason, err);
        failed |= !results[i].load;
    }
    if (failed) return kCalcNotComputable;
    if (!options.predict.empty()) return RunTablePrediction(options, table, out, err);

    RowNotes notes{FlagsOf(table, options), std::nullopt, {}};
    std::vector<Load> loads;
    for (const BandResult& result : results)
        loads.push_back(*result.load);
    if (!TableSystems(options, table, loads, notes.systems, err)) return kCalcBadEntries;
    if (!options.measuredPath.empty()) {
        const auto sweep = ReadMeasuredOption(options, err);
        if (!sweep) return kCalcBadEntries;
        notes.measured = CompareRowsWithMeasured(table, results, *sweep);
    }

    BandExports exports{options.s1pPath, 0, options.csvPath, {}};
    if (!options.s1pPath.empty()) {
        const auto reference = TouchstoneReference(options, table, results, err);
        if (!reference) return kCalcBadEntries;
        exports.reference = *reference;
    }
    if (const WriteResult written = WriteBandExports(exports, table, results); written.Failed()) {
        err << written.message << '\n';
        return kCalcNotWritten;
    }
    if (options.json) {
        WriteTableJson(table, results, notes, out);
    } else {
        WriteTableText(table, results, notes, out);
    }
    return kCalcOk;
}

} // namespace vorelin
