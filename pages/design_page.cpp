#include "pages/design_page.h"

#include "core/engineering_value.h"
#include "core/networks.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/topology.h"
#include "files/tuner_profile_book.h"
#include "graphics/design_scene.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/profile_choice.h"
#include "render/vector_state.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace vorelin {

namespace {

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

float Parsed(const QLineEdit* box) { return static_cast<float>(ParseValue(box->text().toStdString())); }

std::size_t FieldIndex(int topology) { return static_cast<std::size_t>(topology - 5); }

} // namespace

DesignPage::DesignPage(Entries& entries, TunerProfileBook& profiles, UserDialogs& dialogs,
                       Navigation& navigation)
    : PageWindow(kPaperColour), m_entries(entries), m_profiles(profiles), m_dialogs(dialogs),
      m_navigation(navigation) {
    setObjectName(QStringLiteral("designPage"));
    setWindowTitle(QStringLiteral("Vorelin - Design page"));
    MakeControls();
}

QLineEdit* DesignPage::MakeBox(std::string_view name) {
    QLineEdit* box = MakeTextBox(this, std::string(name).c_str());
    connect(box, &QLineEdit::textChanged, this, [this] { Redesign(); });
    connect(box, &QLineEdit::returnPressed, this, &DesignPage::onUseDefault);
    return box;
}

void DesignPage::MakeControls() {
    m_loadR = MakeBox("loadRBox");
    m_loadX = MakeBox("loadXBox");
    m_impedance = MakeBox("impedanceBox");
    m_frequency = MakeBox("frequencyBox");
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology) {
        const auto parts = PartsOf(topology);
        if (IsTOrPi(topology)) {
            NetworkFields& fields = m_fields[FieldIndex(topology)];
            fields.q = MakeBox(QBoxName(topology));
            fields.hold = new QComboBox(this);
            fields.hold->setObjectName(Latin1(HoldChooserName(topology)));
            fields.hold->addItem(QStringLiteral("none"));
            for (const PartSlot& part : parts)
                fields.hold->addItem(Latin1(part.name));
            connect(fields.hold, &QComboBox::currentIndexChanged, this,
                    [this, topology] { onHoldChosen(topology); });
            fields.holdValue = MakeBox(HoldBoxName(topology));
        }
        for (std::size_t s = 0; s < (IsTOrPi(topology) ? 2u : 1u); ++s) {
            QPushButton* use = MakeButton(this, std::string(UseButtonName(topology, s)).c_str(),
                                          QStringLiteral("Use these values"), kPageButtonColour);
            connect(use, &QPushButton::clicked, this, [this, topology, s] { onUseValues(topology, s); });
            m_useButtons[static_cast<std::size_t>(topology - 1)][s] = use;
        }
    }
    QPushButton* results = MakeButton(this, "resultsButton", QStringLiteral("Results"), kPageButtonColour);
    connect(results, &QPushButton::clicked, this, [this] { onResults(); });
}

void DesignPage::PlaceControls() {
    for (const ControlPlace& place : DesignControlPlaces()) {
        if (QWidget* control = findChild<QWidget*>(Latin1(place.name)))
            Place(control, {place.left, place.top, place.width, place.height}, place.font);
    }
}

void DesignPage::Load() {
    PlaceControls();
    OpenTunerProfiles(m_profiles, m_dialogs, this);
    const NetworkRun run = RunNetwork(m_entries);
    m_filling = true;
    m_loadR->setText(run.Computed() ? QString::fromStdString(PlainText(run.load.LoadR)) : QString());
    m_loadX->setText(run.Computed() ? QString::fromStdString(PlainText(run.load.LoadX)) : QString());
    // The entries' own values, not their rounded texts: a design for 14.0002 MHz is not one for 14 MHz.
    m_impedance->setText(
        QString::fromStdString(Trimmed(FormatKeepingValue(m_entries.Impedance, FormatValue))));
    m_frequency->setText(
        QString::fromStdString(Trimmed(FormatKeepingValue(m_entries.Frequency, FormatValue))));
    m_filling = false;
    Redesign();
}

DesignOptions DesignPage::OptionsFor(int topology) const {
    DesignOptions options;
    if (!IsTOrPi(topology)) return options;
    const NetworkFields& fields = m_fields[FieldIndex(topology)];
    if (const int held = fields.hold->currentIndex(); held > 0) {
        options.hold =
            DesignHold{PartsOf(topology)[static_cast<std::size_t>(held - 1)].name, Parsed(fields.holdValue)};
    } else if (!fields.q->text().trimmed().isEmpty()) {
        options.loadedQ = ParseValue(fields.q->text().toStdString());
    }
    return options;
}

void DesignPage::Redesign() {
    if (m_filling) return;
    m_target = {Parsed(m_loadR), Parsed(m_loadX), Parsed(m_impedance), Parsed(m_frequency)};
    ClearUpperVectorState(); // the boxes ran Qt's text layout
    std::vector<DesignRequest> requests;
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology)
        requests.push_back({topology, OptionsFor(topology)});
    const TunerProfile* profile = m_profiles.Chosen();
    m_rated = DesignAndChoose(m_target, requests, profile, LossSettingsOf(profile));
    ShowSolutionControls();
    ClearPage();
    DrawDesignPage(Drawing(), m_rated, m_entries.Topology);
    Redraw();
}

void DesignPage::ShowSolutionControls() {
    for (std::size_t d = 0; d < m_rated.designs.size(); ++d) {
        const Design& design = m_rated.designs[d];
        const auto& buttons = m_useButtons[static_cast<std::size_t>(design.topology - 1)];
        for (std::size_t s = 0; s < buttons.size(); ++s) {
            if (buttons[s] == nullptr) continue;
            buttons[s]->setVisible(s < design.solutions.size());
            // Enter in any box uses the default solution.
            buttons[s]->setDefault(m_rated.choice.preferred == SolutionPlace{d, s});
        }
        if (!IsTOrPi(design.topology)) continue;
        // The Q box shows the Q the solver chose while it is empty; a held part decides instead.
        const NetworkFields& fields = m_fields[FieldIndex(design.topology)];
        fields.q->setPlaceholderText(
            design.designQ > 0 ? QString::fromStdString(DecimalText(design.designQ, {.significantDigits = 3}))
                               : QString());
        fields.q->setEnabled(fields.hold->currentIndex() == 0);
    }
}

void DesignPage::onHoldChosen(int topology) {
    const NetworkFields& fields = m_fields[FieldIndex(topology)];
    const int held = fields.hold->currentIndex();
    const Design& design = m_rated.designs[static_cast<std::size_t>(topology - 1)];
    if (held > 0 && fields.holdValue->text().trimmed().isEmpty() && !design.solutions.empty()) {
        const PartSlot& part = PartsOf(topology)[static_cast<std::size_t>(held - 1)];
        const float value = design.solutions.front().entries.*part.value;
        m_filling = true;
        fields.holdValue->setText(QString::fromStdString(Trimmed(FormatKeepingValue(
            value, part.kind == PartKind::Capacitor ? FormatCapacitance : FormatInductance))));
        m_filling = false;
    }
    // The value stands selected in its box, so that what the user types next replaces it.
    if (held > 0) {
        fields.holdValue->setFocus(Qt::OtherFocusReason);
        fields.holdValue->selectAll();
    }
    Redesign();
}

void DesignPage::onUseValues(int topology, std::size_t solution) {
    const Design& design = m_rated.designs[static_cast<std::size_t>(topology - 1)];
    if (solution >= design.solutions.size()) return;
    const Entries& chosen = design.solutions[solution].entries;
    m_entries.Topology = chosen.Topology;
    m_entries.Frequency = chosen.Frequency;
    m_entries.Impedance = chosen.Impedance;
    for (const EntryPart& part : kEntryParts)
        m_entries.*part.value = chosen.*part.value;
    m_navigation.ShowResultsPage();
    Unload();
}

void DesignPage::onUseDefault() {
    if (const auto preferred = m_rated.choice.preferred)
        onUseValues(m_rated.designs[preferred->design].topology, preferred->solution);
}

void DesignPage::onResults() {
    m_navigation.ShowResultsPage();
    Unload();
}

} // namespace vorelin
