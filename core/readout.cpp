#include "core/readout.h"

#include "core/engineering_value.h"
#include "core/number_text.h"

#include <cmath>
#include <numbers>

namespace vorelin {

std::string ReactanceLabel(const Load& load, float frequency) {
    const float x = load.LoadX;
    std::string text = x >= 0 ? "+j" + PlainText(x) : "-j" + PlainText(std::fabs(x));
    if (x != 0) return text + "  ( " + EquivalentPartText(load, frequency) + " )";
    return text + " ";
}

std::string ResistanceLabel(const Load& load) { return PlainText(load.LoadR); }

std::string LoadLine(const Load& load) {
    const float x = load.LoadX;
    const std::string reactance =
        x >= 0 ? "+j" + Trimmed(SignedText(x)) : "-j" + Trimmed(SignedText(std::fabs(x)));
    return SignedText(load.LoadR) + " " + reactance;
}

std::string EquivalentPartText(const Load& load, float frequency) {
    constexpr double pi = std::numbers::pi;
    const double omega = (pi + pi) * static_cast<double>(frequency);
    const auto x = static_cast<double>(load.LoadX);
    if (x == 0 || omega == 0) return " ";
    if (x < 0) return FormatCapacitance(static_cast<float>(std::fabs(1.0 / (omega * x))));
    return FormatInductance(static_cast<float>(x / omega));
}

std::string PartValueText(float value, PartKind kind) {
    return kind == PartKind::Capacitor ? FormatCapacitance(value) : FormatInductance(value);
}

std::string PartLabel(const Entries& entries, const PartSlot& part) {
    return std::string(part.name) + ": " + PartValueText(entries.*part.value, part.kind);
}

} // namespace vorelin
