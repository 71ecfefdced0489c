#include "pages/band_page.h"

#include "core/band_paste.h"
#include "core/band_prediction.h"
#include "core/engineering_value.h"
#include "core/number_text.h"
#include "core/strict_value.h"
#include "core/tolerance_sweep.h"
#include "files/band_export.h"
#include "files/band_file.h"
#include "files/load_csv.h"
#include "graphics/text_metrics.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/user_dialogs.h"
#include "render/page_pictures.h"
#include "render/vector_state.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vorelin {

namespace {

constexpr Font kTableFont = kPageFont;
constexpr Font kHoverFont = kPageFont;
constexpr float kRowHeight = 260;
// How near the pointer must come to a mark to pick it or to tell about it (page units).
constexpr float kPickReach = 250;
constexpr float kHoverReach = 400;
// The wheel enlarges the chart by this much per notch (120 units of angle).
constexpr double kZoomPerNotch = 1.2;

QString Text(const std::string& text) { return QString::fromStdString(text); }
QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool InChart(const QPointF& page) {
    return page.x() >= static_cast<double>(kBandChartArea.left) &&
           page.x() <= static_cast<double>(kBandChartArea.right) &&
           page.y() >= static_cast<double>(kBandChartArea.top) &&
           page.y() <= static_cast<double>(kBandChartArea.bottom);
}

PagePoint ToPagePoint(const QPointF& point) {
    return {static_cast<float>(point.x()), static_cast<float>(point.y())};
}

struct ButtonCaption {
    const char* name;
    const char* caption;
};
constexpr ButtonCaption kButtons[] = {
    {"addRowButton", "Add row"},         {"deleteRowButton", "Delete rows"},
    {"sortButton", "Sort by frequency"}, {"pasteButton", "Paste rows"},
    {"openButton", "Open table…"},       {"saveButton", "Save table…"},
    {"touchstoneButton", "Touchstone…"}, {"resultsCsvButton", "Results CSV…"},
    {"pictureButton", "Picture…"},       {"entriesButton", "Entries"},
};

// The buttons and boxes that change the rows: none of them while another program has the table.
constexpr const char* kChangingControls[] = {"addRowButton",       "deleteRowButton", "sortButton",
                                             "pasteButton",        "openButton",      "predictButton",
                                             "predictFrequencyBox"};

// While read-only, how often the page looks whether the other program has ended.
constexpr int kTakeOverMilliseconds = 2000;

// Right of the title, over the table: in sight whenever the table is.
constexpr QRectF kNotePlace{7400, 250, 4300, 620};

// Typing into a cell replaces it, as in a spreadsheet.
constexpr QAbstractItemView::EditTriggers kEditTriggers =
    QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;

QString AreasText(int percent, bool computing) {
    return QStringLiteral("Tolerance areas at %1 %%2")
        .arg(percent)
        .arg(computing ? QStringLiteral(": computing…") : QString());
}

} // namespace

BandPage::BandPage(const Entries& entries, UserDialogs& dialogs, Navigation& navigation)
    : PageWindow(kPaperColour), m_entries(entries), m_dialogs(dialogs), m_navigation(navigation) {
    setObjectName(QStringLiteral("bandPage"));
    setWindowTitle(QStringLiteral("Vorelin - Band page"));
    setMouseTracking(true);
    MakeControls();
    m_model.onRowsChanged = [this] { onRowsChanged(); };
    m_model.cellTyped = [this](std::size_t row, std::size_t column, std::string text) {
        if (Changeable()) m_history.SetCell(row, column, std::move(text));
    };
    m_history.onStep = [this](std::optional<std::size_t> row) {
        // An edited cell stays current; a step elsewhere shows its row.
        if (row && SelectedRow() != row) SelectRow(*row);
        if (!row && m_tableView->currentIndex().isValid()) m_tableView->scrollTo(m_tableView->currentIndex());
    };
}

BandPage::~BandPage() {
    StopAreas();
    // The grid goes with the window's children, after the model it shows.
    disconnect(m_tableView->selectionModel(), nullptr, this, nullptr);
    m_tableView->setModel(nullptr);
}

void BandPage::MakeControls() {
    m_titleLabel =
        MakeLabel(this, "titleLabel", QStringLiteral("Vorelin - Band"), {std::nullopt, kPageTitleColour});

    m_tableView = new QTableView(this);
    m_tableView->setObjectName(QStringLiteral("bandTable"));
    m_tableView->setModel(&m_model);
    m_tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tableView->setEditTriggers(kEditTriggers);
    m_tableView->setWordWrap(false);
    // Tab leaves the grid for the page's other controls (arrows move between cells), as in
    // every other part of the page.
    m_tableView->setTabKeyNavigation(false);
    m_tableView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tableView->horizontalHeader()->setHighlightSections(false);
    connect(m_tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { DrawScene(); });
    // While a cell is being edited its box takes the keys; otherwise they paste whole rows.
    auto* paste = new QShortcut(QKeySequence::Paste, m_tableView, nullptr, nullptr, Qt::WidgetShortcut);
    connect(paste, &QShortcut::activated, this, [this] { onPaste(); });
    // A text box with the keyboard undoes its own typing first.
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this, &BandPage::onUndo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &BandPage::onRedo);

    const auto handlers = std::array<void (BandPage::*)(), std::size(kButtons)>{
        &BandPage::onAddRow,         &BandPage::onDeleteRows,     &BandPage::onSortByFrequency,
        &BandPage::onPaste,          &BandPage::onOpenTable,      &BandPage::onSaveTable,
        &BandPage::onSaveTouchstone, &BandPage::onSaveResultsCsv, &BandPage::onSavePicture,
        &BandPage::onEntries};
    for (std::size_t i = 0; i < std::size(kButtons); ++i) {
        QPushButton* button =
            MakeButton(this, kButtons[i].name, QString::fromUtf8(kButtons[i].caption), kPageButtonColour);
        connect(button, &QPushButton::clicked, this, handlers[i]);
    }

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

    m_hoverLabel = MakeLabel(this, "hoverLabel", QString(), {kHoverBoxColour});
    m_hoverLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hoverLabel->setMargin(2);
    m_hoverLabel->hide();

    m_noteLabel = MakeLabel(this, "noteLabel", QString(),
                            {std::nullopt, kProblemColour, Qt::AlignRight | Qt::AlignVCenter});
    m_noteLabel->setWordWrap(true);
    m_noteLabel->hide();
    m_takeOverTimer = new QTimer(this);
    m_takeOverTimer->setInterval(kTakeOverMilliseconds);
    connect(m_takeOverTimer, &QTimer::timeout, this, &BandPage::onTakeOverTimer);
    HideHoverOnControls();
}

void BandPage::HideHoverOnControls() {
    // The page hears no move when the pointer goes straight from the chart onto a control (the
    // grid, a button): each control tells the page when the pointer enters it. The grid also
    // hands its copy key to the page.
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control != m_hoverLabel) control->installEventFilter(this);
    }
}

bool BandPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) m_hoverLabel->hide();
    // The grid's own copy takes one cell; the page copies whole rows (a cell being edited has the
    // keys itself).
    if (watched == m_tableView && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        onCopyRows();
        return true;
    }
    return PageWindow::eventFilter(watched, event);
}

void BandPage::PlaceControls() {
    Place(m_titleLabel, kPageTitlePlace, kPageTitleFont);
    Place(m_noteLabel, kNotePlace, kTableFont);
    const PageRect& table = kBandTableArea;
    Place(m_tableView,
          {static_cast<double>(table.left), static_cast<double>(table.top),
           static_cast<double>(table.right - table.left), static_cast<double>(table.bottom - table.top)},
          kTableFont);
    for (const ControlPlace& place : BandControlPlaces()) {
        if (QWidget* control = findChild<QWidget*>(Text(place.name)))
            Place(control, {place.left, place.top, place.width, place.height}, place.font);
    }
    resizeEvent(nullptr);
}

void BandPage::resizeEvent(QResizeEvent* event) {
    if (event != nullptr) PageWindow::resizeEvent(event);
    const auto pixels = [this](float units) {
        return static_cast<int>(std::lround(Mapping().Length(units)));
    };
    for (std::size_t column = 0; column < kBandViewColumns; ++column)
        m_tableView->setColumnWidth(static_cast<int>(column), pixels(kBandColumnWidths[column]));
    m_tableView->verticalHeader()->setDefaultSectionSize(pixels(kRowHeight));
}

void BandPage::Load() {
    PlaceControls();
    if (!m_kept) OpenKeptTable();
    m_hoverLabel->hide();
    StartAreas();
    DrawScene();
}

void BandPage::OpenKeptTable() {
    m_kept = std::make_unique<KeptBandFile>();
    StartFrom(m_kept->Open());
    SetChangeable(!m_kept->ReadOnly());
    if (m_kept->ReadOnly()) m_takeOverTimer->start();
}

void BandPage::StartFrom(KeptBandFile::Start start) {
    m_readingKeptFile = true;
    m_model.Replace(std::move(start.table));
    m_readingKeptFile = false;
    m_changesSaved = m_changes; // as it stands in its file
    m_history.Clear();
    ShowNote();
    // Told once, when the page stands on the screen.
    if (!start.message.empty())
        QTimer::singleShot(0, this,
                           [this, message = Text(start.message)] { m_dialogs.ShowMessage(this, message); });
}

void BandPage::onTakeOverTimer() {
    auto start = m_kept->TryToTakeOver();
    if (!start) return;
    m_takeOverTimer->stop();
    SetChangeable(true);
    StartFrom(std::move(*start));
}

void BandPage::SetChangeable(bool changeable) {
    for (const char* name : kChangingControls)
        findChild<QWidget*>(QString::fromLatin1(name))->setEnabled(changeable);
    m_tableView->setEditTriggers(changeable ? kEditTriggers : QAbstractItemView::NoEditTriggers);
}

void BandPage::onRowsChanged() {
    ++m_changes;
    if (!m_readingKeptFile) WriteKeptTable();
    ShowReasonSpans();
    StartAreas();
    DrawScene();
}

void BandPage::WriteKeptTable() {
    if (!m_kept) return;
    const std::string message = m_kept->Keep(m_model.Table());
    ShowNote();
    // Every edit writes: the same failure again is not told twice, the note stays meanwhile.
    if (!message.empty()) m_dialogs.ShowMessage(this, Text(message));
}

void BandPage::ShowNote() {
    QString note;
    if (m_kept && m_kept->ReadOnly()) {
        const auto holder = m_kept->Holder();
        note = Text("Read only: another Vorelin" +
                    (holder ? " (process " + std::to_string(*holder) + ")" : std::string()) +
                    " has this table open.");
    } else if (m_kept && !m_kept->NotKeptReason().empty() && m_model.RowCount() > 0) {
        note = Text("This table is not saved in " + std::string(kBandFileName) + ". " +
                    ReasonSentence(m_kept->NotKeptReason()) + " Save table… keeps it elsewhere.");
    }
    m_noteLabel->setText(note);
    m_noteLabel->setVisible(!note.isEmpty());
}

void BandPage::OfferToSaveUnkeptTable() {
    if (!Changeable() || m_kept->NotKeptReason().empty() || m_model.RowCount() == 0 ||
        m_changes == m_changesSaved)
        return;
    const QString question = Text("The band table is not saved in " + std::string(kBandFileName) + " (" +
                                  m_kept->NotKeptReason() + "). Save it under another name?");
    if (m_dialogs.AskYesNo(this, question, QStringLiteral("Save table as…"), QStringLiteral("Don't save")))
        onSaveTable();
}

void BandPage::onUndo() {
    if (Changeable()) m_history.Undo();
}

void BandPage::onRedo() {
    if (Changeable()) m_history.Redo();
}

void BandPage::ShowReasonSpans() {
    // A row without a load tells why across the three result columns.
    m_tableView->clearSpans();
    const auto results = m_model.Results();
    for (std::size_t row = 0; row < results.size(); ++row) {
        if (!results[row].load)
            m_tableView->setSpan(static_cast<int>(row), static_cast<int>(kBandColumnCount), 1, 3);
    }
}

std::optional<std::size_t> BandPage::SelectedRow() const {
    const QModelIndex current = m_tableView->currentIndex();
    if (!current.isValid()) return std::nullopt;
    return static_cast<std::size_t>(current.row());
}

void BandPage::SelectRow(std::size_t row) {
    if (row >= m_model.RowCount()) return;
    const QModelIndex index = m_model.index(static_cast<int>(row), 0);
    m_tableView->setCurrentIndex(index);
    m_tableView->selectRow(static_cast<int>(row));
    m_tableView->scrollTo(index);
}

void BandPage::DrawScene() {
    ClearUpperVectorState(); // the controls ran Qt's text layout
    m_scene = MakeBandSceneModel(m_model.Table(), m_model.Results(), m_model.Areas(), SelectedRow(),
                                 m_model.Misread());
    ClearPage();
    m_drawn = DrawBandScene(Drawing(), m_scene, m_view);
    Redraw();
}

void BandPage::StartAreas() {
    StopAreas();
    if (m_accuracyPercent == 0) {
        m_areasLabel->clear();
        m_model.ClearAreas();
        m_areasAccuracy = 0;
        return;
    }
    const float accuracy = AccuracyFraction(m_accuracyPercent);
    const float impedance = ChartImpedance(m_model.Table(), m_model.Results());
    if (accuracy != m_areasAccuracy || impedance != m_areasImpedance) {
        m_model.ClearAreas();
        m_areasAccuracy = accuracy;
        m_areasImpedance = impedance;
    }
    auto job = std::make_shared<AreaJob>();
    job->accuracy = accuracy;
    job->impedance = impedance;
    const auto results = m_model.Results();
    const auto areas = m_model.Areas();
    for (std::size_t row = 0; row < results.size(); ++row) {
        if (!results[row].load || areas[row]) continue;
        job->rows.push_back(row);
        job->entries.push_back(m_model.Table().rows[row].entries);
    }
    m_areasLabel->setText(AreasText(m_accuracyPercent, !job->rows.empty()));
    if (job->rows.empty()) return;
    m_areaJob = job;
    // The sweeps run on their own threads; the areas come back through the page's event queue.
    m_areaThread = std::thread([this, job] {
        job->areas = ToleranceAreasOf(job->entries, job->accuracy, job->impedance, job->stop);
        if (!job->stop.load())
            QMetaObject::invokeMethod(
                this, [this, job] { onAreasReady(job); }, Qt::QueuedConnection);
    });
}

void BandPage::StopAreas() {
    if (m_areaJob) m_areaJob->stop = true;
    if (m_areaThread.joinable()) m_areaThread.join();
    m_areaJob.reset();
}

void BandPage::onAreasReady(const std::shared_ptr<AreaJob>& job) {
    if (job != m_areaJob) return; // a job since stopped
    if (m_areaThread.joinable()) m_areaThread.join();
    m_areaJob.reset();
    if (!job->areas) return;
    for (std::size_t i = 0; i < job->rows.size(); ++i)
        m_model.SetArea(job->rows[i], std::move((*job->areas)[i]));
    m_areasLabel->setText(AreasText(m_accuracyPercent, false));
    DrawScene();
}

void BandPage::onAccuracyChosen(int index) {
    m_accuracyPercent = index > 0 ? kAccuracyPercents[static_cast<std::size_t>(index - 1)] : 0;
    m_model.SetMisreadAccuracy(m_accuracyPercent);
    ShowReasonSpans();
    StartAreas();
    DrawScene();
}

void BandPage::onPredict() {
    if (!Changeable()) return;
    // The frequency is read whole, as a table cell is: "7.15M" but not "7,15M" or "7.15M;7.2M".
    const std::string typed = m_predictBox->text().toStdString();
    const WholeValue frequency = ReadWholeValue(typed);
    if (!frequency.Read()) {
        m_dialogs.ShowMessage(this, QStringLiteral("No settings were predicted: the frequency ") +
                                        Text(RefusalText(typed, frequency)));
        return;
    }
    BandPrediction prediction = PredictBandRow(m_model.Table(), static_cast<float>(frequency.value));
    if (prediction.reason == kPredictionOnRow) {
        SelectRow(prediction.below); // that row is the answer; a second one would make two
        return;
    }
    if (!prediction.Ok()) {
        m_dialogs.ShowMessage(this, QStringLiteral("No settings were predicted. ") + Text(prediction.reason));
        return;
    }
    if (!RoomFor(1)) return;
    const std::optional<MisreadRow> flagged = FlaggedNeighbour(prediction, m_model.Misread());
    const std::size_t at = prediction.below + 1;
    m_history.Insert(at, {std::move(prediction.row)});
    SelectRow(at);
    if (flagged) {
        const std::size_t neighbour = flagged->row < at ? flagged->row : flagged->row + 1;
        m_dialogs.ShowMessage(
            this, QStringLiteral("The predicted row lies beside row %1, which is likely misread: check its "
                                 "settings, and predict again once they are right.")
                      .arg(neighbour + 1));
    }
}

std::size_t BandPage::InsertionRow() const {
    const auto current = SelectedRow();
    return current ? *current + 1 : m_model.RowCount();
}

bool BandPage::RoomFor(std::size_t rows) {
    if (m_model.RowCount() + rows <= kMostBandRows) return true;
    m_dialogs.ShowMessage(this, QStringLiteral("A band table holds at most %1 rows.").arg(kMostBandRows));
    return false;
}

void BandPage::onAddRow() {
    if (!Changeable() || !RoomFor(1)) return;
    m_history.Insert(InsertionRow(), {BandRowFromEntries(m_entries)});
}

void BandPage::onDeleteRows() {
    if (!Changeable()) return;
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : m_tableView->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    if (rows.empty() && SelectedRow()) rows.push_back(*SelectedRow());
    m_history.Remove(std::move(rows));
}

void BandPage::onSortByFrequency() {
    if (Changeable()) m_history.SortByFrequency();
}

void BandPage::onPaste() { PasteRows(QApplication::clipboard()->text()); }

void BandPage::onCopyRows() {
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : m_tableView->selectionModel()->selectedRows())
        rows.push_back(static_cast<std::size_t>(index.row()));
    if (rows.empty() && SelectedRow()) rows.push_back(*SelectedRow());
    if (rows.empty()) return;
    std::ranges::sort(rows);
    QApplication::clipboard()->setText(QString::fromStdString(CopiedRows(m_model.Table(), rows)));
}

void BandPage::PasteRows(const QString& text) {
    if (!Changeable()) return;
    BandRead read = PastedRows(text.toStdString());
    if (!read.Ok()) {
        m_dialogs.ShowMessage(this, QStringLiteral("The pasted rows were not added: ") + Text(read.error));
        return;
    }
    const std::size_t count = read.table.rows.size();
    if (count == 0) {
        m_dialogs.ShowMessage(this, QStringLiteral("The clipboard holds no rows to add."));
        return;
    }
    if (!RoomFor(count)) return;
    m_history.Insert(InsertionRow(), std::move(read.table.rows));
}

void BandPage::onOpenTable() {
    if (!Changeable()) return;
    const QString chosen = m_dialogs.AskOpenFileName(
        this, QStringLiteral("Open Band Table"), QStringLiteral("Band tables (*.csv *.txt);;All files (*)"));
    if (chosen.isEmpty()) return;
    const std::string path = chosen.toStdString();
    BandRead read = ReadBandTableFile(path);
    if (!read.Ok()) {
        m_dialogs.ShowMessage(this, Text("The band table " + path + " was not read. " + read.error));
        return;
    }
    // The rows it replaces stay within reach: in a backup file and one undo away.
    std::string kept;
    if (m_model.RowCount() > 0) {
        const Backup backup = KeepBandTableAsBackup(m_model.Table());
        kept = backup.Made() ? "The table you had is kept as " + backup.name + "; Ctrl+Z brings it back."
                             : "The table you had could not be kept as a backup (" + backup.reason +
                                   "); Ctrl+Z brings it back.";
    }
    m_history.Replace(std::move(read.table));
    if (!kept.empty()) m_dialogs.ShowMessage(this, Text(kept));
}

QString BandPage::AskSaveName(const QString& title, const QString& filter, const QString& suffix) {
    return m_dialogs.AskSaveFileName(this, title, filter, suffix);
}

void BandPage::ReportIfFailed(const WriteResult& result) {
    if (result.Failed()) m_dialogs.ShowMessage(this, Text(result.message));
}

void BandPage::onSaveTable() {
    const QString chosen = AskSaveName(QStringLiteral("Save Band Table"),
                                       QStringLiteral("Band tables (*.csv)"), QStringLiteral("csv"));
    if (chosen.isEmpty()) return;
    const WriteResult result = WriteBandTableFile(chosen.toStdString(), m_model.Table());
    ReportIfFailed(result);
    if (!result.Failed()) m_changesSaved = m_changes;
}

void BandPage::onSaveTouchstone() {
    const BandTable& table = m_model.Table();
    const std::vector<float> impedances = BandImpedances(table);
    float reference = impedances.empty() ? kFallbackImpedance : impedances.front();
    // What keeps the rows from making a file is told before any name is asked for.
    const BandTouchstone check = BandTouchstoneOf(table, m_model.Results(), reference);
    if (!check.problem.empty()) {
        m_dialogs.ShowMessage(this, Text("No Touchstone file was written: " + check.problem + "."));
        return;
    }
    if (impedances.size() > 1) {
        QStringList choices;
        for (const float impedance : impedances)
            choices << Text(PlainText(impedance) + " ohms");
        const int picked = m_dialogs.AskChoice(
            this,
            QStringLiteral("The rows have different system impedances. Which one should the file refer to?"),
            choices);
        if (picked < 0) return;
        reference = impedances[static_cast<std::size_t>(picked)];
    }
    const QString chosen =
        AskSaveName(QStringLiteral("Save Touchstone File"),
                    QStringLiteral("Touchstone one-port files (*.s1p)"), QStringLiteral("s1p"));
    if (!chosen.isEmpty())
        ReportIfFailed(WriteBandTouchstone(chosen.toStdString(), table, m_model.Results(), reference));
}

void BandPage::onSaveResultsCsv() {
    const QString chosen = AskSaveName(QStringLiteral("Save Band Results"),
                                       QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"));
    if (!chosen.isEmpty())
        ReportIfFailed(
            WriteBandCsv(chosen.toStdString(), BandResultRows(m_model.Table(), m_model.Results())));
}

void BandPage::onSavePicture() {
    const QStringList types{QStringLiteral("PNG picture of the page (*.png)"),
                            QStringLiteral("SVG drawing of the page (*.svg)")};
    const UserDialogs::SaveChoice choice = m_dialogs.AskSaveAs(this, QStringLiteral("Save as"), types);
    if (choice.fileName.isEmpty()) return;
    DisplayList picture;
    const int firstRow = std::max(0, m_tableView->rowAt(0));
    DrawBandPicture(picture, m_model.Table(), m_model.Results(), static_cast<std::size_t>(firstRow), m_scene,
                    m_view);
    // Twice the window's pixels: sharp when printed or shown on a denser screen.
    const QSize pixels = PicturePixels(size());
    const std::string path = choice.fileName.toStdString();
    ReportIfFailed(choice.type == 1 ? WritePageSvg(path, picture, kWindowPage, pixels, kPaperColour)
                                    : WritePagePng(path, picture, kWindowPage, pixels, kPaperColour));
}

void BandPage::onEntries() {
    StopAreas();
    WriteKeptTable();
    OfferToSaveUnkeptTable();
    m_hoverLabel->hide();
    m_navigation.ShowEntriesPage();
    Unload();
}

void BandPage::mousePressEvent(QMouseEvent* event) {
    const QPointF page = ToPage(event->position());
    if (event->button() == Qt::LeftButton && InChart(page)) {
        m_pressedAt = page;
        m_draggedTo = page;
        m_dragging = false;
    }
    PageWindow::mousePressEvent(event);
}

void BandPage::mouseMoveEvent(QMouseEvent* event) {
    const QPointF page = ToPage(event->position());
    if (m_pressedAt && (event->buttons() & Qt::LeftButton)) {
        const double pixels =
            Mapping().Length(std::hypot(page.x() - m_pressedAt->x(), page.y() - m_pressedAt->y()));
        if (pixels >= QApplication::startDragDistance()) m_dragging = true;
        if (m_dragging) {
            PanBandView(m_view, static_cast<float>(page.x() - m_draggedTo.x()),
                        static_cast<float>(page.y() - m_draggedTo.y()));
            m_draggedTo = page;
            m_hoverLabel->hide();
            DrawScene();
        }
        return;
    }
    ShowHover(page);
}

void BandPage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_pressedAt && !m_dragging) {
        if (const auto point = PointNear(m_drawn, ToPagePoint(*m_pressedAt), kPickReach))
            SelectRow(m_scene.points[*point].row);
    }
    m_pressedAt.reset();
    m_dragging = false;
    PageWindow::mouseReleaseEvent(event);
}

void BandPage::mouseDoubleClickEvent(QMouseEvent* event) {
    if (InChart(ToPage(event->position()))) {
        m_view = HomeBandView();
        DrawScene();
    }
}

void BandPage::wheelEvent(QWheelEvent* event) {
    const QPointF page = ToPage(event->position());
    if (!InChart(page)) return;
    ZoomBandView(m_view, ToPagePoint(page), std::pow(kZoomPerNotch, event->angleDelta().y() / 120.0));
    DrawScene();
    ShowHover(page);
    event->accept();
}

void BandPage::leaveEvent(QEvent* event) {
    m_hoverLabel->hide();
    PageWindow::leaveEvent(event);
}

void BandPage::ShowHover(const QPointF& page) {
    const auto point = InChart(page) ? PointNear(m_drawn, ToPagePoint(page), kHoverReach) : std::nullopt;
    if (!point) {
        m_hoverLabel->hide();
        return;
    }
    const auto lines = PointTexts(m_scene.points[*point]);
    const Font& font = kHoverFont;
    double width = 0;
    for (const std::string& line : lines)
        width = std::max(width, vorelin::TextWidth(font, line));
    width += 200;
    const double height = vorelin::LineSpacing(font) * static_cast<double>(lines.size()) + 120;
    // Beside the pointer, turned back where it would leave the chart.
    double left = page.x() + 150, top = page.y() + 150;
    if (left + width > static_cast<double>(kBandChartArea.right)) left = page.x() - 150 - width;
    if (top + height > static_cast<double>(kBandChartArea.bottom)) top = page.y() - 150 - height;
    m_hoverLabel->setText(Text(lines[0] + "\n" + lines[1] + "\n" + lines[2]));
    Place(m_hoverLabel, {left, top, width, height}, kHoverFont);
    m_hoverLabel->show();
    m_hoverLabel->raise();
}

} // namespace vorelin
