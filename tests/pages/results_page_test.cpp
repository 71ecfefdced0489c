#include "core/networks.h"
#include "files/last_session_file.h"
#include "graphics/results_scene.h"
#include "pages/program.h"
#include "pages/results_page.h"
#include "render/font_substitutes.h"

#include "page_test_support.h"
#include "tests/support/display_list_text.h"
#include "tests/support/entries.h"
#include "tests/support/folders.h"

#include <QClipboard>
#include <QFile>
#include <QFileDevice>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>

namespace vorelin {

using test::Find;

namespace {

struct Fixture : test::TestProgram {
    explicit Fixture(const Entries& entries = test::TypicalExample(7)) : TestProgram(entries) {
        program->ShowResultsPage();
    }
    ResultsPage& Page() { return program->ResultsWindow(); }
    void Click(const char* name) { TestProgram::Click(Page(), name); }
    // The page's drawing as it should be for a view of the entries at an accuracy.
    std::string Expected(ResultsDrawing drawing, const ChartView& view, int percent, DotStyle mark,
                         bool hint) {
        ResultsScratch scratch;
        // Once an accuracy is chosen the page keeps its region (and the ranges it shows) through
        // every redraw.
        const bool region = drawing != ResultsDrawing::LoadMarked || hint;
        const LoadAnalysis analysis = AnalyseLoad(
            program->TheEntries(), region ? std::optional(AccuracyFraction(percent)) : std::nullopt);
        DisplayList list;
        DrawResultsPage(list, analysis, {view, program->TheSettings().AspectRatio, mark, drawing, hint},
                        scratch);
        return test::ListText(list);
    }
    std::string Drawn() { return test::ListText(Page().Drawing()); }
};

} // namespace

class ResultsPageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SubstituteClassicFonts(); }

    void eachHandlerDrawsItsSequence() {
        Fixture f;
        const ChartView home{9000, 5000, 1, 0};
        QCOMPARE(f.Drawn(), f.Expected(ResultsDrawing::LoadMarked, home, 0, kLoadMark, false));
        QVERIFY(!Find<QPushButton>(f.Page(), "accuracy5Button")->isVisible());
        f.Click("accuracyButton");
        f.Click("accuracy5Button");
        QCOMPARE(f.Drawn(), f.Expected(ResultsDrawing::RegionChosen, home, 5, kNominalDot, true));
        f.Click("leftButton");
        f.Click("upButton");
        QCOMPARE(f.Drawn(),
                 f.Expected(ResultsDrawing::RegionChosen, {8500, 4500, 1, 0}, 5, kNominalDot, true));
        f.Click("largerButton");
        f.Click("rightButton");
        f.Click("downButton");
        QCOMPARE(f.Drawn(),
                 f.Expected(ResultsDrawing::RegionChosen, {9000, 5000, 1.1f, 1.1f}, 5, kNominalDot, true));
        f.Click("resetButton");
        f.Click("smallerButton");
        QCOMPARE(f.Page().View().Zoom, static_cast<float>(1 / 1.1));
        // The spinner redraws with the nominal mark's style; reopening starts from home again.
        Find<QWidget>(f.Page(), "aspectSpinner")->setFocus();
        QTest::keyClick(Find<QWidget>(f.Page(), "aspectSpinner"), Qt::Key_Up);
        QCOMPARE(f.Drawn(), f.Expected(ResultsDrawing::LoadMarked, f.Page().View(), 5, kNominalDot, true));
        f.Click("entriesButton");
        f.program->ShowResultsPage();
        QCOMPARE(f.Page().View().CentreX, 9000.0f);
        QVERIFY(!f.Drawn().empty());
    }

    // Ctrl+C puts the page's picture on the clipboard, and beside it the load and its figures as
    // text, with the ranges once an accuracy is chosen.
    void copyGivesPictureAndText() {
        Fixture f;
        f.Click("accuracyButton");
        f.Click("accuracy5Button");
        f.Page().onCopy(); // Ctrl+C's handler
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied != nullptr && copied->hasImage());
        const QStringList lines = copied->text().split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("Load: 2.454566 +j47.01322"));
        QVERIFY(lines[1].startsWith(QStringLiteral("SWR 38.4, return loss")));
        QVERIFY(lines[4].startsWith(QStringLiteral("Within 5 %: R ")));
    }

    // No region around a load that cannot be computed, and no export of an earlier load.
    void loadThatCannotBeComputed() {
        Fixture f(test::NotComputable());
        f.Click("accuracyButton");
        f.Click("accuracy20Button");
        QVERIFY(f.Drawn().find("#66CC00") == std::string::npos);
        f.Click("plotwinButton");
        QCOMPARE(
            f.dialogs.messages,
            QStringList{"The Plotwin file was not written: the load cannot be computed from these entries."});
        QVERIFY(f.dialogs.questions.isEmpty());
    }

    void aspectRatioBoxes() {
        Fixture f;
        QLineEdit* box = Find<QLineEdit>(f.Page(), "aspectBox");
        QLineEdit* percent = Find<QLineEdit>(f.Page(), "aspectPercentBox");
        QCOMPARE(box->text(), QStringLiteral(" .75"));
        QVERIFY(!QFile::exists(f.Path("Defaults.TXT"))); // opening the page writes nothing
        f.Type(f.Page(), "aspectBox", "2");              // held at the limit, and shown so at once
        QCOMPARE(box->text(), QStringLiteral(" 1.5"));
        QCOMPARE(f.program->TheSettings().AspectRatio, 1.5f);
        f.Type(f.Page(), "aspectBox", "1.2"); // typed key by key: "1", "1.", "1.2"
        QCOMPARE(box->text(), QStringLiteral("1.2"));
        QCOMPARE(f.program->TheSettings().AspectRatio, 1.2f);
        QCOMPARE(f.Read("Defaults.TXT"), QByteArray("1.2\r\n1000\r\n200\r\n"));
        f.Type(f.Page(), "aspectBox", "0."); // may still become 0.8: not applied yet
        QCOMPARE(f.program->TheSettings().AspectRatio, 1.2f);
        QTest::keyClick(box, Qt::Key_Return); // the typing ends: held at 0.5
        QCOMPARE(box->text(), QStringLiteral(" .5"));
        QCOMPARE(percent->text(), QStringLiteral(" 50"));
        QVERIFY(f.Drawn().find("#FF0000") != std::string::npos); // the load stays marked
        box->setText("0.8");                                     // the program's "one change"
        QCOMPARE(box->text(), QStringLiteral(" .8"));
        QCOMPARE(f.program->TheSettings().AspectRatio, 0.8f);
        percent->setText("75");
        Find<QWidget>(f.Page(), "aspectSpinner")->setFocus();
        QTest::keyClick(Find<QWidget>(f.Page(), "aspectSpinner"), Qt::Key_Down);
        QCOMPARE(box->text(), QStringLiteral(" .74"));
    }

    // A ratio out of range in a defaults file that cannot be rewritten (a full disk): no endless
    // redrawing, the failure told once, and the ratio the user chose kept for the run.
    void defaultsFileThatCannotBeWritten() {
        Fixture f;
        f.Write("Defaults.TXT", "2\r\n1000\r\n200\r\n");
        f.Click("entriesButton");
        f.program->ShowResultsPage();
        QCOMPARE(Find<QLineEdit>(f.Page(), "aspectBox")->text(), QStringLiteral(" 1.5"));
        {
            const test::FileSizeLimit fullDisk(1);
            Find<QLineEdit>(f.Page(), "aspectBox")->setText("0.9");
            Find<QLineEdit>(f.Page(), "aspectBox")->setText("0.7");
            f.Click("leftButton");
        }
        QCOMPARE(f.program->TheSettings().AspectRatio, 0.7f);
        QCOMPARE(Find<QLineEdit>(f.Page(), "aspectBox")->text(), QStringLiteral(" .7"));
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].endsWith("The aspect ratio is kept until Vorelin ends."));
        QCOMPARE(f.Read("Defaults.TXT"), QByteArray("2\r\n1000\r\n200\r\n"));
    }

    void plotwinFile() {
        Fixture f;
        f.dialogs.saveAnswer = f.Path("net1.txt");
        f.Write("net1.PWF", "old");
        f.Click("plotwinButton"); // the file is net1.PWF, which the dialog did not confirm: asked first
        QCOMPARE(f.dialogs.questions,
                 QStringList({"Write Plotwin File Plotwin files (*.PWF)", "replace " + f.Path("net1.PWF")}));
        QCOMPARE(f.Read("net1.PWF"), QByteArray("old"));
        f.dialogs.overwriteAnswer = true;
        f.Click("plotwinButton");
        QVERIFY(f.Read("net1.PWF").startsWith("Plotwin network file\r\n"));
        f.dialogs.saveAnswer = f.Path("missing/net2.PWF");
        f.Click("plotwinButton");
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].startsWith("The Plotwin file " + f.Path("missing/net2.PWF")));
    }

    void saveAs_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("accuracy");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<QString>("message");
        QTest::newRow("png") << 0 << false << QByteArray("\x89PNG") << QString();
        QTest::newRow("svg") << 1 << false << QByteArray("<?xml") << QString();
        QTest::newRow("pdf") << 2 << true << QByteArray("%PDF") << QString();
        QTest::newRow("s1p") << 3 << false << QByteArray("! Vorelin") << QString();
        QTest::newRow("csv") << 4 << true << QByteArray("frequency_hz,r_ohm,x_ohm,swr\r\n14200000,")
                             << QString();
        QTest::newRow("csv without an accuracy") << 4 << false << QByteArray() << "choose an accuracy first";
        QTest::newRow("no known type") << -1 << false << QByteArray() << "its type is not known";
    }
    void saveAs() {
        QFETCH(int, type);
        QFETCH(bool, accuracy);
        QFETCH(QByteArray, start);
        QFETCH(QString, message);
        Fixture f;
        if (accuracy) {
            f.Click("accuracyButton");
            f.Click("accuracy1Button");
        }
        f.dialogs.saveAnswer = f.Path("saved");
        f.dialogs.saveType = type;
        f.Click("saveAsButton");
        QVERIFY(f.Read("saved").startsWith(start));
        if (!message.isEmpty()) QVERIFY(f.dialogs.messages.value(0).contains(message));
        if (type == 0) QCOMPARE(QImage(f.Path("saved")).size(), f.Page().size() * 2);
    }

    void theTypedExtensionChoosesTheType() {
        const QStringList types{QStringLiteral("PNG picture (*.png)"), QStringLiteral("SVG drawing (*.svg)")};
        QCOMPARE(UserDialogs::SaveTypeOf(QStringLiteral("/tmp/chart.SVG"), types, 0), 1);
        QCOMPARE(UserDialogs::SaveTypeOf(QStringLiteral("/tmp/chart"), types, 1), 1);
        QCOMPARE(UserDialogs::SaveTypeOf(QStringLiteral("/tmp/chart.txt"), types, 0), 0);
    }

    void printing() {
        Fixture f;
        f.Click("printButton"); // cancelled: nothing, no message
        QCOMPARE(f.dialogs.questions, QStringList{"printer"});
        f.dialogs.printerAnswer = true;
        f.dialogs.configurePrinter = [&f](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(f.Path("report.pdf"));
        };
        f.Click("printButton");
        QVERIFY(f.Read("report.pdf").startsWith("%PDF"));
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void exitAndClosingKeepTheEntries() {
        for (const bool close : {false, true}) {
            Fixture f;
            close ? (void)f.Page().close() : f.Click("exitButton");
            QVERIFY(f.program->Ended());
            QCOMPARE(f.Read("VORELIN.DAT"),
                     QByteArray::fromStdString(LastSessionFileText(test::TypicalExample(7))));
        }
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::ResultsPageTest)
#include "results_page_test.moc"
