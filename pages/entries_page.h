#pragma once

#include "core/entries.h"
#include "core/value_readout.h"
#include "pages/page_window.h"

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorelin {

class Navigation;
class ProfileDialog;
class TunerProfileBook;
class UserDialogs;

// The entries page: the network topology picked on its thumbnails, the test frequency, the
// system impedance and the part values of the chosen network. Every change of a box is parsed
// into the entries at once; "See results" checks them and moves on. Above them, in free space, the
// tuner profile in use is chosen (which picks its network) and "Profiles…" edits the profiles.
class EntriesPage final : public PageWindow {
public:
    EntriesPage(Entries& entries, TunerProfileBook& profiles, UserDialogs& dialogs, Navigation& navigation);

    // Shows the label and box of each part of the current topology, hides the others.
    void ShowPartFields();
    // Picks the thumbnail under a point of the page (in page units), and redraws the thumbnails
    // whether one was hit or not.
    void onPageClicked(double x, double y);
    // Picks a topology as a click on its thumbnail would (the keyboard's way).
    void PickTopology(int topology);

    // The profile of that row of the chooser (0: none) chosen and kept; a profile picks its network.
    void onProfileChosen(int row);
    // The profile dialog, opened over the page without blocking it; the chooser follows its changes.
    void onProfiles();
    ProfileDialog* ProfilesDialog() const { return m_profileDialog; }

    void onSeeResults();
    void onHelp();
    void onBand();
    void onExit();

protected:
    void Load() override;
    void PageMouseDown(double x, double y) override { onPageClicked(x, y); }
    // Closing the window from its frame is Exit: the entries are kept.
    void CloseFromFrame() override { onExit(); }

private:
    // A box, the entry its text is parsed into, and the readout beside it of the value as read.
    struct EntryBox {
        QLineEdit* box;
        float Entries::*field;
        QLabel* readout;
        ValueUnit unit;
    };
    // The label and box of one part (C1 ... L3).
    struct PartInput {
        QLabel* label;
        EntryBox entry;
    };

    void MakeControls();
    void PlaceControls();
    void MakeKeyboardShortcuts();
    EntryBox MakeEntryBox(std::string_view field, float Entries::*value, ValueUnit unit);
    // The change handler of every box: its whole text parsed into its field, and told beside it.
    void onBoxChanged(const EntryBox& entry);
    static void ShowReadout(const EntryBox& entry);
    // The frequency or impedance as the page opens: the value in memory when above 0, else the
    // saved one when above 0, else the built-in default with its literal text.
    void ShowStartingValue(const EntryBox& entry, float saved, float builtIn, std::string_view builtInText);
    // Assigns a box's text; the field then holds what the box shows, changed or not.
    void ShowText(const EntryBox& entry, const std::string& text);
    void DrawLibraryAfresh();
    // The chooser's rows: none, then every profile; the chosen one selected.
    void ShowProfileChoices();
    void StepTopology(int step);
    bool TextBoxHasFocus() const;
    QLineEdit* BoxOf(std::string_view field) const;

    Entries& m_entries;
    TunerProfileBook& m_profiles;
    UserDialogs& m_dialogs;
    Navigation& m_navigation;

    QLabel* m_titleLabel = nullptr;
    QLabel* m_chooseNetworkLabel = nullptr;
    QLabel* m_frequencyLabel = nullptr;
    QLabel* m_impedanceLabel = nullptr;
    QLabel* m_multipliersHint = nullptr;
    EntryBox m_frequency{};
    EntryBox m_impedance{};
    std::array<PartInput, 6> m_parts{}; // C1, C2, C3, L1, L2, L3
    QPushButton* m_seeResultsButton = nullptr;
    QPushButton* m_helpButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    QPushButton* m_bandButton = nullptr;
    QLabel* m_profileLabel = nullptr;
    QComboBox* m_profileChooser = nullptr;
    QPushButton* m_profilesButton = nullptr;
    ProfileDialog* m_profileDialog = nullptr;
};

} // namespace vorelin
