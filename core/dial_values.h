#pragma once

#include "core/band_table.h"
#include "core/entries.h"

#include <string>

namespace vorelin {

// Part values as a tuner's dials are set to them: four significant digits, in the band grid's
// own engineering style (the multiplier letter that keeps the number from 1 to below 1000):
// 92.97034e-12 -> "92.97p", 3.014926e-6 -> "3.015u", 1.2345e-9 -> "1.234n" (the float lies
// just below 1.2345), 100e-12 -> "100p", 999.98e-12 -> "1n", 0 -> "0".
std::string DialValueText(float value);

// A row for entries whose part values came from a design: as BandRowFromEntries writes it, but
// with each part as DialValueText writes it (and read back from that text).
BandRow BandRowForDials(const Entries& entries);

} // namespace vorelin
