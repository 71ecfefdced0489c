#include "tools/json_writer.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace vorelin {

void JsonWriter::Key(std::string_view key) {
    if (m_needComma) m_text += ',';
    if (!key.empty()) m_text += Quoted(key) + ':';
    m_needComma = true;
}

void JsonWriter::BeginObject(std::string_view key) {
    Key(key);
    m_text += '{';
    m_needComma = false;
}

void JsonWriter::EndObject() {
    m_text += '}';
    m_needComma = true;
}

void JsonWriter::BeginArray(std::string_view key) {
    Key(key);
    m_text += '[';
    m_needComma = false;
}

void JsonWriter::EndArray() {
    m_text += ']';
    m_needComma = true;
}

void JsonWriter::Integer(std::string_view key, long long value) {
    Key(key);
    m_text += std::to_string(value);
}

void JsonWriter::Float(std::string_view key, float value) {
    Key(key);
    m_text += FloatText(value);
}

void JsonWriter::Double(std::string_view key, std::optional<double> value) {
    Key(key);
    m_text += value ? DoubleText(*value) : "null";
}

void JsonWriter::Null(std::string_view key) {
    Key(key);
    m_text += "null";
}

void JsonWriter::String(std::string_view key, std::string_view value) {
    Key(key);
    m_text += Quoted(value);
}

std::string JsonWriter::FloatText(float value) {
    if (!std::isfinite(value)) return "null";
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      static_cast<double>(value), std::chars_format::general, 9);
    return std::string(buffer.data(), result.ptr);
}

std::string JsonWriter::DoubleText(double value) {
    if (!std::isfinite(value)) return "null";
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string JsonWriter::Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                std::array<char, 8> escape{};
                std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(c));
                quoted += escape.data();
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

} // namespace vorelin
