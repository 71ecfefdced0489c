#include "files/file_identity.h"

#include <filesystem>
#include <sys/stat.h>

namespace vorelin {

FileIdentity IdentityOf(const std::string& path) {
    namespace fs = std::filesystem;
    FileIdentity identity;
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        identity.exists = true;
        identity.device = static_cast<unsigned long long>(status.st_dev);
        identity.inode = static_cast<unsigned long long>(status.st_ino);
        return identity;
    }
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(path), error).lexically_normal();
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), error);
    identity.path = ((error ? absolute.parent_path() : folder) / absolute.filename()).string();
    return identity;
}

bool SameFile(const std::string& a, const std::string& b) { return IdentityOf(a) == IdentityOf(b); }

} // namespace vorelin
