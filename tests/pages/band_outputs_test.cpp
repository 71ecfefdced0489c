#include "files/band_workflow.h"
#include "pages/band_page.h"
#include "pages/entries_page.h"
#include "pages/program.h"
#include "tools/calculator.h"

#include "page_test_support.h"

#include <QDir>
#include <QtTest>

#include <algorithm>
#include <sstream>

namespace vorelin {

namespace {

// What one save leaves: the file's bytes, or the sentence told instead.
struct Outcome {
    QByteArray bytes;
    QString told;
};

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// vorelin-calc --table TABLE OPTION TARGET [--reference Z0], run in-process; its message without
// the prefix.
Outcome Calculate(const QString& table, const std::string& option, const QString& target,
                  const QString& reference) {
    std::vector<std::string> arguments{"--table", table.toStdString(), option, target.toStdString()};
    if (option == "--s1p" && !reference.isEmpty())
        arguments.insert(arguments.end(), {"--reference", reference.toStdString()});
    std::ostringstream out, err;
    if (RunCalculator(arguments, out, err) == kCalcOk) return {Bytes(target), {}};
    QString told = QString::fromStdString(err.str()).trimmed();
    const QString prefix = QString::fromUtf8(kCalcPrefix);
    return {{}, told.startsWith(prefix) ? told.mid(prefix.size()) : told};
}

} // namespace

class BandOutputsTest : public QObject {
    Q_OBJECT

private slots:
    void pageAndCalculatorWriteAlike_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("reference"); // chosen on the page among the rows' impedances
        QTest::addColumn<bool>("toAFolder");    // each file saved under the name of a folder
        // The start of what is told instead of each file ("@" the run's folder); empty when written.
        QTest::addColumn<QString>("s1pTold");
        QTest::addColumn<QString>("csvTold");
        QTest::newRow("two impedances") << "band.csv"
                                        << "75" << false << QString() << QString();
        QTest::newRow("40 m") << "band-40m-misread.csv"
                              << "" << false << QString() << QString();
        QTest::newRow("one frequency twice")
            << "band-same-frequency.csv"
            << "" << false
            << "No Touchstone file was written: rows 1 and 3 have the same frequency (7100000 Hz)."
            << QString();
        QTest::newRow("no file") << "none.csv"
                                 << "" << false
                                 << "The band table @none.csv was not read. There is no such file."
                                 << "The band table @none.csv was not read. There is no such file.";
        QTest::newRow("no rows") << "header.csv"
                                 << "" << false << "The band table @header.csv was not read. It has no rows."
                                 << "The band table @header.csv was not read. It has no rows.";
        QTest::newRow("not written")
            << "band.csv"
            << "50" << true << "The Touchstone file @folder could not be written: it is not a regular"
            << "The CSV file @folder could not be written: it is not a regular file.";
    }

    // The page's Touchstone… and Results CSV… write the bytes that --s1p and --csv write, and where
    // there is no file both tell the same sentence.
    void pageAndCalculatorWriteAlike() {
        QFETCH(QString, table);
        QFETCH(QString, reference);
        QFETCH(bool, toAFolder);
        QFETCH(QString, s1pTold);
        QFETCH(QString, csvTold);
        test::TestProgram program;
        const QString folder = program.folder.path() + QLatin1Char('/');
        QFile::copy(QStringLiteral(VORELIN_TOOLS_DATA) + table, folder + table);
        program.Write(QStringLiteral("header.csv"), "frequency,topology,impedance\r\n");
        QDir(folder).mkdir(QStringLiteral("folder"));
        const auto target = [&](const char* name) {
            return folder + QString::fromUtf8(toAFolder ? "folder" : name);
        };

        program.program->ShowEntriesPage();
        program.Click(program.program->EntriesWindow(), "bandButton");
        BandPage& page = program.program->BandWindow();
        program.dialogs.openAnswer = folder + table;
        page.onOpenTable();
        const QString openFailure = program.dialogs.messages.value(0);
        const std::vector<float> impedances = BandImpedances(page.Model().Table());
        program.dialogs.choiceAnswer =
            static_cast<int>(std::ranges::find(impedances, reference.toFloat()) - impedances.begin());
        const auto save = [&](void (BandPage::*button)(), const char* name) {
            if (!openFailure.isEmpty()) return Outcome{{}, openFailure};
            program.dialogs.saveAnswer = target(name);
            (page.*button)();
            if (!program.dialogs.messages.isEmpty()) return Outcome{{}, program.dialogs.messages.takeLast()};
            return Outcome{Bytes(target(name)), {}};
        };
        const Outcome pageS1p = save(&BandPage::onSaveTouchstone, "page.s1p");
        const Outcome pageCsv = save(&BandPage::onSaveResultsCsv, "page.csv");
        const Outcome calcS1p = Calculate(folder + table, "--s1p", target("calc.s1p"), reference);
        const Outcome calcCsv = Calculate(folder + table, "--csv", target("calc.csv"), reference);

        QCOMPARE(calcS1p.told, pageS1p.told);
        QCOMPARE(calcS1p.bytes, pageS1p.bytes);
        QCOMPARE(calcCsv.told, pageCsv.told);
        QCOMPARE(calcCsv.bytes, pageCsv.bytes);
        for (const auto& [outcome, told] : {std::pair{pageS1p, s1pTold}, {pageCsv, csvTold}}) {
            QVERIFY2(outcome.told.startsWith(QString(told).replace(QLatin1Char('@'), folder)),
                     qPrintable(outcome.told));
            QCOMPARE(outcome.told.isEmpty(), told.isEmpty());
            QCOMPARE(outcome.bytes.isEmpty(), !told.isEmpty());
        }
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::BandOutputsTest)
#include "band_outputs_test.moc"
