#pragma once

#include "core/profile_form.h"

#include <QDialog>

#include <array>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vorelin {

class TunerProfileBook;
class UserDialogs;

// The tuner profiles, edited: a list of the profiles beside the form of the one selected (its
// name, network, the least and largest value of each of the network's parts, the Qs and a note).
// "Save profile" reads the form whole, or tells the first field's reason in red and keeps
// nothing; a saved profile is in the profiles file at once. Changes not saved are offered for
// saving before another profile is shown or the dialog closes. While another program holds the
// file the profiles are shown only.
class ProfileDialog final : public QDialog {
public:
    ProfileDialog(TunerProfileBook& book, UserDialogs& dialogs, QWidget* parent);

    // Shows the profiles afresh, the one of that name selected (the first when none has it).
    void ShowProfiles(const std::string& selected);

    void onNew();
    // True when the profile is saved (or there was nothing to save).
    bool onSave();
    void onDelete();

protected:
    void done(int result) override;

private:
    void MakeControls();
    void onRowChosen(int row);
    void ShowForm(const ProfileForm& form);
    ProfileForm FormShown() const;
    void ShowPartRows();
    void ShowState();
    // Unsaved changes saved or dropped, as the user says; false when the form must stay.
    bool SettledChanges();

    TunerProfileBook& m_book;
    UserDialogs& m_dialogs;
    // The profile the form was filled from (`m_editing` empty: a new one) and its form.
    std::string m_editing;
    TunerProfile m_base;
    ProfileForm m_baseForm;
    bool m_switching = false; // the list's selection set by the dialog itself

    QListWidget* m_list = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_topology = nullptr;
    struct RangeRow {
        QLabel* label = nullptr;
        std::array<QLineEdit*, 2> ends{};
        QLabel* to = nullptr;
    };
    std::array<RangeRow, kEntryParts.size()> m_ranges{};
    QLineEdit* m_coilQ = nullptr;
    QLineEdit* m_capacitorQ = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QLabel* m_refusal = nullptr;
    QLabel* m_state = nullptr;
    QPushButton* m_newButton = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_saveButton = nullptr;
};

} // namespace vorelin
