#include "pages/profile_dialog.h"

#include "files/tuner_profile_book.h"
#include "pages/page_controls.h"
#include "pages/user_dialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace vorelin {

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "7: pi network (shunt C1, series L2, shunt C3)"
QString NetworkChoice(int topology) {
    std::string parts;
    for (const PartSlot& part : PartsOf(topology))
        parts += (parts.empty() ? "" : ", ") +
                 std::string(part.placement == Placement::Series ? "series " : "shunt ") +
                 std::string(part.name);
    return Text(std::to_string(topology) + ": " + std::string(FormOf(topology)) + " (" + parts + ")");
}

// "c1LeastBox", "l3LargestBox"
std::string EndBoxName(std::string_view part, std::size_t end) {
    std::string name(part);
    name[0] = static_cast<char>(name[0] - 'A' + 'a');
    return name + (end == 0 ? "LeastBox" : "LargestBox");
}

QLineEdit* MakeBox(QWidget* parent, const std::string& name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(Text(name));
    return box;
}

} // namespace

ProfileDialog::ProfileDialog(TunerProfileBook& book, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_book(book), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("profileDialog"));
    setWindowTitle(QStringLiteral("Vorelin - Tuner profiles"));
    MakeControls();
}

void ProfileDialog::MakeControls() {
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("profileList"));
    left->addWidget(m_list);
    auto* listButtons = new QHBoxLayout;
    m_newButton = new QPushButton(QStringLiteral("New"), this);
    m_newButton->setObjectName(QStringLiteral("newProfileButton"));
    m_deleteButton = new QPushButton(QStringLiteral("Delete…"), this);
    m_deleteButton->setObjectName(QStringLiteral("deleteProfileButton"));
    listButtons->addWidget(m_newButton);
    listButtons->addWidget(m_deleteButton);
    left->addLayout(listButtons);
    columns->addLayout(left);

    auto* form = new QGridLayout;
    int row = 0;
    const auto caption = [this, form](const QString& text, int at) {
        form->addWidget(new QLabel(text, this), at, 0);
    };
    caption(QStringLiteral("Name:"), row);
    m_name = MakeBox(this, "profileNameBox");
    form->addWidget(m_name, row++, 1, 1, 3);
    caption(QStringLiteral("Network:"), row);
    m_topology = new QComboBox(this);
    m_topology->setObjectName(QStringLiteral("profileTopologyChooser"));
    for (int topology = kFirstTopology; topology <= kLastTopology; ++topology)
        m_topology->addItem(NetworkChoice(topology));
    form->addWidget(m_topology, row++, 1, 1, 3);
    // C1, L1, C2, L2, C3, L3: a network has one part of each position, so the rows shown stand in
    // the network's order.
    for (const std::size_t i : {0u, 3u, 1u, 4u, 2u, 5u}) {
        RangeRow& range = m_ranges[i];
        range.label = new QLabel(
            Text(std::string(kEntryParts[i].name) + ", " + std::string(RangeUnit(kEntryParts[i].kind)) + ":"),
            this);
        range.to = new QLabel(QStringLiteral("to"), this);
        for (std::size_t end = 0; end < 2; ++end)
            range.ends[end] = MakeBox(this, EndBoxName(kEntryParts[i].name, end));
        form->addWidget(range.label, row, 0);
        form->addWidget(range.ends[0], row, 1);
        form->addWidget(range.to, row, 2);
        form->addWidget(range.ends[1], row++, 3);
    }
    caption(QStringLiteral("Coil Q:"), row);
    m_coilQ = MakeBox(this, "coilQBox");
    m_coilQ->setPlaceholderText(Text(ProfileNumberText(kDefaultCoilQ)));
    form->addWidget(m_coilQ, row++, 1);
    caption(QStringLiteral("Capacitor Q:"), row);
    m_capacitorQ = MakeBox(this, "capacitorQBox");
    m_capacitorQ->setPlaceholderText(Text(ProfileNumberText(kDefaultCapacitorQ)));
    form->addWidget(m_capacitorQ, row++, 1);
    caption(QStringLiteral("Note:"), row);
    m_note = new QPlainTextEdit(this);
    m_note->setObjectName(QStringLiteral("noteBox"));
    m_note->setTabChangesFocus(true);
    m_note->setFixedHeight(m_note->fontMetrics().lineSpacing() * 3 + 12);
    form->addWidget(m_note, row++, 1, 1, 3);
    // Room for two lines of either, so that a reason shown covers nothing.
    m_refusal = MakeLabel(this, "refusalLabel", {}, {std::nullopt, kWarningColour, Qt::AlignLeft, true});
    m_refusal->setMinimumHeight(2 * m_refusal->fontMetrics().lineSpacing());
    form->addWidget(m_refusal, row++, 0, 1, 4);
    m_state = MakeLabel(this, "stateLabel", {}, {std::nullopt, 0, Qt::AlignLeft, true});
    m_state->setMinimumHeight(2 * m_state->fontMetrics().lineSpacing());
    form->addWidget(m_state, row++, 0, 1, 4);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_saveButton = new QPushButton(QStringLiteral("Save profile"), this);
    m_saveButton->setObjectName(QStringLiteral("saveProfileButton"));
    m_saveButton->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);
    buttons->addWidget(m_saveButton);
    buttons->addWidget(close);
    form->addLayout(buttons, row, 0, 1, 4);
    columns->addLayout(form, 1);

    connect(m_list, &QListWidget::currentRowChanged, this, &ProfileDialog::onRowChosen);
    connect(m_topology, &QComboBox::currentIndexChanged, this, [this] { ShowPartRows(); });
    connect(m_newButton, &QPushButton::clicked, this, &ProfileDialog::onNew);
    connect(m_deleteButton, &QPushButton::clicked, this, &ProfileDialog::onDelete);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { onSave(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void ProfileDialog::ShowProfiles(const std::string& selected) {
    if (m_book.ReadOnly()) {
        const auto message = m_book.TryToTakeOver();
        if (message && !message->empty()) m_dialogs.ShowMessage(this, Text(*message));
    }
    const TunerProfiles& profiles = m_book.Profiles();
    m_switching = true;
    m_list->clear();
    int row = profiles.empty() ? -1 : 0;
    for (std::size_t i = 0; i < profiles.size(); ++i) {
        m_list->addItem(Text(profiles[i].name));
        if (SameProfileName(profiles[i].name, selected)) row = static_cast<int>(i);
    }
    m_list->setCurrentRow(row);
    m_switching = false;
    if (row < 0) {
        m_editing.clear();
        m_base = TunerProfile{};
        m_base.topology = kFirstTopology;
    } else {
        m_base = profiles[static_cast<std::size_t>(row)];
        m_editing = m_base.name;
    }
    m_baseForm = FormOfProfile(m_base);
    ShowForm(m_baseForm);
    ShowState();
}

void ProfileDialog::onRowChosen(int row) {
    if (m_switching || row < 0) return;
    const std::string wanted = m_list->item(row)->text().toStdString();
    if (!SettledChanges()) {
        // The form stays with what the user typed: so does its profile's row.
        const auto& profiles = m_book.Profiles();
        const auto editing = std::ranges::find_if(profiles, [this](const TunerProfile& p) {
            return !m_editing.empty() && SameProfileName(p.name, m_editing);
        });
        m_switching = true;
        m_list->setCurrentRow(editing == profiles.end() ? -1 : static_cast<int>(editing - profiles.begin()));
        m_switching = false;
        return;
    }
    ShowProfiles(wanted);
}

void ProfileDialog::onNew() {
    if (!SettledChanges()) return;
    m_switching = true;
    m_list->setCurrentRow(-1);
    m_switching = false;
    m_editing.clear();
    m_base = TunerProfile{};
    m_base.topology = kFirstTopology;
    m_baseForm = FormOfProfile(m_base);
    ShowForm(m_baseForm);
    ShowState();
    m_name->setFocus(Qt::OtherFocusReason);
}

bool ProfileDialog::onSave() {
    const ProfileForm shown = FormShown();
    if (!m_editing.empty() && shown == m_baseForm) return true;
    TunerProfiles others = m_book.Profiles();
    std::erase_if(others, [this](const TunerProfile& p) {
        return !m_editing.empty() && SameProfileName(p.name, m_editing);
    });
    const ProfileFormRead read = ReadProfileForm(shown, m_base, others);
    m_refusal->setText(Text(read.refusal));
    if (!read.Read()) return false;
    const std::string message = m_book.Put(m_editing, read.profile);
    if (!message.empty()) m_dialogs.ShowMessage(this, Text(message));
    ShowProfiles(read.profile.name);
    return true;
}

void ProfileDialog::onDelete() {
    if (m_editing.empty()) {
        ShowProfiles({});
        return;
    }
    const QString question = Text("Delete the tuner profile \"" + m_editing + "\"?");
    if (!m_dialogs.AskYesNo(this, question, QStringLiteral("Delete"), QStringLiteral("Keep"))) return;
    const std::string message = m_book.Remove(m_editing);
    if (!message.empty()) m_dialogs.ShowMessage(this, Text(message));
    m_baseForm = FormShown(); // nothing left to save
    ShowProfiles({});
}

void ProfileDialog::done(int result) {
    if (!SettledChanges()) return;
    QDialog::done(result);
}

bool ProfileDialog::SettledChanges() {
    if (m_book.ReadOnly() || FormShown() == m_baseForm) return true;
    const QString question =
        m_editing.empty()
            ? QStringLiteral("The new tuner profile is not saved. Save it?")
            : Text("The changes to the tuner profile \"" + m_editing + "\" are not saved. Save them?");
    if (!m_dialogs.AskYesNo(this, question, QStringLiteral("Save"), QStringLiteral("Discard"))) {
        ShowForm(m_baseForm);
        return true;
    }
    return onSave();
}

void ProfileDialog::ShowForm(const ProfileForm& form) {
    m_name->setText(Text(form.name));
    m_name->setCursorPosition(0); // a long name shows its start
    m_topology->setCurrentIndex(form.topology - kFirstTopology);
    for (std::size_t i = 0; i < kEntryParts.size(); ++i) {
        for (std::size_t end = 0; end < 2; ++end)
            m_ranges[i].ends[end]->setText(Text(form.ranges[i][end]));
    }
    m_coilQ->setText(Text(form.coilQ));
    m_capacitorQ->setText(Text(form.capacitorQ));
    m_note->setPlainText(Text(form.note));
    m_refusal->clear();
    ShowPartRows();
}

ProfileForm ProfileDialog::FormShown() const {
    ProfileForm form;
    form.name = m_name->text().toStdString();
    form.topology = m_topology->currentIndex() + kFirstTopology;
    for (std::size_t i = 0; i < kEntryParts.size(); ++i) {
        for (std::size_t end = 0; end < 2; ++end)
            form.ranges[i][end] = m_ranges[i].ends[end]->text().toStdString();
    }
    form.coilQ = m_coilQ->text().toStdString();
    form.capacitorQ = m_capacitorQ->text().toStdString();
    form.note = m_note->toPlainText().toStdString();
    return form;
}

void ProfileDialog::ShowPartRows() {
    const auto parts = PartsOf(m_topology->currentIndex() + kFirstTopology);
    for (std::size_t i = 0; i < kEntryParts.size(); ++i) {
        const bool shown = std::ranges::find(parts, kEntryParts[i].name, &PartSlot::name) != parts.end();
        m_ranges[i].label->setVisible(shown);
        m_ranges[i].to->setVisible(shown);
        for (QLineEdit* box : m_ranges[i].ends)
            box->setVisible(shown);
    }
}

void ProfileDialog::ShowState() {
    const bool changeable = !m_book.ReadOnly();
    for (QWidget* control : std::initializer_list<QWidget*>{m_name, m_topology, m_coilQ, m_capacitorQ, m_note,
                                                            m_newButton, m_deleteButton, m_saveButton})
        control->setEnabled(changeable);
    for (const RangeRow& range : m_ranges)
        for (QLineEdit* box : range.ends)
            box->setEnabled(changeable);
    m_deleteButton->setEnabled(changeable && !m_editing.empty());
    std::string state;
    if (!changeable) {
        const auto holder = m_book.Holder();
        state = "Read only: another Vorelin" +
                (holder ? " (process " + std::to_string(*holder) + ")" : std::string()) + " has " +
                std::string(kProfileFileName) + " open.";
    } else if (!m_book.NotKeptReason().empty()) {
        state = "These profiles are not saved in " + std::string(kProfileFileName) + ". " +
                ReasonSentence(m_book.NotKeptReason());
    }
    m_state->setText(Text(state));
    m_state->setVisible(!state.empty());
}

} // namespace vorelin
