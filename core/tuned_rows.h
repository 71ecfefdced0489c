#pragma once

#include "core/band_table.h"

#include <complex>
#include <cstddef>
#include <vector>

namespace vorelin {

// A row of a band table that tells about its frequency: no problem, a computable load, no
// prediction. Its place in the table, its entries and its reflection coefficient against its Z0.
struct TunedRow {
    std::size_t index = 0;
    const Entries* entries = nullptr;
    std::complex<double> gamma;

    double Frequency() const { return static_cast<double>(entries->Frequency); }
};

// The table's tuned rows by frequency (rows of one frequency in table order); with a topology
// from 1 to 8, only the rows of that network. A prediction is left out: it holds no reading, and
// would pull a trend toward itself.
std::vector<TunedRow> TunedRows(const BandTable& table, int topology = 0);

} // namespace vorelin
