#pragma once

#include "core/session.h"
#include "pages/navigation.h"

#include <memory>

namespace vorelin {

class ResultsPage;
class UserDialogs;

// The program as a whole: it owns the pages for the whole run, moves between them and ends the
// run. The session record and the dialogs belong to whoever runs the program.
class Program final : public Navigation {
public:
    Program(Session& session, UserDialogs& dialogs);
    ~Program() override;

    ResultsPage& Results() { return *m_results; }

    void ShowEntriesPage() override;
    void ShowResultsPage() override;
    void ShowHelpPage() override;
    void PrintReport() override;
    void EndProgram() override;

    // Whether the program has been ended (every page closed).
    bool Ended() const { return m_ended; }

private:
    Session& m_session;
    UserDialogs& m_dialogs;
    std::unique_ptr<ResultsPage> m_results;
    bool m_ended = false;
};

} // namespace vorelin
