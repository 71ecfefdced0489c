#pragma once

#include "core/touchstone_reader.h"

#include <string>

namespace vorelin {

// A measured sweep read from a Touchstone file, or the sentence that says why it was not read.
struct MeasuredFileRead {
    MeasuredSweep sweep; // no points unless read
    std::string error;   // empty when read: "The Touchstone file ant.s1p was not read. Line 7: ..."

    bool Ok() const { return error.empty(); }
};

// Reads the sweep of a Touchstone file with ReadTouchstone; the name gives a version 1 file's port
// count (".s1p", ".s2p"). Only a regular file of at most kLargestTouchstoneBytes is read: a larger
// one is refused before any byte is read, and a folder or a pipe is not opened. The error names
// the file as given and the reason: "... There is no such file.", "... It cannot be read:
// Permission denied.", "... The file is larger than 64 MB.", "... Line 7: a second option line."
MeasuredFileRead ReadMeasuredFile(const std::string& path);

} // namespace vorelin
