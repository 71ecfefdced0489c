#pragma once

#include <string>

namespace vorelin {

// What one file is, whatever name leads to it: an existing file (links followed) by its device and
// inode, so that a link, a hard link or a path through a linked folder are one file; a file not yet
// there by the canonical path of its folder and its own name.
struct FileIdentity {
    bool exists = false;
    unsigned long long device = 0, inode = 0; // of an existing file
    std::string path;                         // of a file not yet there: "/real/folder/name"

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

FileIdentity IdentityOf(const std::string& path);

// Whether two names lead to one file: "results.csv" that links to "band.csv", "d/x.s1p" and
// "dl/x.s1p" where dl links to d.
bool SameFile(const std::string& a, const std::string& b);

} // namespace vorelin
