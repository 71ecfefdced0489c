#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace vorelin {

// Builds the text of one of the program's files a line at a time: every line ends with CR LF.
class TextLines {
public:
    void Add(std::string_view line) {
        m_text += line;
        m_text += "\r\n";
    }
    std::string Text() && { return std::move(m_text); }

private:
    std::string m_text;
};

} // namespace vorelin
