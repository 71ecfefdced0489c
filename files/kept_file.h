#pragma once

#include "files/file_io.h"
#include "files/file_lock.h"
#include "files/numbered_backup.h"
#include "files/write_target.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace vorelin {

// What reading one of the program's own files gives: its content, or the sentence that tells why
// there is none.
template <typename Content> struct ContentRead {
    Content content;         // empty when the file is missing or was not read
    std::string error;       // empty when read (a missing file is read as empty content)
    bool regularFile = true; // false: no regular file stands under the name, never write it
    bool Ok() const { return error.empty(); }
};

// The bytes of one of the program's own files, or the sentence that tells why not, starting with
// `notRead`: "<notRead> It cannot be read: Permission denied.", "… It is larger than 16 MB.",
// "… It is not a regular file." A missing file is empty bytes and no error.
ContentRead<std::string> ReadOwnFile(const std::string& path, std::size_t largest, std::string_view notRead);

// How one kind of file is kept: its lock file, and how it is read, set aside and written.
template <typename Content> struct KeptFormat {
    std::string_view lockName;
    ContentRead<Content> (*read)();
    Backup (*setAside)();
    // On failure the result's message is the sentence for the user.
    WriteResult (*write)(const Content&);
};

// A file of the user's that the program keeps for one run (the band table, the tuner profiles): it
// is read once and then rewritten whole at every change. One program at a time may change it (a
// lock file beside it); a second one started in the same folder only shows it until the first
// ends. A file that cannot be read is set aside as a numbered backup before anything replaces it;
// a name that is no regular file (a folder, a pipe, a device, a link in a loop or to nothing) is
// left as it is and not written for the rest of the run. The words the user reads are the
// caller's: this tells what happened.
template <typename Content> class KeptFile {
public:
    explicit KeptFile(const KeptFormat<Content>& format)
        : m_format(format), m_lock(std::string(format.lockName)) {}

    enum class Outcome {
        Read,          // the file's content (a missing file is empty)
        HeldElsewhere, // another program holds it: its content, shown but never written
        NotRegular,    // no regular file: left as it is, the run starts empty and writes nothing
        SetAside,      // unreadable: kept as the backup `backup`, the run starts empty
        NotSetAside,   // unreadable, and setting it aside failed (`reason`): nothing is written
    };
    struct Start {
        Content content;
        Outcome outcome = Outcome::Read;
        std::string error;  // the reader's sentence for a file that was not read
        std::string backup; // SetAside: the backup's name
        std::string reason; // NotSetAside: the system's words
    };

    // Takes the lock and reads the file.
    Start Open() {
        // Where no lock file can be made the file cannot be written either: that is told at the
        // first change.
        if (m_lock.Take() != FileLock::State::HeldElsewhere) return ReadAsOwner();
        m_readOnly = true;
        m_holder = m_lock.Holder();
        return {m_format.read().content, Outcome::HeldElsewhere, {}, {}, {}};
    }

    // Whether another program holds the file: this one may not change it.
    bool ReadOnly() const { return m_readOnly; }
    // The process id of the program that holds the file, while this one is read-only.
    std::optional<long long> Holder() const { return m_holder; }

    // While read-only: takes the lock when the other program has ended, and then starts afresh
    // as Open does; nothing while that program goes on.
    std::optional<Start> TryToTakeOver() {
        if (!m_readOnly || m_lock.Take() == FileLock::State::HeldElsewhere) return std::nullopt;
        m_readOnly = false;
        m_holder.reset();
        return ReadAsOwner();
    }

    // Keeps the content in the file. The message for the user when a failure is news (the same
    // failure again is not told twice); otherwise empty.
    std::string Keep(const Content& content) {
        if (m_readOnly || !m_writable) return {};
        const WriteResult result = m_format.write(content);
        m_notKept = result.Failed() ? result.reason : std::string();
        return m_failures.ShouldReport(result) ? result.message : std::string();
    }

    // Why the content in memory is not in the file, as a clause ("Operation not permitted", "it is
    // not a regular file"); empty when it is there (or this program may not change it).
    const std::string& NotKeptReason() const { return m_notKept; }

private:
    Start ReadAsOwner() {
        ContentRead<Content> read = m_format.read();
        if (read.Ok()) return {std::move(read.content), Outcome::Read, {}, {}, {}};
        if (!read.regularFile) {
            m_writable = false;
            m_notKept = ItIs(kNotRegular);
            return {{}, Outcome::NotRegular, std::move(read.error), {}, {}};
        }
        // What the user makes next must not replace a file that may hold his work.
        Backup backup = m_format.setAside();
        if (backup.Made()) return {{}, Outcome::SetAside, std::move(read.error), std::move(backup.name), {}};
        m_writable = false;
        m_notKept = "it could not be set aside (" + backup.reason + ")";
        return {{}, Outcome::NotSetAside, std::move(read.error), {}, std::move(backup.reason)};
    }

    KeptFormat<Content> m_format;
    FileLock m_lock;
    bool m_readOnly = false;
    std::optional<long long> m_holder;
    bool m_writable = true; // false: the name holds no regular file, or one that could not be set aside
    std::string m_notKept;
    WriteFailureLatch m_failures;
};

} // namespace vorelin
