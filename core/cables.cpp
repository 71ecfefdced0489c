#include "core/cables.h"

#include <algorithm>
#include <array>

namespace vorelin {

namespace {

// k1 and k2 are least-squares fits, in relative error, of k1 sqrt(f) + k2 f to the published
// attenuation figures named beside each line, converted from dB per 100 ft to dB per 100 m; a
// negative k2 is set to 0 and k1 fitted alone. scripts/cable_fit.py holds the figures
// and does the fit; the tests hold this table to it. Every fit is within 13 % of its figures.
constexpr std::array kCables{
    // Codan, Radio Repeater Systems Training Guide, App. H: 3.30, 6.10, 11.75, 17.75 dB/100 ft at
    // 50, 150, 450, 850 MHz.
    Cable{"RG-58C/U", 0.66, 50, 1.379, 0.02098, "50-ohm coax, 0.195 in, solid PE"},
    // Codan, as above: 1.50, 2.70, 4.97, 7.53 dB/100 ft at 50, 150, 450, 850 MHz.
    Cable{"RG-213/U", 0.66, 50, 0.6443, 0.006556, "50-ohm coax, 0.405 in, solid PE"},
    // Santa Clara County ARES/RACES cable table: 1.0, 2.0, 2.3, 4.7, 8.6 dB/100 ft at 10, 30, 50,
    // 150, 450 MHz; VF: Belden 9258 data sheet.
    Cable{"RG-8X", 0.82, 50, 1.019, 0.01565, "50-ohm coax, 0.242 in, foam PE"},
    // Same table: 0.5, 0.8, 1.0, 1.6, 1.9, 2.8 dB/100 ft at 10, 30, 50, 150, 220, 450 MHz;
    // VF: Belden 9913 data sheet.
    Cable{"Belden-9913", 0.84, 50, 0.4525, 0, "50-ohm coax, 0.405 in, semi-solid PE"},
    // Times Microwave LMR data sheets as tabulated there, at 10, 30, 50, 150, 220, 450 MHz:
    // LMR-240 0.8, 1.3, 1.7, 3.0, 3.7, 5.3; LMR-400 0.4, 0.7, 0.9, 1.5, 1.9, 2.7;
    // LMR-600 0.2, 0.4, 0.5, 1.0, 1.2, 1.7 dB/100 ft. VF: Times Microwave.
    Cable{"LMR-240", 0.84, 50, 0.7947, 0.001047, "50-ohm coax, 0.240 in, foam PE"},
    Cable{"LMR-400", 0.85, 50, 0.4151, 0, "50-ohm coax, 0.405 in, foam PE"},
    Cable{"LMR-600", 0.87, 50, 0.2111, 0.003151, "50-ohm coax, 0.590 in, foam PE"},
    // Window lines: Zc and VF measured by N7WS, as given by AC6LA (TowerTalk, Feb 2017) for the
    // Wireman 551 and 554. Their loss is the two wires' conductor loss, 8.686 R / Zc, from the
    // published 14.75 ohms per 100 ft of #18 copper at 30 MHz (G3TXQ, TowerTalk, Dec 2010), scaled
    // as 1 / diameter for #14; clean and dry (a wet line loses much more).
    Cable{"window-18awg", 0.902, 400, 0.1919, 0, "450-ohm window line, #18 wire"},
    Cable{"window-14awg", 0.93, 360, 0.134, 0, "450-ohm window line, #14 wire"},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

} // namespace

std::span<const Cable> Cables() { return kCables; }

const Cable* CableNamed(std::string_view name) {
    const auto* found = std::ranges::find_if(kCables, [name](const Cable& cable) {
        return std::ranges::equal(name, cable.name, [](char a, char b) { return Lower(a) == Lower(b); });
    });
    return found == kCables.end() ? nullptr : found;
}

Feedline FeedlineOf(const Cable& cable, double lengthM) {
    return {lengthM, cable.velocityFactor, cable.zc, cable.k1, cable.k2};
}

} // namespace vorelin
