#include "files/band_workflow.h"

#include "core/figures_text.h"
#include "core/system_text.h"
#include "core/topology.h"
#include "core/version.h"
#include "files/band_file.h"
#include "files/load_csv.h"
#include "files/output_plan.h"
#include "files/touchstone.h"

#include <algorithm>

namespace vorelin {

namespace {

// A long list of faulty rows is cut after this many, with a count of the rest.
constexpr std::size_t kMostProblemsNamed = 10;

std::string RowName(std::size_t row) { return "row " + std::to_string(row + 1); }

// The loads as a Touchstone file's points in ascending frequency, with the file's comments; or
// why there can be no file ("rows 3 and 7 have the same frequency (14200000 Hz); row 5 has no
// load (…)").
struct BandTouchstone {
    std::vector<TouchstonePoint> points;
    std::vector<std::string> comments;
    std::string problem;
};

BandTouchstone BandTouchstoneOf(const BandTable& table, std::span<const BandResult> results,
                                float reference) {
    BandTouchstone file;
    if (table.rows.empty()) {
        file.problem = DescribeProblem({TouchstoneProblem::Kind::NoPoints}, {});
        return file;
    }
    std::vector<std::string> problems;
    // Points in table order, so that a problem found in frequency order names the table's rows.
    std::vector<TouchstonePoint> byRow;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        byRow.push_back({table.rows[row].entries.Frequency, results[row].load.value_or(Load{})});
        if (!results[row].load)
            problems.push_back(RowName(row) + " has no load (" + results[row].reason + ")");
    }
    const std::vector<std::size_t> order = FrequencyOrder(table);
    for (const std::size_t row : order) {
        if (results[row].load) file.points.push_back(byRow[row]);
    }
    if (problems.empty()) {
        for (TouchstoneProblem problem : CheckTouchstonePoints(reference, file.points)) {
            problem.row = order[problem.row];
            problem.previousRow = order[problem.previousRow];
            problems.push_back(DescribeProblem(problem, byRow));
        }
    }
    for (std::size_t i = 0; i < problems.size() && i < kMostProblemsNamed; ++i)
        file.problem += (i > 0 ? "; " : "") + problems[i];
    if (problems.size() > kMostProblemsNamed)
        file.problem += "; and " + std::to_string(problems.size() - kMostProblemsNamed) + " more";
    if (!file.problem.empty()) {
        file.points.clear();
        return file;
    }

    file.comments = {std::string(kProgramName) + " " + std::string(kVersionText),
                     "Band table of " + std::to_string(table.rows.size()) + " rows"};
    const std::int16_t topology = table.rows.front().entries.Topology;
    if (std::ranges::all_of(table.rows,
                            [topology](const BandRow& row) { return row.entries.Topology == topology; }))
        file.comments.push_back("Topology " + std::to_string(topology) + ": " +
                                std::string(FormOf(topology)));
    return file;
}

std::string NoTouchstoneFile(const std::string& problem) {
    return "No Touchstone file was written: " + problem + ".";
}

// The rows as the results CSV lists them, in table order: their figures against the row's Z0, or
// against `lineImpedance` for feedpoints.
std::vector<BandResultRow> BandResultRows(const BandTable& table, std::span<const BandResult> results,
                                          std::optional<float> lineImpedance) {
    std::vector<BandResultRow> rows;
    rows.reserve(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const BandRow& row = table.rows[i];
        rows.push_back({row.entries.Frequency, lineImpedance.value_or(row.entries.Impedance), results[i].load,
                        row.Cell(BandColumn::Note)});
    }
    return rows;
}

} // namespace

BandRead ReadNamedBandTable(const std::string& path, ValueReading reading) {
    const std::string notRead = "The band table " + path + " was not read. ";
    const FileContent content = ReadWholeFile(path, kLargestBandFile);
    if (content.status != FileContent::Status::Read)
        return {{}, notRead + NotReadSentence(content, kLargestBandFile)};
    BandRead read = ReadBandTable(content.bytes, reading);
    if (!read.Ok()) {
        read.error = notRead + read.error;
    } else if (read.table.rows.empty()) {
        read.error = notRead + "It has no rows.";
    }
    return read;
}

WriteResult WriteNamedBandTable(const std::string& path, const BandTable& table) {
    OutputPlan plan;
    plan.Add(path, BandTableText(table), "band table");
    return plan.Commit();
}

std::string KeepReplacedTable(const BandTable& table) {
    const Backup backup = KeepBandTableAsBackup(table);
    if (!backup.Made())
        return "The table you had could not be kept as a backup (" + backup.reason +
               "); Ctrl+Z brings it back.";
    return "The table you had is kept as " + backup.name + "; Ctrl+Z brings it back.";
}

std::string FeedpointComment(const Feedline& line) {
    const Cable* cable = CableOfLine(line);
    return "Loads at the antenna's feedpoint, through " + FigureText(line.lengthM) + " m of " +
           (cable != nullptr ? std::string(cable->name) + " " : std::string("line ")) + "(VF " +
           FigureText(line.velocityFactor) + ", Zc " + FigureText(line.zc) + " ohms, loss " +
           FigureText(line.k1) + " sqrt(f) + " + FigureText(line.k2) + " f dB/100 m)";
}

std::vector<BandResult> BandResultsOf(const BandTable& table) {
    std::vector<BandResult> results;
    results.reserve(table.rows.size());
    for (const BandRow& row : table.rows)
        results.push_back(ResultOf(row));
    return results;
}

std::vector<float> BandImpedances(const BandTable& table) {
    std::vector<float> impedances;
    for (const BandRow& row : table.rows)
        impedances.push_back(row.entries.Impedance);
    std::ranges::sort(impedances);
    impedances.erase(std::unique(impedances.begin(), impedances.end()), impedances.end());
    return impedances;
}

std::string BandTouchstoneProblem(const BandTable& table, std::span<const BandResult> results,
                                  float reference) {
    const BandTouchstone file = BandTouchstoneOf(table, results, reference);
    return file.problem.empty() ? std::string() : NoTouchstoneFile(file.problem);
}

WriteResult WriteBandExports(const BandExports& exports, const BandTable& table,
                             std::span<const BandResult> results) {
    OutputPlan plan;
    if (!exports.touchstonePath.empty()) {
        const BandTouchstone file = BandTouchstoneOf(table, results, exports.reference);
        if (!file.problem.empty())
            return {WriteResult::Status::Failed, exports.touchstonePath, NoTouchstoneFile(file.problem),
                    file.problem};
        // The points passed the checks that TouchstoneText makes.
        std::vector<std::string> comments = file.comments;
        if (exports.feedpointsThrough) comments.push_back(FeedpointComment(*exports.feedpointsThrough));
        plan.Add(exports.touchstonePath, *TouchstoneText(comments, exports.reference, file.points),
                 "Touchstone file");
    }
    if (!exports.csvPath.empty()) {
        const std::optional<float> lineImpedance =
            exports.feedpointsThrough ? std::optional(static_cast<float>(exports.feedpointsThrough->zc))
                                      : std::nullopt;
        plan.Add(exports.csvPath,
                 BandCsvText(BandResultRows(table, results, lineImpedance),
                             exports.feedpointsThrough ? BandPlace::Antenna : BandPlace::Tuner),
                 "CSV file");
    }
    return plan.Commit();
}

} // namespace vorelin
