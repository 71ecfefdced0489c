#pragma once

#include <clocale>
#include <stdexcept>

namespace vorelin::test {

// While this lives the process runs under a locale that writes a decimal comma, so that a number
// text that followed the locale would show. Needs de_DE.UTF-8 (Debian's locales-all).
class DecimalCommaLocale {
public:
    DecimalCommaLocale() {
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) throw std::runtime_error("de_DE.UTF-8 missing");
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, "C"); }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;
};

} // namespace vorelin::test
