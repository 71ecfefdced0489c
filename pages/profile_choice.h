#pragma once

class QWidget;

namespace vorelin {

class TunerProfileBook;
class UserDialogs;

// Opens the run's tuner profiles on the first page that needs them and tells the user, once the
// page stands on the screen, what became of an unreadable profile file. Nothing after the first call.
void OpenTunerProfiles(TunerProfileBook& profiles, UserDialogs& dialogs, QWidget* page);

} // namespace vorelin
