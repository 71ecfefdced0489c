#pragma once

#include "files/kept_band_file.h"

#include <QTimer>

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace vorelin {

class BandTableHistory;
class BandTableModel;

// The band page's table in its own file (KeptBandFile): read when the page first opens, written
// at every change of the rows and when the page is left. While another program has the file, the
// page only shows the table and looks now and then whether that one has ended, to take it over.
class BandTableKeeper {
public:
    BandTableKeeper(QWidget& page, BandTableModel& model, BandTableHistory& history);

    // A message for the user, told once the page stands on the screen.
    std::function<void(const std::string&)> tell;
    // After the page may have come to change the rows or its note may have changed.
    std::function<void()> onStateChanged;

    // Reads the file into the model, the first time only.
    void Open();
    // Whether the page may change the rows: the file was opened and no other program has it.
    bool Changeable() const { return m_kept && !m_kept->ReadOnly(); }
    // After every change of the rows: keeps them (not those the file itself just gave).
    void RowsChanged();
    // Writes the rows again: on leaving the page, a write that failed may succeed now.
    void Keep();
    void SavedElsewhere() {
        if (m_kept) m_kept->SavedElsewhere();
    }
    // KeptBandFile's note and question for the rows the model holds; empty before Open.
    std::string Note() const;
    std::string SaveElsewhereQuestion() const;

private:
    void StartFrom(KeptBandFile::Start start);
    void TryToTakeOver();

    QWidget& m_page;
    BandTableModel& m_model;
    BandTableHistory& m_history;
    std::unique_ptr<KeptBandFile> m_kept;
    bool m_readingFile = false;
    QTimer m_takeOverTimer;
};

} // namespace vorelin
