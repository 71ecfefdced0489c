#include "pages/opening_page.h"

#include "core/version.h"
#include "files/last_session_file.h"
#include "files/start_up.h"
#include "graphics/opening_illustration.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "render/vector_state.h"

#include <QLabel>
#include <QPushButton>

namespace vorelin {

namespace {

constexpr float kTitleX = 1000;
constexpr float kTitleY = 1000;

} // namespace

OpeningPage::OpeningPage(Entries& entries, Settings& settings, Navigation& navigation)
    : PageWindow(kOpeningBackground), m_entries(entries), m_settings(settings), m_navigation(navigation) {
    setObjectName(QStringLiteral("openingPage"));
    m_startButton = MakeButton(this, "startButton", QStringLiteral("Start"), kPageButtonColour);
    m_exitButton = MakeButton(this, "exitButton", QStringLiteral("Exit / Quit"), kPageButtonColour);
    connect(m_startButton, &QPushButton::clicked, this, &OpeningPage::onStart);
    connect(m_exitButton, &QPushButton::clicked, this, &OpeningPage::onExit);
    m_versionLabel = MakeLabel(this, "versionLabel", QString(), {});
    m_mathCreditLabel = MakeLabel(this, "mathCreditLabel", QString(), {});
    m_interfaceCreditLabel = MakeLabel(this, "interfaceCreditLabel", QString(), {});
}

void OpeningPage::Load() {
    ClearPage();
    InitProgram(m_settings);
    setWindowTitle(QString::fromLatin1(kProgramName.data(), static_cast<qsizetype>(kProgramName.size())) +
                   QStringLiteral(" - Welcome !"));

    Place(m_startButton, {1000, 6000, 1500, 300}, kPageButtonFont);
    Place(m_exitButton, {1000, 7000, 1500, 300}, kPageButtonFont);
    PrintTitle();

    Place(m_versionLabel, {4000, 6700, 4000, 300}, kOpeningLabelFont);
    Place(m_mathCreditLabel, {4000, 7000, 4000, 300}, kOpeningLabelFont);
    Place(m_interfaceCreditLabel, {4000, 7300, 4000, 300}, kOpeningLabelFont);
    m_versionLabel->setText(
        QString::fromLatin1(kVersionText.data(), static_cast<qsizetype>(kVersionText.size())));
    m_mathCreditLabel->setText(QStringLiteral("Math routines by the Vorelin authors"));
    m_interfaceCreditLabel->setText(QStringLiteral("Interface routines by the Vorelin authors"));

    ReadLastSession(m_entries);

    ClearUpperVectorState(); // the controls ran Qt's text layout
    DrawOpeningSchematic(Drawing());
    DrawOpeningChart(Drawing(), m_settings.AspectRatio);
    Redraw();
}

void OpeningPage::PrintTitle() {
    DisplayList& page = Drawing();
    // The point places the text position; its colour is all but the page's own.
    page.Point(kTitleX, kTitleY, kOpeningTitlePointColour);
    page.SetFont(kOpeningTitleFont);
    page.SetTextColour(kPageTitleColour);
    page.Print("Vorelin");
    // The page's own font is the title's family; its labels take it too.
    page.SetFont(kOpeningLabelFont);
    page.SetTextColour(kInkColour);
}

void OpeningPage::onStart() {
    m_navigation.ShowEntriesPage();
    Unload();
}

void OpeningPage::onExit() {
    Unload();
    m_navigation.EndProgram();
}

} // namespace vorelin
