#include "pages/program.h"

#include "pages/report_printing.h"
#include "pages/results_page.h"
#include "pages/user_dialogs.h"

#include <QCoreApplication>

namespace vorelin {

Program::Program(Session& session, UserDialogs& dialogs)
    : m_session(session), m_dialogs(dialogs),
      m_results(std::make_unique<ResultsPage>(session, dialogs, *this)) {}

Program::~Program() = default;

void Program::ShowEntriesPage() {}

void Program::ShowResultsPage() { m_results->ShowPage(); }

void Program::ShowHelpPage() {}

void Program::PrintReport() { SendReportToPrinter(m_results.get(), m_session, m_dialogs); }

void Program::EndProgram() {
    m_ended = true;
    m_results->Unload();
    QCoreApplication::quit();
}

} // namespace vorelin
