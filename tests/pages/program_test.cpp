#include "files/last_session_file.h"
#include "pages/entries_page.h"
#include "pages/help_page.h"
#include "pages/opening_page.h"
#include "pages/program.h"
#include "pages/results_page.h"
#include "render/font_substitutes.h"

#include "page_test_support.h"
#include "tests/support/entries.h"
#include "tests/support/folders.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

#include <sys/stat.h>

namespace vorelin {

using test::Find;

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SubstituteClassicFonts(); }

    // A whole run as a user makes it, from the keyboard and the mouse.
    void typicalRun() {
        test::TestProgram run;
        run.program->Start();
        OpeningPage& opening = run.program->OpeningWindow();
        QCOMPARE(opening.windowTitle(), QStringLiteral("Vorelin - Welcome !"));
        QCOMPARE(Find<QLabel>(opening, "versionLabel")->text(), QStringLiteral("Version 2.03"));
        opening.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&opening));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Start has the keyboard
        EntriesPage& entries = run.program->EntriesWindow();
        QVERIFY(entries.isVisible() && !opening.isVisible());
        test::ClickPage(entries, 5000, 6000); // topology 7
        run.Type(entries, "frequencyBox", "14.2M");
        run.Type(entries, "c1Box", "150p");
        run.Type(entries, "l2Box", "2.2u");
        run.Type(entries, "c3Box", "300p");
        QTest::keyClick(Find<QWidget>(entries, "c3Box"), Qt::Key_Return); // Enter is "See results"
        ResultsPage& results = run.program->ResultsWindow();
        QVERIFY(results.isVisible() && !entries.isVisible());
        QCOMPARE(results.geometry(), entries.geometry()); // in the place of the page left
        QStringList texts;
        for (const PageLabel& label : results.Labels())
            texts << QString::fromStdString(label.text);
        QVERIFY(texts.contains("+j47.01322  ( 526.929 nH )"));
        QVERIFY(texts.contains("C1: 150 pF"));
        run.Click(results, "entriesButton");
        QCOMPARE(run.Text(entries, "frequencyBox"), QStringLiteral("14.2M"));
        run.Click(entries, "exitButton");
        QVERIFY(run.program->Ended());
        QCOMPARE(run.Read("VORELIN.DAT"),
                 QByteArray::fromStdString(LastSessionFileText(test::TypicalExample(7))));
        QVERIFY(!run.program->ResultsWindow().isVisible() && !entries.isVisible());
    }

    // The opening page's way out writes nothing; the others keep the entries, and a write that
    // fails is told after a beep before the program ends all the same.
    void waysOfEnding() {
        test::TestProgram quit;
        quit.program->Start();
        quit.program->OpeningWindow().close();
        QVERIFY(quit.program->Ended());
        QVERIFY(quit.Read("VORELIN.DAT").isEmpty());

        test::TestProgram closed(test::TypicalExample(3));
        closed.program->ShowEntriesPage();
        closed.program->ShowHelpPage();
        closed.program->HelpWindow().close(); // the help page only goes
        QVERIFY(!closed.program->Ended());
        closed.program->EntriesWindow().close();
        QVERIFY(closed.program->Ended());
        QVERIFY(closed.Read("VORELIN.DAT").contains("Network topology:  3 "));

        test::TestProgram full(test::TypicalExample(7));
        full.program->ShowEntriesPage();
        {
            const test::FileSizeLimit fullDisk(1);
            full.Click(full.program->EntriesWindow(), "exitButton");
        }
        QCOMPARE(full.dialogs.beeps, 1);
        const QString notWritten = QString::fromLatin1(kLastSessionNotWritten.data());
        QCOMPARE(full.dialogs.messages, QStringList{notWritten + QStringLiteral(" File too large.")});
        QVERIFY(full.program->Ended());

        test::TestProgram pipe(test::TypicalExample(7)); // the system's reason, whatever the failure
        QVERIFY(mkfifo("VORELIN.DAT", 0600) == 0);
        pipe.program->ShowEntriesPage();
        pipe.Click(pipe.program->EntriesWindow(), "exitButton");
        QCOMPARE(pipe.dialogs.messages, QStringList{notWritten + QStringLiteral(" It is not a regular file.")});
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::ProgramTest)
#include "program_test.moc"
