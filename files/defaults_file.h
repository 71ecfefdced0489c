#pragma once

#include "core/settings.h"
#include "files/file_io.h"

#include <string>
#include <string_view>

namespace vorelin {

// The defaults file keeps the chart's aspect ratio (and two values nothing else reads) between
// runs: three numbers, one a line, in the working folder.
inline constexpr std::string_view kDefaultsFileName = "Defaults.TXT";

inline constexpr float kDefaultAspectRatio = 0.75f;
inline constexpr float kDefaultValue2 = 1000;
inline constexpr float kDefaultValue3 = 200;

enum class DefaultsRead {
    FromFile, // the three values come from the file
    Defaults, // no file, or one that could not be read: all three hold their defaults
};

// Reads AspectRatio, DefaultsValue2 and DefaultsValue3 from "Defaults.TXT" in the working folder.
// Any failure sets all three to 0.75, 1000 and 200, discarding what was read; the user is not told.
DefaultsRead ReadDefaults(Settings& settings);

// The same from the file's bytes. A field starts at its first character that is neither a blank
// nor a line end and ends at a comma, a blank or a line end: "0.9,500,300" reads like three
// lines. It must be a decimal number as a whole ("0.9", ".9", "-2", "1E+03"): a field holding
// anything else, a number beyond the float range, or fewer than three fields make the read fail.
// Whatever follows the third number is ignored. A ratio outside 0.5 to 1.5 is held at the nearer
// limit, as the page would hold it.
DefaultsRead ReadDefaultsFrom(std::string_view bytes, Settings& settings);

// "0.75\r\n1000\r\n200\r\n": the three values in plain form, always with a period.
std::string DefaultsFileText(const Settings& settings);

// Replaces "Defaults.TXT" with the three current values. A failed write leaves the old file as
// it was; the result carries the message for the user.
WriteResult WriteDefaults(const Settings& settings);

} // namespace vorelin
