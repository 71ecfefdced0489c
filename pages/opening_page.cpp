#include "pages/opening_page.h"

#include "files/last_session_file.h"
#include "files/start_up.h"
#include "graphics/opening_illustration.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/vector_state.h"

#include <QLabel>
#include <QPushButton>

namespace vorelin {

namespace {

constexpr Colour kOpeningBackground = 0xFFFFF4;
constexpr Colour kTitlePointColour = 0xFFFF00;
constexpr float kTitleX = 1000;
constexpr float kTitleY = 1000;

// The page's own font is Times New Roman bold; the labels take it too.
constexpr const char* kOpeningFamily = "Times New Roman";
const PageFont kLabelFont{kOpeningFamily, ScreenFont(0.0008), true};

} // namespace

OpeningPage::OpeningPage(Session& session, Navigation& navigation)
    : PageWindow(kOpeningBackground), m_session(session), m_navigation(navigation) {
    setObjectName(QStringLiteral("frmOpening"));
    m_cmdStart = MakeButton(this, "cmdStart", QStringLiteral("Start"), kPageButtonColour);
    m_cmdExit = MakeButton(this, "cmdExit", QStringLiteral("Exit / Quit"), kPageButtonColour);
    connect(m_cmdStart, &QPushButton::clicked, this, &OpeningPage::cmdStart_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &OpeningPage::cmdExit_Click);
    m_lbl1 = MakeLabel(this, "lbl1", QString(), {});
    m_lbl2 = MakeLabel(this, "lbl2", QString(), {});
    m_lbl3 = MakeLabel(this, "lbl3", QString(), {});
}

void OpeningPage::Load() {
    ClearPage();
    InitProgram(m_session);
    setWindowTitle(QString::fromStdString(m_session.ProgramName) + QStringLiteral(" - Welcome !"));

    Place(m_cmdStart, {1000, 6000, 1500, 300}, kPageButtonFont);
    Place(m_cmdExit, {1000, 7000, 1500, 300}, kPageButtonFont);
    PrintTitle();

    Place(m_lbl1, {4000, 6700, 4000, 300}, kLabelFont);
    Place(m_lbl2, {4000, 7000, 4000, 300}, kLabelFont);
    Place(m_lbl3, {4000, 7300, 4000, 300}, kLabelFont);
    m_lbl1->setText(QStringLiteral("Version 2.03"));
    m_lbl2->setText(QStringLiteral("Math routines by the Vorelin authors"));
    m_lbl3->setText(QStringLiteral("Interface routines by the Vorelin authors"));

    ReadLastSession(m_session);

    ClearUpperVectorState(); // the controls ran Qt's text layout
    DrawOpeningSchematic(Drawing(), m_session);
    DrawOpeningChart(Drawing(), m_session);
    Redraw();
}

void OpeningPage::PrintTitle() {
    DisplayList& page = Drawing();
    // The point places the text position; its colour is all but the page's own.
    page.Point(kTitleX, kTitleY, kTitlePointColour);
    page.SetFont(Font{kOpeningFamily, ScreenFont(0.006), true});
    page.SetTextColour(kPageTitleColour);
    page.Print("Vorelin");
    page.SetFont(Font{kOpeningFamily, ScreenFont(0.0008), true});
    page.SetTextColour(0);
}

void OpeningPage::cmdStart_Click() {
    m_navigation.ShowEntriesPage();
    Unload();
}

void OpeningPage::cmdExit_Click() {
    Unload();
    m_navigation.EndProgram();
}

} // namespace vorelin
