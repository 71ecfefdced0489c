#pragma once

#include "core/entries.h"
#include "graphics/band_scene.h"
#include "pages/band_area_job.h"
#include "pages/band_chart_pointer.h"
#include "pages/band_file_dialogs.h"
#include "pages/band_measured.h"
#include "pages/band_table_history.h"
#include "pages/band_table_keeper.h"
#include "pages/band_table_model.h"
#include "pages/page_window.h"

#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vorelin {

class BandGrid;
class Navigation;
class TunerProfileBook;
class UserDialogs;

// The band page: the band table (tuner settings per frequency) in an editable grid with each
// row's load, the loads on a Smith chart joined in frequency order, their SWR against frequency,
// and for a chosen accuracy each row's tolerance area, computed away from the user-interface
// thread, and the rows whose settings were likely misread. For a frequency between tuned rows it
// suggests the settings as a new row, marked as a prediction. The table is kept in the band table
// file, read when the page first opens and written at every change and when the page is left;
// every change can be undone (Ctrl+Z) and redone (Ctrl+Shift+Z, Ctrl+Y). While another program
// started in the same folder has the table open, the page only shows it. While the table cannot
// be kept in its file, a note on the page says so, and leaving the page offers to save it elsewhere.
// What it reads and writes, and the words of its failures, are vorelin-calc's (band_workflow.h).
// Each row's loss uses the chosen tuner profile's Q and the System page's power and line (kept in
// the settings file); with a line the loads may be shown at the antenna's feedpoint instead, in
// the grid, on the chart and the plot, and in the exported files.
class BandPage final : public PageWindow {
public:
    BandPage(const Entries& entries, TunerProfileBook& profiles, UserDialogs& dialogs,
             Navigation& navigation);
    ~BandPage() override;

    // A new row from the entries, after the current row (at the end when there is none).
    void onAddRow();
    void onDeleteRows();
    void onSortByFrequency();
    // Rows from the clipboard's text, after the current row.
    void onPaste();
    // The selected rows (or the current one) to the clipboard as tab-separated text with a header
    // line, which a spreadsheet and onPaste take back unchanged.
    void onCopyRows();
    void PasteRows(const QString& text);
    void onOpenTable();
    void onSaveTable();
    void onSaveTouchstone();
    void onSaveResultsCsv();
    void onSavePicture();
    // Measured sweeps beside the rows: opens Touchstone files, or removes those shown.
    void onMeasured();
    const BandMeasuredSweeps& Measured() const { return m_measured; }
    // An index of the accuracy box: 0 for none, then each of kAccuracyPercents.
    void onAccuracyChosen(int index);
    // The settings for the frequency typed beside the button, as a predicted row after the tuned
    // row below that frequency; or a message with the reason there are none.
    void onPredict();
    void onEntries();
    // A tuner profile chosen (a row of the chooser, 0 for none): its Q for the losses.
    void onProfileChosen(int row);
    // "At the tuner" (0) or "At the antenna" (1), which needs a line.
    void onPlaceChosen(int index);
    void onUndo();
    void onRedo();
    // When the table holds rows that are neither in its file nor saved elsewhere since their last
    // change, asks whether to save them with "Save table as…". At leaving the page and at the end.
    void OfferToSaveUnkeptTable();

    const BandTableModel& Model() const { return m_model; }
    std::optional<std::size_t> SelectedRow() const;
    void SelectRow(std::size_t row);
    const BandChartView& View() const { return m_pointer.View(); }
    // Where the last drawing marked each row with a load, in frequency order.
    const BandSceneModel& Scene() const { return m_scene; }
    const BandSceneDrawn& Drawn() const { return m_drawn; }
    // Whether tolerance areas are being computed.
    bool AreasPending() const { return m_areas.Pending(); }

protected:
    void Load() override;
    // Closing the window from its frame goes back to the entries page, as "Entries" does.
    void CloseFromFrame() override { onEntries(); }
    void resizeEvent(QResizeEvent* event) override;

private:
    void MakeControls();
    void PlaceControls();
    // Whether the rows may be changed, and the note on the table, as its file stands.
    void ShowFileState();
    bool Changeable() const { return m_keeper.Changeable(); }
    void onRowsChanged();
    void DrawScene();
    void StartAreas();
    // The settings file's power and line with the profile's Q, into the model at the place chosen;
    // "At the antenna" only with a line that can be used, else a tooltip says why not.
    void ApplySystem();
    std::optional<Feedline> FeedpointsThrough() const;
    std::size_t InsertionRow() const;
    bool RoomFor(std::size_t rows);
    void Tell(const std::string& message) { m_files.Tell(message); }

    const Entries& m_entries;
    TunerProfileBook& m_profiles;
    UserDialogs& m_dialogs;
    Navigation& m_navigation;

    BandTableModel m_model;
    BandTableHistory m_history{m_model};
    BandTableKeeper m_keeper{*this, m_model, m_history};
    BandAreaJob m_areas{*this, m_model};
    BandFileDialogs m_files;
    BandMeasuredSweeps m_measured;
    BandSceneModel m_scene;
    BandSceneDrawn m_drawn;
    BandChartPointer m_pointer{*this, m_scene, m_drawn};
    int m_accuracyPercent = 0;

    QLabel* m_titleLabel = nullptr;
    BandGrid* m_grid = nullptr;
    QComboBox* m_accuracyBox = nullptr;
    QLabel* m_areasLabel = nullptr;
    QLineEdit* m_predictBox = nullptr;
    QLabel* m_noteLabel = nullptr;
    QComboBox* m_profileChooser = nullptr;
    QComboBox* m_placeChooser = nullptr;
};

} // namespace vorelin
