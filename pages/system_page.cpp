#include "pages/system_page.h"

#include "core/cables.h"
#include "core/design_choice.h"
#include "core/figures_text.h"
#include "core/system_text.h"
#include "files/settings_file.h"
#include "files/tuner_profile_book.h"
#include "graphics/style.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/profile_choice.h"
#include "pages/user_dialogs.h"
#include "render/vector_state.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace vorelin {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The line's boxes in order, with the form's field each shows.
constexpr std::array<std::string SystemForm::*, 4> kLineFields{&SystemForm::vf, &SystemForm::z0,
                                                               &SystemForm::k1, &SystemForm::k2};
constexpr std::array<const char*, 4> kLineBoxNames{"vfBox", "z0Box", "k1Box", "k2Box"};

} // namespace

SystemPage::SystemPage(const Entries& entries, TunerProfileBook& profiles, UserDialogs& dialogs,
                       Navigation& navigation)
    : PageWindow(kPaperColour), m_entries(entries), m_profiles(profiles), m_dialogs(dialogs),
      m_navigation(navigation) {
    setObjectName(QStringLiteral("systemPage"));
    setWindowTitle(QStringLiteral("Vorelin - System page"));
    MakeControls();
}

void SystemPage::MakeControls() {
    const auto box = [this](const char* name) {
        QLineEdit* made = MakeTextBox(this, name);
        connect(made, &QLineEdit::textChanged, this, [this] { Recompute(); });
        return made;
    };
    m_power = box("powerBox");
    m_coilQ = box("coilQBox");
    m_capacitorQ = box("capacitorQBox");
    m_line = new QComboBox(this);
    m_line->setObjectName(QStringLiteral("lineChooser"));
    m_line->addItem(Text(SystemForm::kNoLineChoice));
    for (const Cable& cable : Cables())
        m_line->addItem(Text(cable.name));
    m_line->addItem(Text(SystemForm::kOwnLineChoice));
    connect(m_line, &QComboBox::currentIndexChanged, this, [this] { onLineChosen(); });
    m_length = box("lengthBox");
    for (std::size_t i = 0; i < m_lineValues.size(); ++i)
        m_lineValues[i] = box(kLineBoxNames[i]);
    QPushButton* results = MakeButton(this, "resultsButton", QStringLiteral("Results"), kPageButtonColour);
    connect(results, &QPushButton::clicked, this, [this] { onResults(); });
    for (const ControlPlace& place : SystemControlPlaces()) {
        if (QWidget* control = findChild<QWidget*>(
                QString::fromLatin1(place.name.data(), static_cast<qsizetype>(place.name.size()))))
            Place(control, {place.left, place.top, place.width, place.height}, place.font);
    }
}

void SystemPage::Load() {
    OpenTunerProfiles(m_profiles, m_dialogs, this);
    ReadSettingsOnce();
    // An empty Q box stands for the profile's Q: its hint shows which.
    const LossSettings base = LossSettingsOf(m_profiles.Chosen());
    m_coilQ->setPlaceholderText(Text(FigureText(base.coilQ)));
    m_capacitorQ->setPlaceholderText(Text(FigureText(base.capacitorQ)));
    FillBoxes();
}

void SystemPage::ReadSettingsOnce() {
    if (m_settingsRead) return;
    m_settingsRead = true;
    KeptSystemForm kept = ReadKeptSystemForm();
    m_form = std::move(kept.form);
    m_powerKept = kept.powerKept;
    m_kept = m_form;
}

std::vector<std::string> SystemPage::ReportLines() {
    ReadSettingsOnce();
    if (m_form.line == SystemForm::kNoLineChoice && !m_powerKept && m_form.power == SystemForm{}.power)
        return {};
    const SystemFormRead read = ReadSystemForm(m_form, LossSettingsOf(m_profiles.Chosen()));
    const SystemView view = SystemViewOf(m_entries, read.settings, read.refusal, "");
    if (view.figures) return SystemLines(*view.figures, view.settings);
    SystemFigures refused;
    refused.reason = view.refusal;
    return SystemLines(refused, view.settings);
}

void SystemPage::FillBoxes() {
    m_filling = true;
    m_power->setText(Text(m_form.power));
    m_coilQ->setText(Text(m_form.coilQ));
    m_capacitorQ->setText(Text(m_form.capacitorQ));
    m_length->setText(Text(m_form.length));
    for (std::size_t i = 0; i < m_lineValues.size(); ++i)
        m_lineValues[i]->setText(Text(m_form.*kLineFields[i]));
    // A name the chooser does not know (a cable of a later version) reads as no line.
    const int chosen = m_line->findText(Text(m_form.line), Qt::MatchFixedString);
    m_line->setCurrentIndex(std::max(chosen, 0));
    m_filling = false;
    onLineChosen();
}

void SystemPage::onLineChosen() {
    const std::string choice = m_line->currentText().toStdString();
    const Cable* cable = CableNamed(choice);
    const bool own = choice == SystemForm::kOwnLineChoice;
    m_length->setEnabled(choice != SystemForm::kNoLineChoice);
    if (cable != nullptr) {
        const std::array<double, 4> values{cable->velocityFactor, cable->zc, cable->k1, cable->k2};
        m_filling = true;
        for (std::size_t i = 0; i < m_lineValues.size(); ++i)
            m_lineValues[i]->setText(Text(FigureText(values[i], 7)));
        m_filling = false;
    }
    for (QLineEdit* value : m_lineValues) {
        value->setEnabled(cable != nullptr || own);
        value->setReadOnly(!own);
    }
    Recompute();
}

SystemForm SystemPage::FormOfBoxes() const {
    SystemForm form;
    form.power = m_power->text().toStdString();
    form.coilQ = m_coilQ->text().toStdString();
    form.capacitorQ = m_capacitorQ->text().toStdString();
    form.line = m_line->currentText().toStdString();
    form.length = m_length->text().toStdString();
    for (std::size_t i = 0; i < m_lineValues.size(); ++i)
        form.*kLineFields[i] = m_lineValues[i]->text().toStdString();
    return form;
}

void SystemPage::Recompute() {
    if (m_filling) return;
    m_form = FormOfBoxes();
    ClearUpperVectorState(); // the boxes ran Qt's text layout
    const TunerProfile* profile = m_profiles.Chosen();
    const SystemFormRead read = ReadSystemForm(m_form, LossSettingsOf(profile));
    const std::string qSource =
        profile != nullptr ? "Tuner profile \"" + profile->name + "\"" : std::string("No tuner profile");
    m_view = SystemViewOf(m_entries, read.settings, read.refusal, qSource);
    ClearPage();
    DrawSystemPage(Drawing(), m_view);
    Redraw();
}

void SystemPage::KeepForm() {
    std::vector<std::pair<std::string_view, std::string_view>> changed;
    for (const auto& [name, field] : kSystemFormSettings)
        if (m_form.*field != m_kept.*field) changed.emplace_back(name, m_form.*field);
    if (changed.empty()) return;
    const WriteResult result = KeepSettings(changed);
    if (result.Failed()) {
        m_dialogs.Beep();
        m_dialogs.ShowMessage(this, QString::fromStdString(result.message));
        return;
    }
    m_kept = m_form;
}

void SystemPage::onResults() {
    KeepForm();
    m_navigation.ShowResultsPage();
    Unload();
}

} // namespace vorelin
