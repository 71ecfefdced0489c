#include "core/dial_values.h"

#include "core/decimal_number.h"
#include "core/number_text.h"
#include "core/topology.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vorelin {

namespace {

struct Multiplier {
    int exponent;
    const char* letter;
};
constexpr std::array<Multiplier, 8> kMultipliers{
    {{-12, "p"}, {-9, "n"}, {-6, "u"}, {-3, "m"}, {0, ""}, {3, "k"}, {6, "M"}, {9, "G"}}};

constexpr int kDialDigits = 4;

} // namespace

std::string DialValueText(float value) {
    const auto v = static_cast<double>(value);
    const TextForm form{kDialDigits, false, true, false};
    if (v == 0 || !std::isfinite(v)) return DecimalText(v, form);
    // The letter of the value's power of a thousand, or the next one where the value rounds up to
    // a thousand of it: 999.98p rounds to 1000p, which is 1n.
    const int power = static_cast<int>(std::floor(std::log10(std::fabs(v)) / 3));
    const auto first =
        static_cast<std::size_t>(std::clamp(power + 4, 0, static_cast<int>(kMultipliers.size()) - 1));
    std::string text;
    for (std::size_t i = first; i < kMultipliers.size(); ++i) {
        text = DecimalText(v / std::pow(10, kMultipliers[i].exponent), form) + kMultipliers[i].letter;
        if (std::fabs(ScanDecimalPrefix(text).value) < 1000) break;
    }
    return text;
}

BandRow BandRowForDials(const Entries& entries) {
    BandCells cells = BandRowFromEntries(entries).cells;
    for (const PartSlot& part : PartsOf(entries.Topology)) {
        if (const auto column = ColumnNamed(part.name))
            cells[static_cast<std::size_t>(*column)] = DialValueText(entries.*part.value);
    }
    return BandRowFromCells(std::move(cells));
}

} // namespace vorelin
