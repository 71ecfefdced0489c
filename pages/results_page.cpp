#include "pages/results_page.h"

#include "core/engineering_value.h"
#include "core/number_text.h"
#include "core/readout.h"
#include "core/tolerance_sweep.h"
#include "core/topology.h"
#include "files/defaults_file.h"
#include "files/local_date_time.h"
#include "files/network_file.h"
#include "graphics/chart_grid.h"
#include "graphics/load_marks.h"
#include "graphics/schematic.h"
#include "pages/navigation.h"
#include "pages/page_controls.h"
#include "pages/page_looks.h"
#include "pages/user_dialogs.h"
#include "pages/vector_state.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace vorelin {

namespace {

constexpr Colour kLabelGrey = 0xE0E0E0;
constexpr Colour kRegionGreen = 0x66CC00;
constexpr Colour kNominalRed = 0x111188;
constexpr std::int16_t kRegionDotRadius = 20;
constexpr std::int16_t kLoadDotRadius = 50;
constexpr float kLoadTextTop = 3200;
constexpr float kLoadLineTop = 3400;

const PageFont kPageTextFont{"Arial", ScreenFont(0.0008), false};
const PageFont kReadoutFont{"Arial", PointFont(12), false};
const PageFont kPartFont{"MS Sans Serif", PointFont(12), false};
const PageFont kSmallButtonFont{"Arial", ScreenFont(0.0006), false};

constexpr std::array<int, 5> kAccuracyPercents{1, 2, 5, 10, 20};
constexpr std::array<const char*, 5> kAccuracyNames{"cmd1", "cmd2", "cmd5", "cmd10", "cmd20"};
constexpr std::array<double, 5> kAccuracyLefts{2600, 3200, 3800, 4400, 5000};

// The part labels, in the order lblC1, lblC2, lblC3, lblL1, lblL2, lblL3, with their default Lefts.
constexpr std::array<std::string_view, 6> kPartNames{"C1", "C2", "C3", "L1", "L2", "L3"};
constexpr std::array<double, 6> kPartDefaultLefts{2200, 2600, 2200, 2200, 2200, 3700};
constexpr double kPartLabelWidth = 2500;
constexpr double kPartLabelHeight = 330;
constexpr double kPartLabelMargin = 120;

struct PartPlace {
    std::string_view name;
    double left;
    double top;
};

// Where a topology's part labels go: above the top rail (series parts) or below the ground rail.
std::array<PartPlace, 3> PartPlaces(int topology) {
    switch (topology) {
    case 1:
        return {{{"L1", 2200, 1600}, {"C2", 2600, 3200}, {}}};
    case 2:
        return {{{"C1", 2200, 3200}, {"L2", 2800, 1600}, {}}};
    case 3:
        return {{{"L1", 2200, 3200}, {"C2", 2100, 1600}, {}}};
    case 4:
        return {{{"C1", 2100, 1600}, {"L2", 2300, 3200}, {}}};
    case 5:
        return {{{"L1", 2200, 1600}, {"C2", 2800, 3200}, {"L3", 3700, 1600}}};
    case 6:
        return {{{"C1", 2100, 1600}, {"L2", 2300, 3200}, {"C3", 3000, 1600}}};
    case 7:
        return {{{"C1", 2200, 3200}, {"L2", 2900, 1600}, {"C3", 3400, 3200}}};
    case 8:
        return {{{"L1", 2100, 3200}, {"C2", 2600, 1600}, {"L3", 3100, 3200}}};
    default:
        return {};
    }
}

std::size_t PartIndex(std::string_view name) {
    for (std::size_t i = 0; i < kPartNames.size(); ++i) {
        if (kPartNames[i] == name) return i;
    }
    return 0;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

} // namespace

ResultsPage::ResultsPage(Session& session, UserDialogs& dialogs, Navigation& navigation)
    : PageWindow(0xFFFFFF), m_session(session), m_dialogs(dialogs), m_navigation(navigation) {
    setObjectName(QStringLiteral("frmResults"));
    setWindowTitle(QStringLiteral("Vorelin - Results page"));
    MakeControls();
}

void ResultsPage::MakeControls() {
    m_lblTitle = MakeLabel(this, "lblTitle", QStringLiteral("Vorelin - Results Page"),
                           {std::nullopt, kPageTitleColour});
    m_lblNormalized =
        MakeLabel(this, "lblNormalized", QString(), {0xEEEEFF, 0, Qt::AlignHCenter | Qt::AlignTop});
    m_lblNetwork = MakeLabel(this, "lblNetwork", QStringLiteral("Network:"), {kLabelGrey});
    m_lblLoad = MakeLabel(this, "lblLoad", QStringLiteral("Load:"), {kLabelGrey});
    for (std::size_t i = 0; i < m_partLabels.size(); ++i) {
        const std::string name = "lbl" + std::string(kPartNames[i]);
        m_partLabels[i] = MakeLabel(this, name.c_str(), QString(), {kLabelGrey});
    }
    m_lblReactance = MakeLabel(this, "lblReactance", QString(), {});
    m_lblResistance = MakeLabel(this, "lblResistance", QString(), {});
    m_lblComment =
        MakeLabel(this, "lblComment",
                  QStringLiteral("Adjust the network for a flat input. Then measure each of the network's "
                                 "component values and enter those values into the network schematic on "
                                 "the Entries page. The load will appear somewhere within the colored "
                                 "area. That area is defined by the above-selected accuracy of the "
                                 "component value measurement."),
                  {0xFFFFFF, 0, Qt::AlignLeft | Qt::AlignTop, true});

    m_cmdAccuracy = MakeButton(this, "cmdAccuracy", QStringLiteral("Accuracy"), kPageButtonColour);
    connect(m_cmdAccuracy, &QPushButton::clicked, this, [this] { cmdAccuracy_Click(); });
    for (std::size_t i = 0; i < kAccuracyPercents.size(); ++i) {
        const int percent = kAccuracyPercents[i];
        m_accuracyButtons[i] =
            MakeButton(this, kAccuracyNames[i], QString::number(percent) + '%', kPageButtonColour);
        connect(m_accuracyButtons[i], &QPushButton::clicked, this,
                [this, percent] { AccuracyButton_Click(percent); });
    }

    const auto button = [this](const char* name, const QString& caption, void (ResultsPage::*handler)()) {
        QPushButton* made = MakeButton(this, name, caption, kPageButtonColour);
        connect(made, &QPushButton::clicked, this, handler);
        return made;
    };
    button("cmdEntries", QStringLiteral("Entries"), &ResultsPage::cmdEntries_Click);
    button("cmdPrint", QStringLiteral("Send to printer"), &ResultsPage::cmdPrint_Click);
    button("cmdWriteNet", QStringLiteral("Send to Plotwin"), &ResultsPage::cmdWriteNet_Click);
    button("cmdExit", QStringLiteral("Exit"), &ResultsPage::cmdExit_Click);

    m_lblAspect = MakeLabel(this, "lblAspect", QStringLiteral("Aspect  ratio: "),
                            {std::nullopt, 0, Qt::AlignRight | Qt::AlignVCenter});
    m_txtAspect = MakeTextBox(this, "txtAspect");
    m_txtAspect->setText(QStringLiteral("1.0"));
    m_txtAspectEntry = MakeTextBox(this, "txtAspectEntry", 0xFFFFC0);
    m_txtAspectEntry->hide();
    m_upDown1 = new UpDown(this, "UpDown1", *m_txtAspectEntry, 50, 150);
    m_upDown1->SetChangeHandler([this] { UpDown1_Change(); });
    connect(m_txtAspect, &QLineEdit::textChanged, this, [this] { txtAspect_Change(); });
    // While the user types, the box keeps what is typed; when the typing ends it shows the ratio.
    connect(m_txtAspect, &QLineEdit::editingFinished, this,
            [this] { m_txtAspect->setText(Text(SignedText(m_session.AspectRatio))); });

    const auto viewButton = [this](const char* name, const QString& caption, void (ResultsPage::*handler)()) {
        QPushButton* made = MakeButton(this, name, caption, 0xFFFFFF);
        connect(made, &QPushButton::clicked, this, handler);
    };
    viewButton("cmdLarger", QStringLiteral("Larger"), &ResultsPage::cmdLarger_Click);
    viewButton("cmdSmaller", QStringLiteral("Smaller"), &ResultsPage::cmdSmaller_Click);
    viewButton("cmdReset", QStringLiteral("Reset"), &ResultsPage::cmdReset_Click);
    const auto arrow = [this](const char* name, Qt::ArrowType type, void (ResultsPage::*handler)()) {
        auto* made = new QToolButton(this);
        made->setObjectName(QString::fromLatin1(name));
        made->setArrowType(type);
        QPalette palette = made->palette();
        palette.setColor(QPalette::Button, ToColor(0xFFFFFF));
        made->setPalette(palette);
        connect(made, &QToolButton::clicked, this, handler);
    };
    arrow("cmdUp", Qt::UpArrow, &ResultsPage::cmdUp_Click);
    arrow("cmdLeft", Qt::LeftArrow, &ResultsPage::cmdLeft_Click);
    arrow("cmdRight", Qt::RightArrow, &ResultsPage::cmdRight_Click);
    arrow("cmdDown", Qt::DownArrow, &ResultsPage::cmdDown_Click);
}

void ResultsPage::Load() {
    Drawing().SetFont(Font{kPageTextFont.family, kPageTextFont.size, false});

    Place(m_lblTitle, kPageTitlePlace, kPageTitleFont);
    Place(m_cmdAccuracy, {1000, 5500, 1500, 300}, kPageButtonFont);
    for (std::size_t i = 0; i < m_accuracyButtons.size(); ++i) {
        Place(m_accuracyButtons[i], {kAccuracyLefts[i], 5500, 500, 300},
              {"Arial", ScreenFont(0.0008), false});
        m_accuracyButtons[i]->hide();
    }
    // The hint keeps its box; its type is made smaller where the whole text would not fit in it.
    const PageFont commentFont{"Arial", PointFont(9.75), false};
    const QSizeF commentBox(2100, 2500);
    Place(m_lblComment, {QPointF(3000, 6000), commentBox},
          {commentFont.family, FittingSize(commentFont, m_lblComment->text(), commentBox, PointFont(6)),
           false});
    m_lblComment->hide();
    Place(findChild<QPushButton*>(QStringLiteral("cmdEntries")), {1000, 6000, 1500, 300}, kPageButtonFont);
    Place(findChild<QPushButton*>(QStringLiteral("cmdPrint")), {1000, 6500, 1500, 300}, kPageButtonFont);
    Place(findChild<QPushButton*>(QStringLiteral("cmdWriteNet")), {1000, 7000, 1500, 300}, kPageButtonFont);
    Place(findChild<QPushButton*>(QStringLiteral("cmdExit")), {1000, 7500, 1500, 300}, kPageButtonFont);
    Place(m_lblAspect, {4500, 7330, 1500, 300}, kSmallButtonFont);
    Place(m_txtAspect, {6200, 7300, 400, 300}, {"Arial", ScreenFont(0.0007), false});
    Place(m_txtAspectEntry, {6700, 7300, 400, 200}, {"Arial", ScreenFont(0.0007), false});
    Place(m_upDown1, {6620, 7300, 180, 300});
    Place(findChild<QPushButton*>(QStringLiteral("cmdLarger")), {5400, 7700, 600, 200}, kSmallButtonFont);
    Place(findChild<QPushButton*>(QStringLiteral("cmdSmaller")), {6000, 7700, 600, 200}, kSmallButtonFont);
    Place(findChild<QPushButton*>(QStringLiteral("cmdReset")), {6600, 7700, 600, 200}, kSmallButtonFont);
    Place(findChild<QToolButton*>(QStringLiteral("cmdUp")), {5900, 8000, 200, 200}, kSmallButtonFont);
    Place(findChild<QToolButton*>(QStringLiteral("cmdLeft")), {5700, 8200, 200, 200}, kSmallButtonFont);
    Place(findChild<QToolButton*>(QStringLiteral("cmdRight")), {6100, 8200, 200, 200}, kSmallButtonFont);
    Place(findChild<QToolButton*>(QStringLiteral("cmdDown")), {5900, 8400, 200, 200}, kSmallButtonFont);
    Place(m_lblNetwork, {2200, 1200, 1500, 435}, kReadoutFont);
    Place(m_lblLoad, {m_readoutX, 1200, 1500, 405}, kReadoutFont);
    for (QLabel* label : m_partLabels)
        Place(label, {0, 0, kPartLabelWidth, kPartLabelHeight}, kPartFont);
    Place(m_lblReactance, {0, 0, 3400, 375}, kReadoutFont);
    Place(m_lblResistance, {0, 0, 2000, 375}, kReadoutFont);

    MoveCentreHome(m_view);
    ClearPage();
    DrawChart();
    m_session.DotColor = kLoadMarkBlue;
    m_session.DotRadius = kLoadDotRadius;
    if (m_lastResult == NetworkResult::Computed) PlotDot(Drawing(), m_session, m_view);

    Place(m_lblNormalized, {7000, 1500, 4000, 300}, kPageTextFont);
    m_lblNormalized->setText(QStringLiteral("Load as shown on a ") + Text(SignedText(m_session.Impedance)) +
                             QStringLiteral(" ohm chart:"));
    Redraw();
}

void ResultsPage::ShowResults() {
    ClearUpperVectorState();
    Surface& page = Drawing();
    page.SetPenWidth(2);
    Move(m_lblNetwork, 2200, 1200);

    for (std::size_t i = 0; i < m_partLabels.size(); ++i) {
        Move(m_partLabels[i], kPartDefaultLefts[i], 0);
        m_partLabels[i]->hide();
    }
    const auto parts = PartsOf(m_session.Topology);
    const auto places = PartPlaces(m_session.Topology);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        QLabel* label = m_partLabels[PartIndex(parts[i].name)];
        label->setText(Text(PartLabel(m_session, parts[i])));
        // At most as wide as designed, but no wider than its text: the grey box of a label must
        // not cover its neighbour or the red load line drawn on the page beside it.
        const double width =
            std::min(kPartLabelWidth, TextWidth(kPartFont, label->text()) + kPartLabelMargin);
        Place(label, {places[i].left, places[i].top, width, kPartLabelHeight}, kPartFont);
        label->show();
    }

    // The network runs before the schematic is drawn: the load's lead-in follows the sign of LoadX.
    m_lastResult = RunNetwork(m_session);
    const bool computed = m_lastResult == NetworkResult::Computed;
    Session drawn = m_session;
    if (!computed) drawn.LoadX = 0; // no reactance to show for a load that was not found
    const ResultsSchematicEnds ends = DrawResultsSchematic(page, drawn);
    m_readoutX = ends.networkEndX + 200;
    // The "Load:" heading stands over the readout column of this drawing.
    Move(m_lblLoad, m_readoutX, 1200);

    if (computed) {
        m_session.ReactancePartText = EquivalentPartText(m_session);
        m_session.ValueText = ReactanceLabel(m_session);
        m_lblReactance->setText(Text(m_session.ValueText));
        m_session.ValueText = ResistanceLabel(m_session);
        m_lblResistance->setText(Text(m_session.ValueText));
    } else {
        m_lblReactance->setText(Text(std::string(kLoadNotComputable)));
        m_lblResistance->setText(QString());
    }
    Move(m_lblReactance, m_readoutX, kResultsSchematicY - 400);
    Move(m_lblResistance, ends.loadX + 100, kResultsSchematicY + 400);

    page.SetTextColour(0x0000FF);
    page.MoveTo(m_readoutX + 100, kLoadTextTop);
    page.Print("Load:");
    m_session.ValueText = computed ? LoadLine(m_session) : std::string(kLoadLineNotComputable);
    page.MoveTo(m_readoutX + 100, kLoadLineTop);
    page.Print(m_session.ValueText);
    page.SetTextColour(0);

    ReadDefaults(m_session);
    m_txtAspectEntry->setText(
        Text(SignedText(static_cast<float>(static_cast<double>(m_session.AspectRatio) * 100))));
    SetAspectText(Text(SignedText(m_session.AspectRatio)));
    EnsureScale(m_view);
}

void ResultsPage::SetAspectText(const QString& text) {
    // The user's typing is not overwritten while it goes on ("1." would become " 1" before the
    // next digit could follow); when the typing ends, editingFinished shows the ratio.
    if (m_txtAspect->isModified()) return;
    m_txtAspect->setText(text);
}

void ResultsPage::DrawChart() {
    ShowResults();
    ClearUpperVectorState(); // the readout's labels ran Qt's text layout
    DrawGrid(Drawing(), m_session, m_view);
    Redraw();
}

void ResultsPage::DrawToleranceRegion() {
    ClearUpperVectorState();
    DisplayList& page = Drawing();
    m_session.DotColor = kRegionGreen;
    m_session.DotRadius = kRegionDotRadius;
    if (IsKnownTopology(m_session.Topology)) {
        // The varied loads are collected first and marked together, as PlotDot marks each one.
        m_regionLoads.clear();
        m_regionLoads.reserve(static_cast<std::size_t>(SweepCombinations(m_session)));
        const SweepSummary summary = SweepTolerance(m_session, [this](const SweepPoint& point) {
            if (!point.nominal) m_regionLoads.push_back({point.loadR, point.loadX});
        });
        page.Reserve(m_regionLoads.size() + 1);
        PlotDots(page, m_session, m_view, m_regionLoads, m_regionPagePoints);
        m_session.DotColor = kNominalRed;
        m_session.DotRadius = kLoadDotRadius;
        if (summary.nominal == NetworkResult::Computed) PlotDot(page, m_session, m_view);
    }
    DrawChart();
    if (m_lastResult == NetworkResult::Computed) PlotDot2(page, m_session, m_view);
    Redraw();
}

void ResultsPage::ViewChanged() {
    ClearPage();
    DrawChart();
    DrawToleranceRegion();
}

void ResultsPage::cmdLeft_Click() {
    Pan(m_view, PanDirection::Left);
    ViewChanged();
}

void ResultsPage::cmdRight_Click() {
    Pan(m_view, PanDirection::Right);
    ViewChanged();
}

void ResultsPage::cmdUp_Click() {
    Pan(m_view, PanDirection::Up);
    ViewChanged();
}

void ResultsPage::cmdDown_Click() {
    Pan(m_view, PanDirection::Down);
    ViewChanged();
}

void ResultsPage::cmdLarger_Click() {
    ZoomLarger(m_view);
    ViewChanged();
}

void ResultsPage::cmdSmaller_Click() {
    ZoomSmaller(m_view);
    ViewChanged();
}

void ResultsPage::cmdReset_Click() {
    ResetView(m_view);
    ViewChanged();
}

void ResultsPage::txtAspect_Change() {
    const TypedAspect typed = ClampTypedAspect(ParseValue(m_txtAspect->text().toStdString()));
    m_session.AspectRatio = typed.ratio;
    if (!typed.aspectText.empty()) {
        SetAspectText(
            QString::fromLatin1(typed.aspectText.data(), static_cast<qsizetype>(typed.aspectText.size())));
        m_txtAspectEntry->setText(
            QString::fromLatin1(typed.percentText.data(), static_cast<qsizetype>(typed.percentText.size())));
    }
    WriteDefaultsReporting();
    ClearPage();
    DrawChart();
}

void ResultsPage::UpDown1_Change() {
    m_session.AspectRatio = SpinnerAspectRatio(m_txtAspectEntry->text().toStdString());
    SetAspectText(Text(SignedText(m_session.AspectRatio)));
    WriteDefaultsReporting();
    ClearPage();
    DrawChart();
    if (m_lastResult == NetworkResult::Computed) PlotDot(Drawing(), m_session, m_view);
    Redraw();
}

void ResultsPage::WriteDefaultsReporting() {
    const WriteResult result = WriteDefaults(m_session);
    // The spinner writes at every step: a folder that cannot be written is told once.
    if (m_defaultsFailures.ShouldReport(result)) m_dialogs.ShowMessage(this, Text(result.message));
}

void ResultsPage::cmdAccuracy_Click() {
    for (QPushButton* button : m_accuracyButtons)
        button->show();
}

void ResultsPage::AccuracyButton_Click(int percent) {
    m_session.Accuracy = static_cast<float>(percent / 100.0);
    ClearPage();
    DrawToleranceRegion();
    m_lblComment->show();
}

void ResultsPage::cmdEntries_Click() {
    m_navigation.ShowEntriesPage();
    Unload();
}

void ResultsPage::cmdPrint_Click() { m_navigation.PrintReport(); }

void ResultsPage::cmdWriteNet_Click() {
    const QString chosen =
        m_dialogs.AskSaveFileName(this, QStringLiteral("Write Plotwin File"),
                                  QStringLiteral("Plotwin files (*.PWF)"), QStringLiteral("PWF"));
    m_session.FileName = chosen.toStdString();
    if (chosen.isEmpty()) return;
    // The file always gets the extension .PWF. When that is not the name the dialog confirmed,
    // an existing file of that name is not replaced without asking.
    const QString target = Text(BaseName(m_session.FileName) + ".PWF");
    if (target != chosen && QFileInfo::exists(target) && !m_dialogs.AskOverwrite(this, target)) return;
    const WriteResult result = WriteNetworkFile(m_session, m_session.FileName, CurrentDateTimeText());
    if (result.Failed()) m_dialogs.ShowMessage(this, Text(result.message));
}

void ResultsPage::cmdExit_Click() { m_navigation.ExitKeepingEntries(this); }

} // namespace vorelin
