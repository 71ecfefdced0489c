#pragma once

#include "core/session.h"
#include "pages/page_window.h"

class QLabel;
class QPushButton;

namespace vorelin {

class Navigation;

// The program's first window: start-up and the last-session read run in its load handler, then
// it presents the program (title, version, credits, a schematic and a small chart) and leads on
// to the entries page, or ends the run.
class OpeningPage final : public PageWindow {
public:
    OpeningPage(Session& session, Navigation& navigation);

    // Shows the entries page, then unloads this one.
    void cmdStart_Click();
    // Ends the program; the last-session file is not written.
    void cmdExit_Click();

protected:
    void Load() override;
    void CloseFromFrame() override { cmdExit_Click(); }

private:
    void PrintTitle();

    Session& m_session;
    Navigation& m_navigation;

    QPushButton* m_cmdStart = nullptr;
    QPushButton* m_cmdExit = nullptr;
    QLabel* m_lbl1 = nullptr;
    QLabel* m_lbl2 = nullptr;
    QLabel* m_lbl3 = nullptr;
};

} // namespace vorelin
