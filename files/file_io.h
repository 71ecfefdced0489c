#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorelin {

// What became of a file the program meant to write.
struct WriteResult {
    enum class Status {
        Written, // every byte is on disk under the file's name
        Skipped, // nothing was asked for (an export whose save dialog was cancelled)
        Failed,  // nothing changed on disk: a file that existed before keeps its old content
    };
    Status status = Status::Skipped;
    std::string fileName; // the file written or attempted, as named to the system
    std::string message;  // for Failed: the sentence for the user's message box
    std::string reason;   // for Failed: the system's own words ("Permission denied")

    bool Failed() const { return status == Status::Failed; }
};

// Writes `bytes` as the whole new content of `path` (UTF-8, relative to the working folder when it
// names no folder). The bytes go to a temporary file in the same folder, which replaces the old
// file only once everything was written and flushed; on any failure the temporary file is removed
// and the old file stays as it was. Only a regular file is ever replaced (see CheckWriteTarget:
// folders, pipes, devices and links in a loop or to nothing are refused). `message` is left for
// the caller to fill.
WriteResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// A write past the file size limit (ulimit -f) then fails with "File too large" instead of ending
// the program with SIGXFSZ. For the programs' main functions.
void IgnoreFileSizeSignal();

// A reason as a sentence of its own: "it is not a regular file" -> "It is not a regular file.",
// "Operation not permitted" -> "Operation not permitted.".
std::string ReasonSentence(std::string reason);

// No file of ours comes near this size: anything larger is not a defaults or last-session file.
inline constexpr std::size_t kLargestReadableFile = std::size_t{1} << 20;

// The content of a file read whole, or why it was not.
struct FileContent {
    enum class Status {
        Read,
        Missing,     // nothing of that name exists
        NotReadable, // not a regular file (a folder, a pipe that would block), or it cannot be read
        TooLarge,    // more bytes than the reader allows
    };
    Status status = Status::Missing;
    std::string bytes;  // for Read
    std::string reason; // for NotReadable: the system's own words ("Permission denied")
    // False for a name that is no regular file: a folder, a pipe, a device, a link in a loop or to
    // nothing. Such a name is never written over.
    bool regularFile = true;
};

// Reads a regular file of at most `largest` bytes whole.
FileContent ReadWholeFile(const std::string& path, std::size_t largest);

// Why a file was not read, as a sentence of its own: "There is no such file.", "It is not a
// regular file.", "It is a link in a loop of links.", "It cannot be read: Permission denied.",
// "It is larger than 16 MB." (`largest` in whole MB); empty for a file that was read.
std::string NotReadSentence(const FileContent& content, std::size_t largest);

// The whole content of a regular file of at most kLargestReadableFile bytes; nothing when the
// file is missing, is not a regular file (a folder, a pipe that would block), cannot be read or is
// larger.
std::optional<std::string> ReadSmallFile(const std::string& path);

// A control that writes at every step (the aspect-ratio spinner) should tell the user once that
// the folder cannot be written, not at every step: this answers whether a result is news.
class WriteFailureLatch {
public:
    // True for a failure after a success (or the first write), or a failure of another kind.
    bool ShouldReport(const WriteResult& result);

private:
    bool m_failing = false;
    std::string m_lastReason;
};

} // namespace vorelin
