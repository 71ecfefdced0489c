#include "core/load_analysis.h"

#include "core/figures_text.h"

#include <atomic>

namespace vorelin {

namespace {

std::uint64_t NextId() {
    static std::atomic<std::uint64_t> made{0};
    return ++made;
}

} // namespace

LoadAnalysis AnalyseLoad(const Entries& entries, std::optional<float> accuracy) {
    LoadAnalysis analysis;
    analysis.entries = entries;
    analysis.run = RunNetwork(entries);
    analysis.figures = FiguresOf(analysis.run.load, entries.Impedance, entries.Frequency);
    analysis.accuracy = accuracy;
    analysis.id = NextId();
    if (!accuracy || !analysis.Computed()) return analysis;

    LoadRegion& region = analysis.region.emplace();
    region.sweep = SweepToleranceLoads(entries, *accuracy, region.loads);
    // The ranges come from the very loads the region draws: no second sweep.
    ToleranceRanges ranges(entries.Impedance);
    for (const Load& load : region.loads)
        ranges.Add(load.LoadR, load.LoadX);
    region.ranges = ranges.Figures();
    const std::atomic<bool> neverStop{false};
    region.area = ToleranceAreaOf(entries, *accuracy, entries.Impedance, neverStop).value_or(ToleranceArea{});
    return analysis;
}

LoadAnalysis WithoutRegion(const LoadAnalysis& analysis) {
    LoadAnalysis plain;
    plain.entries = analysis.entries;
    plain.run = analysis.run;
    plain.figures = analysis.figures;
    plain.id = NextId();
    return plain;
}

std::vector<std::string> FigureLines(const LoadAnalysis& analysis, bool withRanges) {
    if (!analysis.Computed()) return {};
    const auto details = DetailLines(analysis.figures);
    std::vector<std::string> lines(details.begin(), details.end());
    if (withRanges && analysis.region)
        lines.push_back(RangeLine(analysis.region->ranges, *analysis.accuracy));
    return lines;
}

} // namespace vorelin
