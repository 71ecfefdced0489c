#include "files/touchstone.h"

#include "core/load_figures.h"
#include "core/readout.h"
#include "core/topology.h"
#include "core/version.h"
#include "files/file_numbers.h"

#include <cmath>

namespace vorelin {

namespace {

// A comment line in printable ASCII: each UTF-8 character beyond it (or control character)
// becomes one "?"; the continuation bytes of a character are dropped.
std::string AsciiLine(std::string_view text) {
    std::string line;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            line += c;
        } else if (byte < 0x80 || byte >= 0xC0) {
            line += '?';
        }
    }
    return line;
}

std::string FrequencyText(const TouchstonePoint& point) { return FileNumber(point.frequency) + " Hz"; }

std::string RowText(std::size_t row) { return std::to_string(row + 1); }

} // namespace

std::vector<TouchstoneProblem> CheckTouchstonePoints(float impedance,
                                                     std::span<const TouchstonePoint> points) {
    using Kind = TouchstoneProblem::Kind;
    std::vector<TouchstoneProblem> problems;
    if (points.empty()) problems.push_back({Kind::NoPoints});
    if (!(std::isfinite(impedance) && impedance > 0)) problems.push_back({Kind::BadImpedance});
    for (std::size_t row = 0; row < points.size(); ++row) {
        const float frequency = points[row].frequency;
        if (!(std::isfinite(frequency) && frequency >= 0)) {
            problems.push_back({Kind::BadFrequency, row});
        } else if (row > 0 && std::isfinite(points[row - 1].frequency)) {
            const float previous = points[row - 1].frequency;
            if (frequency == previous) problems.push_back({Kind::SameFrequency, row, row - 1});
            if (frequency < previous) problems.push_back({Kind::NotAscending, row, row - 1});
        }
        if (std::isfinite(impedance) && impedance > 0 && !ReflectionOf(points[row].load, impedance))
            problems.push_back({Kind::NoReflection, row});
    }
    return problems;
}

std::string DescribeProblem(const TouchstoneProblem& problem, std::span<const TouchstonePoint> points) {
    using Kind = TouchstoneProblem::Kind;
    const std::string row = RowText(problem.row);
    switch (problem.kind) {
    case Kind::NoPoints:
        return "there is no load to write";
    case Kind::BadImpedance:
        return "the system impedance is not a positive number";
    case Kind::BadFrequency:
        return "row " + row + " has no valid frequency";
    case Kind::SameFrequency:
        return "rows " + RowText(problem.previousRow) + " and " + row + " have the same frequency (" +
               FrequencyText(points[problem.row]) + ")";
    case Kind::NotAscending:
        return "row " + row + " has a lower frequency than row " + RowText(problem.previousRow) +
               " (the frequencies must ascend)";
    case Kind::NoReflection:
        return "row " + row + " has no reflection coefficient";
    }
    return {};
}

std::vector<std::string> TouchstoneComments(const Entries& entries, std::optional<float> accuracy) {
    std::vector<std::string> comments{std::string(kProgramName) + " " + std::string(kVersionText)};
    std::string topology = "Topology " + std::to_string(entries.Topology);
    if (!FormOf(entries.Topology).empty()) topology += ": " + std::string(FormOf(entries.Topology));
    comments.push_back(topology);
    std::string parts;
    for (const PartSlot& part : PartsOf(entries.Topology))
        parts += (parts.empty() ? "" : ", ") + std::string(part.name) + " " +
                 PartValueText(entries.*part.value, part.kind);
    if (!parts.empty()) comments.push_back(parts);
    if (accuracy)
        comments.push_back("Accuracy " + DecimalText(static_cast<double>(*accuracy) * 100, {3}) + " %");
    return comments;
}

std::optional<std::string> TouchstoneText(std::span<const std::string> comments, float impedance,
                                          std::span<const TouchstonePoint> points) {
    if (!CheckTouchstonePoints(impedance, points).empty()) return std::nullopt;
    std::string text;
    for (const std::string& comment : comments)
        text += "! " + AsciiLine(comment) + "\n";
    text += "# Hz S RI R " + FileNumber(impedance) + "\n";
    for (const TouchstonePoint& point : points) {
        const Reflection gamma = *ReflectionOf(point.load, impedance);
        text +=
            FileNumber(point.frequency) + " " + ExactNumber(gamma.re) + " " + ExactNumber(gamma.im) + "\n";
    }
    return text;
}

WriteResult WriteTouchstone(const std::string& path, std::span<const std::string> comments, float impedance,
                            std::span<const TouchstonePoint> points) {
    const auto problems = CheckTouchstonePoints(impedance, points);
    if (!problems.empty()) {
        WriteResult refused{WriteResult::Status::Failed, path, {}, {}};
        for (const TouchstoneProblem& problem : problems)
            refused.reason += (refused.reason.empty() ? "" : "; ") + DescribeProblem(problem, points);
        refused.message = "The Touchstone file " + path + " was not written: " + refused.reason + ".";
        return refused;
    }
    WriteResult result = WriteFileAtomically(path, *TouchstoneText(comments, impedance, points));
    if (result.Failed())
        result.message = "The Touchstone file " + path + " could not be written: " + result.reason + ".";
    return result;
}

} // namespace vorelin
