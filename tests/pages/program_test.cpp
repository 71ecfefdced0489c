#include "core/tolerance_sweep.h"
#include "graphics/display_list.h"
#include "graphics/opening_illustration.h"
#include "pages/entries_page.h"
#include "render/font_substitutes.h"
#include "pages/help_page.h"
#include "pages/opening_page.h"
#include "pages/program.h"
#include "render/program_icon.h"
#include "pages/results_page.h"
#include "pages/window_geometry.h"

#include "page_test_support.h"
#include "tests/graphics/primitive_text.h"
#include "tests/support/sessions.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace vorelin {

using test::Bits;
using test::Find;

namespace {

// The whole program on a fresh session, as main() runs it, in an empty working folder.
struct Run : test::TestProgram {
    void Type(const char* name, const QString& text) {
        QLineEdit* box = Find<QLineEdit>(program->Entries(), name);
        QVERIFY2(box != nullptr && box->isVisible(), name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    // The pages shown, by their names.
    QStringList ShownPages() {
        QStringList shown;
        for (QWidget* page : std::initializer_list<QWidget*>{&program->Opening(), &program->Entries(),
                                                             &program->Results(), &program->Help()}) {
            if (page->isVisible()) shown << page->objectName();
        }
        return shown;
    }
};

std::size_t CountCircles(const DisplayList& list, Colour colour, float radius) {
    return test::CirclesOf(list, colour, radius).size();
}

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SubstituteClassicFonts(); }

    void openingPagePresentsTheProgram() {
        Run run;
        run.program->Start();
        OpeningPage& page = run.program->Opening();
        QCOMPARE(run.ShownPages(), QStringList{"frmOpening"});
        QCOMPARE(page.windowTitle(), QStringLiteral("Vorelin - Welcome !"));
        QCOMPARE(run.Text(page, "lbl2"), QStringLiteral("Math routines by the Vorelin authors"));
        QCOMPARE(run.Text(page, "lbl3"), QStringLiteral("Interface routines by the Vorelin authors"));
        QVERIFY(!run.Text(page, "lbl1").isEmpty());
        QCOMPARE(page.PageRectOf(Find<QWidget>(page, "cmdStart")), QRectF(1000, 6000, 1500, 300));
        QCOMPARE(page.PageRectOf(Find<QWidget>(page, "cmdExit")), QRectF(1000, 7000, 1500, 300));
        QCOMPARE(page.PageRectOf(Find<QWidget>(page, "lbl2")), QRectF(4000, 7000, 4000, 300));
        QCOMPARE(page.PageRectOf(Find<QWidget>(page, "lbl3")), QRectF(4000, 7300, 4000, 300));
        QCOMPARE(Find<QPushButton>(page, "cmdExit")->text(), QStringLiteral("Exit / Quit"));

        // Start-up ran, and the missing last-session file gave the fallbacks.
        QCOMPARE(run.session.ProgramName, std::string("Vorelin"));
        QCOMPARE(Bits(run.session.AspectRatio), Bits(0.75f));
        QCOMPARE(Bits(run.session.SavedFrequency), Bits(4e6f));
        QCOMPARE(Bits(run.session.SavedImpedance), Bits(50.0f));
        QCOMPARE(run.session.SavedTopology, std::int16_t{1});

        // The title: a point that places the text, the name in large blue letters, then the
        // page font back at its small size in black.
        const DisplayList& drawn = page.Drawing();
        const auto& p = drawn.Primitives();
        QVERIFY(p.size() > 2);
        QCOMPARE(test::Show(drawn, p[0]), std::string("Point 1000,1000 pen1 #FFFF00"));
        QCOMPARE(test::Show(drawn, p[1]),
                 std::string("Text 'Vorelin' 1000,1000 Times New Roman 1080 bold pen1 #FF0000"));
        QCOMPARE(drawn.CurrentFont(), (Font{"Times New Roman", 144, true}));
        QCOMPARE(drawn.TextColour(), Colour{0});

        // Then the two illustrations exactly as they draw themselves.
        DisplayList illustrations;
        DrawOpeningSchematic(illustrations, run.session);
        DrawOpeningChart(illustrations, run.session);
        QCOMPARE(p.size(), 2 + illustrations.Primitives().size());
        QCOMPARE(p[2].op, Op::FilledBox);
        QCOMPARE(p[2].colour, Colour{0xF0F0F0});
        QCOMPARE(test::Show(drawn, p.back()), std::string("Circle 8400,3200 r60 pen1 #000000"));
        // No file is written by starting.
        QVERIFY(QDir(run.folder.Path()).entryList(QDir::Files).isEmpty());
    }

    void theKeyboardAloneStartsTheProgram() {
        Run run;
        run.program->Start();
        QVERIFY(QTest::qWaitForWindowActive(&run.program->Opening()));
        QCOMPARE(QApplication::focusWidget(), Find<QWidget>(run.program->Opening(), "cmdStart"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(run.ShownPages(), QStringList{"frmEntries"});
        QVERIFY(QTest::qWaitForWindowActive(&run.program->Entries()));
        QCOMPARE(QApplication::focusWidget(), Find<QWidget>(run.program->Entries(), "txtFrequency"));
    }

    void exitQuitEndsWithoutWriting() {
        for (const bool fromFrame : {false, true}) {
            Run run;
            const QByteArray saved = "* mine\r\n14e6\r\n";
            run.folder.Write(QStringLiteral("VORELIN.DAT"), saved);
            run.program->Start();
            if (fromFrame) {
                run.program->Opening().close();
            } else {
                run.Click(run.program->Opening(), "cmdExit");
            }
            QVERIFY(run.program->Ended());
            QCOMPARE(run.ShownPages(), QStringList{});
            QCOMPARE(run.folder.Read(QStringLiteral("VORELIN.DAT")), saved);
        }
    }

    void startLeadsToTheEntriesWithTheFirstRunValues() {
        Run run;
        run.program->Start();
        run.Click(run.program->Opening(), "cmdStart");
        QCOMPARE(run.ShownPages(), QStringList{"frmEntries"});
        EntriesPage& entries = run.program->Entries();
        QCOMPARE(run.Text(entries, "txtFrequency"), QStringLiteral("4M"));
        QCOMPARE(run.Text(entries, "txtImpedance"), QStringLiteral("50 "));
        QCOMPARE(run.session.Topology, std::int16_t{1});
        for (const char* name : {"txtC1", "txtC2", "txtC3", "txtL1", "txtL2", "txtL3"})
            QCOMPARE(run.Text(entries, name), QString());
        QVERIFY(Find<QLineEdit>(entries, "txtL1")->isVisible());
        QVERIFY(Find<QLineEdit>(entries, "txtC2")->isVisible());
        QVERIFY(!Find<QLineEdit>(entries, "txtC1")->isVisible());
        QVERIFY(!Find<QLineEdit>(entries, "txtL3")->isVisible());
    }

    // A user's whole run: the typical pi network on 20 m, a look at the tolerance area, back to
    // the entries, and out with the entries kept.
    void aWholeRunEndToEnd() {
        Run run;
        run.program->Start();
        run.Click(run.program->Opening(), "cmdStart");
        EntriesPage& entries = run.program->Entries();

        run.Type("txtFrequency", QStringLiteral("14.2M"));
        run.Type("txtImpedance", QStringLiteral("50"));
        test::ClickPage(entries, 5000, 6000); // the pi network of topology 7
        QCOMPARE(run.session.Topology, std::int16_t{7});
        run.Type("txtC1", QStringLiteral("150p"));
        run.Type("txtL2", QStringLiteral("2.2u"));
        run.Type("txtC3", QStringLiteral("300p"));
        run.Click(entries, "cmdResults");
        QVERIFY(run.dialogs.messages.isEmpty());
        QCOMPARE(run.ShownPages(), QStringList{"frmResults"});

        ResultsPage& results = run.program->Results();
        QCOMPARE(run.Text(results, "lblReactance"), QStringLiteral("+j47.01322  ( 526.929 nH )"));
        QCOMPARE(run.Text(results, "lblResistance"), QStringLiteral("2.454566"));
        QCOMPARE(CountCircles(results.Drawing(), 0xFF0000, 50), std::size_t{1});

        run.Click(results, "cmdAccuracy");
        run.Click(results, "cmd5");
        QCOMPARE(CountCircles(results.Drawing(), 0x66CC00, 20), std::size_t{1331});
        QCOMPARE(CountCircles(results.Drawing(), 0x111188, 50), std::size_t{1});

        run.Click(results, "cmdEntries");
        QCOMPARE(run.ShownPages(), QStringList{"frmEntries"});
        QCOMPARE(run.Text(entries, "txtFrequency"), QStringLiteral("14.2M"));
        QCOMPARE(run.Text(entries, "txtImpedance"), QStringLiteral("50 "));
        QCOMPARE(run.Text(entries, "txtC1"), QStringLiteral("150 pF"));
        QCOMPARE(run.Text(entries, "txtL2"), QStringLiteral("2.2 uH"));
        QCOMPARE(run.Text(entries, "txtC3"), QStringLiteral("300 pF"));

        run.Click(entries, "cmdExit");
        QVERIFY(run.program->Ended());
        QCOMPARE(run.ShownPages(), QStringList{});
        QCOMPARE(run.folder.Read(QStringLiteral("VORELIN.DAT")),
                 QByteArrayView(test::kTypicalLastSessionFile).toByteArray());
    }

    void theNextRunStartsFromTheSavedEntries() {
        Run first;
        first.folder.Write(QStringLiteral("VORELIN.DAT"), "* Vorelin last-session file\r\n\r\n"
                                                          "Operating frequency:  7050000 \r\n"
                                                          "System impedance:  75 \r\n"
                                                          "Network topology:  8 \r\n\r\n"
                                                          "C1:  0 \r\nC2:  1E-10 \r\nC3:  0 \r\n"
                                                          "L1:  1E-06 \r\nL2:  0 \r\nL3:  3.3E-06 \r\n\r\n");
        first.program->Start();
        first.Click(first.program->Opening(), "cmdStart");
        EntriesPage& entries = first.program->Entries();
        QCOMPARE(first.Text(entries, "txtFrequency"), QStringLiteral("7.05M"));
        QCOMPARE(first.Text(entries, "txtImpedance"), QStringLiteral("75 "));
        QCOMPARE(first.session.Topology, std::int16_t{8});
        QCOMPARE(first.Text(entries, "txtC2"), QStringLiteral("100 pF"));
        QCOMPARE(first.Text(entries, "txtL1"), QStringLiteral("1000 nH"));
        QCOMPARE(first.Text(entries, "txtL3"), QStringLiteral("3.3 uH"));
    }

    void endingHidesEveryPageTheHelpToo() {
        Run run;
        run.program->Start();
        run.Click(run.program->Opening(), "cmdStart");
        run.Click(run.program->Entries(), "cmdHelp");
        QCOMPARE(run.ShownPages(), (QStringList{"frmEntries", "frmHelp"}));
        run.Click(run.program->Entries(), "cmdResults");
        // The help stays beside the results until the run ends.
        QCOMPARE(run.ShownPages(), (QStringList{"frmResults", "frmHelp"}));
        run.program->Results().close();
        QVERIFY(run.program->Ended());
        QCOMPARE(run.ShownPages(), QStringList{});
        QVERIFY(run.folder.Read(QStringLiteral("VORELIN.DAT")).startsWith("* Vorelin last-session file"));
    }

    void theNextPageTakesThePlaceOfTheOneLeft() {
        Run run;
        run.program->Start();
        const QRect moved(40, 30, 640, 480);
        run.program->Opening().setGeometry(moved);
        run.Click(run.program->Opening(), "cmdStart");
        QCOMPARE(run.program->Entries().geometry(), moved);
        const QRect resized(10, 20, 720, 540);
        run.program->Entries().setGeometry(resized);
        run.Click(run.program->Entries(), "cmdResults");
        QCOMPARE(run.program->Results().geometry(), resized);
        run.Click(run.program->Results(), "cmdEntries");
        QCOMPARE(run.program->Entries().geometry(), resized);
    }

    void pagesOpenAsLargeAsTheScreenAllowsWithRoomForTheirFrame() {
        const struct {
            QRect available;
            QMargins frame;
            QRect expected;
        } kCases[] = {
            // A wide screen: the height limits, the width is centred.
            {{0, 0, 1920, 1080}, {8, 40, 8, 8}, {272, 40, 1376, 1032}},
            // A 4:3 screen: the width limits.
            {{0, 0, 1024, 768}, {8, 40, 8, 8}, {32, 40, 960, 720}},
            // A panel on the left and a known frame.
            {{64, 0, 1216, 1024}, {2, 24, 2, 2}, {66, 68, 1212, 909}},
        };
        for (const auto& c : kCases)
            QCOMPARE(LargestPageRect(c.available, c.frame), c.expected);
    }

    void classicFacesHaveTheirSubstitutes() {
        QVERIFY(QFont::substitutes(QStringLiteral("MS Sans Serif"))
                    .contains(QStringLiteral("Liberation Sans"), Qt::CaseInsensitive));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family(),
                 QStringLiteral("Liberation Sans"));
    }

    void theIconIsASmithChartOnATransparentGround() {
        const QImage icon = ProgramIconImage(64);
        QCOMPARE(icon.size(), QSize(64, 64));
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        // The sheet is pale yellow, the load mark red.
        QCOMPARE(QColor(icon.pixel(6, 6)), QColor(0xFF, 0xFF, 0xDD));
        const QColor mark(icon.pixel(26, 21));
        QVERIFY2(mark.red() > 200 && mark.green() < 60 && mark.blue() < 60, qPrintable(mark.name()));
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::ProgramTest)
#include "program_test.moc"
