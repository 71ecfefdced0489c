#include "pages/results_page.h"

#include "core/engineering_value.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/tolerance_sweep.h"
#include "files/defaults_file.h"
#include "files/load_csv.h"
#include "files/local_date_time.h"
#include "files/network_file.h"
#include "files/touchstone.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/report_printing.h"
#include "pages/user_dialogs.h"
#include "render/page_pictures.h"
#include "render/page_renderer.h"
#include "render/report_pdf.h"
#include "render/vector_state.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPageLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QToolButton>

namespace vorelin {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }
QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string AccuracyButtonName(int percent) { return "accuracy" + std::to_string(percent) + "Button"; }

} // namespace

ResultsPage::ResultsPage(const Entries& entries, Settings& settings, UserDialogs& dialogs,
                         Navigation& navigation)
    : PageWindow(kPaperColour), m_entries(entries), m_settings(settings), m_dialogs(dialogs),
      m_navigation(navigation) {
    setObjectName(QStringLiteral("resultsPage"));
    setWindowTitle(QStringLiteral("Vorelin - Results page"));
    MakeControls();
}

void ResultsPage::MakeControls() {
    const auto button = [this](const char* name, const QString& caption, auto handler) {
        QPushButton* made = MakeButton(this, name, caption, kPageButtonColour);
        connect(made, &QPushButton::clicked, this, handler);
        return made;
    };
    button("accuracyButton", QStringLiteral("Accuracy"), [this] { onShowAccuracies(); });
    for (std::size_t i = 0; i < kAccuracyPercents.size(); ++i) {
        const int percent = kAccuracyPercents[i];
        m_accuracyButtons[i] = button(AccuracyButtonName(percent).c_str(), QString::number(percent) + '%',
                                      [this, percent] { onAccuracy(percent); });
    }
    button("entriesButton", QStringLiteral("Entries"), [this] { onEntries(); });
    button("printButton", QStringLiteral("Send to printer"), [this] { onPrint(); });
    button("plotwinButton", QStringLiteral("Send to Plotwin"), [this] { onSendToPlotwin(); });
    button("exitButton", QStringLiteral("Exit"), [this] { onExit(); });
    button("saveAsButton", QStringLiteral("Save as\u2026"), [this] { onSaveAs(); });
    button("designButton", QStringLiteral("Design\u2026"), [this] { onDesign(); });
    button("systemButton", QStringLiteral("System\u2026"), [this] {
        m_navigation.ShowSystemPage();
        Unload();
    });
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, [this] { onCopy(); });

    m_aspectLabel = MakeLabel(this, "aspectLabel", QStringLiteral("Aspect  ratio: "),
                              {std::nullopt, 0, Qt::AlignRight | Qt::AlignVCenter});
    m_aspectBox = MakeTextBox(this, "aspectBox");
    m_aspectBox->setText(QStringLiteral("1.0"));
    m_aspectPercentBox = MakeTextBox(this, "aspectPercentBox", kEditBoxColour);
    m_aspectPercentBox->hide();
    m_aspectSpinner = new UpDown(this, "aspectSpinner", *m_aspectPercentBox, 50, 150);
    m_aspectSpinner->SetChangeHandler([this] { onAspectStepped(); });
    connect(m_aspectBox, &QLineEdit::textChanged, this, [this] { onAspectTyped(); });
    // While the user types, the box keeps what is typed; when the typing ends it shows the ratio.
    connect(m_aspectBox, &QLineEdit::editingFinished, this, [this] { onAspectTypingFinished(); });

    const auto viewButton = [this](const char* name, const QString& caption, auto handler) {
        QPushButton* made = MakeButton(this, name, caption, kPaperColour);
        connect(made, &QPushButton::clicked, this, handler);
    };
    viewButton("largerButton", QStringLiteral("Larger"), [this] { onLarger(); });
    viewButton("smallerButton", QStringLiteral("Smaller"), [this] { onSmaller(); });
    viewButton("resetButton", QStringLiteral("Reset"), [this] { onReset(); });
    const auto arrow = [this](const char* name, Qt::ArrowType type, PanDirection direction) {
        auto* made = new QToolButton(this);
        made->setObjectName(QString::fromLatin1(name));
        made->setArrowType(type);
        QPalette palette = made->palette();
        palette.setColor(QPalette::Button, ToColor(kPaperColour));
        made->setPalette(palette);
        connect(made, &QToolButton::clicked, this, [this, direction] { onPan(direction); });
    };
    arrow("upButton", Qt::UpArrow, PanDirection::Up);
    arrow("leftButton", Qt::LeftArrow, PanDirection::Left);
    arrow("rightButton", Qt::RightArrow, PanDirection::Right);
    arrow("downButton", Qt::DownArrow, PanDirection::Down);
}

void ResultsPage::PlaceControls() {
    for (const ControlPlace& place : ResultsControlPlaces()) {
        if (QWidget* control = findChild<QWidget*>(Latin1(place.name)))
            Place(control, {place.left, place.top, place.width, place.height}, place.font);
    }
}

void ResultsPage::Load() {
    PlaceControls();
    for (QPushButton* button : m_accuracyButtons)
        button->hide();
    m_hintShown = false;
    MoveCentreHome(m_view);
    m_mark = kLoadMark;
    DrawChart(ResultsDrawing::LoadMarked);
}

void ResultsPage::ShowResults() {
    if (!m_defaultsWriteFailed) ReadDefaults(m_settings);
    ShowAspectTexts(m_settings.AspectRatio);
    EnsureScale(m_view);
}

const LoadAnalysis& ResultsPage::CurrentAnalysis(bool withRegion) {
    const float accuracy = AccuracyFraction(m_accuracyPercent);
    // A view change leaves the load and its region as they were: they are worked out again only
    // when the entries or the accuracy change.
    const bool current = m_analysis.id != 0 && m_analysis.entries == m_entries;
    const bool regionKept = m_analysis.accuracy == accuracy;
    if (!current || (withRegion && !regionKept))
        m_analysis = AnalyseLoad(m_entries, withRegion ? std::optional(accuracy) : std::nullopt);
    return m_analysis;
}

LoadAnalysis ResultsPage::ReportAnalysis() {
    const LoadAnalysis& analysis = CurrentAnalysis(m_hintShown);
    return m_hintShown ? analysis : WithoutRegion(analysis);
}

void ResultsPage::DrawChart(ResultsDrawing drawing, bool viewOnly) {
    ShowResults();
    ClearUpperVectorState(); // the controls ran Qt's text layout
    const bool withRegion = drawing == ResultsDrawing::RegionChosen;
    CurrentAnalysis(withRegion);
    m_shown = {m_view, m_settings.AspectRatio, m_mark, drawing, m_hintShown};
    ClearPage();
    DrawResultsPage(Drawing(), m_analysis, m_shown, m_scratch);
    if (withRegion) m_mark = kNominalDot;
    // A view change changes the chart's area alone: the window paints only that afresh.
    viewOnly ? RedrawWithin(kResultsChartArea) : Redraw();
}

void ResultsPage::ShowAspectText(const QString& text) {
    m_showingAspectText = true;
    m_aspectBox->setText(text);
    m_showingAspectText = false;
}

void ResultsPage::ShowAspectTexts(float ratio) {
    m_aspectPercentBox->setText(Text(SignedText(static_cast<float>(static_cast<double>(ratio) * 100))));
    // The user's typing is not overwritten while it goes on ("1." would become " 1" before the
    // next digit could follow); when the typing ends, the box shows the ratio.
    if (!m_aspectBox->isModified()) ShowAspectText(Text(SignedText(ratio)));
}

void ResultsPage::ViewChanged() { DrawChart(ResultsDrawing::RegionChosen, true); }

void ResultsPage::onPan(PanDirection direction) {
    Pan(m_view, direction);
    ViewChanged();
}

void ResultsPage::onLarger() {
    ZoomLarger(m_view);
    ViewChanged();
}

void ResultsPage::onSmaller() {
    ZoomSmaller(m_view);
    ViewChanged();
}

void ResultsPage::onReset() {
    ResetView(m_view);
    ViewChanged();
}

namespace {

// A typed text below the smallest ratio that more typing may still turn into a ratio in range:
// "", "0", "0.", ".", "0.0". It is not applied yet, so that "0.8" can be typed.
bool StillBeingTyped(const QString& text) {
    static const QRegularExpression kZeroPrefix(QStringLiteral("^\\s*0*\\.?0*\\s*$"));
    return kZeroPrefix.match(text).hasMatch();
}

} // namespace

void ResultsPage::onAspectTyped() {
    if (m_showingAspectText) return;
    const QString text = m_aspectBox->text();
    if (m_aspectBox->isModified() && StillBeingTyped(text)) return;
    const TypedAspect typed = ClampTypedAspect(ParseValue(text.toStdString()));
    // A ratio held at a limit is shown at once, even while the user types: the box must not
    // show "2" beside a chart drawn at 1.5.
    if (!typed.aspectText.empty()) {
        ShowAspectText(Latin1(typed.aspectText));
        m_aspectBox->setModified(false);
        m_aspectPercentBox->setText(Latin1(typed.percentText));
    }
    ApplyAspectRatio(typed.ratio);
}

void ResultsPage::onAspectTypingFinished() {
    const TypedAspect typed = ClampTypedAspect(ParseValue(m_aspectBox->text().toStdString()));
    m_aspectBox->setModified(false);
    if (typed.ratio != m_settings.AspectRatio) {
        ApplyAspectRatio(typed.ratio);
    } else {
        ShowAspectTexts(m_settings.AspectRatio);
    }
}

void ResultsPage::onAspectStepped() {
    ApplyAspectRatio(SpinnerAspectRatio(m_aspectPercentBox->text().toStdString()));
}

// A new ratio holds for the whole run: it is written to the defaults file, and the page is
// redrawn with the load marked.
void ResultsPage::ApplyAspectRatio(float ratio) {
    m_settings.AspectRatio = ratio;
    WriteDefaultsReporting();
    DrawChart(ResultsDrawing::LoadMarked);
}

void ResultsPage::WriteDefaultsReporting() {
    const WriteResult result = WriteDefaults(m_settings);
    m_defaultsWriteFailed = result.Failed();
    // The spinner writes at every step: a folder that cannot be written is told once.
    if (m_defaultsFailures.ShouldReport(result)) m_dialogs.ShowMessage(this, Text(result.message));
}

void ResultsPage::onShowAccuracies() {
    for (QPushButton* button : m_accuracyButtons)
        button->show();
}

void ResultsPage::onAccuracy(int percent) {
    m_accuracyPercent = percent;
    m_hintShown = true;
    DrawToleranceRegion();
}

void ResultsPage::onEntries() {
    m_navigation.ShowEntriesPage();
    Unload();
}

// The report carries the ranges of the region the page shows, once an accuracy was chosen.
void ResultsPage::onPrint() {
    const std::vector<std::string> systemLines = m_systemLines ? m_systemLines() : std::vector<std::string>{};
    SendReportToPrinter(this, ReportAnalysis(), m_mark, m_dialogs, systemLines);
}

// The page as last drawn, drawn afresh for a picture.
DisplayList ResultsPage::PictureOfPage() {
    DisplayList picture;
    ResultsScratch scratch;
    DrawResultsPage(picture, CurrentAnalysis(m_shown.drawing != ResultsDrawing::LoadMarked), m_shown,
                    scratch);
    return picture;
}

// The page's picture and, beside it, its load and figures as text: a drawing program takes the
// one, a text editor or a spreadsheet the other.
void ResultsPage::onCopy() {
    auto* copied = new QMimeData; // the clipboard takes it
    copied->setImageData(RenderPage(PictureOfPage(), kWindowPage, PicturePixels(size()), kPaperColour));
    copied->setText(QString::fromStdString(ResultsText(CurrentAnalysis(), m_hintShown)));
    QGuiApplication::clipboard()->setMimeData(copied);
}

void ResultsPage::onSaveAs() {
    enum Type { Png, Svg, Pdf, Touchstone, Csv };
    const QStringList types{
        QStringLiteral("PNG picture of the page (*.png)"), QStringLiteral("SVG drawing of the page (*.svg)"),
        QStringLiteral("PDF report (*.pdf)"), QStringLiteral("Touchstone one-port file of the load (*.s1p)"),
        QStringLiteral("CSV of the tolerance area's loads (*.csv)")};
    const UserDialogs::SaveChoice choice = m_dialogs.AskSaveAs(this, QStringLiteral("Save as"), types);
    if (choice.fileName.isEmpty()) return;
    const std::string path = choice.fileName.toStdString();
    const NetworkRun run = CurrentAnalysis().run;
    WriteResult result;
    switch (choice.type) {
    case Png:
        result = WritePagePng(path, PictureOfPage(), kWindowPage, PicturePixels(size()), kPaperColour);
        break;
    case Svg:
        result = WritePageSvg(path, PictureOfPage(), kWindowPage, PicturePixels(size()), kPaperColour);
        break;
    case Pdf:
        result = WriteReportPdfFile(DrawnReport(ReportAnalysis(), CurrentDateTimeText(), m_mark,
                                                m_systemLines ? m_systemLines() : std::vector<std::string>{}),
                                    path, LocalPaper(), kReportPdfDotsPerInch);
        break;
    case Touchstone:
    case Csv:
        // Both files carry loads: without one there is nothing to write.
        if (!run.Computed()) {
            m_dialogs.ShowMessage(this, QString::fromStdString("The file " + path + " was not written: ") +
                                            Latin1(kLoadNotComputable).toLower());
            return;
        }
        if (choice.type == Touchstone) {
            const std::optional<float> accuracy =
                m_hintShown ? std::optional<float>(AccuracyFraction(m_accuracyPercent)) : std::nullopt;
            const TouchstonePoint point{m_entries.Frequency, run.load};
            result = WriteTouchstone(path, TouchstoneComments(m_entries, accuracy), m_entries.Impedance,
                                     std::span<const TouchstonePoint>(&point, 1));
        } else if (!m_hintShown) {
            m_dialogs.ShowMessage(this,
                                  QString::fromStdString("The file " + path +
                                                         " was not written: choose an accuracy first; the "
                                                         "file holds the loads of its tolerance area."));
            return;
        } else {
            result = WriteRegionCsv(path, CurrentAnalysis(true));
        }
        break;
    default:
        m_dialogs.ShowMessage(
            this, QString::fromStdString("The file " + path + " was not written: its type is not known."));
        return;
    }
    if (result.Failed()) m_dialogs.ShowMessage(this, Text(result.message));
}

void ResultsPage::onSendToPlotwin() {
    // The file carries the load: without one it would hand on an earlier load beside these entries.
    const NetworkRun run = CurrentAnalysis().run;
    if (!run.Computed()) {
        m_dialogs.ShowMessage(this, QStringLiteral("The Plotwin file was not written: ") +
                                        Latin1(kLoadNotComputable).toLower());
        return;
    }
    const QString chosen =
        m_dialogs.AskSaveFileName(this, QStringLiteral("Write Plotwin File"),
                                  QStringLiteral("Plotwin files (*.PWF)"), QStringLiteral("PWF"));
    if (chosen.isEmpty()) return;
    const std::string fileName = chosen.toStdString();
    // The file always gets the extension .PWF. When that is not the name the dialog confirmed,
    // an existing file of that name is not replaced without asking.
    const QString target = Text(BaseName(fileName) + ".PWF");
    if (target != chosen && QFileInfo::exists(target) && !m_dialogs.AskOverwrite(this, target)) return;
    const WriteResult result = WriteNetworkFile(m_entries, run.load, fileName, CurrentDateTimeText());
    if (result.Failed()) m_dialogs.ShowMessage(this, Text(result.message));
}

void ResultsPage::onDesign() {
    m_navigation.ShowDesignPage();
    Unload();
}

void ResultsPage::onExit() { m_navigation.ExitKeepingEntries(this); }

} // namespace vorelin
