#include "files/band_export.h"

#include "core/topology.h"
#include "core/version.h"

#include <algorithm>

namespace vorelin {

namespace {

// A long list of faulty rows is cut after this many, with a count of the rest.
constexpr std::size_t kMostProblemsNamed = 10;

std::string RowName(std::size_t row) { return "row " + std::to_string(row + 1); }

} // namespace

std::vector<float> BandImpedances(const BandTable& table) {
    std::vector<float> impedances;
    for (const BandRow& row : table.rows)
        impedances.push_back(row.entries.Impedance);
    std::ranges::sort(impedances);
    impedances.erase(std::unique(impedances.begin(), impedances.end()), impedances.end());
    return impedances;
}

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

WriteResult WriteBandTouchstone(const std::string& path, const BandTable& table,
                                std::span<const BandResult> results, float reference) {
    const BandTouchstone file = BandTouchstoneOf(table, results, reference);
    if (!file.problem.empty()) {
        return {WriteResult::Status::Failed, path,
                "The Touchstone file " + path + " was not written: " + file.problem + ".", file.problem};
    }
    return WriteTouchstone(path, file.comments, reference, file.points);
}

std::vector<BandResultRow> BandResultRows(const BandTable& table, std::span<const BandResult> results) {
    std::vector<BandResultRow> rows;
    rows.reserve(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        const BandRow& row = table.rows[i];
        rows.push_back(
            {row.entries.Frequency, row.entries.Impedance, results[i].load, row.Cell(BandColumn::Note)});
    }
    return rows;
}

WriteResult WriteBandTableFile(const std::string& path, const BandTable& table) {
    WriteResult result = WriteFileAtomically(path, BandTableText(table));
    if (result.Failed())
        result.message = "The band table " + path + " could not be written: " + result.reason + ".";
    return result;
}

} // namespace vorelin
