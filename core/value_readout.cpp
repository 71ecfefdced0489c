#include "core/value_readout.h"

#include "core/engineering_value.h"
#include "core/number_text.h"

namespace vorelin {

namespace {

std::string ValueText(float value, ValueUnit unit) {
    if (value == 0) return "0";
    std::string formatted;
    const char* unitText = "";
    switch (unit) {
    case ValueUnit::Hertz:
        formatted = FormatHertz(value);
        unitText = " Hz";
        break;
    case ValueUnit::Ohms:
        formatted = FormatOhms(value);
        unitText = " \u03A9";
        break;
    case ValueUnit::Farads:
        formatted = FormatCapacitance(value);
        unitText = " F";
        break;
    case ValueUnit::Henries:
        formatted = FormatInductance(value);
        unitText = " H";
        break;
    }
    if (!formatted.empty()) return formatted;
    return DecimalText(static_cast<double>(value), {}) + unitText;
}

} // namespace

ValueReadout ReadoutOf(std::string_view text, ValueUnit unit) {
    ValueReadout readout;
    if (Trimmed(text).empty()) return readout;
    const PageReading reading = ReadAsEntriesPage(text);
    readout.text = "= " + ValueText(static_cast<float>(reading.value), unit);
    if (!reading.ignored.empty()) {
        readout.warning = "Not read:";
        for (std::size_t i = 0; i < reading.ignored.size(); ++i)
            readout.warning += (i > 0 ? ", \"" : " \"") + reading.ignored[i] + "\"";
        readout.warning += ".";
    }
    if (!reading.cut.empty()) {
        if (!readout.warning.empty()) readout.warning += "\n";
        readout.warning += "Only the first 12 characters are read; \"" + reading.cut + "\" was cut off.";
    }
    return readout;
}

} // namespace vorelin
