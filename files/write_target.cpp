#include "files/write_target.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace vorelin {

namespace {

WriteTarget Refused(const char* kind) { return {{}, std::nullopt, ItIs(kind)}; }

WriteTarget SystemRefusal() { return {{}, std::nullopt, std::strerror(errno)}; }

} // namespace

std::string ItIs(const char* kind) { return std::string("it is ") + kind; }

bool HasFileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return !name.empty() && name != "." && name != "..";
}

WriteTarget CheckWriteTarget(const std::string& path) {
    if (!HasFileName(path)) return Refused(kNoFileName);
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0) {
        // Nothing of that name: a new file (a missing folder is told when the file is made).
        if (errno == ENOENT) return {path, std::nullopt, {}};
        return SystemRefusal();
    }
    if (S_ISREG(own.st_mode)) return {path, own.st_mode & 0777u, {}};
    if (!S_ISLNK(own.st_mode)) return Refused(kNotRegular);
    struct stat led {};
    if (::stat(path.c_str(), &led) != 0) {
        if (errno == ELOOP) return Refused(kLinkLoops);
        if (errno == ENOENT) return Refused(kLinkDangles);
        return SystemRefusal();
    }
    if (!S_ISREG(led.st_mode)) return Refused(kNotRegular);
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return SystemRefusal();
    return {resolved, led.st_mode & 0777u, {}};
}

} // namespace vorelin
