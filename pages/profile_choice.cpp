#include "pages/profile_choice.h"

#include "files/tuner_profile_book.h"
#include "pages/user_dialogs.h"

#include <QTimer>
#include <QWidget>

namespace vorelin {

void OpenTunerProfiles(TunerProfileBook& profiles, UserDialogs& dialogs, QWidget* page) {
    if (profiles.Opened()) return;
    const std::string message = profiles.Open();
    if (message.empty()) return;
    QTimer::singleShot(0, page, [&dialogs, page, text = QString::fromStdString(message)] {
        dialogs.ShowMessage(page, text);
    });
}

} // namespace vorelin
