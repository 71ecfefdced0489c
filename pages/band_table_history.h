#pragma once

#include "core/band_table.h"

#include <QUndoStack>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorelin {

class BandTableModel;

// Every change of the band table as one step that can be undone and redone: a typed cell, added,
// pasted or predicted rows, deleted rows, the rows sorted, a table opened. The model does the
// changes; this keeps what each step needs to go back.
class BandTableHistory {
public:
    explicit BandTableHistory(BandTableModel& model);
    ~BandTableHistory();
    BandTableHistory(const BandTableHistory&) = delete;
    BandTableHistory& operator=(const BandTableHistory&) = delete;

    // After each step is done, undone or redone: the row it leaves current, when there is one.
    std::function<void(std::optional<std::size_t> row)> onStep;

    void Insert(std::size_t at, std::vector<BandRow> rows);
    // The rows at these indices (any order, each once).
    void Remove(std::vector<std::size_t> rows);
    void SortByFrequency();
    // A cell as typed; the same text again is no step.
    void SetCell(std::size_t row, std::size_t column, std::string text);
    void Replace(BandTable table);

    void Undo() { m_stack.undo(); }
    void Redo() { m_stack.redo(); }
    bool CanUndo() const { return m_stack.canUndo(); }
    bool CanRedo() const { return m_stack.canRedo(); }
    // Forgets every step: the table was read afresh.
    void Clear() { m_stack.clear(); }

private:
    using Change = std::function<std::optional<std::size_t>()>;
    void Push(Change redo, Change undo);

    BandTableModel& m_model;
    QUndoStack m_stack;
};

} // namespace vorelin
