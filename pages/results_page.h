#pragma once

#include "core/entries.h"
#include "core/load_analysis.h"
#include "core/networks.h"
#include "core/settings.h"
#include "files/file_io.h"
#include "graphics/chart_view.h"
#include "graphics/load_marks.h"
#include "graphics/results_scene.h"
#include "pages/page_window.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vorelin {

class Navigation;
class UpDown;
class UserDialogs;

// The results page: the network as a schematic with its part values, the load as a readout and
// as a mark on a Smith chart, the chart's view controls, the tolerance region for a chosen
// accuracy, and the ways out (entries, printer, network file, exit). Everything but the
// controls is one drawing (graphics/results_scene) of one analysis of the load, redrawn whole at
// every change; the analysis is made again only when the entries or the accuracy change.
class ResultsPage final : public PageWindow {
public:
    ResultsPage(const Entries& entries, Settings& settings, UserDialogs& dialogs, Navigation& navigation);

    // The readout step's work beside the drawing: the defaults file is read again (unless a write
    // of it failed: the ratio in memory is then the newer one) and the aspect-ratio boxes show
    // the ratio.
    void ShowResults();
    // ShowResults, then the whole page drawn afresh as `drawing` says; with `viewOnly` only the
    // view of the chart changed, so the window paints only the chart's area again.
    void DrawChart(ResultsDrawing drawing, bool viewOnly = false);
    // The tolerance region for the current accuracy, the nominal load, the chart over them and
    // the final mark.
    void DrawToleranceRegion() { DrawChart(ResultsDrawing::RegionChosen); }

    // The view controls.
    void onPan(PanDirection direction);
    void onLarger();
    void onSmaller();
    void onReset();
    void onAspectTyped();
    void onAspectTypingFinished();
    void onAspectStepped();
    // The accuracy buttons: "Accuracy" shows the five percentages; each draws its region.
    void onShowAccuracies();
    void onAccuracy(int percent);
    void onEntries();
    void onPrint();
    void onSendToPlotwin();
    void onSaveAs();
    void onCopy();
    // Where the report's system lines come from (the System page's settings); none without.
    void SetSystemLines(std::function<std::vector<std::string>()> systemLines) {
        m_systemLines = std::move(systemLines);
    }
    // The design page, with the load this page shows.
    void onDesign();
    void onExit();

    const ChartView& View() const { return m_view; }
    // The labels of the last drawing (drawn on the page, not widgets).
    std::vector<PageLabel> Labels() const {
        return m_scratch.layout ? m_scratch.layout->labels : std::vector<PageLabel>();
    }

protected:
    void Load() override;
    // Closing the window from its frame ends the program like Exit, so the entries are kept.
    void CloseFromFrame() override { onExit(); }

private:
    void MakeControls();
    void PlaceControls();
    void ViewChanged();
    void WriteDefaultsReporting();
    // The program's own texts in the aspect-ratio boxes: they run no change handler.
    void ShowAspectText(const QString& text);
    void ShowAspectTexts(float ratio);
    void ApplyAspectRatio(float ratio);
    // The analysis of the entries, made again when they changed (without a region then) or when
    // `withRegion` asks for the region at the current accuracy that it lacks.
    const LoadAnalysis& CurrentAnalysis(bool withRegion = false);
    // What the report tells: the region once an accuracy was chosen, else the load alone.
    LoadAnalysis ReportAnalysis();
    DisplayList PictureOfPage();

    const Entries& m_entries;
    Settings& m_settings;
    UserDialogs& m_dialogs;
    Navigation& m_navigation;

    ChartView m_view;
    int m_accuracyPercent = 0;   // the accuracy last chosen; 0 before any
    DotStyle m_mark = kLoadMark; // how the load mark is drawn: blue at first, dark red after a region
    bool m_hintShown = false;
    WriteFailureLatch m_defaultsFailures;
    bool m_defaultsWriteFailed = false;
    bool m_showingAspectText = false;
    ResultsScratch m_scratch;
    LoadAnalysis m_analysis; // what the page shows
    ResultsView m_shown;

    QLabel* m_aspectLabel = nullptr;
    QLineEdit* m_aspectBox = nullptr;
    QLineEdit* m_aspectPercentBox = nullptr;
    UpDown* m_aspectSpinner = nullptr;
    std::array<QPushButton*, 5> m_accuracyButtons{};
    std::function<std::vector<std::string>()> m_systemLines;
};

} // namespace vorelin
