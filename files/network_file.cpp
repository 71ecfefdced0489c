#include "files/network_file.h"

#include "core/number_text.h"
#include "core/topology.h"
#include "files/text_lines.h"

#include <QString>

#include <algorithm>

namespace vorelin {

namespace {

ElementCode CodeOf(const PartSlot& part) {
    if (part.kind == PartKind::Capacitor)
        return part.placement == Placement::Series ? ElementCode::SeriesCapacitor
                                                   : ElementCode::ShuntCapacitor;
    return part.placement == Placement::Series ? ElementCode::SeriesInductor : ElementCode::ShuntInductor;
}

// One line of the single-byte file: every kind of blank or line break becomes a plain blank (some
// locales put a narrow no-break space before "PM"), and what Latin-1 cannot hold becomes "?".
std::string SingleByteLine(std::string_view utf8) {
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    for (QChar& c : text) {
        if (c.isSpace()) c = QLatin1Char(' ');
    }
    return text.toLatin1().toStdString();
}

// Plotwin's value for a stage's second value and the Q circle.
constexpr double kPlotwinMillion = 1000000;

void AddStageBlock(TextLines& lines, int number, const Stage& stage) {
    lines.Add("Element type for stage " + std::to_string(number) + ": " +
              std::to_string(static_cast<int>(stage.code)));
    if (stage.code == ElementCode::None) {
        lines.Add("   Value(1): 0");
        lines.Add("   Value(2): 0");
    } else {
        lines.Add("   Value(1):" + PrintText(stage.value));
        lines.Add("   Value(2):" + PrintText(kPlotwinMillion));
    }
    lines.Add("   Value(3): 0");
    lines.Add("   Value(4): 0");
    lines.Add("   Value(5): 0");
    lines.Add("");
}

} // namespace

std::vector<Stage> NetworkStages(const Entries& entries) {
    const auto parts = PartsOf(entries.Topology);
    if (parts.empty()) return {};
    std::vector<Stage> stages(kStageCount);
    std::transform(parts.rbegin(), parts.rend(), stages.begin(), [&entries](const PartSlot& part) {
        return Stage{CodeOf(part), entries.*part.value};
    });
    return stages;
}

std::string BaseName(std::string_view fileName) {
    const auto lastSeparator = fileName.find_last_of("/\\");
    const auto lastPeriod = fileName.rfind('.');
    if (lastPeriod == std::string_view::npos ||
        (lastSeparator != std::string_view::npos && lastPeriod < lastSeparator))
        return std::string(fileName);
    return std::string(fileName.substr(0, lastPeriod));
}

std::string NumberText(float value) { return HeaderText(value); }
std::string NumberText(double value) { return HeaderText(value); }

std::string NetworkFileText(const Entries& entries, const Load& load, std::string_view dateTimeText) {
    TextLines lines;
    lines.Add("Plotwin network file");
    lines.Add(SingleByteLine(dateTimeText));
    lines.Add("");
    lines.Add("Frequency: " + NumberText(entries.Frequency));
    lines.Add("System impedance: " + NumberText(entries.Impedance));
    lines.Add("");
    lines.Add("Antenna R: " + NumberText(load.LoadR));
    lines.Add("Antenna X: " + NumberText(load.LoadX));
    lines.Add("");
    const auto stages = NetworkStages(entries);
    for (std::size_t i = 0; i < stages.size(); ++i)
        AddStageBlock(lines, static_cast<int>(i) + 1, stages[i]);
    lines.Add("Q circle value: " + PrintText(kPlotwinMillion));
    lines.Add("VSWR circle value: " + PrintText(1.2));
    // The sweep runs from 1 % below to 1 % above the float frequency, widened to double.
    lines.Add("Sweep start: " + NumberText(static_cast<double>(entries.Frequency) * 0.99));
    lines.Add("Sweep stop: " + NumberText(static_cast<double>(entries.Frequency) * 1.01));
    lines.Add("Number of points: " + PrintText(11.0));
    return std::move(lines).Text();
}

WriteResult WriteNetworkFile(const Entries& entries, const Load& load, const std::string& fileName,
                             std::string_view dateTimeText) {
    if (fileName.empty()) return {};
    WriteResult result =
        WriteFileAtomically(BaseName(fileName) + ".PWF", NetworkFileText(entries, load, dateTimeText));
    if (result.Failed())
        result.message =
            "The Plotwin file " + result.fileName + " could not be written: " + result.reason + ".";
    return result;
}

} // namespace vorelin
