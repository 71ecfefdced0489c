#include "files/settings_file.h"

#include "core/decimal_number.h"
#include "files/kept_file.h"

#include <algorithm>
#include <vector>

namespace vorelin {

namespace {

constexpr std::string_view kFirstLine = "* Vorelin settings: one \"name: value\" a line";

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The lines of a text without their ends.
std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        lines.push_back(text.substr(0, end));
        const bool crLf = text.substr(end).starts_with("\r\n");
        text.remove_prefix(std::min(end + (crLf ? 2u : 1u), text.size()));
    }
    return lines;
}

// The value of a line that names the setting; nothing for any other line.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view name) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view named = WithoutBlanks(line.substr(0, colon));
    if (!std::ranges::equal(named, name, [](char a, char b) { return Lower(a) == Lower(b); }))
        return std::nullopt;
    return WithoutBlanks(line.substr(colon + 1));
}

} // namespace

std::optional<std::string> SettingIn(std::string_view text, std::string_view name) {
    for (const std::string_view line : LinesOf(text)) {
        if (const auto value = ValueOf(line, name)) return std::string(*value);
    }
    return std::nullopt;
}

std::string WithSetting(std::string_view text, std::string_view name, std::string_view value) {
    const std::string setting = std::string(name) + ": " + std::string(value) + "\r\n";
    std::string changed = text.empty() ? std::string(kFirstLine) + "\r\n" : std::string();
    bool set = false;
    for (const std::string_view line : LinesOf(text)) {
        if (!ValueOf(line, name)) {
            changed += std::string(line) + "\r\n";
        } else if (!set) {
            changed += setting;
            set = true;
        }
    }
    return set ? changed : changed + setting;
}

std::optional<std::string> ReadSetting(std::string_view name) {
    const ContentRead<std::string> file =
        ReadOwnFile(std::string(kSettingsFileName), kLargestReadableFile, "");
    if (!file.Ok()) return std::nullopt;
    return SettingIn(file.content, name);
}

KeptSystemForm ReadKeptSystemForm() {
    KeptSystemForm kept;
    const ContentRead<std::string> file =
        ReadOwnFile(std::string(kSettingsFileName), kLargestReadableFile, "");
    if (!file.Ok()) return kept;
    for (const auto& [name, field] : kSystemFormSettings) {
        auto value = SettingIn(file.content, name);
        if (!value) continue;
        kept.form.*field = std::move(*value);
        kept.powerKept |= field == &SystemForm::power;
    }
    return kept;
}

WriteResult KeepSetting(std::string_view name, std::string_view value) {
    const std::pair<std::string_view, std::string_view> setting{name, value};
    return KeepSettings({&setting, 1});
}

WriteResult KeepSettings(std::span<const std::pair<std::string_view, std::string_view>> settings) {
    const auto failed = [](std::string reason) {
        WriteResult result;
        result.status = WriteResult::Status::Failed;
        result.fileName = kSettingsFileName;
        result.message = std::string(kSettingsNotWritten) + " " + ReasonSentence(reason);
        result.reason = std::move(reason);
        return result;
    };
    for (const auto& [name, value] : settings)
        if (value.find_first_of("\r\n") != std::string_view::npos) return failed("the value is not one line");
    // Read with an empty lead-in, so that the error is the reason alone.
    const ContentRead<std::string> file =
        ReadOwnFile(std::string(kSettingsFileName), kLargestReadableFile, "");
    if (!file.Ok()) return failed(file.error.substr(1));
    std::string text = file.content;
    for (const auto& [name, value] : settings)
        text = WithSetting(text, name, value);
    WriteResult result = WriteFileAtomically(std::string(kSettingsFileName), text);
    if (result.Failed())
        result.message = std::string(kSettingsNotWritten) + " " + ReasonSentence(result.reason);
    return result;
}

} // namespace vorelin
