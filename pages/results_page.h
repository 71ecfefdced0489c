#pragma once

#include "core/networks.h"
#include "core/session.h"
#include "files/file_io.h"
#include "graphics/chart_view.h"
#include "graphics/load_marks.h"
#include "pages/page_window.h"

#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vorelin {

class Navigation;
class UpDown;
class UserDialogs;

// The results page: the network as a schematic with its part values, the load as a readout and
// as a mark on a Smith chart, the chart's view controls, the tolerance region for a chosen
// accuracy, and the ways out (entries, printer, network file, exit).
class ResultsPage final : public PageWindow {
public:
    ResultsPage(Session& session, UserDialogs& dialogs, Navigation& navigation);

    // The readout step: runs the network, draws the schematic, places the part labels, writes
    // the readout, re-reads the defaults file and refreshes the aspect-ratio boxes.
    void ShowResults();
    // ShowResults, then the chart grid. Clears nothing.
    void DrawChart();
    // The tolerance region for the current accuracy, the nominal load, the chart over them and
    // the final mark.
    void DrawToleranceRegion();

    // The view controls.
    void cmdLeft_Click();
    void cmdRight_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdLarger_Click();
    void cmdSmaller_Click();
    void cmdReset_Click();
    void txtAspect_Change();
    void UpDown1_Change();
    // The accuracy buttons: 1, 2, 5, 10 or 20 percent.
    void cmdAccuracy_Click();
    void AccuracyButton_Click(int percent);
    void cmdEntries_Click();
    void cmdPrint_Click();
    void cmdWriteNet_Click();
    void cmdExit_Click();

    const ChartView& View() const { return m_view; }
    // What the last network run of a readout gave.
    NetworkResult LastNetworkResult() const { return m_lastResult; }

protected:
    void Load() override;
    // Closing the window from its frame ends the program like Exit, so the entries are kept.
    void CloseFromFrame() override { cmdExit_Click(); }

private:
    void MakeControls();
    void ViewChanged();
    void WriteDefaultsReporting();
    void PlaceReadout(float schematicEndX);
    void SetAspectText(const QString& text);

    Session& m_session;
    UserDialogs& m_dialogs;
    Navigation& m_navigation;

    ChartView m_view;
    float m_readoutX = 0;
    NetworkResult m_lastResult = NetworkResult::NoNetwork;
    WriteFailureLatch m_defaultsFailures;
    std::vector<LoadPoint> m_regionLoads;      // the tolerance region's loads, kept between redraws
    std::vector<PagePoint> m_regionPagePoints; // and where they fall on the page

    QLabel* m_lblTitle = nullptr;
    QLabel* m_lblNormalized = nullptr;
    QLabel* m_lblNetwork = nullptr;
    QLabel* m_lblLoad = nullptr;
    std::array<QLabel*, 6> m_partLabels{}; // lblC1, lblC2, lblC3, lblL1, lblL2, lblL3
    QLabel* m_lblReactance = nullptr;
    QLabel* m_lblResistance = nullptr;
    QLabel* m_lblComment = nullptr;
    QLabel* m_lblAspect = nullptr;
    QLineEdit* m_txtAspect = nullptr;
    QLineEdit* m_txtAspectEntry = nullptr;
    UpDown* m_upDown1 = nullptr;
    QPushButton* m_cmdAccuracy = nullptr;
    std::array<QPushButton*, 5> m_accuracyButtons{}; // cmd1, cmd2, cmd5, cmd10, cmd20
};

} // namespace vorelin
