#pragma once

#include "core/band_table.h"
#include "files/file_io.h"
#include "files/file_lock.h"

#include <optional>
#include <string>

namespace vorelin {

// The band table's own file for one run of the program: it reads "VORELIN-BAND.CSV" once and then
// keeps the table the user builds in it, at every change. One program at a time may change it (a
// lock file beside it); a second one started in the same folder only shows it until the first
// ends. A file that cannot be read is set aside as a numbered backup before anything replaces it;
// a name that is no regular file (a folder, a pipe, a device, a link in a loop or to nothing) is
// left as it is and not written for the rest of the run.
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
    bool ReadOnly() const { return m_readOnly; }
    // The process id of the program that holds the file, while this one is read-only.
    std::optional<long long> Holder() const { return m_holder; }
    // While read-only: takes the lock when the other program has ended, and then starts afresh as
    // Open does; nothing while that program goes on.
    std::optional<Start> TryToTakeOver();

    // Keeps the table in the file. The message for the user when a failure is news (the same
    // failure again is not told twice); otherwise empty.
    std::string Keep(const BandTable& table);
    // Why the table in memory is not in the file, as a clause ("Operation not permitted", "it is
    // not a regular file"); empty when it is there (or this program may not change it).
    const std::string& NotKeptReason() const { return m_notKept; }

private:
    Start ReadAsOwner();

    FileLock m_lock;
    bool m_readOnly = false;
    std::optional<long long> m_holder;
    bool m_writable = true; // false: the name holds no regular file, or one that could not be set aside
    std::string m_notKept;
    WriteFailureLatch m_failures;
};

// "Another Vorelin (process 4711) has the band table open…"
std::string HeldElsewhereMessage(std::optional<long long> holder);

} // namespace vorelin
