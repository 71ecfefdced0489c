#include "core/networks.h"
#include "core/tolerance_sweep.h"
#include "files/start_up.h"
#include "graphics/chart_grid.h"
#include "graphics/chart_view.h"
#include "pages/page_controls.h"
#include "pages/program.h"
#include "pages/results_page.h"

#include "page_test_support.h"
#include "tests/support/sessions.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <bit>
#include <memory>

namespace vorelin {

using test::Bits;
using test::CirclesOf;

namespace {

constexpr Colour kRegionGreen = 0x66CC00;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kPortMarkColour = 0xFFCC11;

// The program on a session of the typical example: a pi network at 14.2 MHz.
struct Fixture : test::TestProgram {
    explicit Fixture(int topology = 7) : TestProgram(test::TypicalExample(topology)) {}
    ResultsPage& Page() { return program->Results(); }
    ResultsPage& Open() {
        program->ShowResultsPage();
        return Page();
    }
    template <class T> T* Control(const char* name) {
        return Page().findChild<T*>(QString::fromLatin1(name));
    }
    QString Caption(const char* name) { return Control<QLabel>(name)->text(); }
    void Click(const char* name) { TestProgram::Click(Page(), name); }
};

std::ptrdiff_t FirstIndex(const DisplayList& list, auto&& matches) {
    const auto& all = list.Primitives();
    const auto found = std::find_if(all.begin(), all.end(), matches);
    return found == all.end() ? -1 : found - all.begin();
}

} // namespace

class ResultsPageTest : public QObject {
    Q_OBJECT

private slots:
    void typicalExampleShowsItsReadout() {
        Fixture f;
        f.Open();
        QCOMPARE(f.Caption("lblReactance"), QStringLiteral("+j47.01322  ( 526.929 nH )"));
        QCOMPARE(f.Caption("lblResistance"), QStringLiteral("2.454566"));
        QCOMPARE(f.Caption("lblNormalized"), QStringLiteral("Load as shown on a  50 ohm chart:"));
        QCOMPARE(f.Caption("lblC1"), QStringLiteral("C1: 150 pF"));
        QCOMPARE(f.Caption("lblL2"), QStringLiteral("L2: 2.2 uH"));
        QCOMPARE(f.Caption("lblC3"), QStringLiteral("C3: 300 pF"));
        QVERIFY(!f.Control<QLabel>("lblL1")->isVisibleTo(&f.Page()));
        QCOMPARE(f.Page().windowTitle(), QStringLiteral("Vorelin - Results page"));
        QCOMPARE(f.Page().LastNetworkResult(), NetworkResult::Computed);

        // The load line under "Load:" is drawn on the page in red, then black again.
        const DisplayList& list = f.Page().Drawing();
        std::vector<std::string> texts;
        for (const Primitive& p : list.Primitives()) {
            if (p.op == Op::Text) texts.push_back(list.TextOf(p));
        }
        QVERIFY(std::find(texts.begin(), texts.end(), " 2.454566 +j47.01322") != texts.end());
        QVERIFY(std::find(texts.begin(), texts.end(), "Load:") != texts.end());
    }

    void drawingOrderIsSchematicGridMark() {
        Fixture f;
        f.Open();
        const DisplayList& list = f.Page().Drawing();
        const auto schematic =
            FirstIndex(list, [](const Primitive& p) { return p.colour == kPortMarkColour; });
        const auto grid = FirstIndex(list, [](const Primitive& p) { return p.colour == kGridLight; });
        const auto mark =
            FirstIndex(list, [](const Primitive& p) { return p.op == Op::Circle && p.colour == kBlue; });
        QVERIFY(schematic >= 0);
        QVERIFY(schematic < grid);
        QVERIFY(grid < mark);
        QCOMPARE(static_cast<std::size_t>(mark), list.Primitives().size() - 1);
        QCOMPARE(list.Primitives().back().radius, 50.0f);
        QCOMPARE(f.session.DotColor, kBlue);
    }

    void partLabelsStandByTopology() {
        const struct {
            int topology;
            const char* label;
            QRectF where;
        } kCases[] = {
            {5, "lblL1", {2200, 1600, 2500, 330}}, {5, "lblC2", {2800, 3200, 2500, 330}},
            {5, "lblL3", {3700, 1600, 2500, 330}}, {8, "lblL1", {2100, 3200, 2500, 330}},
            {8, "lblC2", {2600, 1600, 2500, 330}}, {8, "lblL3", {3100, 3200, 2500, 330}},
        };
        for (const auto& c : kCases) {
            Fixture f(c.topology);
            f.Open();
            const QRectF where = f.Page().PageRectOf(f.Control<QLabel>(c.label));
            QCOMPARE(where.topLeft(), c.where.topLeft());
            QCOMPARE(where.height(), c.where.height());
            // As wide as its text, at most the designed 2500.
            QVERIFY(where.width() > 1000 && where.width() <= c.where.width());
            QVERIFY(f.Control<QLabel>(c.label)->isVisibleTo(&f.Page()));
        }
    }

    void partLabelsLeaveTheLoadLineVisible() {
        // Topology 7: the designed 2500-wide box of C3 would cover "Load:" and the load line.
        Fixture f;
        f.Open();
        const DisplayList& list = f.Page().Drawing();
        double loadLeft = 0;
        for (const Primitive& p : list.Primitives()) {
            if (p.op == Op::Text && list.TextOf(p) == "Load:") loadLeft = static_cast<double>(p.x1);
        }
        QVERIFY(loadLeft > 0);
        QVERIFY(f.Page().PageRectOf(f.Control<QLabel>("lblC3")).right() < loadLeft);
    }

    void hintShowsItsWholeText() {
        Fixture f;
        f.Open();
        f.Click("cmdAccuracy");
        f.Page().AccuracyButton_Click(5);
        QLabel* hint = f.Control<QLabel>("lblComment");
        const QRect needed = hint->fontMetrics().boundingRect(QRect(0, 0, hint->width(), 100000),
                                                              Qt::TextWordWrap, hint->text());
        QVERIFY(needed.height() <= hint->height());
    }

    void zoomStopsAtItsLimits() {
        Fixture f;
        f.Open();
        for (int i = 0; i < 17; ++i)
            f.Click("cmdLarger");
        QCOMPARE(f.Page().View().ChartScale, 5.0f);
        QCOMPARE(f.Page().View().Zoom, 5.0f);
        f.Click("cmdReset");
        QCOMPARE(f.Page().View().ChartScale, 1.0f);
        for (int i = 0; i < 5; ++i)
            f.Click("cmdSmaller");
        QVERIFY(f.Page().View().Zoom > 0.6f);
        f.Click("cmdSmaller");
        QCOMPARE(f.Page().View().Zoom, 0.6f);
        QCOMPARE(f.Page().View().ChartScale, 0.6f);
    }

    void resetBringsTheViewHome() {
        Fixture f;
        f.Open();
        f.Click("cmdLarger");
        QTest::mouseClick(f.Control<QWidget>("cmdLeft"), Qt::LeftButton);
        QTest::mouseClick(f.Control<QWidget>("cmdUp"), Qt::LeftButton);
        QCOMPARE(f.Page().View().CentreX, 8500.0f);
        QCOMPARE(f.Page().View().CentreY, 4500.0f);
        f.Click("cmdReset");
        QCOMPARE(f.Page().View().CentreX, 9000.0f);
        QCOMPARE(f.Page().View().CentreY, 5000.0f);
        QCOMPARE(f.Page().View().ChartScale, 1.0f);
        QCOMPARE(f.Page().View().Zoom, 1.0f);
        // The zoom carries over to the next opening; the centre does not.
        f.Click("cmdLarger");
        QTest::mouseClick(f.Control<QWidget>("cmdRight"), Qt::LeftButton);
        f.Page().Unload();
        f.Open();
        QCOMPARE(f.Page().View().CentreX, 9000.0f);
        QCOMPARE(f.Page().View().ChartScale, 1.1f);
    }

    void typedAspectIsClampedAndKept() {
        const struct {
            const char* typed;
            float ratio;
            const char* aspect;
            const char* percent;
            QByteArray file;
        } kCases[] = {
            {"2", 1.5f, " 1.5", " 150", "1.5\r\n1000\r\n200\r\n"},
            {"0.2", 0.5f, " .5", " 50", "0.5\r\n1000\r\n200\r\n"},
            {"1.2", 1.2f, " 1.2", " 120", "1.2\r\n1000\r\n200\r\n"},
        };
        for (const auto& c : kCases) {
            Fixture f;
            f.Open();
            f.Control<QLineEdit>("txtAspect")->setText(QString::fromLatin1(c.typed));
            QCOMPARE(f.session.AspectRatio, c.ratio);
            QCOMPARE(f.Control<QLineEdit>("txtAspect")->text(), QString::fromLatin1(c.aspect));
            QCOMPARE(f.Control<QLineEdit>("txtAspectEntry")->text(), QString::fromLatin1(c.percent));
            QCOMPARE(f.folder.Read(QStringLiteral("Defaults.TXT")), c.file);
        }
    }

    void typingAnAspectIsNotOverwrittenUntilItEnds() {
        Fixture f;
        f.Open();
        QLineEdit* box = f.Control<QLineEdit>("txtAspect");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QStringLiteral("0.8"));
        QCOMPARE(box->text(), QStringLiteral("0.8"));
        QCOMPARE(f.session.AspectRatio, 0.8f);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->text(), QStringLiteral(" .8"));
        QCOMPARE(f.folder.Read(QStringLiteral("Defaults.TXT")), QByteArray("0.8\r\n1000\r\n200\r\n"));
    }

    void spinnerSetsTheRatioInPercent() {
        Fixture f;
        f.Open();
        f.Control<QLineEdit>("txtAspectEntry")->setText(QStringLiteral("74"));
        f.Page().findChild<UpDown*>(QStringLiteral("UpDown1"))->Step(+1);
        QCOMPARE(f.Control<QLineEdit>("txtAspectEntry")->text(), QStringLiteral(" 75"));
        QCOMPARE(f.session.AspectRatio, 0.75f);
        QCOMPARE(f.Control<QLineEdit>("txtAspect")->text(), QStringLiteral(" .75"));
        QCOMPARE(f.folder.Read(QStringLiteral("Defaults.TXT")), QByteArray("0.75\r\n1000\r\n200\r\n"));
        // The spinner's redraw ends with the load mark.
        QCOMPARE(f.Page().Drawing().Primitives().back().colour, kBlue);
        // The spinner stops at 150.
        f.Control<QLineEdit>("txtAspectEntry")->setText(QStringLiteral("150"));
        f.Page().findChild<UpDown*>(QStringLiteral("UpDown1"))->Step(+1);
        QCOMPARE(f.session.AspectRatio, 1.5f);
    }

    void regionCirclesFollowTheSweep() {
        const struct {
            int topology;
            int percent;
            std::size_t circles;
        } kCases[] = {{5, 1, 27}, {1, 20, 1681}};
        for (const auto& c : kCases) {
            Fixture f(c.topology);
            f.Open();
            f.Click("cmdAccuracy");
            const Session before = f.session;

            f.Page().AccuracyButton_Click(c.percent);

            const DisplayList& list = f.Page().Drawing();
            const auto circles = CirclesOf(list, kRegionGreen, 20);
            QCOMPARE(circles.size(), c.circles);
            // In the sweep's order, at the places the loads map to.
            Session copy = before;
            copy.Accuracy = static_cast<float>(c.percent / 100.0);
            std::vector<PagePoint> expected;
            const ChartFrame frame = ResultsFrame(copy, f.Page().View());
            SweepTolerance(copy, [&](const SweepPoint& p) {
                if (!p.nominal) expected.push_back(MapLoad(p.loadR, p.loadX, copy.Impedance, copy.Pi, frame));
            });
            QCOMPARE(expected.size(), circles.size());
            for (std::size_t i = 0; i < circles.size(); ++i) {
                QCOMPARE(Bits(circles[i].centreX), Bits(expected[i].x));
                QCOMPARE(Bits(circles[i].centreY), Bits(expected[i].y));
            }
            // Region circles, the nominal circle, the grid over them, then the final mark.
            QCOMPARE(CirclesOf(list, 0x111188, 50).size(), std::size_t{1});
            const auto nominal = FirstIndex(list, [](const Primitive& p) { return p.colour == 0x111188; });
            const auto grid = FirstIndex(list, [](const Primitive& p) { return p.colour == kGridLight; });
            QCOMPARE(nominal, static_cast<std::ptrdiff_t>(c.circles));
            QVERIFY(nominal < grid);
            QCOMPARE(list.Primitives().back().colour, Colour{0x0000FF});
            QVERIFY(f.Control<QLabel>("lblComment")->isVisibleTo(&f.Page()));
            // The entries and the load are as they were.
            const auto entriesAndLoad = [](const Session& s) {
                return std::array{Bits(s.C1), Bits(s.C2), Bits(s.C3),    Bits(s.L1),
                                  Bits(s.L2), Bits(s.L3), Bits(s.LoadR), Bits(s.LoadX)};
            };
            QVERIFY(entriesAndLoad(f.session) == entriesAndLoad(before));
        }
    }

    void narrowerAccuracyReplacesTheWiderRegion() {
        Fixture f(5);
        f.Open();
        f.Click("cmdAccuracy");
        f.Page().AccuracyButton_Click(20);
        QCOMPARE(CirclesOf(f.Page().Drawing(), kRegionGreen, 20).size(), std::size_t{68921});
        f.Page().AccuracyButton_Click(1);
        QCOMPARE(CirclesOf(f.Page().Drawing(), kRegionGreen, 20).size(), std::size_t{27});
        // A pan redraws the region of the current accuracy.
        QTest::mouseClick(f.Control<QWidget>("cmdLeft"), Qt::LeftButton);
        QCOMPARE(CirclesOf(f.Page().Drawing(), kRegionGreen, 20).size(), std::size_t{27});
    }

    void panBeforeAnyAccuracyDrawsOneGreenCircle() {
        Fixture f;
        f.Open();
        QTest::mouseClick(f.Control<QWidget>("cmdDown"), Qt::LeftButton);
        QCOMPARE(CirclesOf(f.Page().Drawing(), kRegionGreen, 20).size(), std::size_t{1});
        QCOMPARE(f.session.DotColor, Colour{0x111188});
        QCOMPARE(f.session.DotRadius, std::int16_t{50});
    }

    void exportWritesTheNetworkFile() {
        Fixture f;
        f.Open();
        f.dialogs.saveAnswer = f.folder.Path() + QStringLiteral("/net1.txt");
        f.Click("cmdWriteNet");
        QCOMPARE(f.dialogs.saveTitles, QStringList{QStringLiteral("Write Plotwin File")});
        QCOMPARE(f.dialogs.saveFilters, QStringList{QStringLiteral("Plotwin files (*.PWF)")});
        QCOMPARE(f.dialogs.saveSuffixes, QStringList{QStringLiteral("PWF")});
        const QByteArray written = f.folder.Read(QStringLiteral("net1.PWF"));
        QCOMPARE(written.count("\r\n"), 49);
        QVERIFY(written.startsWith("Plotwin network file\r\n"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void exportAsksBeforeReplacingAFileTheDialogDidNotConfirm() {
        Fixture f;
        f.Open();
        f.folder.Write(QStringLiteral("net1.PWF"), "keep me");
        f.dialogs.saveAnswer = f.folder.Path() + QStringLiteral("/net1.txt");
        f.dialogs.overwriteAnswer = false;
        f.Click("cmdWriteNet");
        QCOMPARE(f.dialogs.overwriteQuestions, QStringList{f.folder.Path() + QStringLiteral("/net1.PWF")});
        QCOMPARE(f.folder.Read(QStringLiteral("net1.PWF")), QByteArray("keep me"));
        f.dialogs.overwriteAnswer = true;
        f.Click("cmdWriteNet");
        QVERIFY(f.folder.Read(QStringLiteral("net1.PWF")).startsWith("Plotwin network file\r\n"));
        // A name the dialog confirmed itself is not asked about again.
        f.dialogs.overwriteQuestions.clear();
        f.dialogs.saveAnswer = f.folder.Path() + QStringLiteral("/net1.PWF");
        f.Click("cmdWriteNet");
        QVERIFY(f.dialogs.overwriteQuestions.isEmpty());
    }

    void cancelledExportWritesNothing() {
        Fixture f;
        f.Open();
        f.dialogs.saveAnswer.clear();
        f.Click("cmdWriteNet");
        QCOMPARE(QDir(f.folder.Path()).entryList({QStringLiteral("*.PWF")}, QDir::Files).size(), 0);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void failedExportIsTold() {
        Fixture f;
        f.Open();
        f.dialogs.saveAnswer = f.folder.Path() + QStringLiteral("/no such folder/net1.PWF");
        f.Click("cmdWriteNet");
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages.front().contains(QStringLiteral("net1.PWF")));
    }

    void closingTheWindowWritesTheLastSession() {
        Fixture f;
        f.Open();
        QVERIFY(f.folder.Read(QStringLiteral("VORELIN.DAT")).isEmpty());
        f.Page().close();
        const QByteArray written = f.folder.Read(QStringLiteral("VORELIN.DAT"));
        QVERIFY(written.startsWith("* Vorelin last-session file\r\n\r\nOperating frequency:  1.42E+07 \r\n"));
        QVERIFY(written.contains("Network topology:  7 \r\n"));
        QVERIFY(f.program->Ended());
        QVERIFY(!f.Page().isVisible());
    }

    void loadThatCannotBeComputedShowsAClearText() {
        Fixture f(1);
        f.session.Frequency = 1e10f;
        f.session.L1 = 1e10f;
        f.Open();
        QCOMPARE(f.Caption("lblReactance"),
                 QStringLiteral("The load cannot be computed from these entries."));
        QCOMPARE(f.Caption("lblResistance"), QString());
        QCOMPARE(CirclesOf(f.Page().Drawing(), kBlue, 50).size(), std::size_t{0});
        f.Click("cmdAccuracy");
        f.Page().AccuracyButton_Click(5);
        QCOMPARE(CirclesOf(f.Page().Drawing(), kRegionGreen, 20).size(), std::size_t{0});
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::ResultsPageTest)
#include "results_page_test.moc"
