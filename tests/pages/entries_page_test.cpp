#include "core/tuner_profile.h"
#include "pages/entries_page.h"
#include "pages/help_page.h"
#include "pages/profile_dialog.h"
#include "pages/program.h"
#include "pages/results_page.h"
#include "render/font_substitutes.h"

#include "page_test_support.h"
#include "tests/support/entries.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QtTest>

namespace vorelin {

using test::Find;

namespace {

struct Fixture : test::TestProgram {
    explicit Fixture(const Entries& entries = {}) : TestProgram(entries) { program->ShowEntriesPage(); }
    EntriesPage& Page() { return program->EntriesWindow(); }
    QStringList ShownBoxes() {
        QStringList shown;
        for (const char* name : {"c1Box", "c2Box", "c3Box", "l1Box", "l2Box", "l3Box"}) {
            if (Find<QLineEdit>(Page(), name)->isVisible()) shown << name;
        }
        return shown;
    }
};

} // namespace

class EntriesPageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { SubstituteClassicFonts(); }

    // The restore values (the last-session reader's fallbacks on a first run) through the
    // formatter, the literal texts where they are 0, and what the entries held.
    void startingValues() {
        Entries saved;
        saved.SavedFrequency = 4e6f, saved.SavedImpedance = 50, saved.SavedTopology = 0;
        Fixture first(saved);
        QCOMPARE(first.Text(first.Page(), "frequencyBox"), QStringLiteral("4M"));
        QCOMPARE(first.Text(first.Page(), "impedanceBox"), QStringLiteral("50 "));
        QCOMPARE(first.ShownBoxes(), QStringList({"c2Box", "l1Box"})); // topology 1
        QCOMPARE(first.Text(first.Page(), "l1Box"), QString());
        saved.SavedTopology = 999; // a topology no network has: the first, as when none was saved
        Fixture outside(saved);
        QCOMPARE(outside.program->TheEntries().Topology, 1);
        Fixture literal;
        QCOMPARE(literal.Text(literal.Page(), "impedanceBox"), QStringLiteral("50"));
        Fixture typed(test::TypicalExample(7));
        QCOMPARE(typed.Text(typed.Page(), "frequencyBox"), QStringLiteral("14.2M"));
        QCOMPARE(typed.Text(typed.Page(), "c3Box"), QStringLiteral("300 pF"));
        QCOMPARE(typed.ShownBoxes(), QStringList({"c1Box", "c3Box", "l2Box"}));
    }

    void pickingATopology_data() {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("topology");
        QTest::newRow("between 1 and 2") << 6400.0 << 3000.0 << 7;
        QTest::newRow("on a bound") << 4500.0 << 3000.0 << 7;
        QTest::newRow("inside the box of 1") << 6240.0 << 3000.0 << 1;
        QTest::newRow("past the box of 1") << 6260.0 << 3000.0 << 7;
        QTest::newRow("row 2 is 1000 high") << 5000.0 << 5100.0 << 7;
        QTest::newRow("5") << 5000.0 << 4500.0 << 5;
        QTest::newRow("8") << 9600.0 << 6500.0 << 8;
    }
    void pickingATopology() {
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, topology);
        Fixture f(test::TypicalExample(7));
        test::ClickPage(f.Page(), x, y);
        QCOMPARE(static_cast<int>(f.program->TheEntries().Topology), topology);
    }

    void keyboardAndHiddenTexts() {
        Fixture f(test::TypicalExample(7));
        f.Page().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.Page()));
        f.Page().setFocus();
        QTest::keyClick(&f.Page(), Qt::Key_1);
        QCOMPARE(f.ShownBoxes(), QStringList({"c2Box", "l1Box"}));
        QTest::keyClick(&f.Page(), Qt::Key_Left); // from 1 round to 8
        QCOMPARE(f.program->TheEntries().Topology, 8);
        QTest::keyClick(&f.Page(), Qt::Key_Down);
        QCOMPARE(f.program->TheEntries().Topology, 1);
        QTest::keyClick(&f.Page(), Qt::Key_7);
        QCOMPARE(f.Text(f.Page(), "c1Box"), QStringLiteral("150 pF")); // kept while hidden
        f.Type(f.Page(), "l2Box", "3.3u" + QString(100, QLatin1Char('9'))); // a box holds 40 characters
        QCOMPARE(f.Text(f.Page(), "l2Box").size(), 40);
        QCOMPARE(f.program->TheEntries().L2, 3.3e-6f);
    }

    void seeResultsChecks_data() {
        QTest::addColumn<int>("topology");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<QString>("impedance");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("shunt inductor first") << 3 << "7M" << "50" << "Shunt inductor must have a positive value" << "l1Box";
        QTest::newRow("series capacitor") << 4 << "7M" << "50" << "Series capacitor must have a positive value" << "c1Box";
        QTest::newRow("frequency before impedance") << 1 << "0" << "x" << "Frequency must be a positive value" << "frequencyBox";
        QTest::newRow("impedance") << 1 << "7M" << "-5" << "System impedance must be a positive value" << "impedanceBox";
        QTest::newRow("passes") << 1 << "7M" << "50" << QString() << QString();
    }
    void seeResultsChecks() {
        QFETCH(int, topology);
        QFETCH(QString, frequency);
        QFETCH(QString, impedance);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        Fixture f(test::MakeEntries(topology, 7e6f, 50));
        f.Type(f.Page(), "frequencyBox", frequency);
        f.Type(f.Page(), "impedanceBox", impedance);
        f.Click(f.Page(), "seeResultsButton");
        QCOMPARE(f.dialogs.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(f.program->ResultsWindow().isVisible(), message.isEmpty());
        if (!focus.isEmpty()) QCOMPARE(f.Page().focusWidget()->objectName(), focus);
    }

    // Beside each box the value as read, in a warning colour with the reason as its tip when the
    // reading skipped or cut anything; it stays clear of the specified controls and fits.
    void readoutsBesideTheBoxes() {
        Fixture f(test::TypicalExample(7));
        const auto readout = [&f](const char* name) { return Find<QLabel>(f.Page(), name); };
        f.Type(f.Page(), "c1Box", QStringLiteral("3OOp"));
        QCOMPARE(readout("c1Reading")->text(), QStringLiteral("= 3 pF"));
        QCOMPARE(readout("c1Reading")->toolTip(), QStringLiteral("Not read: \"OO\"."));
        const QColor warning = readout("c1Reading")->palette().color(QPalette::WindowText);
        f.Type(f.Page(), "c1Box", QStringLiteral("-1234.5678p"));
        QCOMPARE(readout("c1Reading")->text(), QStringLiteral("= -1234.57 pF"));
        QCOMPARE(readout("c1Reading")->toolTip(), QString());
        QVERIFY(readout("c1Reading")->palette().color(QPalette::WindowText) != warning);
        f.Type(f.Page(), "impedanceBox", QStringLiteral("50 ohms"));
        QCOMPARE(readout("impedanceReading")->text(), QStringLiteral("= 50 \u03A9"));
        QCOMPARE(readout("l1Reading")->isVisible(), false); // topology 7 has no L1
        for (const char* name :
             {"frequencyReading", "impedanceReading", "c1Reading", "l2Reading", "c3Reading"}) {
            QLabel* label = readout(name);
            QVERIFY2(label->isVisible(), name);
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), name);
            for (QWidget* other : f.Page().findChildren<QWidget*>()) {
                const bool background = qobject_cast<QLabel*>(other) && other->objectName().endsWith("Label");
                if (other == label || !other->isVisible() || background) continue;
                QVERIFY2(!label->geometry().intersects(other->geometry()),
                         qPrintable(QString::fromLatin1(name) + " covers " + other->objectName()));
            }
        }
    }

    // Back on the page, each box shows what it held, not a rounded text that would change it.
    void boxesKeepTheirDigits() {
        Fixture f(test::TypicalExample(7));
        f.Type(f.Page(), "frequencyBox", QStringLiteral("3.5678M"));
        f.Type(f.Page(), "c1Box", QStringLiteral("395.0291p"));
        f.Click(f.Page(), "seeResultsButton");
        f.program->ShowEntriesPage();
        QCOMPARE(f.Text(f.Page(), "frequencyBox"), QStringLiteral("3.5678M"));
        QCOMPARE(f.Text(f.Page(), "c1Box"), QStringLiteral("395.0291 pF"));
        QCOMPARE(f.Text(f.Page(), "c3Box"), QStringLiteral("300 pF")); // a text that reads back stays
        QCOMPARE(f.program->TheEntries().Frequency, 3567800.0f);
        QCOMPARE(f.program->TheEntries().C1, 395.0291e-12f);
    }

    // Help opens beside the entries page, at the same place and size each time.
    void helpBesideTheEntries() {
        Fixture f;
        f.Page().setGeometry(40, 60, 920, 690);
        f.Click(f.Page(), "helpButton");
        const QRect first = f.program->HelpWindow().geometry();
        QVERIFY(first.left() > f.Page().geometry().right() || first.right() < f.Page().geometry().left() ||
                first.width() == 920);
        f.program->HelpWindow().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.program->HelpWindow()));
        QTest::keyClick(&f.program->HelpWindow(), Qt::Key_Escape);
        QVERIFY(!f.program->HelpWindow().isVisible());
        f.Click(f.Page(), "helpButton");
        QCOMPARE(f.program->HelpWindow().geometry(), first);
        QCOMPARE(HelpPage::HelpText().count(QStringLiteral("\r\n\r\n")), 12);
    }

    // A profile chosen picks its network and is kept; the dialog refuses a value with its reason
    // and keeps nothing, saves what is read whole, and offers unsaved changes on closing.
    void tunerProfiles() {
        test::TestProgram p(test::TypicalExample(7));
        p.Write(QStringLiteral("VORELIN-TUNERS.CSV"), "name,topology\nShack T,5\n");
        p.program->ShowEntriesPage();
        EntriesPage& page = p.program->EntriesWindow();
        auto* chooser = Find<QComboBox>(page, "profileChooser");
        chooser->setCurrentIndex(1);
        QCOMPARE(p.program->TheEntries().Topology, 5);
        QVERIFY(p.Read(QStringLiteral("VORELIN-SETTINGS.TXT")).endsWith("\r\nTuner profile: Shack T\r\n"));

        p.Click(page, "profilesButton");
        ProfileDialog& dialog = *page.ProfilesDialog();
        p.Type(dialog, "l1LeastBox", QStringLiteral("10p"));
        p.Click(dialog, "saveProfileButton");
        QCOMPARE(Find<QLabel>(dialog, "refusalLabel")->text(),
                 QStringLiteral(
                     "The least value of L1, \"10p\", is not a number: give it in µH, as 100 or 1.5e3."));
        QCOMPARE(p.Read(QStringLiteral("VORELIN-TUNERS.CSV")), QByteArray("name,topology\nShack T,5\n"));
        p.Type(dialog, "l1LeastBox", QStringLiteral("0.5"));
        p.Click(dialog, "saveProfileButton");
        p.Click(dialog, "newProfileButton");
        p.Type(dialog, "profileNameBox", QStringLiteral("Pi"));
        p.dialogs.yesNoAnswer = true; // "Save them?"
        p.Click(dialog, "closeButton");
        QVERIFY(!dialog.isVisible());
        const ProfilesRead kept =
            ReadTunerProfiles(p.Read(QStringLiteral("VORELIN-TUNERS.CSV")).toStdString());
        QCOMPARE(kept.profiles.size(), 2u);
        QCOMPARE(kept.profiles[0].ranges[3].least, 0.5);
        QCOMPARE(chooser->itemText(2), QStringLiteral("Pi"));
        QCOMPARE(chooser->currentText(), QStringLiteral("Shack T"));
        QCOMPARE(p.dialogs.messages, QStringList());
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::EntriesPageTest)
#include "entries_page_test.moc"
