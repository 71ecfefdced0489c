#pragma once

#include "files/file_io.h"
#include "files/tuner_profile_file.h"

#include <optional>
#include <string>
#include <string_view>

namespace vorelin {

// The tuner profiles of one run and the one in use, for every page that asks: the profiles are
// kept in VORELIN-TUNERS.CSV (KeptFile's rules: one program at a time changes it, an unreadable
// file is set aside), the name of the chosen one in the settings file.
class TunerProfileBook {
public:
    TunerProfileBook();

    // Takes the file's lock, reads the profiles and the chosen name. What the user must be told
    // about the file ("… was not read. Line 3: … It is kept as VORELIN-TUNERS.BAK."); empty when
    // nothing. The first call only; later ones do nothing and give "".
    std::string Open();
    bool Opened() const { return m_opened; }

    const TunerProfiles& Profiles() const { return m_profiles; }
    // The profile in use: nullptr when none is chosen or the chosen name is in no profile.
    const TunerProfile* Chosen() const;
    const std::string& ChosenName() const { return m_chosen; }

    // Chooses the profile of that name (empty: none) and keeps the choice in the settings file.
    // The message when that failed and the failure is news; else empty.
    std::string Choose(std::string_view name);

    // Puts a profile in place of the one named `replaced` (empty: as a new one, at the end) and
    // keeps the profiles in the file; a renamed chosen profile stays chosen. The profile must pass
    // ProfileProblem and take no other profile's name. The message when the file was not written
    // and that is news; the profiles of the run change either way. Nothing changes while read-only.
    std::string Put(std::string_view replaced, TunerProfile profile);
    // Deletes the profile of that name (a chosen one is no longer chosen); the message as Put's.
    std::string Remove(std::string_view name);

    // Whether another program holds the file: the profiles are shown and can be chosen, not changed.
    bool ReadOnly() const { return m_file.ReadOnly(); }
    std::optional<long long> Holder() const { return m_file.Holder(); }
    // While read-only: takes the file over when the other program has ended, and reads it afresh.
    // The message as Open's; nothing while the other program goes on.
    std::optional<std::string> TryToTakeOver();
    // Why the profiles in memory are not in the file, as a clause; empty when they are.
    const std::string& NotKeptReason() const { return m_file.NotKeptReason(); }

private:
    std::string Told(KeptFile<TunerProfiles>::Start start);
    std::string KeepChoice(std::string name);

    KeptFile<TunerProfiles> m_file;
    TunerProfiles m_profiles;
    std::string m_chosen;
    bool m_opened = false;
    WriteFailureLatch m_choiceFailures;
};

} // namespace vorelin
