#include "pages/help_page.h"

#include "pages/page_controls.h"
#include "pages/page_looks.h"

#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include <array>

namespace vorelin {

namespace {

const std::array<const char*, 13> kParagraphs{
    "Vorelin uses the settings of your antenna tuner to measure the impedance presented to the tuner "
    "output. It calculates the impedance/admittance transformations through the tuner, starting at the "
    "transmitter input port and ending at the load output port. The complex conjugate of that result is "
    "the impedance presented to the tuner by the load (antenna/feedline).",

    "The following comments are about the Entries page.",

    "Test frequency: enter it in Hz. 1.2 MHz, for example, may be typed as 1200k, as 1.2e6 or, easiest, "
    "as 1.2M. The extensions are 'M' for megahertz, 'k' for kilohertz and 'g' for gigahertz; no 'H' is "
    "needed.",

    "System impedance: enter it in ohms. 50 ohms is typed as 50.",

    "Topology: click the network that matches the tuner used for the test (or, while no box is "
    "selected, press its number, 1 to 8), then enter the values of that network's parts.",

    "Capacitors: enter them in farads. 47 pF, for example, may be typed as 47e-12 or, easiest, as 47p. "
    "The extensions are 'p', 'n' and 'u' for pico-, nano- and microfarads; no 'F' is needed.",

    "Inductors: enter them in henries. 22 \u00b5H, for example, may be typed as 22e-6 or, easiest, as 22u. "
    "The extensions are 'n', 'u' and 'm' for nano-, micro- and millihenries; no 'H' is needed.",

    "The extension letters may be typed in upper or lower case, except 'm', which is case-sensitive: "
    "a lower-case 'm' stands for milli- and an upper-case 'M' for mega-.",

    "When the frequency, impedance, topology and part values are entered, click the 'See results' "
    "button (or press Enter in any box). The load impedance is calculated and shown with the parts in "
    "schematic form, and the load is shown on a Smith chart.",

    "Accuracy: the measured part values carry a percentage of uncertainty. Select that percentage, and "
    "the chart shows the area within which the load lies.",

    "Printing: the Results page is printed with the 'Send to printer' button.",

    "Aspect ratio: the chart on the Results page can be made circular with the 'Aspect ratio' control.",

    "Zoom and pan: the chart can be made larger or smaller with the Larger and Smaller buttons, and "
    "moved with the arrow buttons next to it.",
};

} // namespace

HelpPage::HelpPage() : PageWindow(kPaperColour) {
    setObjectName(QStringLiteral("helpPage"));
    setWindowTitle(QStringLiteral("Vorelin - Help page"));
    m_titleLabel = MakeLabel(this, "titleLabel", QStringLiteral("Vorelin - Help page"),
                             {std::nullopt, kPageTitleColour});
    m_messageLabel =
        MakeLabel(this, "messageLabel", QString(), {std::nullopt, 0, Qt::AlignLeft | Qt::AlignTop, true});
    m_exitButton = MakeButton(this, "exitButton", QStringLiteral("Exit"), kPageButtonColour);
    connect(m_exitButton, &QPushButton::clicked, this, &HelpPage::onExit);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &HelpPage::onExit);
}

QString HelpPage::HelpText() {
    QString text;
    for (std::size_t i = 0; i < kParagraphs.size(); ++i) {
        text += QString::fromUtf8(kParagraphs[i]);
        if (i + 1 < kParagraphs.size()) text += QStringLiteral("\r\n\r\n");
    }
    return text;
}

void HelpPage::Load() {
    Place(m_titleLabel, kPageTitlePlace, kPageTitleFont);
    Place(m_messageLabel, {3500, 1500, 8000, 7000}, kPageFont);
    Place(m_exitButton, {1000, 6500, 1500, 300}, kPageButtonFont);
    m_messageLabel->setText(HelpText());
}

} // namespace vorelin
