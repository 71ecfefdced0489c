#pragma once

class QWidget;

namespace vorelin {

// What a page asks of the program as a whole: moving to another page, ending.
class Navigation {
public:
    virtual ~Navigation() = default;
    virtual void ShowEntriesPage() = 0;
    virtual void ShowResultsPage() = 0;
    virtual void ShowHelpPage() = 0;
    virtual void ShowDesignPage() = 0;
    virtual void ShowBandPage() = 0;
    virtual void ShowSystemPage() = 0;
    // Ends the program: every page closes.
    virtual void EndProgram() = 0;
    // The Exit of the entries and results pages: writes the last-session file (a failure is told
    // over `page` after a beep), then ends the program.
    virtual void ExitKeepingEntries(QWidget* page) = 0;
};

} // namespace vorelin
