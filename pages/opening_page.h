#pragma once

#include "core/entries.h"
#include "core/settings.h"
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
    OpeningPage(Entries& entries, Settings& settings, Navigation& navigation);

    // Shows the entries page, then unloads this one.
    void onStart();
    // Ends the program; the last-session file is not written.
    void onExit();

protected:
    void Load() override;
    void CloseFromFrame() override { onExit(); }

private:
    void PrintTitle();

    Entries& m_entries;
    Settings& m_settings;
    Navigation& m_navigation;

    QPushButton* m_startButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_mathCreditLabel = nullptr;
    QLabel* m_interfaceCreditLabel = nullptr;
};

} // namespace vorelin
