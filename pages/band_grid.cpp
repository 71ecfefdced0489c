#include "pages/band_grid.h"

#include "graphics/band_scene.h"
#include "pages/band_table_model.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QShortcut>

#include <algorithm>

namespace vorelin {

namespace {

constexpr float kRowHeight = 260; // page units
constexpr QAbstractItemView::EditTriggers kEditTriggers =
    QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;

} // namespace

BandGrid::BandGrid(QWidget* page, BandTableModel& model) : QTableView(page), m_model(model) {
    setObjectName(QStringLiteral("bandTable"));
    setModel(&model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(kEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    // The loss beside the other figures of a row, before its flag and the measured columns.
    horizontalHeader()->moveSection(static_cast<int>(kBandLossColumn), static_cast<int>(kBandFlagColumn));
    auto* paste = new QShortcut(QKeySequence::Paste, this, nullptr, nullptr, Qt::WidgetShortcut);
    connect(paste, &QShortcut::activated, this, [this] {
        if (onPaste) onPaste();
    });
}

void BandGrid::keyPressEvent(QKeyEvent* event) {
    // The view's own copy would take one cell.
    if (event->matches(QKeySequence::Copy) && onCopy) {
        onCopy();
        return;
    }
    QTableView::keyPressEvent(event);
}

void BandGrid::SetChangeable(bool changeable) {
    setEditTriggers(changeable ? kEditTriggers : QAbstractItemView::NoEditTriggers);
}

void BandGrid::ShowReasonSpans() {
    clearSpans();
    const auto results = m_model.Results();
    for (std::size_t row = 0; row < results.size(); ++row) {
        if (!results[row].load) setSpan(static_cast<int>(row), static_cast<int>(kBandColumnCount), 1, 3);
    }
}

std::optional<std::size_t> BandGrid::CurrentRow() const {
    if (!currentIndex().isValid()) return std::nullopt;
    return static_cast<std::size_t>(currentIndex().row());
}

void BandGrid::ShowRow(std::size_t row) {
    if (row >= m_model.RowCount()) return;
    const QModelIndex index = m_model.index(static_cast<int>(row), 0);
    setCurrentIndex(index);
    selectRow(static_cast<int>(row));
    scrollTo(index);
}

std::vector<std::size_t> BandGrid::ChosenRows() const {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    if (rows.empty() && CurrentRow()) rows.push_back(*CurrentRow());
    std::ranges::sort(rows);
    return rows;
}

void BandGrid::Scale(const std::function<int(float)>& pixels) {
    for (std::size_t column = 0; column < kBandViewColumns; ++column)
        setColumnWidth(static_cast<int>(column), pixels(kBandColumnWidths[column]));
    for (std::size_t column = 0; column < kMeasuredColumnWidths.size(); ++column)
        setColumnWidth(static_cast<int>(kBandViewColumns + column), pixels(kMeasuredColumnWidths[column]));
    setColumnWidth(static_cast<int>(kBandLossColumn), pixels(kBandLossColumnWidth));
    verticalHeader()->setDefaultSectionSize(pixels(kRowHeight));
}

} // namespace vorelin
