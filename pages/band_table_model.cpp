#include "pages/band_table_model.h"

#include "core/band_prediction_step.h"
#include "core/figures_text.h"
#include "graphics/band_scene.h"
#include "pages/band_measured.h"
#include "pages/page_controls.h"

#include <QBrush>
#include <QFont>

#include <algorithm>

namespace vorelin {

namespace {

constexpr auto kLoadColumn = static_cast<int>(kBandColumnCount);
constexpr std::size_t kNoteColumn = static_cast<std::size_t>(BandColumn::Note);

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A cell of at most the reader's limit, cut before a character that would not fit whole.
std::string WithinCellLimit(std::string text) {
    if (text.size() <= kMostBandCellBytes) return text;
    std::size_t end = kMostBandCellBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

} // namespace

void BandTableModel::Replace(BandTable table) {
    beginResetModel();
    m_table = std::move(table);
    m_results.clear();
    for (const BandRow& row : m_table.rows)
        m_results.push_back(ResultOf(row));
    m_areas.assign(m_table.rows.size(), std::nullopt);
    endResetModel();
    RowsChanged();
}

void BandTableModel::Insert(std::size_t at, std::vector<BandRow> rows) {
    if (rows.empty()) return;
    at = std::min(at, m_table.rows.size());
    beginInsertRows({}, static_cast<int>(at), static_cast<int>(at + rows.size() - 1));
    const auto offset = static_cast<std::ptrdiff_t>(at);
    std::vector<BandResult> results;
    for (const BandRow& row : rows)
        results.push_back(ResultOf(row));
    m_results.insert(m_results.begin() + offset, std::make_move_iterator(results.begin()),
                     std::make_move_iterator(results.end()));
    m_areas.insert(m_areas.begin() + offset, rows.size(), std::nullopt);
    m_table.rows.insert(m_table.rows.begin() + offset, std::make_move_iterator(rows.begin()),
                        std::make_move_iterator(rows.end()));
    endInsertRows();
    RowsChanged();
}

void BandTableModel::Remove(std::vector<std::size_t> rows) {
    std::ranges::sort(rows, std::greater<>());
    for (const std::size_t row : rows) {
        if (row >= m_table.rows.size()) continue;
        const auto offset = static_cast<std::ptrdiff_t>(row);
        beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
        m_table.rows.erase(m_table.rows.begin() + offset);
        m_results.erase(m_results.begin() + offset);
        m_areas.erase(m_areas.begin() + offset);
        endRemoveRows();
    }
    if (!rows.empty()) RowsChanged();
}

void BandTableModel::SortByFrequency() { Reorder(FrequencyOrder(m_table)); }

void BandTableModel::Reorder(const std::vector<std::size_t>& order) {
    std::vector<std::size_t> moved(order.size());
    emit layoutAboutToBeChanged();
    BandTable table;
    std::vector<BandResult> results;
    std::vector<std::optional<ToleranceArea>> areas;
    for (std::size_t i = 0; i < order.size(); ++i) {
        moved[order[i]] = i;
        table.rows.push_back(std::move(m_table.rows[order[i]]));
        results.push_back(std::move(m_results[order[i]]));
        areas.push_back(std::move(m_areas[order[i]]));
    }
    m_table = std::move(table);
    m_results = std::move(results);
    m_areas = std::move(areas);
    // The view's selection and current cell follow their rows.
    QModelIndexList from, to;
    for (const QModelIndex& index : persistentIndexList()) {
        from << index;
        to << createIndex(static_cast<int>(moved[static_cast<std::size_t>(index.row())]), index.column());
    }
    changePersistentIndexList(from, to);
    emit layoutChanged();
    RowsChanged();
}

void BandTableModel::SetRow(std::size_t row, BandRow kept) {
    if (row >= m_table.rows.size()) return;
    m_results[row] = ResultOf(kept);
    m_table.rows[row] = std::move(kept);
    m_areas[row].reset();
    emit dataChanged(index(static_cast<int>(row), 0), index(static_cast<int>(row), columnCount() - 1));
    RowsChanged();
}

void BandTableModel::Restore(const std::vector<std::size_t>& at, std::vector<BandRow> rows) {
    for (std::size_t i = 0; i < at.size() && i < rows.size(); ++i) {
        const std::size_t row = std::min(at[i], m_table.rows.size());
        const auto offset = static_cast<std::ptrdiff_t>(row);
        beginInsertRows({}, static_cast<int>(row), static_cast<int>(row));
        m_results.insert(m_results.begin() + offset, ResultOf(rows[i]));
        m_areas.insert(m_areas.begin() + offset, std::nullopt);
        m_table.rows.insert(m_table.rows.begin() + offset, std::move(rows[i]));
        endInsertRows();
    }
    if (!at.empty()) RowsChanged();
}

void BandTableModel::SetCell(std::size_t row, std::size_t column, std::string text) {
    if (row >= m_table.rows.size() || column >= kBandColumnCount) return;
    text = WithinCellLimit(std::move(text));
    BandRow& kept = m_table.rows[row];
    if (kept.cells[column] == text) return;
    BandCells cells = kept.cells;
    cells[column] = std::move(text);
    if (column != kNoteColumn && IsPredictedRow(kept)) cells[kNoteColumn].clear();
    kept = BandRowFromCells(std::move(cells), kept.line);
    m_results[row] = ResultOf(kept);
    m_areas[row].reset();
    emit dataChanged(index(static_cast<int>(row), 0), index(static_cast<int>(row), columnCount() - 1));
    RowsChanged();
}

void BandTableModel::ClearAreas() { std::ranges::fill(m_areas, std::nullopt); }

bool BandTableModel::IsMisread(std::size_t row) const {
    return std::ranges::binary_search(m_misread, row, {}, &MisreadRow::row);
}

void BandTableModel::SetMisreadAccuracy(int percent) {
    if (percent == m_misreadPercent) return;
    m_misreadPercent = percent;
    FindMisreadRows();
}

void BandTableModel::FindMisreadRows() {
    std::vector<MisreadRow> misread = MisreadRows(m_table, m_misreadPercent);
    const bool same = std::ranges::equal(misread, m_misread, {}, &MisreadRow::row, &MisreadRow::row);
    m_misread = std::move(misread);
    // A change of one row may flag or free its neighbours: every row's results are shown again.
    if (!same && !m_table.rows.empty())
        emit dataChanged(index(0, kLoadColumn), index(rowCount() - 1, columnCount() - 1));
}

int BandTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_table.rows.size());
}

int BandTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kBandLossColumn + 1);
}

QVariant BandTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const auto column = static_cast<std::size_t>(index.column());
    if (column == kBandLossColumn) return LossData(row, role);
    if (column >= kBandViewColumns)
        return m_measured ? m_measured->CellData(m_table, ShownResults(), row, column - kBandViewColumns,
                                                 role, FeedpointImpedance())
                          : QVariant();
    if (column == kBandFlagColumn) return FlagData(row, role);
    if (column >= kBandColumnCount) return ResultData(row, column, role);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Utf8(m_table.rows[row].cells[column]);
    case Qt::ToolTipRole:
        if (!m_results[row].load) return Utf8(m_results[row].reason);
        return {};
    case Qt::FontRole:
        if (IsPredictedRow(m_table.rows[row])) {
            QFont italic;
            italic.setItalic(true); // only this is taken over: the grid's own font stays
            return italic;
        }
        return {};
    case Qt::BackgroundRole:
        if (ProblemColumn(m_table.rows[row]) == static_cast<BandColumn>(column))
            return QBrush(ToColor(kProblemCellColour));
        if (IsPredictedRow(m_table.rows[row])) return QBrush(ToColor(kPredictedBackground));
        return {};
    default:
        return {};
    }
}

// The load, SWR and |Γ| where they are shown. A row without a load tells why across the three; a
// feedpoint the line cannot deliver shows "—" in each, the reason in the tooltip.
QVariant BandTableModel::ResultData(std::size_t row, std::size_t column, int role) const {
    const BandResult& result = ShownResults()[row];
    const bool undelivered = !result.load && m_results[row].load;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (undelivered) return QString::fromUtf8(kMissingFigure.data());
        if (!result.load) return column == kBandColumnCount ? Utf8(result.reason) : QString();
        if (column == kBandColumnCount) return Utf8(result.LoadText());
        return Utf8(column == kBandColumnCount + 1 ? result.SwrText() : result.GammaText());
    case Qt::ToolTipRole:
        if (!result.load) return Utf8(result.reason);
        return {};
    case Qt::ForegroundRole:
        if (!result.load) return QBrush(ToColor(kProblemColour));
        return {};
    case Qt::FontRole:
        return data(index(static_cast<int>(row), 0), role);
    case Qt::BackgroundRole:
        if (IsPredictedRow(m_table.rows[row])) return QBrush(ToColor(kPredictedBackground));
        return QBrush(ToColor(kResultCellColour));
    default:
        return {};
    }
}

QVariant BandTableModel::LossData(std::size_t row, int role) const {
    if (row >= m_system.size()) return {};
    const BandSystemRow& system = m_system[row];
    const bool whole = system.tunerLossDb && (!system.throughLine || system.totalLossDb);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return Utf8(system.LossText());
    case Qt::ToolTipRole:
        if (!whole) return Utf8(system.lossReason);
        return system.throughLine ? QStringLiteral("The tuner's loss / the total loss to the antenna, dB")
                                  : QStringLiteral("The tuner's loss, dB");
    case Qt::ForegroundRole:
        if (!whole) return QBrush(ToColor(kProblemColour));
        return {};
    default:
        return ResultData(row, kBandColumnCount + 1, role);
    }
}

std::span<const BandResult> BandTableModel::ShownResults() const {
    // Between a change of the rows and its system, the tuner's results stand in.
    if (m_place == BandPlace::Antenna && m_feedpoints.size() == m_results.size()) return m_feedpoints;
    return m_results;
}

std::optional<float> BandTableModel::FeedpointImpedance() const {
    if (m_place != BandPlace::Antenna || !m_settings.settings.line) return std::nullopt;
    return static_cast<float>(m_settings.settings.line->zc);
}

void BandTableModel::SetSystem(SystemFormRead settings, BandPlace place) {
    m_settings = std::move(settings);
    m_place = m_settings.Read() && m_settings.settings.line ? place : BandPlace::Tuner;
    ComputeSystem();
}

void BandTableModel::ComputeSystem() {
    m_system = BandSystemRowsOf(m_table, m_results, m_settings);
    m_feedpoints = m_place == BandPlace::Antenna ? FeedpointResults(m_system) : std::vector<BandResult>();
    if (!m_table.rows.empty())
        emit dataChanged(index(0, kLoadColumn), index(rowCount() - 1, columnCount() - 1));
}

QVariant BandTableModel::FlagData(std::size_t row, int role) const {
    const bool misread = m_results[row].load && IsMisread(row);
    switch (role) {
    case Qt::DisplayRole:
        return misread ? Utf8(std::string(kMisreadText)) : QString();
    case Qt::ToolTipRole:
        return misread ? Utf8(MisreadTip(*std::ranges::lower_bound(m_misread, row, {}, &MisreadRow::row)))
                       : QVariant();
    case Qt::BackgroundRole:
        if (misread) return QBrush(ToColor(kMisreadBackground));
        return QBrush(ToColor(IsPredictedRow(m_table.rows[row]) ? kPredictedBackground : kResultCellColour));
    case Qt::FontRole:
        return data(index(static_cast<int>(row), 0), role);
    default:
        return {};
    }
}

bool BandTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.column() >= kLoadColumn) return false;
    const auto row = static_cast<std::size_t>(index.row()), column = static_cast<std::size_t>(index.column());
    if (cellTyped) {
        cellTyped(row, column, value.toString().toStdString());
    } else {
        SetCell(row, column, value.toString().toStdString());
    }
    return true;
}

Qt::ItemFlags BandTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    return index.column() < kLoadColumn ? flags | Qt::ItemIsEditable : flags;
}

void BandTableModel::ShowMeasured(const BandMeasuredSweeps* measured) {
    m_measured = measured;
    const int first = static_cast<int>(kBandViewColumns);
    emit headerDataChanged(Qt::Horizontal, first, columnCount() - 1);
    if (!m_table.rows.empty()) emit dataChanged(index(0, first), index(rowCount() - 1, columnCount() - 1));
}

QVariant BandTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const auto column = static_cast<std::size_t>(section);
    if (orientation == Qt::Horizontal && column == kBandLossColumn) {
        if (role == Qt::ToolTipRole)
            return QStringLiteral("The tuner's loss in dB with the chosen profile's Q; with a feedline set "
                                  "on the System page, / the total loss to the antenna");
        return role == Qt::DisplayRole ? QStringLiteral("Loss, dB") : QVariant();
    }
    if (orientation == Qt::Horizontal && column >= kBandViewColumns) {
        if (role == Qt::ToolTipRole && m_measured)
            return m_measured->HeadingTip(column - kBandViewColumns, m_place);
        if (role != Qt::DisplayRole) return {};
        return QString::fromUtf8(kMeasuredColumnHeadings[column - kBandViewColumns].data());
    }
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    const std::string_view heading = kBandColumnHeadings[column];
    return QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()));
}

} // namespace vorelin
