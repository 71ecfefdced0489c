#include "files/numbered_backup.h"

#include "files/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vorelin {

namespace {

// Far more than anyone keeps; past it the series is full rather than searched for ever.
constexpr int kMostBackups = 9999;

// Renames without ever replacing `to`: false with errno EEXIST when it is taken.
bool RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
    // A file system without the no-replace rename: a hard link is never made over a name either.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    return false;
}

} // namespace

std::string BackupName(std::string_view stem, std::string_view extension, int number) {
    std::string name(stem);
    if (number > 1) name += "-" + std::to_string(number);
    return name + std::string(extension);
}

Backup MoveToBackup(const std::string& file, std::string_view stem, std::string_view extension) {
    for (int number = 1; number <= kMostBackups; ++number) {
        const std::string name = BackupName(stem, extension, number);
        if (RenameNoReplace(file, name)) return {name, {}};
        if (errno != EEXIST) return {{}, std::strerror(errno)};
    }
    return {{}, "there are " + std::to_string(kMostBackups) + " backups already"};
}

Backup WriteBackup(std::string_view bytes, std::string_view stem, std::string_view extension) {
    const std::string stemText(stem);
    const std::size_t slash = stemText.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : stemText.substr(0, slash + 1);
    const std::string temporary = folder + ".vorelin-backup-" + std::to_string(::getpid()) + ".tmp";
    const WriteResult written = WriteFileAtomically(temporary, bytes);
    if (written.Failed()) return {{}, written.reason};
    Backup backup = MoveToBackup(temporary, stem, extension);
    if (!backup.Made()) ::unlink(temporary.c_str());
    return backup;
}

} // namespace vorelin
