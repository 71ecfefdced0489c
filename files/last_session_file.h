#pragma once

#include "core/entries.h"
#include "files/file_io.h"

#include <string>
#include <string_view>

namespace vorelin {

// The last-session file keeps the entries between runs: a 13-line labelled text in the working
// folder, meant to be readable by a person.
inline constexpr std::string_view kLastSessionFileName = "VORELIN.DAT";
inline constexpr std::string_view kLastSessionNotWritten =
    "The last-session file (VORELIN.DAT) was not written correctly.";

enum class LastSessionRead {
    Complete, // all nine values were read
    Short,    // the file ended first: the values not reached keep what they held
    Failed,   // no file, or a value that cannot be stored: the restore values are the fallbacks
};

// Reads "VORELIN.DAT" from the working folder: values 1 to 3 into SavedFrequency, SavedImpedance
// and SavedTopology, values 4 to 9 into C1, C2, C3, L1, L2, L3. Nothing is shown to the user.
LastSessionRead ReadLastSession(Entries& entries);

// The same from the file's bytes. Lines end with CR LF, CR or LF. Empty lines and lines starting
// with "*" are skipped; every other line gives the next value, by position (labels are never
// checked): the longest decimal number after the first colon (the whole line without one),
// leading blanks skipped, 0 when there is none. The topology is rounded to the nearest whole
// number, halves to even. A value beyond the range of its field (a topology outside -32768 to
// 32767, a number beyond the float range such as 1e39) fails the read: SavedFrequency,
// SavedImpedance and SavedTopology become the fallback entries (4 MHz, 50 ohms, topology 1), and
// part values read before it stay.
LastSessionRead ReadLastSessionFrom(std::string_view bytes, Entries& entries);

// The 13 lines of the file, CR LF each: "* Vorelin last-session file", "", "Operating frequency: "
// and Frequency in print form, ..., "L3: " and L3 in print form, "". All six parts are written
// whatever the topology.
std::string LastSessionFileText(const Entries& entries);

// Replaces "VORELIN.DAT" with the current entries. On failure the old file stays as it was and the
// result's message is kLastSessionNotWritten with the system's reason ("… was not written
// correctly. It is not a regular file."); the caller beeps and shows it.
WriteResult WriteLastSession(const Entries& entries);

} // namespace vorelin
