#include "pages/program.h"

#include "files/last_session_file.h"
#include "pages/entries_page.h"
#include "pages/help_page.h"
#include "pages/opening_page.h"
#include "pages/report_printing.h"
#include "pages/results_page.h"
#include "pages/user_dialogs.h"

#include <QCoreApplication>

#include <array>

namespace vorelin {

Program::Program(Session& session, UserDialogs& dialogs)
    : m_session(session), m_dialogs(dialogs), m_opening(std::make_unique<OpeningPage>(session, *this)),
      m_entries(std::make_unique<EntriesPage>(session, dialogs, *this)),
      m_results(std::make_unique<ResultsPage>(session, dialogs, *this)),
      m_help(std::make_unique<HelpPage>()) {}

Program::~Program() = default;

void Program::Start() { m_opening->ShowPage(); }

void Program::ShowEntriesPage() { ShowInPlaceOfShownPage(*m_entries); }

void Program::ShowResultsPage() { ShowInPlaceOfShownPage(*m_results); }

void Program::ShowInPlaceOfShownPage(PageWindow& next) {
    // The page being left hands its place to the next one, so that the window stays where the
    // user put it and at the size the user gave it.
    const std::array<const PageWindow*, 3> pages{m_opening.get(), m_entries.get(), m_results.get()};
    for (const PageWindow* shown : pages) {
        if (shown != &next && shown->isVisible()) {
            next.ShowPageAt(shown->geometry());
            return;
        }
    }
    next.ShowPage();
}

void Program::ShowHelpPage() { m_help->ShowPage(); }

void Program::PrintReport() { SendReportToPrinter(m_results.get(), m_session, m_dialogs); }

void Program::EndProgram() {
    m_ended = true;
    // Every page goes, the help page too: no hidden window may keep the run alive.
    m_help->Unload();
    m_results->Unload();
    m_entries->Unload();
    m_opening->Unload();
    QCoreApplication::quit();
}

void Program::ExitKeepingEntries(QWidget* page) {
    const WriteResult result = WriteLastSession(m_session);
    if (result.Failed()) {
        m_dialogs.Beep();
        m_dialogs.ShowMessage(page, QString::fromStdString(result.message));
    }
    EndProgram();
}

} // namespace vorelin
