#pragma once

namespace vorelin {

// What the defaults file keeps between runs: the chart's aspect ratio and two values that are
// only carried through the file.
struct Settings {
    float AspectRatio = 0;    // horizontal stretch of the chart, 0.5 to 1.5
    float DefaultsValue2 = 0; // carried through the defaults file only
    float DefaultsValue3 = 0; // carried through the defaults file only

    friend bool operator==(const Settings&, const Settings&) = default;
};

// The results page keeps the aspect ratio within these limits.
inline constexpr float kSmallestAspectRatio = 0.5f;
inline constexpr float kLargestAspectRatio = 1.5f;

} // namespace vorelin
