#include "files/defaults_file.h"

#include "core/number_text.h"
#include "files/decimal_number.h"
#include "files/text_lines.h"

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

void SetDefaults(Session& session) {
    session.AspectRatio = kDefaultAspectRatio;
    session.DefaultsValue2 = kDefaultValue2;
    session.DefaultsValue3 = kDefaultValue3;
}

} // namespace

DefaultsRead ReadDefaultsFrom(std::string_view bytes, Session& session) {
    FieldReader reader(bytes);
    std::array<float, 3> values{};
    for (float& value : values) {
        const auto number = reader.NextNumber();
        if (!number) {
            SetDefaults(session);
            return DefaultsRead::Defaults;
        }
        value = *number;
    }
    session.AspectRatio = values[0];
    session.DefaultsValue2 = values[1];
    session.DefaultsValue3 = values[2];
    return DefaultsRead::FromFile;
}

DefaultsRead ReadDefaults(Session& session) {
    const auto bytes = ReadSmallFile(std::string(kDefaultsFileName));
    if (!bytes) {
        SetDefaults(session);
        return DefaultsRead::Defaults;
    }
    return ReadDefaultsFrom(*bytes, session);
}

std::string DefaultsFileText(const Session& session) {
    TextLines lines;
    for (const float value : {session.AspectRatio, session.DefaultsValue2, session.DefaultsValue3})
        lines.Add(PlainText(value));
    return std::move(lines).Text();
}

WriteResult WriteDefaults(const Session& session) {
    WriteResult result = WriteFileAtomically(std::string(kDefaultsFileName), DefaultsFileText(session));
    if (result.Failed())
        result.message = "The defaults file (" + std::string(kDefaultsFileName) +
                         ") could not be written: " + result.reason +
                         ". The aspect ratio is kept until Vorelin ends.";
    return result;
}

} // namespace vorelin
