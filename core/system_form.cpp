#include "core/system_form.h"

#include "core/cables.h"

namespace vorelin {

namespace {

// The field's number; the refusal that names the field when it is the first.
std::optional<double> FieldValue(std::string_view field, std::string_view text, std::string& refusal) {
    const WholeValue read = ReadWholeValue(text);
    if (read.Read()) return read.value;
    if (refusal.empty()) refusal = std::string(field) + ": " + RefusalText(text, read) + ".";
    return std::nullopt;
}

bool Blank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

} // namespace

WholeValue ReadLineLength(std::string_view text) {
    std::string_view number = text;
    while (!number.empty() && (number.back() == ' ' || number.back() == '\t'))
        number.remove_suffix(1);
    double unit = 1;
    if (number.ends_with("ft")) {
        number.remove_suffix(2);
        unit = kMetresPerFoot;
    } else if (number.ends_with('m')) {
        number.remove_suffix(1);
    }
    WholeValue read = ReadWholeValue(number);
    read.value *= unit;
    return read;
}

SystemFormRead ReadSystemForm(const SystemForm& form, const LossSettings& base) {
    SystemFormRead read;
    read.settings.loss = base;
    std::string& refusal = read.refusal;
    // Every field is read, so that the page shows what it can; the first refusal is told.
    const auto value = [&refusal](std::string_view field, std::string_view text, double& into) {
        if (const auto number = FieldValue(field, text, refusal)) into = *number;
    };
    value("Power", form.power, read.settings.loss.powerW);
    if (!Blank(form.coilQ)) value("Coil Q", form.coilQ, read.settings.loss.coilQ);
    if (!Blank(form.capacitorQ)) value("Capacitor Q", form.capacitorQ, read.settings.loss.capacitorQ);
    if (form.line != SystemForm::kNoLineChoice) {
        Feedline line;
        if (const Cable* cable = CableNamed(form.line)) {
            line = FeedlineOf(*cable, 0);
        } else if (form.line == SystemForm::kOwnLineChoice) {
            value("Velocity factor", form.vf, line.velocityFactor);
            value("Line Z0", form.z0, line.zc);
            if (!Blank(form.k1)) value("k1", form.k1, line.k1);
            if (!Blank(form.k2)) value("k2", form.k2, line.k2);
        } else if (refusal.empty()) {
            refusal = "There is no cable named \"" + form.line + "\".";
        }
        const WholeValue length = ReadLineLength(form.length);
        if (refusal.empty() && !length.Read())
            refusal = "Line length: " + RefusalText(form.length, length) + ".";
        line.lengthM = length.value;
        read.settings.line = line;
    }
    if (refusal.empty()) refusal = std::string(SystemSettingsProblem(read.settings));
    return read;
}

} // namespace vorelin
