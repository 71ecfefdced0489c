#include "pages/entries_page.h"

#include "core/engineering_value.h"
#include "core/entry_checks.h"
#include "core/topology.h"
#include "files/tuner_profile_book.h"
#include "graphics/schematic.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/profile_choice.h"
#include "pages/profile_dialog.h"
#include "pages/user_dialogs.h"
#include "render/vector_state.h"

#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>

namespace vorelin {

namespace {

// The free space right of the boxes, which the specified controls leave empty.
constexpr double kValueReadoutLeft = 2550, kValueReadoutWidth = 1400;
constexpr double kPartReadoutLeft = 3350, kPartReadoutWidth = 1100;
// The tuner profile's row, in the free band between the title and the entries.
constexpr double kProfileRowTop = 1150;
const QRectF kProfileLabelPlace{1000, kProfileRowTop, 1500, 300};
const QRectF kProfileChooserPlace{2600, kProfileRowTop, 3400, 300};
const QRectF kProfilesButtonPlace{6100, kProfileRowTop, 1500, 300};

// A part's input: its label and box stand in the row of its position (1 to 3) in the networks
// that use it, which is the digit of its name.
int PositionOf(std::string_view part) { return part[1] - '0'; }
double PartLabelTop(int position) { return 4000 + 600 * (position - 1); }

std::string PartCaption(std::string_view part) {
    const bool capacitor = part.front() == 'C';
    return "  Enter the value for " + std::string(part) + (capacitor ? ", farads:" : ", henries:");
}

// "C1" -> "c1Box", "frequency" -> "frequencyBox": the object names of the boxes.
QString BoxName(std::string_view field) {
    QString name = QString::fromLatin1(field.data(), static_cast<qsizetype>(field.size()));
    name[0] = name[0].toLower();
    return name + QStringLiteral("Box");
}

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

EntriesPage::EntriesPage(Entries& entries, TunerProfileBook& profiles, UserDialogs& dialogs,
                         Navigation& navigation)
    : PageWindow(kPaperColour), m_entries(entries), m_profiles(profiles), m_dialogs(dialogs),
      m_navigation(navigation) {
    setObjectName(QStringLiteral("entriesPage"));
    setWindowTitle(QStringLiteral("Vorelin - Entries page"));
    // A click on the page takes the keyboard from the boxes, so that digits and arrows pick.
    setFocusPolicy(Qt::ClickFocus);
    MakeControls();
    MakeKeyboardShortcuts();
}

void EntriesPage::MakeControls() {
    // Labels first: a box sits over the lower part of its label and must stay on top of it.
    m_titleLabel = MakeLabel(this, "titleLabel", QStringLiteral("Vorelin - Entries Page"),
                             {std::nullopt, kPageTitleColour});
    m_chooseNetworkLabel =
        MakeLabel(this, "chooseNetworkLabel", QStringLiteral("  Click on a network to choose it:"),
                  {kEntryLabelColour});
    m_frequencyLabel = MakeLabel(this, "frequencyLabel", QStringLiteral("  Enter the test frequency, Hz:"),
                                 {kEntryLabelColour});
    m_impedanceLabel = MakeLabel(this, "impedanceLabel",
                                 QStringLiteral("  Enter the system impedance, ohms:"), {kEntryLabelColour});
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        const std::string_view part = kEntryParts[i].name;
        QString name = BoxName(part);
        name.replace(QStringLiteral("Box"), QStringLiteral("Label"));
        m_parts[i].label = MakeLabel(this, name.toLatin1().constData(),
                                     QString::fromStdString(PartCaption(part)), {kEntryLabelColour});
    }
    m_multipliersHint =
        MakeLabel(this, "multipliersHint",
                  QStringLiteral("Use M for Mega,  k for kilo,  u for micro,  n for nano,  p for pico"), {});

    m_frequency = MakeEntryBox("frequency", &Entries::Frequency, ValueUnit::Hertz);
    m_impedance = MakeEntryBox("impedance", &Entries::Impedance, ValueUnit::Ohms);
    for (std::size_t i = 0; i < m_parts.size(); ++i)
        m_parts[i].entry = MakeEntryBox(kEntryParts[i].name, kEntryParts[i].value,
                                        i < 3 ? ValueUnit::Farads : ValueUnit::Henries);

    m_seeResultsButton =
        MakeButton(this, "seeResultsButton", QStringLiteral("See results"), kPageButtonColour);
    m_helpButton = MakeButton(this, "helpButton", QStringLiteral("Help"), kPageButtonColour);
    m_exitButton = MakeButton(this, "exitButton", QStringLiteral("Exit"), kPageButtonColour);
    connect(m_seeResultsButton, &QPushButton::clicked, this, &EntriesPage::onSeeResults);
    connect(m_helpButton, &QPushButton::clicked, this, &EntriesPage::onHelp);
    connect(m_exitButton, &QPushButton::clicked, this, &EntriesPage::onExit);
    m_bandButton = MakeButton(this, "bandButton", QStringLiteral("Band…"), kPageButtonColour);
    connect(m_bandButton, &QPushButton::clicked, this, &EntriesPage::onBand);

    m_profileLabel = MakeLabel(this, "profileLabel", QStringLiteral("  Tuner profile:"),
                               {kEntryLabelColour, 0, Qt::AlignLeft | Qt::AlignVCenter});
    m_profileChooser = new QComboBox(this);
    m_profileChooser->setObjectName(QStringLiteral("profileChooser"));
    connect(m_profileChooser, &QComboBox::currentIndexChanged, this, &EntriesPage::onProfileChosen);
    m_profilesButton = MakeButton(this, "profilesButton", QStringLiteral("Profiles…"), kPageButtonColour);
    connect(m_profilesButton, &QPushButton::clicked, this, &EntriesPage::onProfiles);

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
    chain(m_seeResultsButton);
    chain(m_helpButton);
    chain(m_exitButton);
    chain(m_bandButton);
    chain(m_profileChooser);
    chain(m_profilesButton);
}

EntriesPage::EntryBox EntriesPage::MakeEntryBox(std::string_view field, float Entries::*value,
                                                ValueUnit unit) {
    QString readoutName = BoxName(field);
    readoutName.replace(QStringLiteral("Box"), QStringLiteral("Reading"));
    const EntryBox entry{MakeTextBox(this, BoxName(field).toLatin1().constData()), value,
                         MakeLabel(this, readoutName.toLatin1().constData(), QString(),
                                   {std::nullopt, kInkColour, Qt::AlignLeft | Qt::AlignVCenter}),
                         unit};
    connect(entry.box, &QLineEdit::textChanged, this, [this, entry] { onBoxChanged(entry); });
    // Enter in a box is "See results", as a form's default button would be.
    connect(entry.box, &QLineEdit::returnPressed, this, &EntriesPage::onSeeResults);
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

    ShowStartingValue(m_frequency, m_entries.SavedFrequency, kFallbackFrequency, kFallbackFrequencyText);
    ShowStartingValue(m_impedance, m_entries.SavedImpedance, kFallbackImpedance, kFallbackImpedanceText);

    if (m_entries.Topology == 0) {
        m_entries.Topology = m_entries.SavedTopology;
        // A last-session file may hold any number there (999, -1): only a network's number stays.
        if (!IsKnownTopology(m_entries.Topology)) m_entries.Topology = kFallbackTopology;
    }

    // Each box gets the formatter's text, with the digits it needs to keep the value it holds.
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        const EntryBox& entry = m_parts[i].entry;
        ShowText(entry,
                 FormatKeepingValue(m_entries.*entry.field, i < 3 ? FormatCapacitance : FormatInductance));
    }

    ShowPartFields();
    DrawLibraryAfresh();
    OpenTunerProfiles(m_profiles, m_dialogs, this);
    ShowProfileChoices();
}

void EntriesPage::ShowStartingValue(const EntryBox& entry, float saved, float builtIn,
                                    std::string_view builtInText) {
    float& value = m_entries.*entry.field;
    if (value > 0) {
        ShowText(entry, FormatKeepingValue(value, FormatValue));
    } else if (saved > 0) {
        value = saved;
        ShowText(entry, FormatKeepingValue(saved, FormatValue));
    } else {
        value = builtIn;
        ShowText(entry, std::string(builtInText));
    }
}

void EntriesPage::PlaceControls() {
    Place(m_titleLabel, kPageTitlePlace, kPageTitleFont);
    Place(m_chooseNetworkLabel, {4500, 1900, 3200, 300}, kEntryBoxFont);
    Place(m_frequencyLabel, {1000, 2000, 3000, 500}, kEntryBoxFont);
    Place(m_frequency.box, {1300, 2200, 1200, 200}, kEntryBoxFont);
    Place(m_frequency.readout, {kValueReadoutLeft, 2200, kValueReadoutWidth, 200}, kEntryTextFont);
    Place(m_impedanceLabel, {1000, 3000, 3000, 500}, kEntryBoxFont);
    Place(m_impedance.box, {1300, 3200, 1200, 200}, kEntryBoxFont);
    Place(m_impedance.readout, {kValueReadoutLeft, 3200, kValueReadoutWidth, 200}, kEntryTextFont);
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        const double top = PartLabelTop(PositionOf(kEntryParts[i].name));
        Place(m_parts[i].label, {1000, top, 3000, 500}, kEntryBoxFont);
        Place(m_parts[i].entry.box, {1300, top + 200, 2000, 360}, kEntryBoxFont);
        Place(m_parts[i].entry.readout, {kPartReadoutLeft, top + 200, kPartReadoutWidth, 360},
              kEntryTextFont);
    }
    Place(m_seeResultsButton, {1000, 6000, 1500, 300}, kPageButtonFont);
    Place(m_helpButton, {1000, 6500, 1500, 300}, kPageButtonFont);
    Place(m_exitButton, {1000, 7000, 1500, 300}, kPageButtonFont);
    Place(m_bandButton, {1000, 7500, 1500, 300}, kPageButtonFont);
    Place(m_multipliersHint, {4500, 7200, 5000, 300}, kEntryTextFont);
    Place(m_profileLabel, kProfileLabelPlace, kEntryBoxFont);
    Place(m_profileChooser, kProfileChooserPlace, kEntryBoxFont);
    Place(m_profilesButton, kProfilesButtonPlace, kPageButtonFont);
}

void EntriesPage::onBoxChanged(const EntryBox& entry) {
    m_entries.*entry.field = static_cast<float>(ParseValue(entry.box->text().toStdString()));
    ShowReadout(entry);
}

void EntriesPage::ShowReadout(const EntryBox& entry) {
    const ValueReadout readout = ReadoutOf(entry.box->text().toStdString(), entry.unit);
    entry.readout->setText(QString::fromStdString(readout.text));
    const QString warning = QString::fromStdString(readout.warning);
    // Black while the box's text was read whole, the warning's red when the reading skipped or cut
    // something.
    QPalette palette = entry.readout->palette();
    palette.setColor(QPalette::WindowText, ToColor(warning.isEmpty() ? kInkColour : kWarningColour));
    entry.readout->setPalette(palette);
    entry.readout->setToolTip(warning);
    entry.box->setToolTip(warning);
}

void EntriesPage::ShowText(const EntryBox& entry, const std::string& text) {
    // The box's change handler runs when the text differs; an unchanged text is parsed here, so
    // that the field always holds what the box shows.
    const QString shown = QString::fromStdString(text);
    if (entry.box->text() == shown) {
        onBoxChanged(entry);
    } else {
        entry.box->setText(shown);
    }
}

void EntriesPage::ShowPartFields() {
    for (const PartInput& part : m_parts) {
        part.label->hide();
        part.entry.box->hide();
        part.entry.readout->hide();
    }
    for (const PartSlot& slot : PartsOf(m_entries.Topology)) {
        for (std::size_t i = 0; i < m_parts.size(); ++i) {
            if (kEntryParts[i].name != slot.name) continue;
            m_parts[i].label->show();
            m_parts[i].entry.box->show();
            m_parts[i].entry.readout->show();
        }
    }
}

void EntriesPage::DrawLibraryAfresh() {
    // The thumbnails' boxes cover everything the page draws, so the old drawing is dropped
    // rather than painted over: the picture is the same and the drawing does not grow.
    ClearUpperVectorState();
    ClearPage();
    DrawLibrary(Drawing(), m_entries.Topology);
    Redraw();
}

void EntriesPage::onPageClicked(double x, double y) {
    if (x > kWindowPage.width) return;
    const int picked = ThumbnailAt(x, y);
    if (picked != 0) {
        m_entries.Topology = static_cast<std::int16_t>(picked);
        ShowPartFields();
    }
    DrawLibraryAfresh();
}

void EntriesPage::PickTopology(int topology) {
    if (!IsKnownTopology(topology)) return;
    m_entries.Topology = static_cast<std::int16_t>(topology);
    ShowPartFields();
    DrawLibraryAfresh();
}

void EntriesPage::StepTopology(int step) {
    // From a topology outside 1 to 8 the arrows start at the first or the last thumbnail.
    const int current = IsKnownTopology(m_entries.Topology) ? m_entries.Topology : (step > 0 ? 0 : 9);
    PickTopology((current - kFirstTopology + step + kTopologyCount) % kTopologyCount + kFirstTopology);
}

bool EntriesPage::TextBoxHasFocus() const {
    // The profile chooser keeps its arrows and letters too.
    return qobject_cast<QLineEdit*>(focusWidget()) != nullptr || focusWidget() == m_profileChooser;
}

QLineEdit* EntriesPage::BoxOf(std::string_view field) const { return findChild<QLineEdit*>(BoxName(field)); }

void EntriesPage::onSeeResults() {
    // The shown part boxes are read once more, in position order.
    for (const PartSlot& slot : PartsOf(m_entries.Topology)) {
        for (const PartInput& part : m_parts)
            if (part.entry.field == slot.value) onBoxChanged(part.entry);
    }
    if (const auto problem = CheckEntries(m_entries)) {
        m_dialogs.ShowMessage(this, Latin1(problem->message));
        activateWindow();
        if (QLineEdit* box = BoxOf(problem->field)) box->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_navigation.ShowResultsPage();
    Unload();
}

void EntriesPage::ShowProfileChoices() { vorelin::ShowProfileChoices(*m_profileChooser, m_profiles); }

void EntriesPage::onProfileChosen(int row) {
    if (row < 0) return;
    const TunerProfile* profile = ChooseProfileOfRow(m_profiles, *m_profileChooser, row, m_dialogs, this);
    // The user's tuner has its own network.
    if (profile != nullptr) PickTopology(profile->topology);
}

void EntriesPage::onProfiles() {
    if (m_profileDialog == nullptr) {
        m_profileDialog = new ProfileDialog(m_profiles, m_dialogs, this);
        connect(m_profileDialog, &QDialog::finished, this, [this] { ShowProfileChoices(); });
    }
    const TunerProfile* chosen = m_profiles.Chosen();
    m_profileDialog->ShowProfiles(chosen != nullptr ? chosen->name : std::string());
    m_profileDialog->open();
}

void EntriesPage::onHelp() { m_navigation.ShowHelpPage(); }

// The band table's new rows start from these entries; they stay as they are.
void EntriesPage::onBand() {
    m_navigation.ShowBandPage();
    Unload();
}

void EntriesPage::onExit() { m_navigation.ExitKeepingEntries(this); }

} // namespace vorelin
