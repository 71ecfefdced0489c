#pragma once

#include <QTableView>

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace vorelin {

class BandTableModel;

// The band page's grid of rows: typing into a cell replaces it, as in a spreadsheet; whole rows
// are selected; Tab leaves the grid for the page's other controls (arrows move between cells).
// Its copy and paste keys take whole rows (a cell being edited has the keys itself). A row
// without a load tells why across its three result columns.
class BandGrid final : public QTableView {
public:
    BandGrid(QWidget* page, BandTableModel& model);

    // Ctrl+C and Ctrl+V while the grid has the keys.
    std::function<void()> onCopy;
    std::function<void()> onPaste;

    // Whether its cells take typing (not while another program has the table).
    void SetChangeable(bool changeable);
    // The reasons of the rows without a load, spanning their result columns.
    void ShowReasonSpans();
    std::optional<std::size_t> CurrentRow() const;
    // Makes the row current, selected and in sight.
    void ShowRow(std::size_t row);
    // The selected rows, or else the current one; ascending.
    std::vector<std::size_t> ChosenRows() const;
    // The columns' widths and the rows' height at the page's scale (`pixels` of a length in page units).
    void Scale(const std::function<int(float)>& pixels);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    BandTableModel& m_model;
};

} // namespace vorelin
