#include "core/band_system.h"

#include "core/figures_text.h"

#include <cmath>

namespace vorelin {

namespace {

BandSystemRow RowSystem(const BandRow& row, const BandResult& result, const SystemFormRead& read) {
    BandSystemRow system;
    const bool line = read.settings.line.has_value();
    system.throughLine = line;
    const auto refuse = [&](std::string reason) {
        if (line) system.atAntenna.reason = reason;
        system.lossReason = std::move(reason);
        return system;
    };
    if (!read.Read()) return refuse(read.refusal);
    if (!result.load) return refuse(result.reason);
    const SystemFigures figures = SystemFiguresOf(row.entries, *result.load, read.settings);
    if (!figures.Computed()) return refuse(std::string(figures.reason));
    system.tunerLossDb = figures.tuner.lossDb;
    if (!line) return system;

    const FeedlineResult& through = *figures.line;
    if (!through.figures) {
        system.lossReason = system.atAntenna.reason = std::string(through.reason);
        return system;
    }
    const FeedlineFigures& f = *through.figures;
    const Load feedpoint{static_cast<float>(f.feedpointR), static_cast<float>(f.feedpointX)};
    // A feedpoint beyond the float range would show as an infinity.
    if (!std::isfinite(feedpoint.LoadR) || !std::isfinite(feedpoint.LoadX)) {
        system.lossReason = system.atAntenna.reason = std::string(kLineReasonOverflow);
        return system;
    }
    system.totalLossDb = figures.tuner.lossDb + f.totalLossDb;
    system.atAntenna.load = feedpoint;
    system.atAntenna.figures =
        FiguresOf(feedpoint, static_cast<float>(read.settings.line->zc), row.entries.Frequency);
    return system;
}

} // namespace

std::string BandSystemRow::LossText() const {
    if (!tunerLossDb || !throughLine) return FigureText(tunerLossDb);
    return FigureText(tunerLossDb) + " / " + FigureText(totalLossDb);
}

std::vector<BandSystemRow> BandSystemRowsOf(const BandTable& table, std::span<const BandResult> results,
                                            const SystemFormRead& read) {
    std::vector<BandSystemRow> rows;
    rows.reserve(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size() && i < results.size(); ++i)
        rows.push_back(RowSystem(table.rows[i], results[i], read));
    return rows;
}

std::vector<BandResult> FeedpointResults(std::span<const BandSystemRow> rows) {
    std::vector<BandResult> results;
    results.reserve(rows.size());
    for (const BandSystemRow& row : rows)
        results.push_back(row.atAntenna);
    return results;
}

} // namespace vorelin
