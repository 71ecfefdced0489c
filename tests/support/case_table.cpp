#include "tests/support/case_table.h"

#include "tests/support/golden.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <sstream>

namespace vorelin::test {

namespace {

// The quoted field that starts at text[at] (the opening quote); `at` ends past the closing quote.
std::string Unquoted(std::string_view text, std::size_t& at) {
    std::string field;
    for (++at; at < text.size() && text[at] != '"'; ++at) {
        if (text[at] != '\\' || at + 1 == text.size()) {
            field += text[at];
            continue;
        }
        const char c = text[++at];
        if (c == 'x') {
            field += static_cast<char>(std::stoi(std::string(text.substr(at + 1, 2)), nullptr, 16));
            at += 2;
        } else if (c == '{') {
            const auto close = text.find('}', at);
            field.append(std::stoul(std::string(text.substr(at + 1, close - at - 1))), text[close + 1]);
            at = close + 1;
        } else {
            field += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c == '0' ? '\0' : c;
        }
    }
    ++at;
    return field;
}

} // namespace

std::vector<Case> ReadCases(std::string_view relativePath) {
    std::vector<Case> cases;
    std::istringstream lines(ReadTestFile(relativePath));
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        Case c{++number, {}};
        for (std::size_t at = 0; (at = line.find_first_not_of(" \t", at)) != std::string::npos;) {
            if (line[at] == '#') break;
            if (line[at] == '"') {
                c.fields.push_back(Unquoted(line, at));
            } else {
                const auto end = std::min(line.find_first_of(" \t", at), line.size());
                c.fields.push_back(line.substr(at, end - at));
                at = end;
            }
        }
        if (!c.fields.empty()) cases.push_back(std::move(c));
    }
    return cases;
}

void ExpectCases(std::string_view relativePath, const CaseFunctions& functions) {
    const std::string file = std::string(VORELIN_TESTS_DIR) + "/" + std::string(relativePath);
    const auto cases = ReadCases(relativePath);
    ASSERT_FALSE(cases.empty()) << "no cases in " << file;
    for (const Case& c : cases) {
        const auto function = functions.find(c.fields.front());
        if (function == functions.end() || c.fields.size() < 2) {
            ADD_FAILURE_AT(file.c_str(), c.line)
                << "no function " << c.fields.front() << " or no expected text";
            continue;
        }
        const std::string actual = function->second(Arguments(c.fields.begin() + 1, c.fields.end() - 1));
        if (actual != c.fields.back())
            ADD_FAILURE_AT(file.c_str(), c.line) << "  actual: " << testing::PrintToString(actual)
                                                 << "\nexpected: " << testing::PrintToString(c.fields.back());
    }
}

float FloatField(const std::string& field) {
    if (field.starts_with("0x"))
        return std::bit_cast<float>(static_cast<std::uint32_t>(std::stoul(field, nullptr, 16)));
    float value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value);
    return value;
}

double DoubleField(const std::string& field) {
    double value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value);
    return value;
}

int IntField(const std::string& field) { return std::stoi(field); }

std::string Exact(float value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Exact(double value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

} // namespace vorelin::test
