#pragma once

#include "core/session.h"
#include "pages/navigation.h"

#include <memory>

namespace vorelin {

class EntriesPage;
class HelpPage;
class OpeningPage;
class PageWindow;
class ResultsPage;
class UserDialogs;

// The program as a whole: it owns the four pages for the whole run, moves between them and ends
// the run. The session record and the dialogs belong to whoever runs the program.
class Program final : public Navigation {
public:
    Program(Session& session, UserDialogs& dialogs);
    ~Program() override;

    // Opens the program on its opening page.
    void Start();

    OpeningPage& Opening() { return *m_opening; }
    EntriesPage& Entries() { return *m_entries; }
    ResultsPage& Results() { return *m_results; }
    HelpPage& Help() { return *m_help; }

    void ShowEntriesPage() override;
    void ShowResultsPage() override;
    void ShowHelpPage() override;
    void PrintReport() override;
    void EndProgram() override;
    void ExitKeepingEntries(QWidget* page) override;

    // Whether the program has been ended (every page closed).
    bool Ended() const { return m_ended; }

private:
    void ShowInPlaceOfShownPage(PageWindow& next);

    Session& m_session;
    UserDialogs& m_dialogs;
    std::unique_ptr<OpeningPage> m_opening;
    std::unique_ptr<EntriesPage> m_entries;
    std::unique_ptr<ResultsPage> m_results;
    std::unique_ptr<HelpPage> m_help;
    bool m_ended = false;
};

} // namespace vorelin
