#pragma once

#include "core/entries.h"
#include "core/networks.h"
#include "files/file_io.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// The network file hands the measured situation to Plotwin, a separate Smith-chart program:
// frequency, system impedance, the load, and the tuner's parts as five stages, load side first.

// Plotwin's element codes.
enum class ElementCode : int {
    None = 0,
    SeriesCapacitor = 1,
    ShuntCapacitor = 2,
    SeriesInductor = 3,
    ShuntInductor = 4,
};

struct Stage {
    ElementCode code = ElementCode::None;
    float value = 0; // farads or henries
};

inline constexpr int kStageCount = 5;

// The five stages of the current topology: its parts from the load side to the transmitter, then
// empty stages. Topology 6: series C3, shunt L2, series C1, none, none. Outside 1 to 8: none at all.
std::vector<Stage> NetworkStages(const Entries& entries);

// Everything before the extension: the part before the last period that follows the last "/" or
// "\": "D:\work\net1.txt" -> "D:\work\net1", "C:\my.files\net1" stays whole, "net1." -> "net1".
std::string BaseName(std::string_view fileName);

// The header form of a number: sign place, no zero before the period, a period as decimal
// separator whatever the locale, one trailing blank: -0.5f -> "-.5 ", 14.2e6f -> " 1.42E+07 ".
// 7 significant digits for a float, 15 for a double.
std::string NumberText(float value);
std::string NumberText(double value);

// The file's lines, CR LF each: 49 for topologies 1 to 8, 14 for any other topology (no stage
// blocks). `dateTimeText` (UTF-8) is line 2; any line break or other blank in it becomes a plain
// blank and characters beyond Latin-1 become "?", so that the file stays single-byte text of its
// fixed line count.
std::string NetworkFileText(const Entries& entries, const Load& load, std::string_view dateTimeText);

// Writes the network file under BaseName(fileName) + ".PWF", replacing any file of that name.
// An empty name (a cancelled save dialog) writes nothing and is Skipped. On failure the old file
// stays as it was and the message names the file.
WriteResult WriteNetworkFile(const Entries& entries, const Load& load, const std::string& fileName,
                             std::string_view dateTimeText);

} // namespace vorelin
