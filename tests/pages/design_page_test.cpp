// The design page driven like a user inside the program: opened from the results page, typed
// into, and left with a solution or by its way back.
#include "core/engineering_value.h"
#include "core/readout.h"
#include "pages/design_page.h"
#include "pages/program.h"
#include "pages/results_page.h"

#include "page_test_support.h"
#include "tests/support/entries.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <bit>
#include <cmath>
#include <complex>

namespace vorelin {
namespace {

// The typical example's results page, and "Design..." clicked on it.
struct Fixture : test::TestProgram {
    Fixture() : TestProgram(test::TypicalExample(7)) {
        program->ShowResultsPage();
        Click(Results(), "designButton");
    }
    DesignPage& Page() { return program->DesignWindow(); }
    ResultsPage& Results() { return program->ResultsWindow(); }
    QString Text(const char* box) { return TestProgram::Text(Page(), box); }
    void Type(const char* box, const QString& text) { TestProgram::Type(Page(), box, text); }
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
        QCOMPARE(test::Find<QPushButton>(f.Results(), "designButton")->text(),
                 QStringLiteral("Design\u2026"));
        QVERIFY(f.Page().isVisible() && !f.Results().isVisible());
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
        QVERIFY(test::Find<QPushButton>(f.Page(), "use1Button")->isVisible());
        QVERIFY(!test::Find<QPushButton>(f.Page(), "use2Button")->isVisible());
    }

    void loadedQAndHeldPart() {
        Fixture f;
        f.Type("q5Box", QStringLiteral("40"));
        QCOMPARE(f.Page().Designs()[4].designQ, 40.0);
        QVERIFY(std::fabs(f.Page().Designs()[4].solutions.at(0).loadedQ - 40) < 1e-6);
        // Holding C2 starts from its value in the first solution, exactly, and stands selected:
        // what is typed next replaces it, and is kept bit for bit.
        const float c2 = f.Page().Designs()[4].solutions[0].entries.C2;
        test::Find<QComboBox>(f.Page(), "hold5Chooser")->setCurrentText(QStringLiteral("C2"));
        QCOMPARE(static_cast<float>(ParseValue(f.Text("hold5Box").toStdString())), c2);
        QVERIFY(f.Page().Designs()[4].held && !test::Find<QLineEdit>(f.Page(), "q5Box")->isEnabled());
        QTest::keyClicks(test::Find<QLineEdit>(f.Page(), "hold5Box"), QStringLiteral("20p"));
        QCOMPARE(f.Text("hold5Box"), QStringLiteral("20p"));
        QCOMPARE(std::bit_cast<std::uint32_t>(f.Page().Designs()[4].solutions.at(0).entries.C2),
                 std::bit_cast<std::uint32_t>(20e-12f));
    }

    void useTheseValuesShowsTheLoadBack() {
        Fixture f;
        const DesignTarget target = f.Page().Target();
        const Entries chosen = f.Page().Designs()[6].solutions.at(0).entries;
        f.Click(f.Page(), "use7Button");
        QVERIFY(f.Results().isVisible() && !f.Page().isVisible());
        QVERIFY(f.program->TheEntries() == chosen); // the topology and every part, bit for bit
        const Load shown = RunNetwork(chosen).load;
        const auto labels = f.Results().Labels();
        QVERIFY(std::ranges::any_of(labels,
                                    [&](const PageLabel& l) { return l.text == ResistanceLabel(shown); }));
        const std::complex<double> wanted(target.loadR, target.loadX);
        QVERIFY(std::abs(std::complex<double>(shown.LoadR, shown.LoadX) - wanted) <= 1e-4 * std::abs(wanted));
    }

    // The profile in use gives the losses' Qs and the default, which Enter in a box uses.
    void profileAndDefault() {
        test::TestProgram p(test::TypicalExample(7));
        p.Write(QStringLiteral("VORELIN-TUNERS.CSV"), "name,topology,coil_q\nTee,6,150\n");
        p.Write(QStringLiteral("VORELIN-SETTINGS.TXT"), "Tuner profile: tee\n");
        p.program->ShowResultsPage();
        p.Click(p.program->ResultsWindow(), "designButton");
        DesignPage& page = p.program->DesignWindow();
        QCOMPARE(page.Rated().profileName, std::string("Tee"));
        QCOMPARE(page.Rated().settings.coilQ, 150.0);
        const auto preferred = page.Rated().choice.preferred;
        QVERIFY(preferred && page.Designs()[preferred->design].topology == 6);
        const Entries chosen = page.Designs()[preferred->design].solutions[preferred->solution].entries;
        QTest::keyClick(test::Find<QLineEdit>(page, "loadRBox"), Qt::Key_Return);
        QVERIFY(p.program->ResultsWindow().isVisible() && p.program->TheEntries() == chosen);
    }

    void backToTheResultsPage() {
        Fixture f;
        f.Click(f.Page(), "resultsButton");
        QVERIFY(f.Results().isVisible() && !f.Page().isVisible());
        f.Click(f.Results(), "designButton");
        f.Page().close();
        QVERIFY(f.Results().isVisible() && !f.Page().isVisible());
        QCOMPARE(f.dialogs.messages, QStringList());
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::DesignPageTest)
#include "design_page_test.moc"
