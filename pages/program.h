#pragma once

#include "core/entries.h"
#include "core/settings.h"
#include "files/tuner_profile_book.h"
#include "pages/navigation.h"

#include <memory>

namespace vorelin {

class DesignPage;
class BandPage;
class EntriesPage;
class HelpPage;
class OpeningPage;
class PageWindow;
class ResultsPage;
class SystemPage;
class UserDialogs;

// The program as a whole: it owns the entries, the settings and the pages for the whole run,
// moves between the pages and ends the run. The dialogs belong to whoever runs the program.
class Program final : public Navigation {
public:
    explicit Program(UserDialogs& dialogs, const Entries& entries = {});
    ~Program() override;

    // Opens the program on its opening page.
    void Start();

    OpeningPage& OpeningWindow() { return *m_opening; }
    EntriesPage& EntriesWindow() { return *m_entriesPage; }
    ResultsPage& ResultsWindow() { return *m_results; }
    HelpPage& HelpWindow() { return *m_help; }
    DesignPage& DesignWindow() { return *m_design; }
    BandPage& BandWindow() { return *m_band; }
    SystemPage& SystemWindow() { return *m_system; }

    void ShowEntriesPage() override;
    void ShowResultsPage() override;
    void ShowHelpPage() override;
    void ShowDesignPage() override;
    void ShowBandPage() override;
    void ShowSystemPage() override;
    void EndProgram() override;
    void ExitKeepingEntries(QWidget* page) override;

    // Whether the program has been ended (every page closed).
    bool Ended() const { return m_ended; }

    Entries& TheEntries() { return m_entries; }
    Settings& TheSettings() { return m_settings; }
    TunerProfileBook& Profiles() { return m_profiles; }

private:
    void ShowInPlaceOfShownPage(PageWindow& next);

    Entries m_entries;
    Settings m_settings;
    TunerProfileBook m_profiles; // opened by the first page that shows them
    UserDialogs& m_dialogs;
    std::unique_ptr<OpeningPage> m_opening;
    std::unique_ptr<EntriesPage> m_entriesPage;
    std::unique_ptr<ResultsPage> m_results;
    std::unique_ptr<HelpPage> m_help;
    std::unique_ptr<DesignPage> m_design;
    std::unique_ptr<BandPage> m_band;
    std::unique_ptr<SystemPage> m_system;
    bool m_ended = false;
};

} // namespace vorelin
