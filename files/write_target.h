#pragma once

#include <optional>
#include <string>

namespace vorelin {

// Where the bytes written under a name go, once the name is one the program may write: only ever
// a regular file, so that a folder, a pipe or a device under the name stays as it is.
struct WriteTarget {
    std::string file;                 // the name, or for a link the file the link leads to
    std::optional<unsigned> keptMode; // the permissions of the file replaced; none for a new file
    std::string refusal;              // why nothing may be written there; empty when it may
};

// Checks `path` as a place to write a whole file. Refused: a name without a file name ("", "dir/",
// ".", ".."), a folder, pipe, socket or device (through links too), a link in a loop of links, a
// link to a file that does not exist (writing through it would create a file anywhere the link
// points). A link to a regular file is written through: the file it leads to is replaced and the
// link stays. The refusal finishes "... could not be written: ": "it is " and one of the kinds
// below ("it is not a regular file"), or the system's words.
WriteTarget CheckWriteTarget(const std::string& path);

// Whether the last part of `path` names a file rather than a folder: not empty, not ending in
// "/", not "." or "..".
bool HasFileName(const std::string& path);

// What a name is that no file is written under.
inline constexpr const char* kNotRegular = "not a regular file";
inline constexpr const char* kLinkLoops = "a link in a loop of links";
inline constexpr const char* kLinkDangles = "a link to a file that does not exist";
inline constexpr const char* kNoFileName = "a folder's name, not a file's";

// "it is not a regular file"
std::string ItIs(const char* kind);

} // namespace vorelin
