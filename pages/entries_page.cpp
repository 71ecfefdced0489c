#include "pages/entries_page.h"

#include "core/engineering_value.h"
#include "core/entry_checks.h"
#include "core/topology.h"
#include "graphics/schematic.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/user_dialogs.h"
#include "pages/vector_state.h"

#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace vorelin {

namespace {

constexpr Colour kLabelColour = 0xFFFFEE;

const PageFont kLabelFont{"MS Sans Serif", ScreenFont(0.0008), true};
const PageFont kBoxFont{"MS Sans Serif", ScreenFont(0.0008), true};
const PageFont kHintFont{"MS Sans Serif", ScreenFont(0.0008), false};
// The page's own font: the thumbnails' part names.
const Font kPageFont{"MS Sans Serif", ScreenFont(0.0008), false};

constexpr double kPageWidth = 12000;

// The part inputs, in the order of m_parts; a part's position (1 to 3) sets its row.
struct PartRow {
    const char* name;
    float Session::*field;
    int position;
    const char* caption;
};
constexpr std::array<PartRow, 6> kPartRows{{
    {"C1", &Session::C1, 1, "  Enter the value for C1, farads:"},
    {"C2", &Session::C2, 2, "  Enter the value for C2, farads:"},
    {"C3", &Session::C3, 3, "  Enter the value for C3, farads:"},
    {"L1", &Session::L1, 1, "  Enter the value for L1, henries:"},
    {"L2", &Session::L2, 2, "  Enter the value for L2, henries:"},
    {"L3", &Session::L3, 3, "  Enter the value for L3, henries:"},
}};

double PartLabelTop(int position) { return 4000 + 600 * (position - 1); }

// Where a click picks a thumbnail: open intervals, slightly inside the drawn boxes. Only the
// first row whose y range holds the point is tried.
struct HitArea {
    double left;
    double right;
    int topology;
};
struct HitRow {
    double top;
    double bottom;
    std::array<HitArea, 4> areas; // unused areas are empty (topology 0)
};
constexpr std::array<HitRow, 3> kHitRows{{
    {2500, 3600, {{{4500, 6300, 1}, {6500, 8200, 2}, {8500, 9600, 3}, {9900, 11000, 4}}}},
    {4000, 5000, {{{4500, 7200, 5}, {8000, 9600, 6}, {}, {}}}},
    {5500, 6600, {{{4500, 7000, 7}, {7700, 9700, 8}, {}, {}}}},
}};

// The topology whose thumbnail holds the point, or 0.
int ThumbnailAt(double x, double y) {
    for (const HitRow& row : kHitRows) {
        if (!(y > row.top && y < row.bottom)) continue;
        for (const HitArea& area : row.areas) {
            if (area.topology != 0 && x > area.left && x < area.right) return area.topology;
        }
        return 0;
    }
    return 0;
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

EntriesPage::EntriesPage(Session& session, UserDialogs& dialogs, Navigation& navigation)
    : PageWindow(0xFFFFFF), m_session(session), m_dialogs(dialogs), m_navigation(navigation) {
    setObjectName(QStringLiteral("frmEntries"));
    setWindowTitle(QStringLiteral("Vorelin - Entries page"));
    // A click on the page takes the keyboard from the boxes, so that digits and arrows pick.
    setFocusPolicy(Qt::ClickFocus);
    MakeControls();
    MakeKeyboardShortcuts();
}

void EntriesPage::MakeControls() {
    // Labels first: a box sits over the lower part of its label and must stay on top of it.
    m_lblTitle = MakeLabel(this, "lblTitle", QStringLiteral("Vorelin - Entries Page"),
                           {std::nullopt, kPageTitleColour});
    m_label1 =
        MakeLabel(this, "Label1", QStringLiteral("  Click on a network to choose it:"), {kLabelColour});
    m_lblFrequency =
        MakeLabel(this, "lblFrequency", QStringLiteral("  Enter the test frequency, Hz:"), {kLabelColour});
    m_lblImpedance = MakeLabel(this, "lblImpedance", QStringLiteral("  Enter the system impedance, ohms:"),
                               {kLabelColour});
    for (std::size_t i = 0; i < kPartRows.size(); ++i) {
        const std::string name = std::string("lbl") + kPartRows[i].name;
        m_parts[i].label =
            MakeLabel(this, name.c_str(), QString::fromLatin1(kPartRows[i].caption), {kLabelColour});
    }
    m_lblUse2 =
        MakeLabel(this, "lblUse2",
                  QStringLiteral("Use M for Mega,  k for kilo,  u for micro,  n for nano,  p for pico"), {});

    m_frequency = MakeEntryBox("txtFrequency", &Session::Frequency);
    m_impedance = MakeEntryBox("txtImpedance", &Session::Impedance);
    for (std::size_t i = 0; i < kPartRows.size(); ++i) {
        const std::string name = std::string("txt") + kPartRows[i].name;
        m_parts[i].entry = MakeEntryBox(name.c_str(), kPartRows[i].field);
    }

    m_cmdResults = MakeButton(this, "cmdResults", QStringLiteral("See results"), kPageButtonColour);
    m_cmdHelp = MakeButton(this, "cmdHelp", QStringLiteral("Help"), kPageButtonColour);
    m_cmdExit = MakeButton(this, "cmdExit", QStringLiteral("Exit"), kPageButtonColour);
    connect(m_cmdResults, &QPushButton::clicked, this, &EntriesPage::cmdResults_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &EntriesPage::cmdHelp_Click);
    connect(m_cmdExit, &QPushButton::clicked, this, &EntriesPage::cmdExit_Click);

    // Tab goes down the boxes as they stand on the page (hidden ones are passed over), then
    // through the buttons. Each position's C and L boxes share a place; one at most is shown.
    QWidget* previous = m_frequency.box;
    const auto chain = [&previous](QWidget* next) {
        setTabOrder(previous, next);
        previous = next;
    };
    chain(m_impedance.box);
    for (const std::size_t i : {3u, 0u, 1u, 4u, 2u, 5u}) // L1, C1, C2, L2, C3, L3
        chain(m_parts[i].entry.box);
    chain(m_cmdResults);
    chain(m_cmdHelp);
    chain(m_cmdExit);
}

EntriesPage::EntryBox EntriesPage::MakeEntryBox(const char* name, float Session::*field) {
    const EntryBox entry{MakeTextBox(this, name), field};
    connect(entry.box, &QLineEdit::textChanged, this, [this, entry] { Box_Change(entry); });
    // Enter in a box is "See results", as a form's default button would be.
    connect(entry.box, &QLineEdit::returnPressed, this, &EntriesPage::cmdResults_Click);
    return entry;
}

void EntriesPage::MakeKeyboardShortcuts() {
    // While no box has the keyboard, the digits 1 to 8 pick that topology and the arrows step
    // through them (a focused box keeps its digits: it takes them before any shortcut).
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        auto* key = new QShortcut(QKeySequence(Qt::Key_0 + topology), this);
        connect(key, &QShortcut::activated, this, [this, topology] {
            if (!TextBoxHasFocus()) PickTopology(topology);
        });
    }
    for (const auto& [key, step] : {std::pair{Qt::Key_Right, 1}, std::pair{Qt::Key_Down, 1},
                                    std::pair{Qt::Key_Left, -1}, std::pair{Qt::Key_Up, -1}}) {
        auto* arrow = new QShortcut(QKeySequence(key), this);
        connect(arrow, &QShortcut::activated, this, [this, step] {
            if (!TextBoxHasFocus()) StepTopology(step);
        });
    }
}

void EntriesPage::Load() {
    PlaceControls();

    ShowStartingValue(m_frequency, m_session.SavedFrequency, 4e6f, "4M");
    ShowStartingValue(m_impedance, m_session.SavedImpedance, 50, "50");

    if (m_session.Topology == 0) {
        m_session.Topology = m_session.SavedTopology;
        if (m_session.Topology < 1) m_session.Topology = 1;
    }

    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        const EntryBox& entry = m_parts[i].entry;
        const float value = m_session.*entry.field;
        ShowText(entry, i < 3 ? FormatCapacitance(value) : FormatInductance(value));
    }

    ShowPartFields();
    DrawLibraryAfresh();
}

void EntriesPage::ShowStartingValue(const EntryBox& entry, float saved, float builtIn,
                                    const char* builtInText) {
    float& value = m_session.*entry.field;
    if (value > 0) {
        ShowText(entry, FormatValue(value));
    } else if (saved > 0) {
        value = saved;
        ShowText(entry, FormatValue(saved));
    } else {
        value = builtIn;
        ShowText(entry, builtInText);
    }
}

void EntriesPage::PlaceControls() {
    Drawing().SetFont(kPageFont);
    Place(m_lblTitle, kPageTitlePlace, kPageTitleFont);
    Place(m_label1, {4500, 1900, 3200, 300}, kLabelFont);
    Place(m_lblFrequency, {1000, 2000, 3000, 500}, kLabelFont);
    Place(m_frequency.box, {1300, 2200, 1200, 200}, kBoxFont);
    Place(m_lblImpedance, {1000, 3000, 3000, 500}, kLabelFont);
    Place(m_impedance.box, {1300, 3200, 1200, 200}, kBoxFont);
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        const double top = PartLabelTop(kPartRows[i].position);
        Place(m_parts[i].label, {1000, top, 3000, 500}, kLabelFont);
        Place(m_parts[i].entry.box, {1300, top + 200, 2000, 360}, kBoxFont);
    }
    Place(m_cmdResults, {1000, 6000, 1500, 300}, kPageButtonFont);
    Place(m_cmdHelp, {1000, 6500, 1500, 300}, kPageButtonFont);
    Place(m_cmdExit, {1000, 7000, 1500, 300}, kPageButtonFont);
    Place(m_lblUse2, {4500, 7200, 5000, 300}, kHintFont);
}

void EntriesPage::Box_Change(const EntryBox& entry) {
    m_session.*entry.field = static_cast<float>(ParseValue(entry.box->text().toStdString()));
}

void EntriesPage::ShowText(const EntryBox& entry, const std::string& text) {
    // The box's change handler runs when the text differs; an unchanged text is parsed here, so
    // that the field always holds what the box shows.
    const QString shown = QString::fromStdString(text);
    if (entry.box->text() == shown) {
        Box_Change(entry);
    } else {
        entry.box->setText(shown);
    }
}

void EntriesPage::ShowPartFields() {
    for (const PartInput& part : m_parts) {
        part.label->hide();
        part.entry.box->hide();
    }
    for (const PartSlot& slot : PartsOf(m_session.Topology)) {
        for (std::size_t i = 0; i < m_parts.size(); ++i) {
            if (kPartRows[i].name != slot.name) continue;
            m_parts[i].label->show();
            m_parts[i].entry.box->show();
        }
    }
}

void EntriesPage::DrawLibraryAfresh() {
    // The thumbnails' boxes cover everything the page draws, so the old drawing is dropped
    // rather than painted over: the picture is the same and the drawing does not grow.
    ClearUpperVectorState();
    ClearPage();
    DrawLibrary(Drawing(), m_session);
    Redraw();
}

void EntriesPage::Form_MouseDown(double x, double y) {
    if (x > kPageWidth) return;
    const int picked = ThumbnailAt(x, y);
    if (picked != 0) {
        m_session.Topology = static_cast<std::int16_t>(picked);
        ShowPartFields();
    }
    DrawLibraryAfresh();
}

void EntriesPage::PickTopology(int topology) {
    if (!IsKnownTopology(topology)) return;
    m_session.Topology = static_cast<std::int16_t>(topology);
    ShowPartFields();
    DrawLibraryAfresh();
}

void EntriesPage::StepTopology(int step) {
    // From a topology outside 1 to 8 the arrows start at the first or the last thumbnail.
    const int current = IsKnownTopology(m_session.Topology) ? m_session.Topology : (step > 0 ? 0 : 9);
    const int count = kLastTopology - kFirstTopology + 1;
    PickTopology((current - kFirstTopology + step + count) % count + kFirstTopology);
}

bool EntriesPage::TextBoxHasFocus() const { return qobject_cast<QLineEdit*>(focusWidget()) != nullptr; }

QLineEdit* EntriesPage::BoxOf(std::string_view field) const {
    return findChild<QLineEdit*>(QStringLiteral("txt") + Latin1(field));
}

void EntriesPage::cmdResults_Click() {
    // The shown part boxes are read once more, in position order.
    for (const PartSlot& slot : PartsOf(m_session.Topology)) {
        if (QLineEdit* box = BoxOf(slot.name)) Box_Change({box, slot.value});
    }
    if (const auto problem = CheckEntries(m_session)) {
        m_dialogs.ShowMessage(this, Latin1(problem->message));
        activateWindow();
        if (QLineEdit* box = BoxOf(problem->field)) box->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_navigation.ShowResultsPage();
    Unload();
}

void EntriesPage::cmdHelp_Click() { m_navigation.ShowHelpPage(); }

void EntriesPage::cmdExit_Click() { m_navigation.ExitKeepingEntries(this); }

} // namespace vorelin
