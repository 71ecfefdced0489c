#pragma once

#include "core/band_table.h"
#include "files/kept_file.h"

#include <optional>
#include <string>

namespace vorelin {

// The band table's own file for one run of the program: it reads "VORELIN-BAND.CSV" once and then
// keeps the table the user builds in it, at every change, by the rules of KeptFile (a lock, an
// unreadable file set aside as a numbered backup, a name that is no regular file left alone).
// While the file cannot keep the table, it tells the page what to note and whether to offer the
// user a file of his own before the rows are lost.
class KeptBandFile {
public:
    KeptBandFile();

    // The table to start from, and what the user must be told about the file (empty: nothing).
    struct Start {
        BandTable table;
        std::string message;
    };
    // Takes the lock and reads the file.
    Start Open();

    // Whether another program holds the file: this one may not change the table.
    bool ReadOnly() const { return m_file.ReadOnly(); }
    // The process id of the program that holds the file, while this one is read-only.
    std::optional<long long> Holder() const { return m_file.Holder(); }
    // While read-only: takes the lock when the other program has ended, and then starts afresh as
    // Open does; nothing while that program goes on.
    std::optional<Start> TryToTakeOver();

    // Keeps the table in the file. The message for the user when a failure is news (the same
    // failure again is not told twice); otherwise empty.
    std::string Keep(const BandTable& table) { return m_file.Keep(table); }
    // Why the table in memory is not in the file, as a clause ("Operation not permitted", "it is
    // not a regular file"); empty when it is there (or this program may not change it).
    const std::string& NotKeptReason() const { return m_file.NotKeptReason(); }

    // The user changed the rows, or saved them elsewhere (Save table…).
    void Changed() { m_changedSinceSaved = true; }
    void SavedElsewhere() { m_changedSinceSaved = false; }

    // The page's note on the table: "Read only: another Vorelin (process 4711) has this table
    // open.", or "This table is not saved in VORELIN-BAND.CSV. Operation not permitted. Save table…
    // keeps it elsewhere." while there are rows to lose; else empty.
    std::string Note(bool hasRows) const;
    // The question before rows that are neither in the file nor saved elsewhere since their last
    // change are lost: "The band table is not saved in VORELIN-BAND.CSV (Operation not permitted).
    // Save it under another name?"; empty when nothing would be lost.
    std::string SaveElsewhereQuestion(bool hasRows) const;

private:
    Start Told(KeptFile<BandTable>::Start start);

    KeptFile<BandTable> m_file;
    bool m_changedSinceSaved = false;
};

// "Another Vorelin (process 4711) has the band table open…"
std::string HeldElsewhereMessage(std::optional<long long> holder);

} // namespace vorelin
