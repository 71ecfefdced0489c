#pragma once

#include "pages/page_window.h"

#include <QString>

class QLabel;
class QPushButton;

namespace vorelin {

// The help page: what the program does and how to fill in the entries page, in a window of its
// own beside the entries page (it never blocks it). It holds no state; its text is built afresh
// each time it opens.
class HelpPage final : public PageWindow {
public:
    HelpPage();

    void onExit() { Unload(); }

    // The thirteen paragraphs, each of the first twelve followed by CR LF CR LF.
    static QString HelpText();

protected:
    void Load() override;

private:
    QLabel* m_titleLabel = nullptr;
    QLabel* m_messageLabel = nullptr;
    QPushButton* m_exitButton = nullptr;
};

} // namespace vorelin
