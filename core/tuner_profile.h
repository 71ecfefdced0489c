#pragma once

#include "core/entries.h"
#include "core/topology.h"
#include "core/tuner_loss.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorelin {

// The range a tuner's part can be set to, in pF for a capacitor and uH for a coil. An unset end
// does not limit it.
struct PartRange {
    std::optional<double> least;
    std::optional<double> largest;

    friend bool operator==(const PartRange&, const PartRange&) = default;
};

// A named tuner: its topology, the range of each part, the Q of its coils and capacitors, a note.
struct TunerProfile {
    std::string name;
    std::int16_t topology = 0;
    std::array<PartRange, kEntryParts.size()> ranges{}; // in kEntryParts order: C1 ... L3
    double coilQ = kDefaultCoilQ;
    double capacitorQ = kDefaultCapacitorQ;
    std::string note;

    const PartRange& RangeOf(std::string_view part) const;
    friend bool operator==(const TunerProfile&, const TunerProfile&) = default;
};

// A number of a profile read whole: blanks around it, then digits with a period for decimals and
// an optional exponent ("100", "0.5", "1.5e3"); nothing for any other text ("100p", "1,5", "").
std::optional<double> ReadProfileNumber(std::string_view text);
// The shortest text that ReadProfileNumber reads back to the same number: 0.1 -> "0.1".
std::string ProfileNumberText(double value);

// Whether two names name one profile: in any letter case, blanks around them aside.
bool SameProfileName(std::string_view a, std::string_view b);

// Why a profile cannot be kept: a name without text or of more than one line, a topology outside 1 to 8, a
// range end below zero or not a number, a least above the largest, a Q not above zero; empty when it can.
std::string ProfileProblem(const TunerProfile& profile);

// A part of a solution outside its profile range: its name, its value in pF or uH, the range.
struct RangeMiss {
    std::string_view part;
    double value = 0;
    PartRange range;

    friend bool operator==(const RangeMiss&, const RangeMiss&) = default;
};

// The parts of the solution's topology whose values lie outside the profile's ranges, in position
// order. A value within a part in a million of an end counts as inside: 100 pF typed reads as
// the float nearest 1e-10 F, which is a hair above 100 pF.
std::vector<RangeMiss> PartsOutsideProfile(const TunerProfile& profile, const Entries& solution);

// The solution is of the profile's topology and every part lies within its range.
bool FitsProfile(const TunerProfile& profile, const Entries& solution);

// The profile file's columns, in the order the program writes them; a file may name them in any
// order and any letter case.
inline constexpr std::array<std::string_view, 17> kProfileColumnNames = {
    "name",     "topology",   "c1_least", "c1_largest",  "c2_least", "c2_largest",
    "c3_least", "c3_largest", "l1_least", "l1_largest",  "l2_least", "l2_largest",
    "l3_least", "l3_largest", "coil_q",   "capacitor_q", "note"};

inline constexpr std::size_t kMostProfiles = 1000;
inline constexpr std::size_t kMostProfileCellBytes = 1000;

struct ProfilesRead {
    std::vector<TunerProfile> profiles; // in file order; empty when the text is refused
    std::string error;                  // a sentence naming the line: "Line 3: ..."
    bool Ok() const { return error.empty(); }
};

// Reads the profiles from CSV text. The first line that is not blank names the columns (name and
// topology are required; a column left out reads as empty cells); the separator is that line's
// first comma, semicolon or tab. Every number is read whole, with a period for decimals, or the
// text is refused with its line and reason: "Line 4: c2_largest \"1,5\" is not a number." An
// empty range cell leaves that end unset; an empty Q cell is the default Q. Each profile must
// pass ProfileProblem, and no two may share a name (in any letter case). Lines without text are
// skipped; a UTF-8 byte-order mark is skipped.
ProfilesRead ReadTunerProfiles(std::string_view bytes);

// The profiles as the program writes them: the header of kProfileColumnNames, one line each, CR LF
// ends, every number in the shortest text that reads back to itself. ReadTunerProfiles gives the
// same profiles back.
std::string TunerProfilesText(std::span<const TunerProfile> profiles);

} // namespace vorelin
