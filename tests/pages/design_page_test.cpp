// The design page driven like a user inside the program: opened from the results page, typed
// into, and left with a solution or by its way back.
#include "core/engineering_value.h"
#include "core/readout.h"
#include "pages/design_page.h"
#include "pages/program.h"
#include "pages/results_page.h"
#include "pages/user_dialogs.h"
#include "tests/support/entries.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <bit>
#include <cmath>
#include <complex>

namespace vorelin {
namespace {

// No page here asks anything; a message would be a fault.
class NoDialogs final : public UserDialogs {
public:
    void ShowMessage(QWidget*, const QString& text) override { QFAIL(qPrintable(text)); }
    void Beep() override {}
    QString AskSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    SaveChoice AskSaveAs(QWidget*, const QString&, const QStringList&) override { return {}; }
    bool AskOverwrite(QWidget*, const QString&) override { return false; }
    bool AskPrinter(QWidget*, QPrinter&) override { return false; }
};

// The typical example's results page, and "Design..." clicked on it, in a fresh working folder
// (where the program keeps its files).
struct Fixture {
    QTemporaryDir folder;
    QString previous = QDir::currentPath();
    NoDialogs dialogs;
    Program program{dialogs, test::TypicalExample(7)};

    Fixture() {
        QDir::setCurrent(folder.path());
        program.ShowResultsPage();
        Click(program.ResultsWindow(), "designButton");
    }
    ~Fixture() { QDir::setCurrent(previous); }
    DesignPage& Page() { return program.DesignWindow(); }
    template <class T = QLineEdit> T* Find(QWidget& page, const char* name) {
        return page.findChild<T*>(QString::fromLatin1(name));
    }
    void Click(QWidget& page, const char* name) {
        QTest::mouseClick(Find<QPushButton>(page, name), Qt::LeftButton);
    }
    QString Text(const char* box) { return Find(Page(), box)->text(); }
    void Type(const char* box, const QString& text) {
        Find(Page(), box)->selectAll();
        QTest::keyClicks(Find(Page(), box), text);
    }
    // The page's drawn texts, one after another with a blank between.
    std::string DrawnText() {
        std::string all;
        for (const Primitive& p : Page().Drawing().Primitives())
            all += p.op == Op::Text ? Page().Drawing().TextOf(p) + " " : "";
        return all;
    }
};

} // namespace

class DesignPageTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheLoadOfTheResultsPage() {
        Fixture f;
        QCOMPARE(f.Find<QPushButton>(f.program.ResultsWindow(), "designButton")->text(),
                 QStringLiteral("Design\u2026"));
        QVERIFY(f.Page().isVisible() && !f.program.ResultsWindow().isVisible());
        QCOMPARE(QStringList({f.Text("loadRBox"), f.Text("loadXBox"), f.Text("impedanceBox"),
                              f.Text("frequencyBox")}),
                 QStringList({"2.454566", "47.01322", "50", "14.2M"}));
    }

    void typingALoadDesignsAgain() {
        Fixture f;
        f.Type("loadRBox", QStringLiteral("200"));
        f.Type("loadXBox", QStringLiteral("-200"));
        const Entries first = DesignNetwork(1, {200, -200, 50, 14.2e6f}).solutions.at(0).entries;
        QCOMPARE(f.Page().Designs()[0].solutions.at(0).entries, first);
        QVERIFY(f.DrawnText().find(PartLabel(first, PartsOf(1)[0])) != std::string::npos);
        // Network 2 cannot reach this load, and says why in place of a solution.
        QVERIFY(f.DrawnText().find(kReasonInsideRCircle) != std::string::npos);
        QVERIFY(f.Find<QPushButton>(f.Page(), "use1Button")->isVisible());
        QVERIFY(!f.Find<QPushButton>(f.Page(), "use2Button")->isVisible());
    }

    void loadedQAndHeldPart() {
        Fixture f;
        f.Type("q5Box", QStringLiteral("40"));
        QCOMPARE(f.Page().Designs()[4].designQ, 40.0);
        QVERIFY(std::fabs(f.Page().Designs()[4].solutions.at(0).loadedQ - 40) < 1e-6);
        // Holding C2 starts from its value in the first solution; typed, the value is kept bit for bit.
        const float c2 = f.Page().Designs()[4].solutions[0].entries.C2;
        f.Find<QComboBox>(f.Page(), "hold5Chooser")->setCurrentText(QStringLiteral("C2"));
        QCOMPARE(f.Find(f.Page(), "hold5Box")->text(), QString::fromStdString(FormatCapacitance(c2)));
        QVERIFY(f.Page().Designs()[4].held && !f.Find(f.Page(), "q5Box")->isEnabled());
        f.Type("hold5Box", QStringLiteral("20p"));
        QCOMPARE(std::bit_cast<std::uint32_t>(f.Page().Designs()[4].solutions.at(0).entries.C2),
                 std::bit_cast<std::uint32_t>(20e-12f));
    }

    void useTheseValuesShowsTheLoadBack() {
        Fixture f;
        const DesignTarget target = f.Page().Target();
        const Entries chosen = f.Page().Designs()[6].solutions.at(0).entries;
        f.Click(f.Page(), "use7Button");
        QVERIFY(f.program.ResultsWindow().isVisible() && !f.Page().isVisible());
        QVERIFY(f.program.TheEntries() == chosen); // the topology and every part, bit for bit
        const Load shown = RunNetwork(chosen).load;
        const auto labels = f.program.ResultsWindow().Labels();
        QVERIFY(std::ranges::any_of(labels,
                                    [&](const PageLabel& l) { return l.text == ResistanceLabel(shown); }));
        const std::complex<double> wanted(target.loadR, target.loadX);
        QVERIFY(std::abs(std::complex<double>(shown.LoadR, shown.LoadX) - wanted) <=
                1e-4 * (std::abs(wanted) + 50));
    }

    void backToTheResultsPage() {
        Fixture f;
        f.Click(f.Page(), "resultsButton");
        QVERIFY(f.program.ResultsWindow().isVisible() && !f.Page().isVisible());
        f.Click(f.program.ResultsWindow(), "designButton");
        f.Page().close();
        QVERIFY(f.program.ResultsWindow().isVisible() && !f.Page().isVisible());
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::DesignPageTest)
#include "design_page_test.moc"
