#pragma once

#include "core/band_table.h"

#include <string_view>

namespace vorelin {

// Rows copied from a spreadsheet: tab-separated (or comma or semicolon) lines ending with CR LF
// or LF, with or without a header line naming the columns. Without one, the cells stand in the
// table's own column order (frequency, topology, impedance, c1 ... l3, note), and a row may stop
// early. Read as ReadBandTable reads a file, lines counted from the first pasted line that holds
// text; nothing is read when any line is refused.
BandRead PastedRows(std::string_view text);

} // namespace vorelin
