#pragma once

#include "core/band_table.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vorelin {

// Rows copied from a spreadsheet: tab-separated (or comma or semicolon) lines ending with CR LF
// or LF, with or without a header line naming the columns. Without one, the cells stand in the
// table's own column order (frequency, topology, impedance, c1 ... l3, note), and a row may stop
// early. Read as ReadBandTable reads a file, lines counted from the first pasted line that holds
// text; nothing is read when any line is refused.
BandRead PastedRows(std::string_view text);

// Rows to copy to a spreadsheet or back into a band table: tab-separated, the header line naming
// the columns first, lines ending with CR LF. A cell holding a tab, a quote or a line end is put
// in quotes (its quotes doubled) and a control byte becomes a blank, so that PastedRows (and a
// spreadsheet) takes every row back with its cells unchanged; a row without any text is left out,
// as a reader skips it.
std::string CopiedRows(const BandTable& table, std::span<const std::size_t> rows);

} // namespace vorelin
