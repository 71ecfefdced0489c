#pragma once

#include "core/design_choice.h"
#include "core/entries.h"
#include "pages/page_window.h"

#include <array>
#include <cstddef>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace vorelin {

class Navigation;
class TunerProfileBook;
class UserDialogs;

// The design page: the load (as the results page computed it from the entries, then as typed),
// Z0 and the frequency, and for each of the eight networks the part values that match that load,
// or why there are none. The T and pi networks are designed at a loaded Q (by default the
// solver's) or with one part held at a typed value. Everything is designed and drawn afresh at
// every keystroke. Each solution shows its loss in the tuner with the Qs of the tuner profile in
// use; the least-loss solution within the profile's ranges is the default (its column stands out,
// Enter uses it), solutions outside them are marked, and a held value that fails is told the values
// that would work. "Use these values" puts a solution into the entries and shows the results.
class DesignPage final : public PageWindow {
public:
    DesignPage(Entries& entries, TunerProfileBook& profiles, UserDialogs& dialogs, Navigation& navigation);

    // Every box read again, the eight networks designed and the page redrawn.
    void Redesign();
    // A part chosen to hold (or none): an empty value box starts from that part's value in the
    // network's first solution.
    void onHoldChosen(int topology);
    // The topology and part values of a solution into the entries; then the results page.
    void onUseValues(int topology, std::size_t solution);
    // Enter in a box: the default solution used, when there is one.
    void onUseDefault();
    void onResults();

    // What the boxes say, as the last design read them.
    const DesignTarget& Target() const { return m_target; }
    const std::vector<Design>& Designs() const { return m_rated.designs; }
    const RatedDesigns& Rated() const { return m_rated; }

protected:
    // The load of the entries (as the results page shows it), their Z0 and frequency.
    void Load() override;
    // Closing the window from its frame goes back to the results page, as the button does.
    void CloseFromFrame() override { onResults(); }

private:
    // The fields of a T or pi network.
    struct NetworkFields {
        QLineEdit* q = nullptr;
        QComboBox* hold = nullptr;
        QLineEdit* holdValue = nullptr;
    };

    void MakeControls();
    void PlaceControls();
    QLineEdit* MakeBox(std::string_view name);
    DesignOptions OptionsFor(int topology) const;
    void ShowSolutionControls();

    Entries& m_entries;
    TunerProfileBook& m_profiles;
    UserDialogs& m_dialogs;
    Navigation& m_navigation;
    DesignTarget m_target;
    RatedDesigns m_rated;
    bool m_filling = false; // the page's own texts going into the boxes: one design at the end

    QLineEdit* m_loadR = nullptr;
    QLineEdit* m_loadX = nullptr;
    QLineEdit* m_impedance = nullptr;
    QLineEdit* m_frequency = nullptr;
    std::array<NetworkFields, 4> m_fields{}; // topologies 5 to 8
    std::array<std::array<QPushButton*, 2>, 8> m_useButtons{};
};

} // namespace vorelin
