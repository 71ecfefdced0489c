#include "files/last_session_file.h"

#include "core/decimal_number.h"
#include "core/engineering_value.h"
#include "core/number_text.h"
#include "files/text_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <variant>

namespace vorelin {

namespace {

// Hands out the file's lines one at a time; a line ends at CR LF, CR or LF.
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    std::optional<std::string_view> NextLine() {
        if (m_at >= m_bytes.size()) return std::nullopt;
        const std::size_t start = m_at;
        const std::size_t end = std::min(m_bytes.find_first_of("\r\n", start), m_bytes.size());
        m_at = end;
        if (end < m_bytes.size()) {
            m_at = end + 1;
            if (m_bytes[end] == '\r' && m_at < m_bytes.size() && m_bytes[m_at] == '\n') ++m_at;
        }
        return m_bytes.substr(start, end - start);
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

// The next line that is neither empty nor a comment, reduced to its value text.
std::optional<std::string_view> NextValueText(LineReader& lines) {
    while (const auto line = lines.NextLine()) {
        if (line->empty() || line->front() == '*') continue;
        const auto colon = line->find(':');
        std::string_view text = colon == std::string_view::npos ? *line : line->substr(colon + 1);
        while (!text.empty() && IsBlank(text.front()))
            text.remove_prefix(1);
        return text;
    }
    return std::nullopt;
}

// Each field takes a number its own way; false when the number does not fit it. A value is held
// within what the entries page accepts (-1e10 ... 1e10, the value parser's limits), so that the
// entries page shows the value that is used.
bool Store(const DecimalPrefix& number, float& field) {
    const auto value = ToStoredFloat(number);
    if (value) field = std::clamp(*value, -kLargestEntry, kLargestEntry);
    return value.has_value();
}

bool Store(const DecimalPrefix& number, std::int16_t& field) {
    if (number.overflow) return false;
    const double rounded = std::nearbyint(number.value); // the default rounding: halves to even
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return false;
    field = static_cast<std::int16_t>(rounded);
    return true;
}

void SetFallbacks(Entries& entries) {
    entries.SavedFrequency = kFallbackFrequency;
    entries.SavedImpedance = kFallbackImpedance;
    entries.SavedTopology = kFallbackTopology;
}

std::string IntegerPrintText(int value) { return PrintText(static_cast<double>(value)); }

} // namespace

LastSessionRead ReadLastSessionFrom(std::string_view bytes, Entries& entries) {
    using Field = std::variant<float*, std::int16_t*>;
    const Field fields[] = {&entries.SavedFrequency,
                            &entries.SavedImpedance,
                            &entries.SavedTopology,
                            &entries.C1,
                            &entries.C2,
                            &entries.C3,
                            &entries.L1,
                            &entries.L2,
                            &entries.L3};
    LineReader lines(bytes);
    for (const Field& field : fields) {
        const auto text = NextValueText(lines);
        if (!text) return LastSessionRead::Short;
        const DecimalPrefix number = ScanDecimalPrefix(*text);
        if (!std::visit([&number](auto* target) { return Store(number, *target); }, field)) {
            SetFallbacks(entries);
            return LastSessionRead::Failed;
        }
    }
    return LastSessionRead::Complete;
}

LastSessionRead ReadLastSession(Entries& entries) {
    const auto bytes = ReadSmallFile(std::string(kLastSessionFileName));
    if (!bytes) {
        SetFallbacks(entries);
        return LastSessionRead::Failed;
    }
    return ReadLastSessionFrom(*bytes, entries);
}

std::string LastSessionFileText(const Entries& entries) {
    TextLines lines;
    lines.Add("* Vorelin last-session file");
    lines.Add("");
    lines.Add("Operating frequency: " + PrintText(entries.Frequency));
    lines.Add("System impedance: " + PrintText(entries.Impedance));
    lines.Add("Network topology: " + IntegerPrintText(entries.Topology));
    lines.Add("");
    lines.Add("C1: " + PrintText(entries.C1));
    lines.Add("C2: " + PrintText(entries.C2));
    lines.Add("C3: " + PrintText(entries.C3));
    lines.Add("L1: " + PrintText(entries.L1));
    lines.Add("L2: " + PrintText(entries.L2));
    lines.Add("L3: " + PrintText(entries.L3));
    lines.Add("");
    return std::move(lines).Text();
}

WriteResult WriteLastSession(const Entries& entries) {
    WriteResult result = WriteFileAtomically(std::string(kLastSessionFileName), LastSessionFileText(entries));
    if (result.Failed())
        result.message = std::string(kLastSessionNotWritten) + " " + ReasonSentence(result.reason);
    return result;
}

} // namespace vorelin
