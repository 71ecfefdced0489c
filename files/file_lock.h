#pragma once

#include <memory>
#include <optional>
#include <string>

class QLockFile;

namespace vorelin {

// A lock file that lets one program at a time change a file that every program started in the
// same folder shares. It lasts while this object does (or until the program ends: a lock whose
// program is gone is taken over), however long that is.
class FileLock {
public:
    explicit FileLock(const std::string& lockPath);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    enum class State {
        Held,          // this program holds the lock
        HeldElsewhere, // another running program holds it
        Impossible,    // no lock file can be made here (a folder that cannot be written)
    };
    // Takes the lock when it is free; holding it already is Held.
    State Take();
    // The process id of the program holding the lock, after Take gave HeldElsewhere.
    std::optional<long long> Holder() const;

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace vorelin
