#include "files/defaults_file.h"

#include "core/number_text.h"
#include "core/decimal_number.h"
#include "files/text_lines.h"

#include <algorithm>
#include <array>
#include <optional>

namespace vorelin {

namespace {

constexpr bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Reads the file's fields one after another, as described at ReadDefaultsFrom.
class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : m_bytes(bytes) {}

    // The next field as a stored float; nothing at the end of the bytes or for a bad field.
    std::optional<float> NextNumber() {
        while (m_at < m_bytes.size() && (IsBlank(m_bytes[m_at]) || IsLineEnd(m_bytes[m_at])))
            ++m_at;
        const std::size_t start = m_at;
        while (m_at < m_bytes.size() && !IsFieldEnd(m_bytes[m_at]))
            ++m_at;
        const std::string_view field = m_bytes.substr(start, m_at - start);
        // The delimiter: blanks, then at most one comma.
        while (m_at < m_bytes.size() && IsBlank(m_bytes[m_at]))
            ++m_at;
        if (m_at < m_bytes.size() && m_bytes[m_at] == ',') ++m_at;

        const DecimalPrefix number = ScanDecimalPrefix(field);
        if (field.empty() || number.length != field.size()) return std::nullopt;
        return ToStoredFloat(number);
    }

private:
    static constexpr bool IsFieldEnd(char c) { return c == ',' || IsBlank(c) || IsLineEnd(c); }

    std::string_view m_bytes;
    std::size_t m_at = 0;
};

void SetDefaults(Settings& settings) {
    settings.AspectRatio = kDefaultAspectRatio;
    settings.DefaultsValue2 = kDefaultValue2;
    settings.DefaultsValue3 = kDefaultValue3;
}

} // namespace

DefaultsRead ReadDefaultsFrom(std::string_view bytes, Settings& settings) {
    FieldReader reader(bytes);
    std::array<float, 3> values{};
    for (float& value : values) {
        const auto number = reader.NextNumber();
        if (!number) {
            SetDefaults(settings);
            return DefaultsRead::Defaults;
        }
        value = *number;
    }
    // The page keeps the ratio within its limits; a ratio beyond them in the file (edited by hand,
    // or written by another program) is held there too, so what is drawn is what the boxes show.
    settings.AspectRatio = std::clamp(values[0], kSmallestAspectRatio, kLargestAspectRatio);
    settings.DefaultsValue2 = values[1];
    settings.DefaultsValue3 = values[2];
    return DefaultsRead::FromFile;
}

DefaultsRead ReadDefaults(Settings& settings) {
    const auto bytes = ReadSmallFile(std::string(kDefaultsFileName));
    if (!bytes) {
        SetDefaults(settings);
        return DefaultsRead::Defaults;
    }
    return ReadDefaultsFrom(*bytes, settings);
}

std::string DefaultsFileText(const Settings& settings) {
    TextLines lines;
    for (const float value : {settings.AspectRatio, settings.DefaultsValue2, settings.DefaultsValue3})
        lines.Add(PlainText(value));
    return std::move(lines).Text();
}

WriteResult WriteDefaults(const Settings& settings) {
    WriteResult result = WriteFileAtomically(std::string(kDefaultsFileName), DefaultsFileText(settings));
    if (result.Failed())
        result.message = "The defaults file (" + std::string(kDefaultsFileName) +
                         ") could not be written: " + result.reason +
                         ". The aspect ratio is kept until Vorelin ends.";
    return result;
}

} // namespace vorelin
