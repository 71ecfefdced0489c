#pragma once

#include <string>

class QComboBox;
class QWidget;

namespace vorelin {

struct TunerProfile;
class TunerProfileBook;
class UserDialogs;

// Opens the run's tuner profiles on the first page that needs them and tells the user, once the
// page stands on the screen, what became of an unreadable profile file. Nothing after the first call.
void OpenTunerProfiles(TunerProfileBook& profiles, UserDialogs& dialogs, QWidget* page);

// A page's tuner-profile chooser: "(none)", then every profile (its note as the row's tooltip),
// the chosen one current, its name in full as the chooser's tooltip. Filling it signals no choice.
void ShowProfileChoices(QComboBox& chooser, const TunerProfileBook& profiles);

// The profile of the chooser's row (0: none) chosen and kept in the settings file, as the user
// picked it there; a failure to keep it is told on `page`. The profile, nullptr for none.
const TunerProfile* ChooseProfileOfRow(TunerProfileBook& profiles, QComboBox& chooser, int row,
                                       UserDialogs& dialogs, QWidget* page);

} // namespace vorelin
