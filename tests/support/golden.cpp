#include "tests/support/golden.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace vorelin::test {

namespace {

std::string PathOf(std::string_view relativePath) {
    return std::string(VORELIN_TESTS_DIR) + "/" + std::string(relativePath);
}

std::string LineAt(std::string_view text, std::size_t number) {
    std::size_t start = 0;
    for (std::size_t line = 1; line < number && start != std::string_view::npos; ++line) {
        start = text.find('\n', start);
        if (start != std::string_view::npos) ++start;
    }
    if (start == std::string_view::npos || start > text.size()) return "(end of text)";
    return std::string(text.substr(start, text.find('\n', start) - start));
}

} // namespace

std::string ReadTestFile(std::string_view relativePath) {
    std::ifstream file(PathOf(relativePath), std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string GoldenMismatch(std::string_view relativePath, std::string_view actual) {
    const std::string expected = ReadTestFile(relativePath);
    if (std::getenv("VORELIN_UPDATE_GOLDEN") != nullptr) {
        std::ofstream file(PathOf(relativePath), std::ios::binary);
        file << actual;
        file.flush();
        return "VORELIN_UPDATE_GOLDEN is set: tests/" + std::string(relativePath) +
               (!file                ? " could not be written"
                : expected == actual ? " written, unchanged"
                                     : " written afresh") +
               "; nothing was checked (run scripts/update-goldens, then review with git diff)";
    }
    if (expected == actual) return {};
    std::size_t line = 1;
    for (std::size_t i = 0; i < expected.size() && i < actual.size() && expected[i] == actual[i]; ++i) {
        if (expected[i] == '\n') ++line;
    }
    return "differs from the golden file tests/" + std::string(relativePath) + " at line " +
           std::to_string(line) + ":\n  expected: " + LineAt(expected, line) +
           "\n  actual:   " + LineAt(actual, line) + "\n(scripts/update-goldens rewrites it)";
}

std::string Visible(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        text += c == '\n'                    ? "\n"
                : c == '\r'                  ? "\\r"
                : c == '\\'                  ? "\\\\"
                : byte < 0x20 || byte > 0x7E ? escaped
                                             : std::string(1, c);
    }
    return text;
}

std::string Fingerprint(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    std::size_t lines = 0;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        if (c == '\n') ++lines;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::to_string(lines) + " lines, fnv " + hex;
}

} // namespace vorelin::test
