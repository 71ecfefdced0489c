#include "files/start_up.h"
#include "graphics/display_list.h"
#include "graphics/schematic.h"
#include "pages/entries_page.h"
#include "pages/help_page.h"
#include "pages/program.h"
#include "pages/results_page.h"

#include "page_test_support.h"
#include "tests/graphics/primitive_text.h"
#include "tests/support/sessions.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <bit>
#include <memory>

namespace vorelin {

using test::Bits;
using test::Find;

namespace {

constexpr std::array<const char*, 8> kBoxes{"txtFrequency", "txtImpedance", "txtC1", "txtC2",
                                            "txtC3",        "txtL1",        "txtL2", "txtL3"};
constexpr std::array<const char*, 6> kPartBoxes{"txtC1", "txtC2", "txtC3", "txtL1", "txtL2", "txtL3"};

// The program with the entries page open on a session prepared by the test (start-up has run;
// the last-session file was not read).
struct Fixture : test::TestProgram {
    explicit Fixture(int topology = 1) : TestProgram(test::Entries(topology, 14.2e6f, 50)) {}
    EntriesPage& Page() { return program->Entries(); }
    EntriesPage& Open() {
        program->ShowEntriesPage();
        return Page();
    }
    QLineEdit* Box(const char* name) { return Find<QLineEdit>(Page(), name); }
    QString Text(const char* name) { return Box(name)->text(); }
    bool Shown(const char* name) { return Find<QWidget>(Page(), name)->isVisibleTo(&Page()); }
    void Click(const char* name) { TestProgram::Click(Page(), name); }
    void Type(const char* name, const QString& text) {
        Box(name)->clear();
        QTest::keyClicks(Box(name), text);
    }
    // The part boxes shown, in the order C1, C2, C3, L1, L2, L3.
    QStringList ShownParts() {
        QStringList shown;
        for (const char* name : kPartBoxes) {
            if (Shown(name)) shown << QString::fromLatin1(name);
        }
        return shown;
    }
    // Makes the entries page the active window, which keyboard shortcuts need.
    void Activate() {
        Page().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Page()));
    }
};

// Whether a page's drawing is the thumbnails exactly as DrawLibrary draws them for the session.
bool IsLibraryOf(const DisplayList& drawn, const Session& session) {
    DisplayList expected;
    expected.SetFont(drawn.CurrentFont());
    DrawLibrary(expected, session);
    return test::ShowAll(drawn) == test::ShowAll(expected);
}

} // namespace

class EntriesPageTest : public QObject {
    Q_OBJECT

private slots:
    void savedValuesOfZeroGiveTheLiteralDefaults() {
        Fixture f;
        f.session.Frequency = 0;
        f.session.Impedance = 0;
        f.session.Topology = 0;
        f.Open();
        QCOMPARE(f.Text("txtFrequency"), QStringLiteral("4M"));
        QCOMPARE(f.Text("txtImpedance"), QStringLiteral("50"));
        QCOMPARE(Bits(f.session.Frequency), Bits(4e6f));
        QCOMPARE(Bits(f.session.Impedance), Bits(50.0f));
        QCOMPARE(f.session.Topology, std::int16_t{1});
        QCOMPARE(f.Page().windowTitle(), QStringLiteral("Vorelin - Entries page"));
    }

    void savedValuesAreShownFormattedAndParsedBack() {
        Fixture f;
        f.session.Frequency = 0;
        f.session.Impedance = -1;
        f.session.Topology = 0;
        f.session.SavedFrequency = 7.05e6f;
        f.session.SavedImpedance = 75;
        f.session.SavedTopology = 6;
        f.session.C1 = 1.2345678e-10f;
        f.session.L2 = 3.3e-6f;
        f.session.C3 = 1e-15f; // below what the formatter shows: an empty box, and 0
        f.session.L1 = 1e-6f;
        f.Open();
        QCOMPARE(f.Text("txtFrequency"), QStringLiteral("7.05M"));
        QCOMPARE(f.Text("txtImpedance"), QStringLiteral("75 "));
        QCOMPARE(f.session.Topology, std::int16_t{6});
        QCOMPARE(f.Text("txtC1"), QStringLiteral("123.457 pF"));
        QCOMPARE(f.Text("txtL2"), QStringLiteral("3.3 uH"));
        QCOMPARE(f.Text("txtC3"), QString());
        QCOMPARE(f.Text("txtL1"), QStringLiteral("1000 nH"));
        // The fields hold what the boxes show, not the values before.
        QCOMPARE(Bits(f.session.C1), Bits(123.457e-12f));
        QCOMPARE(Bits(f.session.C3), Bits(0.0f));
        QCOMPARE(Bits(f.session.Frequency), Bits(7.05e6f));
        QCOMPARE(f.ShownParts(), (QStringList{"txtC1", "txtC3", "txtL2"}));
    }

    void everyBoxParsesIntoItsOwnField() {
        constexpr std::array<float Session::*, 8> kFields{
            &Session::Frequency, &Session::Impedance, &Session::C1, &Session::C2,
            &Session::C3,        &Session::L1,        &Session::L2, &Session::L3};
        for (std::size_t i = 0; i < kBoxes.size(); ++i) {
            Fixture f(8);
            f.Open();
            f.Box(kBoxes[i])->setText(QStringLiteral("3k"));
            for (std::size_t j = 0; j < kFields.size(); ++j) {
                if (j == i) {
                    QCOMPARE(Bits(f.session.*kFields[j]), Bits(3000.0f));
                } else {
                    QVERIFY(f.session.*kFields[j] != 3000.0f);
                }
            }
            f.Type(kBoxes[i], QStringLiteral("47p"));
            QCOMPARE(Bits(f.session.*kFields[i]), Bits(47e-12f));
        }
    }

    void partFieldsFollowTheTopology() {
        const struct {
            int topology;
            QStringList shown;
        } kCases[] = {
            {1, {"txtC2", "txtL1"}},
            {2, {"txtC1", "txtL2"}},
            {3, {"txtC2", "txtL1"}},
            {4, {"txtC1", "txtL2"}},
            {5, {"txtC2", "txtL1", "txtL3"}},
            {6, {"txtC1", "txtC3", "txtL2"}},
            {7, {"txtC1", "txtC3", "txtL2"}},
            {8, {"txtC2", "txtL1", "txtL3"}},
            {9, {}},
        };
        for (const auto& c : kCases) {
            Fixture f(c.topology);
            f.Open();
            QCOMPARE(f.ShownParts(), c.shown);
            for (const QString& box : c.shown) {
                const QByteArray label = "lbl" + box.mid(3).toLatin1();
                QVERIFY(f.Shown(label.constData()));
            }
        }
    }

    void clicksPickByOpenIntervalsRowsFirst() {
        const struct {
            const char* name;
            double x, y;
            int topology;
            bool redrawn;
        } kCases[] = {
            {"between 1 and 2", 6400, 3000, 1, true},
            {"on the left bound of 1", 4500, 3000, 1, true},
            {"on the lower bound of row 1", 5000, 3600, 1, true},
            {"inside 5", 5000, 4500, 5, true},
            {"inside 4", 10000, 3000, 4, true},
            {"inside 8", 9600, 6000, 8, true},
            {"row 2 is only 1000 high", 5000, 5200, 1, true},
            {"beyond the page", 12001, 3000, 1, false},
        };
        for (const auto& c : kCases) {
            Fixture f(1);
            f.Open();
            const std::uint64_t before = f.Page().Drawing().Revision();
            f.Page().Form_MouseDown(c.x, c.y);
            QVERIFY2(f.session.Topology == c.topology, c.name);
            QVERIFY2((f.Page().Drawing().Revision() != before) == c.redrawn, c.name);
            QVERIFY2(IsLibraryOf(f.Page().Drawing(), f.session), c.name);
        }
    }

    void aMouseClickOnAThumbnailPicksIt() {
        Fixture f(1);
        f.Open();
        test::ClickPage(f.Page(), 5000, 4500);
        QCOMPARE(f.session.Topology, std::int16_t{5});
        QCOMPARE(f.ShownParts(), (QStringList{"txtC2", "txtL1", "txtL3"}));
        QVERIFY(IsLibraryOf(f.Page().Drawing(), f.session));
    }

    void switchingTopologiesKeepsHiddenTexts() {
        Fixture f(1);
        f.Open();
        f.Type("txtL1", QStringLiteral("10u"));
        f.Type("txtC2", QStringLiteral("220p"));
        f.Page().Form_MouseDown(7000, 3000); // topology 2
        QCOMPARE(f.ShownParts(), (QStringList{"txtC1", "txtL2"}));
        QCOMPARE(f.Text("txtL1"), QStringLiteral("10u"));
        QCOMPARE(Bits(f.session.L1), Bits(10e-6f));
        f.Page().Form_MouseDown(5000, 3000); // topology 1 again
        QCOMPARE(f.ShownParts(), (QStringList{"txtC2", "txtL1"}));
        QCOMPARE(f.Text("txtL1"), QStringLiteral("10u"));
        QCOMPARE(f.Text("txtC2"), QStringLiteral("220p"));
    }

    void partChecksComeFirstInPositionOrder() {
        Fixture f(3);
        f.session.L1 = 0;
        f.session.C2 = 0;
        f.Open();
        f.Click("cmdResults");
        QCOMPARE(f.dialogs.messages,
                 QStringList{QStringLiteral("Shunt inductor must have a positive value")});
        QCOMPARE(f.Page().focusWidget(), f.Box("txtL1"));
        QVERIFY(f.Page().isVisible());
        QVERIFY(!f.program->Results().isVisible());

        f.Type("txtL1", QStringLiteral("1u"));
        f.Click("cmdResults");
        QCOMPARE(f.dialogs.messages.size(), 2);
        QCOMPARE(f.dialogs.messages.back(), QStringLiteral("Series capacitor must have a positive value"));
        QCOMPARE(f.Page().focusWidget(), f.Box("txtC2"));
        QVERIFY(!f.program->Results().isVisible());
    }

    void frequencyIsCheckedBeforeImpedance() {
        Fixture f(1);
        f.Open();
        f.Type("txtFrequency", QStringLiteral("0"));
        f.Type("txtImpedance", QStringLiteral("-50"));
        f.Click("cmdResults");
        QCOMPARE(f.dialogs.messages, QStringList{QStringLiteral("Frequency must be a positive value")});
        QCOMPARE(f.Page().focusWidget(), f.Box("txtFrequency"));
        f.Type("txtFrequency", QStringLiteral("7M"));
        f.Click("cmdResults");
        QCOMPARE(f.dialogs.messages.back(), QStringLiteral("System impedance must be a positive value"));
        QCOMPARE(f.Page().focusWidget(), f.Box("txtImpedance"));
    }

    void passingChecksMoveToTheResults() {
        // Series inductors and shunt capacitors may be 0.
        Fixture f(1);
        f.Open();
        QCOMPARE(f.Text("txtL1"), QString());
        f.Click("cmdResults");
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(f.program->Results().isVisible());
        QVERIFY(!f.Page().isVisible());
    }

    void seeResultsReadsTheShownPartBoxesAgain() {
        Fixture f(4);
        f.Open();
        f.Type("txtC1", QStringLiteral("100p"));
        f.Type("txtL2", QStringLiteral("1u"));
        // Something set the fields behind the boxes' backs; the boxes are what counts.
        f.session.C1 = 0;
        f.session.L2 = 0;
        f.Click("cmdResults");
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(Bits(f.session.C1), Bits(100e-12f));
        QCOMPARE(Bits(f.session.L2), Bits(1e-6f));
    }

    void enterInABoxIsSeeResults() {
        Fixture f(7);
        f.Open();
        f.Type("txtC1", QStringLiteral("150p"));
        f.Type("txtL2", QStringLiteral("2.2u"));
        f.Type("txtC3", QStringLiteral("300p"));
        QTest::keyClick(f.Box("txtC3"), Qt::Key_Return);
        QVERIFY(f.program->Results().isVisible());
        QVERIFY(!f.Page().isVisible());
    }

    void tabGoesThroughTheShownBoxesThenTheButtons() {
        Fixture f(7);
        f.Open();
        f.Activate();
        f.Box("txtFrequency")->setFocus(Qt::TabFocusReason);
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"txtFrequency", "txtImpedance", "txtC1", "txtL2", "txtC3",
                                       "cmdResults", "cmdHelp", "cmdExit"}));
    }

    void digitsAndArrowsPickWhileNoBoxHasTheKeyboard() {
        Fixture f(1);
        f.Open();
        f.Activate();
        // A click on the page takes the keyboard from the boxes.
        test::ClickPage(f.Page(), 3000, 8500);
        QVERIFY(qobject_cast<QLineEdit*>(QApplication::focusWidget()) == nullptr);
        const struct {
            Qt::Key key;
            int topology;
        } kKeys[] = {{Qt::Key_6, 6},    {Qt::Key_Right, 7}, {Qt::Key_Down, 8}, {Qt::Key_Right, 1},
                     {Qt::Key_Left, 8}, {Qt::Key_Up, 7},    {Qt::Key_9, 7},    {Qt::Key_3, 3}};
        for (const auto& k : kKeys) {
            QTest::keyClick(QApplication::focusWidget(), k.key);
            QCOMPARE(f.session.Topology, k.topology);
        }
        QCOMPARE(f.ShownParts(), (QStringList{"txtC2", "txtL1"}));
        QVERIFY(IsLibraryOf(f.Page().Drawing(), f.session));

        // A box with the keyboard keeps its digits.
        f.Box("txtL1")->setFocus();
        QTest::keyClick(f.Box("txtL1"), Qt::Key_5);
        QCOMPARE(f.Text("txtL1"), QStringLiteral("5"));
        QCOMPARE(f.session.Topology, std::int16_t{3});
    }

    void helpOpensBesideTheEntriesAndShowsThirteenParagraphs() {
        Fixture f(1);
        f.Open();
        f.Click("cmdHelp");
        HelpPage& help = f.program->Help();
        QVERIFY(help.isVisible());
        QVERIFY(f.Page().isVisible());
        QCOMPARE(help.windowTitle(), QStringLiteral("Vorelin - Help page"));
        const QString text = Find<QLabel>(help, "lblMessage")->text();
        QCOMPARE(text, HelpPage::HelpText());
        const QStringList paragraphs = text.split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 13);
        for (const QString& paragraph : paragraphs) {
            QVERIFY(!paragraph.isEmpty());
            QVERIFY(!paragraph.contains(QLatin1Char('\n')) && !paragraph.contains(QLatin1Char('\r')));
        }
        QVERIFY(!text.endsWith(QLatin1Char('\n')));
        // Every fact, example and letter of each paragraph.
        const QList<QStringList> kFacts{
            {"Vorelin", "impedance/admittance", "transmitter input port", "load output port",
             "complex conjugate", "antenna/feedline"},
            {"Entries page"},
            {"Hz", "1.2 MHz", "1200k", "1.2e6", "1.2M", "easiest", "'M'", "megahertz", "'k'", "kilohertz",
             "'g'", "gigahertz", "no 'H'"},
            {"ohms", "50"},
            {"click the network", "tuner used for the test", "part"},
            {"farads", "47 pF", "47e-12", "47p", "easiest", "'p', 'n' and 'u'",
             "pico-, nano- and microfarads", "no 'F'"},
            {"henries", QString::fromUtf8("22 \u00b5H"), "22e-6", "22u", "easiest", "'n', 'u' and 'm'",
             "nano-, micro- and millihenries", "no 'H'"},
            {"upper or lower case", "'m'", "case-sensitive", "lower-case 'm'", "milli-", "upper-case 'M'",
             "mega-"},
            {"'See results'", "load impedance is calculated", "schematic", "Smith chart"},
            {"percentage of uncertainty", "area"},
            {"Results page", "'Send to printer'"},
            {"circular", "'Aspect ratio'"},
            {"Larger", "Smaller", "arrow buttons"},
        };
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            for (const QString& fact : kFacts[i])
                QVERIFY2(paragraphs[i].contains(fact), qPrintable(QString::number(i + 1) + ": " + fact));
        }
    }

    void helpOpenedTwiceShowsItsTextOnce() {
        Fixture f(1);
        f.Open();
        f.Click("cmdHelp");
        QTest::mouseClick(Find<QPushButton>(f.program->Help(), "cmdExit"), Qt::LeftButton);
        QVERIFY(!f.program->Help().isVisible());
        QVERIFY(f.Page().isVisible());
        f.Click("cmdHelp");
        QCOMPARE(Find<QLabel>(f.program->Help(), "lblMessage")->text(), HelpPage::HelpText());
    }

    void escapeOrTheFrameClosesOnlyTheHelp() {
        Fixture f(1);
        f.Open();
        f.Click("cmdHelp");
        HelpPage& help = f.program->Help();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QTest::keyClick(&help, Qt::Key_Escape);
        QVERIFY(!help.isVisible());
        f.Click("cmdHelp");
        help.close();
        QVERIFY(!help.isVisible());
        QVERIFY(f.Page().isVisible());
        QVERIFY(!f.program->Ended());
        QVERIFY(f.folder.Read(QStringLiteral("VORELIN.DAT")).isEmpty());
    }

    void exitOrTheFrameWritesTheEntriesAndEnds() {
        for (const bool fromFrame : {false, true}) {
            Fixture f(5);
            f.Open();
            f.Click("cmdHelp");
            f.Type("txtL3", QStringLiteral("4.7u"));
            if (fromFrame) {
                f.Page().close();
            } else {
                f.Click("cmdExit");
            }
            const QByteArray written = f.folder.Read(QStringLiteral("VORELIN.DAT"));
            QVERIFY(written.contains("Network topology:  5 \r\n"));
            QVERIFY(written.contains("L3:  4.7E-06 \r\n"));
            QVERIFY(f.program->Ended());
            QVERIFY(!f.Page().isVisible());
            QVERIFY(!f.program->Help().isVisible());
        }
    }

    void aLastSessionFileThatCannotBeWrittenIsToldAndTheProgramEnds() {
        Fixture f(1);
        QVERIFY(QDir(f.folder.Path()).mkdir(QStringLiteral("VORELIN.DAT")));
        f.Open();
        f.Click("cmdExit");
        QCOMPARE(f.dialogs.beeps, 1);
        QCOMPARE(f.dialogs.messages, QStringList{QStringLiteral(
                                         "The last-session file (VORELIN.DAT) was not written correctly.")});
        QVERIFY(f.program->Ended());
    }

    void layoutAndCaptionsAsDesigned() {
        Fixture f(5);
        f.Open();
        const struct {
            const char* name;
            QRectF place;
            const char* caption;
        } kControls[] = {
            {"lblTitle", {1000, 300, 10000, 500}, "Vorelin - Entries Page"},
            {"Label1", {4500, 1900, 3200, 300}, "  Click on a network to choose it:"},
            {"lblFrequency", {1000, 2000, 3000, 500}, "  Enter the test frequency, Hz:"},
            {"txtFrequency", {1300, 2200, 1200, 200}, nullptr},
            {"lblImpedance", {1000, 3000, 3000, 500}, "  Enter the system impedance, ohms:"},
            {"txtImpedance", {1300, 3200, 1200, 200}, nullptr},
            {"lblL1", {1000, 4000, 3000, 500}, "  Enter the value for L1, henries:"},
            {"txtL1", {1300, 4200, 2000, 360}, nullptr},
            {"lblC2", {1000, 4600, 3000, 500}, "  Enter the value for C2, farads:"},
            {"txtC2", {1300, 4800, 2000, 360}, nullptr},
            {"lblL3", {1000, 5200, 3000, 500}, "  Enter the value for L3, henries:"},
            {"txtC3", {1300, 5400, 2000, 360}, nullptr},
            {"cmdResults", {1000, 6000, 1500, 300}, "See results"},
            {"cmdHelp", {1000, 6500, 1500, 300}, "Help"},
            {"cmdExit", {1000, 7000, 1500, 300}, "Exit"},
            {"lblUse2",
             {4500, 7200, 5000, 300},
             "Use M for Mega,  k for kilo,  u for micro,  n for nano,  p for pico"},
        };
        for (const auto& c : kControls) {
            QWidget* control = Find<QWidget>(f.Page(), c.name);
            QVERIFY2(control != nullptr, c.name);
            QCOMPARE(f.Page().PageRectOf(control), c.place);
            if (c.caption == nullptr) continue;
            const auto* label = qobject_cast<QLabel*>(control);
            const QString caption =
                label != nullptr ? label->text() : qobject_cast<QPushButton*>(control)->text();
            QCOMPARE(caption, QString::fromLatin1(c.caption));
        }
        // A box stands over its label.
        const QObjectList children = f.Page().children();
        QVERIFY(children.indexOf(f.Box("txtL1")) > children.indexOf(Find<QLabel>(f.Page(), "lblL1")));
        QCOMPARE(Find<QLabel>(f.Page(), "Label1")->palette().color(QPalette::Window),
                 QColor(0xEE, 0xFF, 0xFF));
        QCOMPARE(Find<QPushButton>(f.Page(), "cmdExit")->palette().color(QPalette::Button),
                 QColor(0xDD, 0xFF, 0xFF));
        QCOMPARE(Find<QLabel>(f.Page(), "lblTitle")->palette().color(QPalette::WindowText),
                 QColor(0, 0, 0xFF));
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::EntriesPageTest)
#include "entries_page_test.moc"
