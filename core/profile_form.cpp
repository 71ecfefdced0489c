#include "core/profile_form.h"

#include "core/number_text.h"

#include <algorithm>

namespace vorelin {

namespace {

constexpr std::array<std::string_view, 2> kEndWords = {"least", "largest"};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A field's number; `refusal` tells why there is none for text that is no number.
std::optional<double> FieldNumber(std::string_view text, const std::string& what, std::string_view unit,
                                  std::string& refusal) {
    if (Trimmed(text).empty()) return std::nullopt;
    const std::optional<double> number = ReadProfileNumber(text);
    if (!number)
        refusal =
            what + ", " + Quoted(text) + ", is not a number" +
            (unit.empty() ? std::string(".") : ": give it in " + std::string(unit) + ", as 100 or 1.5e3.");
    return number;
}

} // namespace

std::string_view RangeUnit(PartKind kind) { return kind == PartKind::Capacitor ? "pF" : "µH"; }

ProfileForm FormOfProfile(const TunerProfile& profile) {
    ProfileForm form{profile.name,
                     profile.topology,
                     {},
                     ProfileNumberText(profile.coilQ),
                     ProfileNumberText(profile.capacitorQ),
                     profile.note};
    for (std::size_t i = 0; i < kEntryParts.size(); ++i) {
        const PartRange& range = profile.ranges[i];
        if (range.least) form.ranges[i][0] = ProfileNumberText(*range.least);
        if (range.largest) form.ranges[i][1] = ProfileNumberText(*range.largest);
    }
    return form;
}

ProfileFormRead ReadProfileForm(const ProfileForm& form, const TunerProfile& base,
                                std::span<const TunerProfile> others) {
    ProfileFormRead read{base, {}};
    TunerProfile& profile = read.profile;
    profile.name = Trimmed(form.name);
    profile.topology = static_cast<std::int16_t>(form.topology);
    profile.note = form.note;
    for (const PartSlot& part : PartsOf(form.topology)) {
        const auto index = static_cast<std::size_t>(
            std::ranges::find(kEntryParts, part.name, &EntryPart::name) - kEntryParts.begin());
        PartRange& range = profile.ranges[index];
        for (std::size_t end = 0; end < 2 && read.refusal.empty(); ++end) {
            const std::string what =
                "The " + std::string(kEndWords[end]) + " value of " + std::string(part.name);
            (end == 0 ? range.least : range.largest) =
                FieldNumber(form.ranges[index][end], what, RangeUnit(part.kind), read.refusal);
        }
    }
    if (read.refusal.empty())
        profile.coilQ = FieldNumber(form.coilQ, "The coil Q", {}, read.refusal).value_or(kDefaultCoilQ);
    if (read.refusal.empty())
        profile.capacitorQ =
            FieldNumber(form.capacitorQ, "The capacitor Q", {}, read.refusal).value_or(kDefaultCapacitorQ);
    if (read.refusal.empty()) read.refusal = ProfileProblem(profile);
    if (read.refusal.empty() && std::ranges::any_of(others, [&profile](const TunerProfile& other) {
            return SameProfileName(other.name, profile.name);
        }))
        read.refusal = "Another profile is named " + Quoted(profile.name) + " already.";
    return read;
}

} // namespace vorelin
