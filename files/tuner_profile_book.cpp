#include "files/tuner_profile_book.h"

#include "files/settings_file.h"

#include <algorithm>

namespace vorelin {

TunerProfileBook::TunerProfileBook() : m_file(kProfileFileFormat) {}

std::string TunerProfileBook::Open() {
    if (m_opened) return {};
    m_opened = true;
    m_chosen = ReadSetting(kTunerProfileSetting).value_or(std::string());
    return Told(m_file.Open());
}

std::optional<std::string> TunerProfileBook::TryToTakeOver() {
    auto start = m_file.TryToTakeOver();
    if (!start) return std::nullopt;
    return Told(std::move(*start));
}

std::string TunerProfileBook::Told(KeptFile<TunerProfiles>::Start start) {
    using Outcome = KeptFile<TunerProfiles>::Outcome;
    m_profiles = std::move(start.content);
    switch (start.outcome) {
    case Outcome::Read:
    case Outcome::HeldElsewhere: // the profile dialog says so where it matters
        return {};
    case Outcome::NotRegular:
        return start.error + " It stays as it is, and the tuner profiles of this run are not kept in it.";
    case Outcome::SetAside:
        return start.error + " It is kept as " + start.backup + ".";
    case Outcome::NotSetAside:
        return start.error +
               " It stays as it is, and the tuner profiles of this run are not kept: " + start.reason + ".";
    }
    return {};
}

const TunerProfile* TunerProfileBook::Chosen() const {
    return m_chosen.empty() ? nullptr : FindProfile(m_profiles, m_chosen);
}

std::string TunerProfileBook::Choose(std::string_view name) {
    if (name == m_chosen) return {};
    return KeepChoice(std::string(name));
}

std::string TunerProfileBook::KeepChoice(std::string name) {
    m_chosen = std::move(name);
    const WriteResult result = KeepSetting(kTunerProfileSetting, m_chosen);
    return m_choiceFailures.ShouldReport(result) ? result.message : std::string();
}

std::string TunerProfileBook::Put(std::string_view replaced, TunerProfile profile) {
    if (ReadOnly()) return {};
    const bool chosen = !replaced.empty() && !m_chosen.empty() && SameProfileName(replaced, m_chosen);
    const std::string name = profile.name;
    const auto found = std::ranges::find_if(m_profiles, [replaced](const TunerProfile& p) {
        return !replaced.empty() && SameProfileName(p.name, replaced);
    });
    if (found == m_profiles.end()) {
        m_profiles.push_back(std::move(profile));
    } else {
        *found = std::move(profile);
    }
    std::string message = m_file.Keep(m_profiles);
    if (chosen && name != m_chosen) {
        const std::string choice = KeepChoice(name);
        if (message.empty()) message = choice;
    }
    return message;
}

std::string TunerProfileBook::Remove(std::string_view name) {
    if (ReadOnly()) return {};
    const bool chosen = !m_chosen.empty() && SameProfileName(name, m_chosen);
    std::erase_if(m_profiles, [name](const TunerProfile& p) { return SameProfileName(p.name, name); });
    std::string message = m_file.Keep(m_profiles);
    if (chosen) {
        const std::string choice = KeepChoice({});
        if (message.empty()) message = choice;
    }
    return message;
}

} // namespace vorelin
