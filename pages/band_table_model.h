#pragma once

#include "core/band_prediction.h"
#include "core/band_results.h"
#include "core/band_system.h"
#include "core/band_table.h"
#include "core/tolerance_area.h"
#include "graphics/band_scene.h"
#include "graphics/measured_traces.h"

#include <QAbstractTableModel>

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace vorelin {

class BandMeasuredSweeps;

// The loss column (the tuner's loss, and with a line the total to the antenna), after the measured
// columns in the model; the grid shows it after |Γ|.
inline constexpr std::size_t kBandLossColumn = kBandViewColumns + kMeasuredColumnHeadings.size();
inline constexpr float kBandLossColumnWidth = 1450; // page units

// The band table as the page's grid shows it: the ten columns of a row as typed (editable),
// then its load, SWR and |Γ| or the reason there is no load. Beside each row it keeps the row's
// result and its tolerance area, so that every change of the rows moves them along. A predicted
// row is shown in italics on pale purple; editing any cell but its note makes it an ordinary row
// (its note "predicted" is cleared: the values are the user's own now). With an accuracy set, the
// rows whose settings were likely misread say so in a column of their own, on pale orange. Each
// row's loss has a column, and with a feedline the load columns may show the antenna's feedpoint.
class BandTableModel final : public QAbstractTableModel {
public:
    // After every change of the rows (not of the areas alone).
    std::function<void()> onRowsChanged;

    const BandTable& Table() const { return m_table; }
    std::span<const BandResult> Results() const { return m_results; }
    std::span<const std::optional<ToleranceArea>> Areas() const { return m_areas; }
    std::size_t RowCount() const { return m_table.rows.size(); }
    // The rows MisreadRows flags at the accuracy set, found again at every change of the rows.
    std::span<const MisreadRow> Misread() const { return m_misread; }
    bool IsMisread(std::size_t row) const;
    // A percent of kAccuracyPercents, or 0 for none.
    void SetMisreadAccuracy(int percent);

    void Replace(BandTable table);
    void Insert(std::size_t at, std::vector<BandRow> rows);
    // Removes the rows at these indices (any order, each once).
    void Remove(std::vector<std::size_t> rows);
    // Orders the rows by frequency; rows of one frequency keep their order, and the view's
    // selection follows its rows.
    void SortByFrequency();
    // One cell as typed, cut to the reader's limit; the row is read again.
    void SetCell(std::size_t row, std::size_t column, std::string text);
    // The steps that undo the ones above: a row put back as it was, removed rows put back at
    // their indices (ascending, as they stood before), and any order of the rows (row i becomes
    // the row that stood at order[i]; the view's selection follows its rows).
    void SetRow(std::size_t row, BandRow kept);
    void Restore(const std::vector<std::size_t>& at, std::vector<BandRow> rows);
    void Reorder(const std::vector<std::size_t>& order);
    // How the grid's typed cells are applied: through this when it is set (the page's undo
    // history), else by SetCell at once.
    std::function<void(std::size_t row, std::size_t column, std::string text)> cellTyped;

    // The antenna system behind the rows: the settings as read (the System page's power and line,
    // the chosen profile's Q), and where the load columns stand. The antenna needs a line.
    void SetSystem(SystemFormRead settings, BandPlace place);
    BandPlace Place() const { return m_place; }
    const SystemFormRead& SystemSettingsRead() const { return m_settings; }
    std::span<const BandSystemRow> System() const { return m_system; }
    // The rows' results where they are shown: the tuner's loads, or the feedpoints at the antenna.
    std::span<const BandResult> ShownResults() const;
    // The impedance the shown results' figures are against: the line's Zc at the antenna.
    std::optional<float> FeedpointImpedance() const;

    // The measured sweeps whose columns follow the page's own (none: they stay empty); told again
    // whenever the sweeps change.
    void ShowMeasured(const BandMeasuredSweeps* measured);

    void SetArea(std::size_t row, std::optional<ToleranceArea> area) { m_areas[row] = std::move(area); }
    void ClearAreas();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void RowsChanged() {
        ComputeSystem();
        FindMisreadRows();
        if (onRowsChanged) onRowsChanged();
    }
    void FindMisreadRows();
    // Every row's system afresh, and their cells shown again.
    void ComputeSystem();
    QVariant ResultData(std::size_t row, std::size_t column, int role) const;
    QVariant LossData(std::size_t row, int role) const;
    // The flag column: "likely misread" on pale orange, the reason in its tooltip.
    QVariant FlagData(std::size_t row, int role) const;

    BandTable m_table;
    std::vector<BandResult> m_results;
    std::vector<std::optional<ToleranceArea>> m_areas;
    int m_misreadPercent = 0;
    std::vector<MisreadRow> m_misread;
    const BandMeasuredSweeps* m_measured = nullptr;
    SystemFormRead m_settings;
    BandPlace m_place = BandPlace::Tuner;
    std::vector<BandSystemRow> m_system;
    std::vector<BandResult> m_feedpoints; // at the antenna only
};

} // namespace vorelin
