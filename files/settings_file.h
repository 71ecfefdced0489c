#pragma once

#include "core/system_form.h"
#include "files/file_io.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace vorelin {

// The settings file keeps what the user chose for the antenna system between runs (the tuner
// profile in use, and more to come), one "name: value" line each, in the working folder beside the
// last-session file. The program changes only the lines of its own names: every other line (a
// later version's setting, a note) stays as it is.
inline constexpr std::string_view kSettingsFileName = "VORELIN-SETTINGS.TXT";
inline constexpr std::string_view kSettingsNotWritten =
    "The settings file (VORELIN-SETTINGS.TXT) was not written correctly.";

// The names of the settings.
inline constexpr std::string_view kTunerProfileSetting = "Tuner profile";

// The value of the first line that names the setting: the line's name is the text before its first
// colon, compared in any letter case with blanks around it aside; the value is the text after that
// colon without blanks around it. Lines end with CR LF, LF or CR. Nothing when no line names it.
// "Tuner profile: Shack T\r\n" -> "Shack T".
std::optional<std::string> SettingIn(std::string_view text, std::string_view name);

// The text with the setting's line set to "name: value": the first line of that name is replaced,
// later ones are dropped, or the line is added at the end. Every other line keeps its bytes; lines
// end with CR LF. An empty text starts with a comment line ("* ...").
std::string WithSetting(std::string_view text, std::string_view name, std::string_view value);

// The setting from the file in the working folder; nothing when the file is missing, cannot be
// read or does not name it.
std::optional<std::string> ReadSetting(std::string_view name);

// The System page's fields that the file keeps (kSystemFormSettings: the power and the line) over
// the form's defaults, read in one go, and whether the file names a power.
struct KeptSystemForm {
    SystemForm form;
    bool powerKept = false;
};
KeptSystemForm ReadKeptSystemForm();

// Sets one setting in the file: it is read, changed and replaced whole (so that what another
// program wrote meanwhile stays). A file that cannot be read is never replaced, and a value that
// is not one line is refused: the result fails with the reason, and the message is
// kSettingsNotWritten and the reason ("… was not written correctly. It cannot be read: Permission
// denied.").
WriteResult KeepSetting(std::string_view name, std::string_view value);
// Several settings in one change of the file, by the same rules.
WriteResult KeepSettings(std::span<const std::pair<std::string_view, std::string_view>> settings);

} // namespace vorelin
