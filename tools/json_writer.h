#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorelin {

// A small writer for one JSON object, keys in the order they are added. Floats are written with
// 9 significant digits (%.9g), enough for a single-precision value to read back exactly; doubles
// in the shortest form that reads back as the same double (at least as precise as 9 digits). A
// value that is not finite, or absent, is null. The digits never depend on the process locale.
class JsonWriter {
public:
    void BeginObject(std::string_view key = {});
    void EndObject();
    void BeginArray(std::string_view key = {});
    void EndArray();
    void Integer(std::string_view key, long long value);
    void Float(std::string_view key, float value);
    void Double(std::string_view key, std::optional<double> value);
    void Null(std::string_view key);
    void String(std::string_view key, std::string_view value);
    const std::string& Text() const { return m_text; }

    static std::string Quoted(std::string_view text);
    static std::string FloatText(float value);
    static std::string DoubleText(double value);

private:
    void Key(std::string_view key);
    std::string m_text;
    bool m_needComma = false;
};

} // namespace vorelin
