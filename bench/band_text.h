#pragma once

#include <string>

namespace vorelin::bench {

// Rows across 1.8 to 29.7 MHz (1,000 rows: 28 kHz apart), every topology in turn with the parts
// each uses, or with `threeParts` only the T and pi networks, whose sweeps are the longest.
inline std::string BandText(int rows, bool threeParts) {
    static const char* const kParts[] = {",,,1.1u,330p,,,",     ",150p,,,,2.2u,,",     ",,330p,,1.1u,,,",
                                         ",150p,,,,2.2u,,",     ",,330p,,1.1u,,2.7u,", ",150p,,300p,,2.2u,,",
                                         ",150p,,300p,,2.2u,,", ",,330p,,1.1u,,2.7u,"};
    std::string text = "frequency,topology,impedance,c1,c2,c3,l1,l2,l3,note\r\n";
    for (int i = 0; i < rows; ++i) {
        const int topology = threeParts ? 5 + i % 4 : i % 8 + 1;
        text += std::to_string(1800 + i * 28) + "k," + std::to_string(topology) + ",50" +
                kParts[topology - 1] + "row " + std::to_string(i) + "\r\n";
    }
    return text;
}

} // namespace vorelin::bench
