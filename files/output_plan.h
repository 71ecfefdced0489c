#pragma once

#include "files/file_io.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// Several files that belong together (a load's Touchstone file and its page picture) written as
// one: every one of them or none. Each is made whole in a temporary file beside its target; the
// targets are replaced only once all of them are on disk.
class OutputPlan {
public:
    // `kind` names the file in a failure's message: "The <kind> <path> could not be written:
    // <reason>." ("CSV file"); without one the message is left to the caller.
    void Add(std::string path, std::string bytes, std::string kind = {});
    bool Empty() const { return m_outputs.empty(); }

    // First checks every target (CheckWriteTarget; two outputs that are one file are refused),
    // then writes and flushes each temporary file, then renames each over its target. On a
    // failure before the renames nothing is replaced and no temporary file stays; the result
    // names the output at fault with the system's reason ("No space left on device"). Nothing
    // to write is Skipped.
    WriteResult Commit() const;

private:
    struct Output {
        std::string path, bytes, kind;
    };
    std::vector<Output> m_outputs;
};

// "The CSV file out.csv could not be written: Permission denied."
std::string NotWrittenMessage(std::string_view kind, const std::string& path, const std::string& reason);

} // namespace vorelin
