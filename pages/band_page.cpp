#include "pages/band_page.h"

#include "core/band_paste.h"
#include "core/band_prediction_step.h"
#include "core/design_choice.h"
#include "core/tolerance_sweep.h"
#include "files/band_workflow.h"
#include "files/settings_file.h"
#include "files/tuner_profile_book.h"
#include "pages/band_grid.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/profile_choice.h"
#include "pages/user_dialogs.h"
#include "render/page_pictures.h"
#include "render/vector_state.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStandardItemModel>

#include <algorithm>
#include <cmath>

namespace vorelin {

namespace {

constexpr Font kTableFont = kPageFont;

struct Button {
    const char* name;
    const char* caption;
    void (BandPage::*clicked)();
};
constexpr Button kButtons[] = {
    {"addRowButton", "Add row", &BandPage::onAddRow},
    {"deleteRowButton", "Delete rows", &BandPage::onDeleteRows},
    {"sortButton", "Sort by frequency", &BandPage::onSortByFrequency},
    {"pasteButton", "Paste rows", &BandPage::onPaste},
    {"openButton", "Open table…", &BandPage::onOpenTable},
    {"saveButton", "Save table…", &BandPage::onSaveTable},
    {"touchstoneButton", "Touchstone…", &BandPage::onSaveTouchstone},
    {"resultsCsvButton", "Results CSV…", &BandPage::onSaveResultsCsv},
    {"pictureButton", "Picture…", &BandPage::onSavePicture},
    {"measuredButton", "Measured…", &BandPage::onMeasured},
    {"entriesButton", "Entries", &BandPage::onEntries},
};

// The buttons and boxes that change the rows: none of them while another program has the table.
constexpr const char* kChangingControls[] = {"addRowButton",       "deleteRowButton", "sortButton",
                                             "pasteButton",        "openButton",      "predictButton",
                                             "predictFrequencyBox"};

// Right of the title, over the table: in sight whenever the table is.
constexpr QRectF kNotePlace{7400, 250, 4300, 620};

QString AreasText(int percent, bool computing) {
    return QStringLiteral("Tolerance areas at %1 %%2")
        .arg(percent)
        .arg(computing ? QStringLiteral(": computing…") : QString());
}

} // namespace

BandPage::BandPage(const Entries& entries, TunerProfileBook& profiles, UserDialogs& dialogs,
                   Navigation& navigation)
    : PageWindow(kPaperColour), m_entries(entries), m_profiles(profiles), m_dialogs(dialogs),
      m_navigation(navigation), m_files(*this, dialogs), m_measured(*this, dialogs) {
    setObjectName(QStringLiteral("bandPage"));
    setWindowTitle(QStringLiteral("Vorelin - Band page"));
    setMouseTracking(true);
    MakeControls();
    m_keeper.tell = [this](const std::string& message) { Tell(message); };
    m_keeper.onStateChanged = [this] { ShowFileState(); };
    m_pointer.onViewChanged = [this] { DrawScene(); };
    m_pointer.onPicked = [this](std::size_t row) { SelectRow(row); };
    m_model.onRowsChanged = [this] { onRowsChanged(); };
    m_model.ShowMeasured(&m_measured);
    m_measured.ShowColumns(*m_grid, kBandViewColumns);
    m_model.cellTyped = [this](std::size_t row, std::size_t column, std::string text) {
        if (Changeable()) m_history.SetCell(row, column, std::move(text));
    };
    m_history.onStep = [this](std::optional<std::size_t> row) {
        // An edited cell stays current; a step elsewhere shows its row.
        if (row && SelectedRow() != row) SelectRow(*row);
        if (!row && m_grid->currentIndex().isValid()) m_grid->scrollTo(m_grid->currentIndex());
    };
}

BandPage::~BandPage() {
    m_areas.Stop();
    // The grid goes with the window's children, after the model it shows.
    disconnect(m_grid->selectionModel(), nullptr, this, nullptr);
    m_grid->setModel(nullptr);
}

void BandPage::MakeControls() {
    m_titleLabel =
        MakeLabel(this, "titleLabel", QStringLiteral("Vorelin - Band"), {std::nullopt, kPageTitleColour});

    m_grid = new BandGrid(this, m_model);
    m_grid->onCopy = [this] { onCopyRows(); };
    m_grid->onPaste = [this] { onPaste(); };
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { DrawScene(); });
    // A text box with the keyboard undoes its own typing first.
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &BandPage::onUndo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &BandPage::onRedo);

    for (const Button& button : kButtons)
        connect(MakeButton(this, button.name, QString::fromUtf8(button.caption), kPageButtonColour),
                &QPushButton::clicked, this, button.clicked);

    MakeLabel(this, "accuracyLabel", QStringLiteral("Accuracy:"),
              {std::nullopt, 0, Qt::AlignLeft | Qt::AlignVCenter});
    m_accuracyBox = new QComboBox(this);
    m_accuracyBox->setObjectName(QStringLiteral("accuracyBox"));
    m_accuracyBox->addItem(QStringLiteral("None"));
    for (const int percent : kAccuracyPercents)
        m_accuracyBox->addItem(QString::number(percent) + '%');
    connect(m_accuracyBox, &QComboBox::currentIndexChanged, this, &BandPage::onAccuracyChosen);
    m_areasLabel =
        MakeLabel(this, "areasLabel", QString(), {std::nullopt, 0, Qt::AlignLeft | Qt::AlignVCenter});

    m_predictBox = MakeTextBox(this, "predictFrequencyBox");
    m_predictBox->setPlaceholderText(QStringLiteral("Frequency"));
    m_predictBox->setToolTip(QStringLiteral("A frequency between tuned rows, such as 7.15M"));
    connect(m_predictBox, &QLineEdit::returnPressed, this, &BandPage::onPredict);
    QPushButton* predict = MakeButton(this, "predictButton", QStringLiteral("Predict"), kPageButtonColour);
    predict->setToolTip(
        QStringLiteral("Settings between tuned frequencies: a suggested row for this frequency"));
    connect(predict, &QPushButton::clicked, this, &BandPage::onPredict);

    const LabelLook choiceLabel{std::nullopt, 0, Qt::AlignLeft | Qt::AlignVCenter};
    MakeLabel(this, "profileLabel", QStringLiteral("Tuner profile:"), choiceLabel);
    m_profileChooser = new QComboBox(this);
    m_profileChooser->setObjectName(QStringLiteral("profileChooser"));
    connect(m_profileChooser, &QComboBox::currentIndexChanged, this, &BandPage::onProfileChosen);
    MakeLabel(this, "placeLabel", QStringLiteral("Loads shown:"), choiceLabel);
    m_placeChooser = new QComboBox(this);
    m_placeChooser->setObjectName(QStringLiteral("placeChooser"));
    m_placeChooser->addItems({QStringLiteral("At the tuner"), QStringLiteral("At the antenna")});
    connect(m_placeChooser, &QComboBox::currentIndexChanged, this, &BandPage::onPlaceChosen);

    m_noteLabel = MakeLabel(this, "noteLabel", QString(),
                            {std::nullopt, kProblemColour, Qt::AlignRight | Qt::AlignVCenter, true});
    m_noteLabel->hide();
    m_pointer.WatchControls();
}

void BandPage::PlaceControls() {
    Place(m_titleLabel, kPageTitlePlace, kPageTitleFont);
    Place(m_noteLabel, kNotePlace, kTableFont);
    const PageRect& table = kBandTableArea;
    Place(m_grid,
          {static_cast<double>(table.left), static_cast<double>(table.top),
           static_cast<double>(table.right - table.left), static_cast<double>(table.bottom - table.top)},
          kTableFont);
    for (const ControlPlace& place : BandControlPlaces()) {
        if (QWidget* control = findChild<QWidget*>(QString::fromUtf8(place.name)))
            Place(control, {place.left, place.top, place.width, place.height}, place.font);
    }
    resizeEvent(nullptr);
}

void BandPage::resizeEvent(QResizeEvent* event) {
    if (event != nullptr) PageWindow::resizeEvent(event);
    m_grid->Scale([this](float units) { return static_cast<int>(std::lround(Mapping().Length(units))); });
}

void BandPage::Load() {
    PlaceControls();
    OpenTunerProfiles(m_profiles, m_dialogs, this);
    ShowProfileChoices(*m_profileChooser, m_profiles);
    m_keeper.Open();
    ApplySystem(); // the System page may have changed the line meanwhile
    m_pointer.HideBox();
    StartAreas();
    DrawScene();
}

void BandPage::ShowFileState() {
    for (const char* name : kChangingControls)
        findChild<QWidget*>(QString::fromLatin1(name))->setEnabled(Changeable());
    m_grid->SetChangeable(Changeable());
    const QString note = QString::fromStdString(m_keeper.Note());
    m_noteLabel->setText(note);
    m_noteLabel->setVisible(!note.isEmpty());
}

void BandPage::onRowsChanged() {
    m_keeper.RowsChanged();
    m_grid->ShowReasonSpans();
    StartAreas();
    DrawScene();
}

void BandPage::OfferToSaveUnkeptTable() {
    if (m_files.OfferToSaveTable(m_keeper.SaveElsewhereQuestion(), m_model.Table()))
        m_keeper.SavedElsewhere();
}

void BandPage::onUndo() {
    if (Changeable()) m_history.Undo();
}

void BandPage::onRedo() {
    if (Changeable()) m_history.Redo();
}

std::optional<std::size_t> BandPage::SelectedRow() const { return m_grid->CurrentRow(); }

void BandPage::SelectRow(std::size_t row) { m_grid->ShowRow(row); }

void BandPage::DrawScene() {
    ClearUpperVectorState(); // the controls ran Qt's text layout
    m_scene = MakeBandSceneModel(m_model.Table(), m_model.ShownResults(), m_model.Areas(), SelectedRow(),
                                 m_model.Misread(), m_model.FeedpointImpedance());
    m_scene.measured = m_measured.Traces();
    ClearPage();
    m_drawn = DrawBandScene(Drawing(), m_scene, m_pointer.View());
    Redraw();
}

void BandPage::StartAreas() {
    const bool computing = m_areas.Start(m_accuracyPercent, [this] {
        m_areasLabel->setText(AreasText(m_accuracyPercent, false));
        DrawScene();
    });
    m_areasLabel->setText(m_accuracyPercent == 0 ? QString() : AreasText(m_accuracyPercent, computing));
}

void BandPage::onAccuracyChosen(int index) {
    m_accuracyPercent = index > 0 ? kAccuracyPercents[static_cast<std::size_t>(index - 1)] : 0;
    m_model.SetMisreadAccuracy(m_accuracyPercent);
    m_grid->ShowReasonSpans();
    StartAreas();
    DrawScene();
}

void BandPage::onPredict() {
    if (!Changeable()) return;
    PredictionStep step =
        PredictAtTypedFrequency(m_model.Table(), m_predictBox->text().toStdString(), m_model.Misread());
    if (step.Refused()) return Tell(step.message);
    if (!step.added) return SelectRow(step.row);
    if (!RoomFor(1)) return;
    m_history.Insert(step.row, {std::move(*step.added)});
    SelectRow(step.row);
    if (!step.message.empty()) Tell(step.message);
}

std::size_t BandPage::InsertionRow() const {
    const auto current = SelectedRow();
    return current ? *current + 1 : m_model.RowCount();
}

bool BandPage::RoomFor(std::size_t rows) {
    if (m_model.RowCount() + rows <= kMostBandRows) return true;
    Tell("A band table holds at most " + std::to_string(kMostBandRows) + " rows.");
    return false;
}

void BandPage::onAddRow() {
    if (!Changeable() || !RoomFor(1)) return;
    m_history.Insert(InsertionRow(), {BandRowFromEntries(m_entries)});
}

void BandPage::onDeleteRows() {
    if (Changeable()) m_history.Remove(m_grid->ChosenRows());
}

void BandPage::onSortByFrequency() {
    if (Changeable()) m_history.SortByFrequency();
}

void BandPage::onPaste() { PasteRows(QApplication::clipboard()->text()); }

void BandPage::onCopyRows() {
    const std::vector<std::size_t> rows = m_grid->ChosenRows();
    if (!rows.empty())
        QApplication::clipboard()->setText(QString::fromStdString(CopiedRows(m_model.Table(), rows)));
}

void BandPage::PasteRows(const QString& text) {
    if (!Changeable()) return;
    BandRead read = PastedRows(text.toStdString());
    if (!read.Ok()) return Tell("The pasted rows were not added: " + read.error);
    const std::size_t count = read.table.rows.size();
    if (count == 0) return Tell("The clipboard holds no rows to add.");
    if (!RoomFor(count)) return;
    m_history.Insert(InsertionRow(), std::move(read.table.rows));
}

void BandPage::onOpenTable() {
    if (!Changeable()) return;
    std::optional<BandTable> opened = m_files.OpenTable();
    if (!opened) return;
    // The rows it replaces stay within reach: in a backup file and one undo away.
    const std::string kept = m_model.RowCount() > 0 ? KeepReplacedTable(m_model.Table()) : std::string();
    m_history.Replace(std::move(*opened));
    if (!kept.empty()) Tell(kept);
}

void BandPage::onSaveTable() {
    if (m_files.SaveTable(m_model.Table())) m_keeper.SavedElsewhere();
}

void BandPage::onSaveTouchstone() {
    m_files.SaveTouchstone(m_model.Table(), m_model.ShownResults(), FeedpointsThrough());
}

void BandPage::onSaveResultsCsv() {
    m_files.SaveResultsCsv(m_model.Table(), m_model.ShownResults(), FeedpointsThrough());
}

std::optional<Feedline> BandPage::FeedpointsThrough() const {
    if (m_model.Place() != BandPlace::Antenna) return std::nullopt;
    return m_model.SystemSettingsRead().settings.line;
}

void BandPage::onProfileChosen(int row) {
    if (row < 0) return;
    ChooseProfileOfRow(m_profiles, *m_profileChooser, row, m_dialogs, this);
    ApplySystem();
}

void BandPage::onPlaceChosen(int) { ApplySystem(); }

void BandPage::ApplySystem() {
    const SystemFormRead read =
        ReadSystemForm(ReadKeptSystemForm().form, LossSettingsOf(m_profiles.Chosen()));
    const bool line = read.Read() && read.settings.line;
    // The antenna's choice: only with a line; the tooltip says where one is set, or why it cannot be used.
    auto* choices = qobject_cast<QStandardItemModel*>(m_placeChooser->model());
    QStandardItem* antenna = choices->item(1);
    antenna->setEnabled(line);
    const QString why =
        !read.Read() ? QStringLiteral("The feedline set on the System page cannot be used: ") +
                           QString::fromStdString(read.refusal)
        : !line ? QStringLiteral("Set a feedline on the System page to see the loads at the antenna.")
                : QString();
    antenna->setToolTip(why);
    if (!line && m_placeChooser->currentIndex() == 1) {
        const QSignalBlocker quiet(m_placeChooser);
        m_placeChooser->setCurrentIndex(0);
    }
    m_placeChooser->setToolTip(
        why.isEmpty() ? QStringLiteral("At the antenna: the loads moved through the System page's feedline "
                                       "to the antenna's feedpoint; SWR against the line's Zc. A measured "
                                       "sweep is taken as measured where the loads are shown.")
                      : why);
    m_model.SetSystem(read, m_placeChooser->currentIndex() == 1 ? BandPlace::Antenna : BandPlace::Tuner);
    DrawScene();
}

void BandPage::onSavePicture() {
    const auto firstRow = static_cast<std::size_t>(std::max(0, m_grid->rowAt(0)));
    // Twice the window's pixels: sharp when printed or shown on a denser screen.
    m_files.SavePicture(PicturePixels(size()), [&](DisplayList& picture) {
        DrawBandPicture(picture, m_model.Table(), m_model.ShownResults(), firstRow, m_scene,
                        m_pointer.View());
    });
}

void BandPage::onMeasured() {
    if (!m_measured.Choose()) return;
    m_model.ShowMeasured(&m_measured);
    m_measured.ShowColumns(*m_grid, kBandViewColumns);
    DrawScene();
}

void BandPage::onEntries() {
    m_areas.Stop();
    m_keeper.Keep();
    OfferToSaveUnkeptTable();
    m_pointer.HideBox();
    m_navigation.ShowEntriesPage();
    Unload();
}

} // namespace vorelin
