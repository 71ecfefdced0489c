#pragma once

#include "core/band_results.h"
#include "core/band_system.h"
#include "core/band_table.h"
#include "graphics/measured_traces.h"

#include <QStringList>
#include <QVariant>

#include <cstddef>
#include <span>
#include <string>
#include <vector>

class QTableView;
class QWidget;

namespace vorelin {

class UserDialogs;

// The band page's measured sweeps: Touchstone files of an analyser opened with "Measured…",
// drawn beside the rows in colours of their own, and the first one's values in the grid's last
// two columns. A file that cannot be read is told with its line and reason; the others are shown.
class BandMeasuredSweeps {
public:
    BandMeasuredSweeps(QWidget& page, UserDialogs& dialogs) : m_page(page), m_dialogs(dialogs) {}

    // "Measured…": without sweeps, the files to open; with them, whether to add more or remove
    // them all. Whether the sweeps changed.
    bool Choose();
    // Reads the files in turn: each read joins the sweeps (a file shown already is shown again as
    // it reads now, in its place); all that are not read are told in one message. Whether any joined.
    bool Add(const QStringList& paths);
    void Clear();

    std::span<const MeasuredTrace> Traces() const { return m_traces; }

    // A cell of the measured columns (0: R + jX, 1: |Γ − Γm|) of a row: the first sweep's values,
    // every sweep's in the tooltip; "—" outside the sweep. A sweep is compared where it was taken:
    // with `results` the feedpoints at the antenna, Γ is against `feedpointImpedance` (the line's).
    QVariant CellData(const BandTable& table, std::span<const BandResult> results, std::size_t row,
                      std::size_t column, int role, std::optional<float> feedpointImpedance = {}) const;
    // The heading's tooltip, which says where the sweep stands: at the antenna's feedpoint when the
    // loads are shown there, at the tuner's output otherwise.
    QVariant HeadingTip(std::size_t column, BandPlace place) const;
    // Shows the measured columns of `grid`, after its first `before` columns, while there are sweeps.
    void ShowColumns(QTableView& grid, std::size_t before) const;

private:
    QWidget& m_page;
    UserDialogs& m_dialogs;
    std::vector<MeasuredTrace> m_traces;
    std::vector<std::string> m_paths; // of the traces, as opened
};

} // namespace vorelin
