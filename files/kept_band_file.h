#pragma once

#include "core/band_table.h"
#include "files/kept_file.h"

#include <optional>
#include <string>

namespace vorelin {

// The band table's own file for one run of the program: it reads "VORELIN-BAND.CSV" once and then
// keeps the table the user builds in it, at every change, by the rules of KeptFile (a lock, an
// unreadable file set aside as a numbered backup, a name that is no regular file left alone).
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

private:
    Start Told(KeptFile<BandTable>::Start start) const;

    KeptFile<BandTable> m_file;
};

// "Another Vorelin (process 4711) has the band table open…"
std::string HeldElsewhereMessage(std::optional<long long> holder);

} // namespace vorelin
