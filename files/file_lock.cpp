#include "files/file_lock.h"

#include <QLockFile>
#include <QString>

namespace vorelin {

FileLock::FileLock(const std::string& lockPath)
    : m_lock(std::make_unique<QLockFile>(QString::fromStdString(lockPath))) {
    // The lock is held for the whole run: an age never makes it stale, only its program's end does.
    m_lock->setStaleLockTime(0);
}

FileLock::~FileLock() = default;

FileLock::State FileLock::Take() {
    if (m_lock->isLocked() || m_lock->tryLock(0)) return State::Held;
    return m_lock->error() == QLockFile::LockFailedError ? State::HeldElsewhere : State::Impossible;
}

std::optional<long long> FileLock::Holder() const {
    qint64 process = 0;
    QString host, application;
    if (!m_lock->getLockInfo(&process, &host, &application)) return std::nullopt;
    return static_cast<long long>(process);
}

} // namespace vorelin
