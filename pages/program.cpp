#include "pages/program.h"

#include "files/last_session_file.h"
#include "pages/design_page.h"
#include "pages/band_page.h"
#include "pages/entries_page.h"
#include "pages/help_page.h"
#include "pages/opening_page.h"
#include "pages/results_page.h"
#include "pages/system_page.h"
#include "pages/user_dialogs.h"

#include "pages/window_geometry.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <array>

namespace vorelin {

Program::Program(UserDialogs& dialogs, const Entries& entries)
    : m_entries(entries), m_dialogs(dialogs),
      m_opening(std::make_unique<OpeningPage>(m_entries, m_settings, *this)),
      m_entriesPage(std::make_unique<EntriesPage>(m_entries, m_profiles, dialogs, *this)),
      m_results(std::make_unique<ResultsPage>(m_entries, m_settings, dialogs, *this)),
      m_help(std::make_unique<HelpPage>()),
      m_design(std::make_unique<DesignPage>(m_entries, m_profiles, dialogs, *this)),
      m_band(std::make_unique<BandPage>(m_entries, m_profiles, dialogs, *this)),
      m_system(std::make_unique<SystemPage>(m_entries, m_profiles, dialogs, *this)) {
    m_results->SetSystemLines([this] { return m_system->ReportLines(); });
}

Program::~Program() = default;

void Program::Start() { m_opening->ShowPage(); }

void Program::ShowEntriesPage() { ShowInPlaceOfShownPage(*m_entriesPage); }

void Program::ShowResultsPage() { ShowInPlaceOfShownPage(*m_results); }

void Program::ShowDesignPage() { ShowInPlaceOfShownPage(*m_design); }
void Program::ShowBandPage() { ShowInPlaceOfShownPage(*m_band); }
void Program::ShowSystemPage() { ShowInPlaceOfShownPage(*m_system); }

void Program::ShowInPlaceOfShownPage(PageWindow& next) {
    // The page being left hands its place to the next one, so that the window stays where the
    // user put it and at the size the user gave it.
    const std::array<const PageWindow*, 6> pages{m_opening.get(), m_entriesPage.get(), m_results.get(),
                                                 m_design.get(), m_band.get(), m_system.get()};
    for (const PageWindow* shown : pages) {
        if (shown != &next && shown->isVisible()) {
            next.ShowPageAt(shown->geometry());
            return;
        }
    }
    next.ShowPage();
}

void Program::ShowHelpPage() {
    // Beside the entries page, so that the entries stay in sight while the help is read.
    const QScreen* screen =
        m_entriesPage->screen() != nullptr ? m_entriesPage->screen() : QGuiApplication::primaryScreen();
    const QRect framed = m_entriesPage->frameGeometry();
    const QRect inner = m_entriesPage->geometry();
    const QMargins frame(inner.left() - framed.left(), inner.top() - framed.top(), framed.right() - inner.right(),
                         framed.bottom() - inner.bottom());
    m_help->ShowPageAt(HelpPageRect(framed, screen->availableGeometry(), frame.isNull() ? kFrameAllowance : frame));
}

void Program::EndProgram() {
    // Rows that only live in memory are offered a file of their own before they go.
    m_band->OfferToSaveUnkeptTable();
    m_ended = true;
    // Every page goes, the help page too: no hidden window may keep the run alive.
    m_help->Unload();
    m_design->Unload();
    m_band->Unload();
    m_system->Unload();
    m_results->Unload();
    m_entriesPage->Unload();
    m_opening->Unload();
    QCoreApplication::quit();
}

void Program::ExitKeepingEntries(QWidget* page) {
    const WriteResult result = WriteLastSession(m_entries);
    if (result.Failed()) {
        m_dialogs.Beep();
        m_dialogs.ShowMessage(page, QString::fromStdString(result.message));
    }
    EndProgram();
}

} // namespace vorelin
