#pragma once

#include "core/entries.h"
#include "core/system_form.h"
#include "graphics/system_scene.h"
#include "pages/page_window.h"

#include <array>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

namespace vorelin {

class Navigation;
class TunerProfileBook;
class UserDialogs;

// The System page: the load of the entries fed from the transmitter through the tuner and a
// feedline to the antenna, with the power at each stage, the losses between them, the antenna's
// own impedance and the stress on each part. The power, the Qs (empty: the tuner profile's) and
// the line are fields of the page; everything is computed and drawn afresh at every keystroke,
// and a field that cannot be read shows "—" with its reason. The power and the line are kept in
// the settings file when the page is left.
class SystemPage final : public PageWindow {
public:
    SystemPage(const Entries& entries, TunerProfileBook& profiles, UserDialogs& dialogs,
               Navigation& navigation);

    // Every field read again, the system computed and the page redrawn.
    void Recompute();
    // A line chosen: a cable shows its values in the line's boxes (read only), "No line" empties
    // the boxes' use, a line of its own values makes them editable.
    void onLineChosen();
    // Back to the results page; the power and the line kept first.
    void onResults();

    // The system's lines for the report when a line or a power is set (in the settings file or on
    // this page); none otherwise.
    std::vector<std::string> ReportLines();

    const SystemForm& Form() const { return m_form; }
    const SystemView& View() const { return m_view; }

protected:
    // The settings file read on the first showing; the Qs of the profile in use as the boxes' hints.
    void Load() override;
    void CloseFromFrame() override { onResults(); }

private:
    void MakeControls();
    void FillBoxes();
    SystemForm FormOfBoxes() const;
    void KeepForm();
    void ReadSettingsOnce();

    const Entries& m_entries;
    TunerProfileBook& m_profiles;
    UserDialogs& m_dialogs;
    Navigation& m_navigation;
    SystemForm m_form;
    SystemForm m_kept; // as the settings file holds it
    SystemView m_view;
    bool m_settingsRead = false;
    bool m_powerKept = false; // the settings file names a power
    bool m_filling = false;   // the page's own texts going into the boxes: one computation at the end

    QLineEdit* m_power = nullptr;
    QLineEdit* m_coilQ = nullptr;
    QLineEdit* m_capacitorQ = nullptr;
    QComboBox* m_line = nullptr;
    QLineEdit* m_length = nullptr;
    std::array<QLineEdit*, 4> m_lineValues{}; // VF, Z0, k1, k2
};

} // namespace vorelin
