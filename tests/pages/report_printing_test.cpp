#include "files/start_up.h"
#include "pages/program.h"
#include "pages/report_printing.h"
#include "pages/results_page.h"

#include "page_test_support.h"
#include "tests/support/sessions.h"

#include <QFile>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace vorelin {

namespace {

// The results page of the typical example, ready to print: a pi network at 14.2 MHz.
struct Printing : test::TestProgram {
    Printing() : TestProgram(test::TypicalExample()) { program->ShowResultsPage(); }
    void PrintTo(const QString& fileName) {
        dialogs.printerAnswer = true;
        dialogs.configurePrinter = [fileName](QPrinter& printer) { printer.setOutputFileName(fileName); };
    }
    void ClickSendToPrinter() { Click(program->Results(), "cmdPrint"); }
};

} // namespace

class ReportPrintingTest : public QObject {
    Q_OBJECT

private slots:
    void cancellingPrintsNothingAndSaysNothing() {
        Printing p;
        p.dialogs.printerAnswer = false;
        p.dialogs.configurePrinter = [&p](QPrinter& printer) {
            printer.setOutputFileName(p.folder.Path() + QStringLiteral("/report.pdf"));
        };
        const Session before = p.session;
        const std::uint64_t drawn = p.program->Results().Drawing().Revision();
        p.ClickSendToPrinter();
        QCOMPARE(p.dialogs.printerQuestions, 1);
        QVERIFY(p.dialogs.messages.isEmpty());
        QVERIFY(p.session == before);
        QCOMPARE(p.program->Results().Drawing().Revision(), drawn);
        QVERIFY(!QFile::exists(p.folder.Path() + QStringLiteral("/report.pdf")));
    }

    void printingToAFileWritesOnePdfPage() {
        Printing p;
        const QString fileName = p.folder.Path() + QStringLiteral("/report.pdf");
        p.PrintTo(fileName);
        const Session before = p.session;
        const std::uint64_t drawn = p.program->Results().Drawing().Revision();
        p.ClickSendToPrinter();
        QVERIFY2(p.dialogs.messages.isEmpty(), qPrintable(p.dialogs.messages.join(u'\n')));
        QVERIFY(p.session == before);
        QCOMPARE(p.program->Results().Drawing().Revision(), drawn);
        const QByteArray pdf = p.folder.Read(QStringLiteral("report.pdf"));
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.contains("/Count 1"));
    }

    void aFileThatCannotBeWrittenIsToldOnce() {
        Printing p;
        const QString fileName = p.folder.Path() + QStringLiteral("/no such folder/report.pdf");
        p.PrintTo(fileName);
        p.ClickSendToPrinter();
        QCOMPARE(p.dialogs.messages.size(), 1);
        QVERIFY2(p.dialogs.messages[0].startsWith(QStringLiteral("The report file ") + fileName +
                                                  QStringLiteral(" could not be written: ")),
                 qPrintable(p.dialogs.messages[0]));
        QVERIFY(!QFile::exists(fileName));
    }

    void aPrinterThatCannotBeReachedIsToldOnce() {
        Printing p;
        p.dialogs.printerAnswer = true;
        p.dialogs.configurePrinter = [](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(QStringLiteral("Vorelin test printer that does not exist"));
        };
        p.ClickSendToPrinter();
        // Here no printer is known at all, so the message cannot name one.
        QCOMPARE(p.dialogs.messages,
                 QStringList{QStringLiteral("The printer did not take the report; nothing was printed.")});
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::ReportPrintingTest)
#include "report_printing_test.moc"
