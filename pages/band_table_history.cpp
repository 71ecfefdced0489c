#include "pages/band_table_history.h"

#include "pages/band_table_model.h"

#include <QUndoCommand>

#include <algorithm>
#include <numeric>

namespace vorelin {

namespace {

// Enough to go back through an afternoon's work; each step keeps only the rows it touched (an
// opened table keeps the whole table it replaced).
constexpr int kMostSteps = 500;

using Change = std::function<std::optional<std::size_t>()>;

class Step final : public QUndoCommand {
public:
    Step(Change redo, Change undo, const std::function<void(std::optional<std::size_t>)>& onStep)
        : m_redo(std::move(redo)), m_undo(std::move(undo)), m_onStep(onStep) {}
    void redo() override { Tell(m_redo()); }
    void undo() override { Tell(m_undo()); }

private:
    void Tell(std::optional<std::size_t> row) const {
        if (m_onStep) m_onStep(row);
    }
    Change m_redo, m_undo;
    const std::function<void(std::optional<std::size_t>)>& m_onStep;
};

} // namespace

BandTableHistory::BandTableHistory(BandTableModel& model) : m_model(model) {
    m_stack.setUndoLimit(kMostSteps);
}

BandTableHistory::~BandTableHistory() = default;

void BandTableHistory::Push(Change redo, Change undo) {
    m_stack.push(new Step(std::move(redo), std::move(undo), onStep));
}

void BandTableHistory::Insert(std::size_t at, std::vector<BandRow> rows) {
    if (rows.empty()) return;
    at = std::min(at, m_model.RowCount());
    const std::size_t count = rows.size();
    Push(
        [this, at, rows = std::move(rows)] {
            m_model.Insert(at, rows);
            return std::optional(at);
        },
        [this, at, count] {
            std::vector<std::size_t> added(count);
            std::iota(added.begin(), added.end(), at);
            m_model.Remove(std::move(added));
            return m_model.RowCount() == 0 ? std::nullopt
                                           : std::optional(std::min(at, m_model.RowCount() - 1));
        });
}

void BandTableHistory::Remove(std::vector<std::size_t> rows) {
    std::ranges::sort(rows);
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [this](std::size_t row) { return row >= m_model.RowCount(); });
    if (rows.empty()) return;
    std::vector<BandRow> removed;
    for (const std::size_t row : rows)
        removed.push_back(m_model.Table().rows[row]);
    Push(
        [this, rows] {
            m_model.Remove(rows);
            return m_model.RowCount() == 0 ? std::nullopt
                                           : std::optional(std::min(rows.front(), m_model.RowCount() - 1));
        },
        [this, rows, removed = std::move(removed)] {
            m_model.Restore(rows, removed);
            return std::optional(rows.front());
        });
}

void BandTableHistory::SortByFrequency() {
    const std::vector<std::size_t> order = FrequencyOrder(m_model.Table());
    if (std::ranges::is_sorted(order)) return; // in order already: no step
    std::vector<std::size_t> back(order.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        back[order[i]] = i;
    Push(
        [this, order] {
            m_model.Reorder(order);
            return std::optional<std::size_t>();
        },
        [this, back] {
            m_model.Reorder(back);
            return std::optional<std::size_t>();
        });
}

void BandTableHistory::SetCell(std::size_t row, std::size_t column, std::string text) {
    if (row >= m_model.RowCount() || column >= kBandColumnCount) return;
    const BandRow& before = m_model.Table().rows[row];
    if (before.cells[column] == text) return;
    Push(
        [this, row, column, text = std::move(text)] {
            m_model.SetCell(row, column, text);
            return std::optional(row);
        },
        [this, row, before] {
            m_model.SetRow(row, before);
            return std::optional(row);
        });
}

void BandTableHistory::Replace(BandTable table) {
    Push(
        [this, table = std::move(table)] {
            m_model.Replace(table);
            return std::optional<std::size_t>();
        },
        [this, before = m_model.Table()] {
            m_model.Replace(before);
            return std::optional<std::size_t>();
        });
}

} // namespace vorelin
