#include "pages/profile_choice.h"

#include "files/tuner_profile_book.h"
#include "pages/user_dialogs.h"

#include <QComboBox>
#include <QSignalBlocker>
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

void ShowProfileChoices(QComboBox& chooser, const TunerProfileBook& profiles) {
    const QSignalBlocker quiet(chooser);
    chooser.clear();
    chooser.addItem(QStringLiteral("(none)"));
    const TunerProfile* chosen = profiles.Chosen();
    for (const TunerProfile& profile : profiles.Profiles()) {
        chooser.addItem(QString::fromStdString(profile.name));
        chooser.setItemData(chooser.count() - 1, QString::fromStdString(profile.note), Qt::ToolTipRole);
        if (&profile == chosen) chooser.setCurrentIndex(chooser.count() - 1);
    }
    chooser.setToolTip(chooser.currentText()); // a long name in full
}

const TunerProfile* ChooseProfileOfRow(TunerProfileBook& profiles, QComboBox& chooser, int row,
                                       UserDialogs& dialogs, QWidget* page) {
    chooser.setToolTip(chooser.currentText());
    const auto& all = profiles.Profiles();
    const TunerProfile* profile = row > 0 && static_cast<std::size_t>(row) <= all.size()
                                      ? &all[static_cast<std::size_t>(row - 1)]
                                      : nullptr;
    const std::string message = profiles.Choose(profile != nullptr ? profile->name : std::string());
    if (!message.empty()) dialogs.ShowMessage(page, QString::fromStdString(message));
    return profile;
}

} // namespace vorelin
