#include "core/readout.h"

#include "core/engineering_value.h"
#include "core/number_text.h"

#include <cmath>

namespace vorelin {

std::string ReactanceLabel(const Session& session) {
    const float x = session.LoadX;
    std::string text = x >= 0 ? "+j" + PlainText(x) : "-j" + PlainText(std::fabs(x));
    if (x != 0) return text + "  ( " + EquivalentPartText(session) + " )";
    return text + " ";
}

std::string ResistanceLabel(const Session& session) { return PlainText(session.LoadR); }

std::string LoadLine(const Session& session) {
    const float x = session.LoadX;
    const std::string reactance =
        x >= 0 ? "+j" + Trimmed(SignedText(x)) : "-j" + Trimmed(SignedText(std::fabs(x)));
    return SignedText(session.LoadR) + " " + reactance;
}

std::string EquivalentPartText(const Session& session) {
    const double omega = (session.Pi + session.Pi) * static_cast<double>(session.Frequency);
    const auto x = static_cast<double>(session.LoadX);
    if (x == 0 || omega == 0) return " ";
    if (x < 0) return FormatCapacitance(static_cast<float>(std::fabs(1.0 / (omega * x))));
    return FormatInductance(static_cast<float>(x / omega));
}

std::string PartValueText(float value, PartKind kind) {
    return kind == PartKind::Capacitor ? FormatCapacitance(value) : FormatInductance(value);
}

std::string PartLabel(const Session& session, const PartSlot& part) {
    return std::string(part.name) + ": " + PartValueText(session.*part.value, part.kind);
}

} // namespace vorelin
