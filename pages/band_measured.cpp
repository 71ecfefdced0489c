#include "pages/band_measured.h"

#include "core/measured_rows.h"
#include "files/file_identity.h"
#include "files/measured_file.h"
#include "pages/page_controls.h"
#include "pages/user_dialogs.h"

#include <QBrush>
#include <QFileInfo>
#include <QTableView>

#include <algorithm>

namespace vorelin {

namespace {

constexpr Colour kMeasuredBackground = 0xF4F4F4; // as the other result columns

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<MeasuredComparison> Compared(const MeasuredTrace& trace, const BandTable& table,
                                           std::span<const BandResult> results, std::size_t row,
                                           std::optional<float> impedance) {
    return CompareRowWithMeasured(table.rows[row], row < results.size() ? results[row].load : std::nullopt,
                                  trace.sweep, impedance);
}

std::string CellText(const std::optional<MeasuredComparison>& comparison, std::size_t column) {
    return column == 0 ? MeasuredLoadText(comparison) : GammaDistanceText(comparison);
}

} // namespace

bool BandMeasuredSweeps::Choose() {
    if (!m_traces.empty()) {
        QStringList names;
        for (const MeasuredTrace& trace : m_traces)
            names << Utf8(trace.name);
        const int picked = m_dialogs.AskChoice(
            &m_page, QStringLiteral("Measured sweeps beside the rows: ") + names.join(QStringLiteral(", ")),
            {QStringLiteral("Add files…"), QStringLiteral("Remove them all")});
        if (picked < 0) return false;
        if (picked == 1) {
            Clear();
            return true;
        }
    }
    return Add(m_dialogs.AskOpenFileNames(
        &m_page, QStringLiteral("Open Measured Sweeps"),
        QStringLiteral("Touchstone files (*.s1p *.s2p *.S1P *.S2P);;All files (*)")));
}

bool BandMeasuredSweeps::Add(const QStringList& paths) {
    QStringList failures;
    bool joined = false;
    for (const QString& path : paths) {
        const std::string name = path.toStdString();
        MeasuredFileRead read = ReadMeasuredFile(name);
        if (!read.Ok()) {
            failures << Utf8(read.error);
            continue;
        }
        MeasuredTrace trace{QFileInfo(path).fileName().toStdString(), std::move(read.sweep), 0};
        const auto shown =
            std::ranges::find_if(m_paths, [&](const std::string& kept) { return SameFile(kept, name); });
        if (shown != m_paths.end()) {
            const auto at = static_cast<std::size_t>(shown - m_paths.begin());
            trace.colour = m_traces[at].colour;
            m_traces[at] = std::move(trace);
        } else {
            trace.colour = MeasuredTraceColour(m_traces.size());
            m_traces.push_back(std::move(trace));
            m_paths.push_back(name);
        }
        joined = true;
    }
    if (!failures.isEmpty()) m_dialogs.ShowMessage(&m_page, failures.join(QStringLiteral("\n")));
    return joined;
}

void BandMeasuredSweeps::Clear() {
    m_traces.clear();
    m_paths.clear();
}

QVariant BandMeasuredSweeps::CellData(const BandTable& table, std::span<const BandResult> results,
                                      std::size_t row, std::size_t column, int role,
                                      std::optional<float> feedpointImpedance) const {
    if (m_traces.empty() || row >= table.rows.size()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return Utf8(CellText(Compared(m_traces.front(), table, results, row, feedpointImpedance), column));
    case Qt::ToolTipRole: {
        QStringList lines;
        for (const MeasuredTrace& trace : m_traces) {
            const auto compared = Compared(trace, table, results, row, feedpointImpedance);
            lines << Utf8(trace.name + ": " + MeasuredLoadText(compared) + ", |Γ − Γm| " +
                          GammaDistanceText(compared));
        }
        return lines.join(QStringLiteral("\n"));
    }
    case Qt::BackgroundRole:
        return QBrush(ToColor(kMeasuredBackground));
    default:
        return {};
    }
}

QVariant BandMeasuredSweeps::HeadingTip(std::size_t column, BandPlace place) const {
    if (m_traces.empty()) return {};
    const std::string name = m_traces.front().name;
    const std::string where =
        place == BandPlace::Antenna
            ? " (taken as measured at the antenna's feedpoint, where the loads are shown)"
            : " (taken as measured at the tuner's output, where the loads are shown)";
    return Utf8((column == 0 ? "Measured in " + name + ", between its points at the row's frequency"
                             : "The distance between the tuner's Γ and the one measured in " + name) +
                where);
}

void BandMeasuredSweeps::ShowColumns(QTableView& grid, std::size_t before) const {
    for (std::size_t column = 0; column < kMeasuredColumnHeadings.size(); ++column)
        grid.setColumnHidden(static_cast<int>(before + column), m_traces.empty());
}

} // namespace vorelin
