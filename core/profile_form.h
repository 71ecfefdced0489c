#pragma once

#include "core/tuner_profile.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace vorelin {

// The texts of the profile dialog's fields: the range ends in pF for a capacitor and uH for a
// coil, the Qs, as the user types them.
struct ProfileForm {
    std::string name;
    int topology = kFirstTopology;
    std::array<std::array<std::string, 2>, kEntryParts.size()> ranges{}; // least, largest; C1 ... L3
    std::string coilQ, capacitorQ, note;

    friend bool operator==(const ProfileForm&, const ProfileForm&) = default;
};

// The texts that show a profile: each number in the shortest text that reads back to it, an unset
// range end empty.
ProfileForm FormOfProfile(const TunerProfile& profile);

struct ProfileFormRead {
    TunerProfile profile;
    std::string refusal; // the first field's reason, a sentence; empty when read
    bool Read() const { return refusal.empty(); }
};

// Reads the form whole or refuses it with the first field's reason: a range end and a Q are plain
// numbers ("The least value of C1, \"100p\", is not a number: give it in pF, as 100 or 1.5e3."),
// empty for an unset end or the default Q; the profile must pass ProfileProblem, and its name may
// be no name of `others`. Only the ranges of the topology's parts are read: the others keep those
// of `base`, the profile the form was filled from.
ProfileFormRead ReadProfileForm(const ProfileForm& form, const TunerProfile& base,
                                std::span<const TunerProfile> others);

// "pF" for a capacitor's range, "µH" for a coil's.
std::string_view RangeUnit(PartKind kind);

} // namespace vorelin
