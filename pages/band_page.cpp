#include "pages/band_page.h"

#include "core/band_paste.h"
#include "core/band_prediction_step.h"
#include "core/number_text.h"
#include "core/tolerance_sweep.h"
#include "files/band_workflow.h"
#include "graphics/text_metrics.h"
#include "pages/band_grid.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/user_dialogs.h"
#include "render/page_pictures.h"
#include "render/vector_state.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace vorelin {

namespace {

constexpr Colour kHoverBackground = 0xE1FFFF;
const PageFont kTableFont{"Arial", ScreenFont(0.0008), false};
const PageFont kHoverFont{"Arial", ScreenFont(0.0008), false};
// How near the pointer must come to a mark to pick it or to tell about it (page units).
constexpr float kPickReach = 250;
constexpr float kHoverReach = 400;
// The wheel enlarges the chart by this much per notch (120 units of angle).
constexpr double kZoomPerNotch = 1.2;

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

constexpr Colour kNoteText = 0x0000CC; // red, as a row's problem
// Right of the title, over the table: in sight whenever the table is.
constexpr QRectF kNotePlace{7400, 250, 4300, 620};

QString AreasText(int percent, bool computing) {
    return QStringLiteral("Tolerance areas at %1 %%2")
        .arg(percent)
        .arg(computing ? QStringLiteral(": computing…") : QString());
}

} // namespace

BandPage::BandPage(const Entries& entries, UserDialogs& dialogs, Navigation& navigation)
    : PageWindow(0xFFFFFF), m_entries(entries), m_dialogs(dialogs), m_navigation(navigation) {
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

    m_hoverLabel = MakeLabel(this, "hoverLabel", QString(), {kHoverBackground});
    m_hoverLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_hoverLabel->setMargin(2);
    m_hoverLabel->hide();

    m_noteLabel =
        MakeLabel(this, "noteLabel", QString(), {std::nullopt, kNoteText, Qt::AlignRight | Qt::AlignVCenter});
    m_noteLabel->setWordWrap(true);
    m_noteLabel->hide();
    m_takeOverTimer = new QTimer(this);
    m_takeOverTimer->setInterval(kTakeOverMilliseconds);
    connect(m_takeOverTimer, &QTimer::timeout, this, &BandPage::onTakeOverTimer);
    // The page hears no move when the pointer goes straight from the chart onto a control (the
    // grid, a button): each control tells the page when the pointer enters it.
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control != m_hoverLabel) control->installEventFilter(this);
    }
}

bool BandPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) m_hoverLabel->hide();
    return PageWindow::eventFilter(watched, event);
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
        if (QWidget* control = findChild<QWidget*>(Text(place.name)))
            Place(control, {place.left, place.top, place.width, place.height},
                  {place.font.family.c_str(), place.font.size, place.font.bold});
    }
    resizeEvent(nullptr);
}

void BandPage::resizeEvent(QResizeEvent* event) {
    if (event != nullptr) PageWindow::resizeEvent(event);
    m_grid->Scale([this](float units) { return static_cast<int>(std::lround(Mapping().Length(units))); });
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
    m_history.Clear();
    ShowNote();
    // Told once, when the page stands on the screen.
    if (!start.message.empty())
        QTimer::singleShot(0, this, [this, message = std::move(start.message)] { Tell(message); });
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
    m_grid->SetChangeable(changeable);
}

void BandPage::onRowsChanged() {
    if (!m_readingKeptFile && m_kept) {
        m_kept->Changed();
        WriteKeptTable();
    }
    m_grid->ShowReasonSpans();
    StartAreas();
    DrawScene();
}

void BandPage::WriteKeptTable() {
    if (!m_kept) return;
    const std::string message = m_kept->Keep(m_model.Table());
    ShowNote();
    // Every edit writes: the same failure again is not told twice, the note stays meanwhile.
    if (!message.empty()) Tell(message);
}

void BandPage::ShowNote() {
    const QString note = Text(m_kept ? m_kept->Note(m_model.RowCount() > 0) : std::string());
    m_noteLabel->setText(note);
    m_noteLabel->setVisible(!note.isEmpty());
}

void BandPage::OfferToSaveUnkeptTable() {
    const std::string question =
        m_kept ? m_kept->SaveElsewhereQuestion(m_model.RowCount() > 0) : std::string();
    if (!question.empty() && m_dialogs.AskYesNo(this, Text(question), QStringLiteral("Save table as…"),
                                                QStringLiteral("Don't save")))
        onSaveTable();
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
    m_scene = MakeBandSceneModel(m_model.Table(), m_model.Results(), m_model.Areas(), SelectedRow(),
                                 m_model.Misread());
    ClearPage();
    m_drawn = DrawBandScene(Drawing(), m_scene, m_view);
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
    m_dialogs.ShowMessage(this, QStringLiteral("A band table holds at most %1 rows.").arg(kMostBandRows));
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
    if (!rows.empty()) QApplication::clipboard()->setText(Text(CopiedRows(m_model.Table(), rows)));
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
    const QString chosen = m_dialogs.AskOpenFileName(
        this, QStringLiteral("Open Band Table"), QStringLiteral("Band tables (*.csv *.txt);;All files (*)"));
    if (chosen.isEmpty()) return;
    BandRead read = ReadNamedBandTable(chosen.toStdString());
    if (!read.Ok()) return Tell(read.error);
    // The rows it replaces stay within reach: in a backup file and one undo away.
    const std::string kept = m_model.RowCount() > 0 ? KeepReplacedTable(m_model.Table()) : std::string();
    m_history.Replace(std::move(read.table));
    if (!kept.empty()) Tell(kept);
}

void BandPage::Tell(const std::string& message) { m_dialogs.ShowMessage(this, Text(message)); }

void BandPage::ReportIfFailed(const WriteResult& result) {
    if (result.Failed()) Tell(result.message);
}

void BandPage::onSaveTable() {
    const QString chosen =
        m_dialogs.AskSaveFileName(this, QStringLiteral("Save Band Table"),
                                  QStringLiteral("Band tables (*.csv)"), QStringLiteral("csv"));
    if (chosen.isEmpty()) return;
    const WriteResult result = WriteNamedBandTable(chosen.toStdString(), m_model.Table());
    ReportIfFailed(result);
    if (!result.Failed()) m_kept->SavedElsewhere();
}

void BandPage::onSaveTouchstone() {
    const BandTable& table = m_model.Table();
    const std::vector<float> impedances = BandImpedances(table);
    BandExports exports{{}, impedances.empty() ? kFallbackImpedance : impedances.front(), {}};
    // What keeps the rows from making a file is told before any name is asked for.
    if (const std::string problem = BandTouchstoneProblem(table, m_model.Results(), exports.reference);
        !problem.empty())
        return Tell(problem);
    if (impedances.size() > 1) {
        QStringList choices;
        for (const float impedance : impedances)
            choices << Text(PlainText(impedance) + " ohms");
        const int picked = m_dialogs.AskChoice(
            this,
            QStringLiteral("The rows have different system impedances. Which one should the file refer to?"),
            choices);
        if (picked < 0) return;
        exports.reference = impedances[static_cast<std::size_t>(picked)];
    }
    exports.touchstonePath =
        m_dialogs
            .AskSaveFileName(this, QStringLiteral("Save Touchstone File"),
                             QStringLiteral("Touchstone one-port files (*.s1p)"), QStringLiteral("s1p"))
            .toStdString();
    if (!exports.touchstonePath.empty()) ReportIfFailed(WriteBandExports(exports, table, m_model.Results()));
}

void BandPage::onSaveResultsCsv() {
    BandExports exports;
    exports.csvPath = m_dialogs
                          .AskSaveFileName(this, QStringLiteral("Save Band Results"),
                                           QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"))
                          .toStdString();
    if (!exports.csvPath.empty())
        ReportIfFailed(WriteBandExports(exports, m_model.Table(), m_model.Results()));
}

void BandPage::onSavePicture() {
    const QStringList types{QStringLiteral("PNG picture of the page (*.png)"),
                            QStringLiteral("SVG drawing of the page (*.svg)")};
    const UserDialogs::SaveChoice choice = m_dialogs.AskSaveAs(this, QStringLiteral("Save as"), types);
    if (choice.fileName.isEmpty()) return;
    DisplayList picture;
    const int firstRow = std::max(0, m_grid->rowAt(0));
    DrawBandPicture(picture, m_model.Table(), m_model.Results(), static_cast<std::size_t>(firstRow), m_scene,
                    m_view);
    // Twice the window's pixels: sharp when printed or shown on a denser screen.
    const QSize pixels = size() * 2;
    const std::string path = choice.fileName.toStdString();
    ReportIfFailed(choice.type == 1 ? WritePageSvg(path, picture, kWindowPage, pixels, 0xFFFFFF)
                                    : WritePagePng(path, picture, kWindowPage, pixels, 0xFFFFFF));
}

void BandPage::onEntries() {
    m_areas.Stop();
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
    const Font font{kHoverFont.family, kHoverFont.size, kHoverFont.bold};
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
