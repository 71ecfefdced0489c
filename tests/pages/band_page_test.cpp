#include "core/band_paste.h"
#include "core/band_prediction.h"
#include "core/band_table.h"
#include "core/cables.h"
#include "core/dial_values.h"
#include "core/figures_text.h"
#include "core/load_figures.h"
#include "core/topology.h"
#include "files/band_file.h"
#include "files/file_lock.h"
#include "files/kept_band_file.h"
#include "files/load_csv.h"
#include "files/settings_file.h"
#include "graphics/load_marks.h"
#include "graphics/page_layout.h"
#include "pages/band_page.h"
#include "pages/band_table_model.h"
#include "pages/entries_page.h"
#include "pages/program.h"
#include "pages/user_dialogs.h"

#include "page_test_support.h"
#include "tests/support/entries.h"
#include "tests/support/folders.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

#include <functional>
#include <memory>
#include <unistd.h>

namespace vorelin {

namespace {

constexpr auto kLoadColumn = static_cast<int>(kBandColumnCount);

// The band page opened from the entries page on the typical entries, in the program's empty
// working folder (the kept file lives there), on `kept` as the band table file when one is given.
struct Fixture : test::TestProgram {
    BandPage* page = nullptr;

    explicit Fixture(const QByteArray& kept = {}, const QString& paste = {},
                     const std::function<void()>& beforeOpening = {})
        : TestProgram(test::TypicalExample()) {
        if (!kept.isEmpty()) Write(QString::fromLatin1(kBandFileName), kept);
        if (beforeOpening) beforeOpening();
        program->ShowEntriesPage();
        TestProgram::Click(program->EntriesWindow(), "bandButton");
        page = &program->BandWindow();
        if (!paste.isEmpty()) page->PasteRows(paste);
    }
    QByteArray Kept() const { return Read(QString::fromLatin1(kBandFileName)); }
    QString Cell(int row, int column) const { return page->Model().index(row, column).data().toString(); }
    QStringList Column(int column) const {
        QStringList cells;
        for (int row = 0; row < page->Model().rowCount(); ++row)
            cells << Cell(row, column);
        return cells;
    }
    void Click(const char* name) { TestProgram::Click(*page, name); }
    bool Enabled(const char* name) const { return test::Find<QWidget>(*page, name)->isEnabled(); }
    QLabel& Note() { return *test::Find<QLabel>(*page, "noteLabel"); }
    void Keys(QKeySequence keys) { QTest::keySequence(page, keys); }
    QTableView& Table() { return *page->findChild<QTableView*>(QStringLiteral("bandTable")); }
    // The window point of the mark of the scene's point `index`.
    QPoint MarkOf(std::size_t index) const {
        const PagePoint at = page->Drawn().marks[index];
        return page->Mapping().Point(at.x, at.y).toPoint();
    }
};

const QString kThreeRows = QStringLiteral("14.2M\t7\t50\t150p\t\t300p\t\t2.2u\t\tfirst\r\n"
                                          "7.1M\t7\t50\t150p\t\t300p\t\t2.2u\t\tsecond\r\n"
                                          "14.2M\t7\t75\t160p\t\t310p\t\t2.3u\t\tthird\r\n");

// A pi network tuned to a short antenna, 6.9 to 7.4 MHz; at 7.2 MHz C1 (1326.29 pF) read 25 % high.
const QString kMisreadBand = QStringLiteral("6.9M\t7\t50\t1383.96 pF\t\t1268.23 pF\t\t617.524 nH\n"
                                            "7M\t7\t50\t1364.19 pF\t\t1511.81 pF\t\t580.706 nH\n"
                                            "7.1M\t7\t50\t1344.97 pF\t\t1752.28 pF\t\t560.68 nH\n"
                                            "7.2M\t7\t50\t1657.86 pF\t\t1915.46 pF\t\t558.4 nH\n"
                                            "7.3M\t7\t50\t1308.12 pF\t\t1950.01 pF\t\t571.378 nH\n"
                                            "7.4M\t7\t50\t1290.45 pF\t\t1872.01 pF\t\t595.151 nH\n");

} // namespace

class BandPageTest : public QObject {
    Q_OBJECT

private slots:
    void rowsAreAddedPastedSortedAndDeleted() {
        Fixture f;
        f.Click("addRowButton"); // from the entries page's values
        QCOMPARE(f.page->Model().Table().rows.front().cells,
                 BandRowFromEntries(test::TypicalExample()).cells);
        QApplication::clipboard()->setText(QStringLiteral("7.1M\t7\t50\t150p\t\t300p\t\t2.2u\t\tpasted\n"));
        f.Click("pasteButton");
        f.page->PasteRows(QStringLiteral("Note,Frequency,Topology,Impedance\r\nwith header,3.5M,7,50\r\n"));
        QCOMPARE(f.Column(0), QStringList({"14.2M", "7.1M", "3.5M"}));
        f.page->PasteRows(QStringLiteral("7.1M\t7\t50\t\t\t\t\t\t\tsame frequency\n"));
        f.Click("sortButton"); // stable: the rows at 7.1 MHz keep their order
        QCOMPARE(f.Column(9), QStringList({"with header", "pasted", "same frequency", ""}));
        QCOMPARE(f.page->SelectedRow(), std::optional<std::size_t>(2)); // the selection went along
        f.Click("deleteRowButton");
        QCOMPARE(f.Column(9), QStringList({"with header", "pasted", ""}));
        f.page->PasteRows(QStringLiteral("7.1M\t7\t50\t150p\t1\t2\t3\t4\t5\t6\t7\n"));
        f.page->PasteRows(QStringLiteral("\t\r\n"));
        QCOMPARE(
            f.dialogs.messages,
            QStringList({QStringLiteral("The pasted rows were not added: Line 1 has more cells than the 10 "
                                        "columns of a band table."),
                         QStringLiteral("The clipboard holds no rows to add.")}));
        QVERIFY(!f.Table().tabKeyNavigation()); // Tab leads on to the page's buttons
    }

    // Ctrl+C on the grid copies the selected rows, which its own paste takes back unchanged.
    void selectedRowsAreCopiedAsText() {
        Fixture f({}, kThreeRows);
        f.Table().selectionModel()->clearSelection();
        f.Table().selectionModel()->select(f.Table().model()->index(2, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        f.Table().selectionModel()->select(f.Table().model()->index(0, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        f.Table().setFocus();
        QTest::keyClick(&f.Table(), Qt::Key_C, Qt::ControlModifier);
        const std::vector<std::size_t> rows{0, 2};
        QCOMPARE(QApplication::clipboard()->text(),
                 QString::fromStdString(CopiedRows(f.page->Model().Table(), rows)));
        f.page->SelectRow(2);
        f.Click("pasteButton");
        QCOMPARE(f.Column(9), QStringList({"first", "second", "third", "first", "third"}));
        QCOMPARE(f.page->Model().Table().rows[3].cells, f.page->Model().Table().rows[0].cells);
    }

    void aFailingRowIsKeptWithItsReason() {
        Fixture f({}, QStringLiteral("14.2M\t6\t50\t\t\t300p\t\t2.2u\n"));
        QCOMPARE(f.Cell(0, kLoadColumn), QStringLiteral("Series capacitor must have a positive value"));
        QCOMPARE(f.Table().columnSpan(0, kLoadColumn), 3);
        QVERIFY(f.Kept().contains("14.2M,6,50,,,300p,,2.2u,,"));
        QVERIFY(f.Table().model()->setData(f.Table().model()->index(0, 3), QStringLiteral("150p")));
        QCOMPARE(f.Cell(0, kLoadColumn), QStringLiteral("111.5 +j112.2 Ω"));
        QCOMPARE(f.Table().columnSpan(0, kLoadColumn), 1);
        QVERIFY(f.Kept().contains("14.2M,6,50,150p,,300p,,2.2u,,"));
    }

    void selectingARowHighlightsItsPointAndTheOtherWayRound() {
        Fixture f({}, kThreeRows);
        f.page->SelectRow(0);
        const auto highlighted = [&f] {
            std::vector<std::size_t> rows;
            for (const Primitive& p : f.page->Drawing().Primitives()) {
                if (p.op != Op::Circle || p.colour != kFinalMarkColour || p.radius != 80) continue;
                for (std::size_t i = 0; i < f.page->Drawn().marks.size(); ++i) {
                    if (f.page->Drawn().marks[i].x == p.centreX && f.page->Drawn().marks[i].y == p.centreY)
                        rows.push_back(f.page->Scene().points[i].row);
                }
            }
            return rows;
        };
        QCOMPARE(highlighted(), std::vector<std::size_t>{0});
        QCOMPARE(f.page->Scene().points.front().row, 1u); // 7.1 MHz, lowest
        QTest::mouseClick(f.page, Qt::LeftButton, Qt::NoModifier, f.MarkOf(0));
        QCOMPARE(f.page->SelectedRow(), std::optional<std::size_t>(1));
        QCOMPARE(highlighted(), std::vector<std::size_t>{1});
    }

    void theKeptTableIsWrittenAndReadBack() {
        QByteArray kept;
        {
            Fixture f({}, kThreeRows);
            kept = f.Kept();
            QCOMPARE(kept.toStdString(), BandTableText(f.page->Model().Table()));
        }
        Fixture again(kept);
        QCOMPARE(again.Column(9), QStringList({"first", "second", "third"}));
        QCOMPARE(again.Kept(), kept);
    }

    void anUnreadableKeptFileIsToldOnceAndSetAside() {
        Fixture f("frequency,topology,impedance\r\n14.2M,\"7\r\n");
        QTRY_COMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages.front().startsWith(QString::fromLatin1(kBandFileNotRead)));
        QVERIFY(f.dialogs.messages.front().endsWith(QStringLiteral(" It is kept as VORELIN-BAND.BAK.")));
        f.Click("addRowButton"); // the user's own rows are kept beside it
        QVERIFY(f.Kept().startsWith("frequency,topology,impedance,c1"));
        QCOMPARE(f.Read(QStringLiteral("VORELIN-BAND.BAK")),
                 QByteArray("frequency,topology,impedance\r\n14.2M,\"7\r\n"));
        QCOMPARE(f.dialogs.messages.size(), 1);
    }

    void touchstoneNeedsUniqueFrequenciesAndAReference() {
        Fixture f({}, kThreeRows);
        f.Click("touchstoneButton");
        QCOMPARE(f.dialogs.messages,
                 QStringList(QStringLiteral("No Touchstone file was written: rows 1 and 3 have "
                                            "the same frequency (14200000 Hz).")));
        QVERIFY(f.dialogs.questions.isEmpty());
        f.page->SelectRow(2);
        QVERIFY(f.Table().model()->setData(f.Table().model()->index(2, 0), QStringLiteral("21.2M")));
        f.dialogs.choiceAnswer = 1;
        f.dialogs.saveAnswer = f.Path(QStringLiteral("band.s1p"));
        f.Click("touchstoneButton");
        QVERIFY(f.dialogs.questions.front().endsWith(QStringLiteral("refer to? 50 ohms; 75 ohms")));
        QVERIFY(f.Read(QStringLiteral("band.s1p")).contains("\n# Hz S RI R 75\n7100000 "));
    }

    void exportsWriteTheirFilesOrNameThem() {
        Fixture f({}, kThreeRows);
        f.dialogs.saveAnswer = f.Path(QStringLiteral("results.csv"));
        f.Click("resultsCsvButton");
        QVERIFY(f.Read(QStringLiteral("results.csv")).startsWith("frequency_hz,r_ohm,x_ohm,swr"));
        f.dialogs.saveAnswer = f.Path(QStringLiteral("page.png"));
        f.Click("pictureButton");
        QVERIFY(f.Read(QStringLiteral("page.png")).startsWith("\x89PNG"));
        f.dialogs.saveAnswer = f.Path(QStringLiteral("missing/band.csv"));
        f.Click("saveButton");
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(
            f.dialogs.messages.front().startsWith(QStringLiteral("The band table ") + f.dialogs.saveAnswer));
    }

    void tolerancesAreasArriveFromAnotherThread() {
        Fixture f({}, kThreeRows);
        f.page->findChild<QComboBox*>(QStringLiteral("accuracyBox"))->setCurrentIndex(5); // 20 %
        QVERIFY(f.page->AreasPending()); // the page goes on meanwhile
        const auto* label = f.page->findChild<QLabel*>(QStringLiteral("areasLabel"));
        QCOMPARE(label->text(), QStringLiteral("Tolerance areas at 20 %: computing…"));
        QTRY_VERIFY(!f.page->AreasPending());
        QCOMPARE(label->text(), QStringLiteral("Tolerance areas at 20 %"));
        for (const auto& area : f.page->Model().Areas())
            QVERIFY(area && !area->points.empty());
        const auto areaDrawn = [&f] {
            return std::ranges::any_of(f.page->Drawing().Primitives(), [](const Primitive& p) {
                return p.op == Op::Rings && p.colour == 0xAAEEAA;
            });
        };
        QVERIFY(areaDrawn());
        f.page->findChild<QComboBox*>(QStringLiteral("accuracyBox"))->setCurrentIndex(0); // none
        QVERIFY(!areaDrawn());
    }

    void theMouseZoomsPansTellsAndResets() {
        Fixture f({}, kThreeRows);
        const QPoint mark = f.MarkOf(0);
        QTest::mouseMove(f.page, mark);
        const auto* hover = f.page->findChild<QLabel*>(QStringLiteral("hoverLabel"));
        QVERIFY(hover->isVisible());
        QCOMPARE(hover->text(), QStringLiteral("7.1 MHz\n120 +j97.08 Ω\nSWR 4.146"));
        // Straight onto the grid, with no move over the page between: the box goes.
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(f.Table().viewport(), &enter);
        QVERIFY(!hover->isVisible());
        QTest::mouseMove(f.page, mark);
        QWheelEvent wheel(mark, f.page->mapToGlobal(mark), {}, {0, 120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(f.page, &wheel);
        QCOMPARE(f.page->View().scale, 1.2f);
        QVERIFY((f.MarkOf(0) - mark).manhattanLength() <= 1); // about the pointer
        const BandChartView zoomed = f.page->View();
        QTest::mousePress(f.page, Qt::LeftButton, {}, mark);
        QMouseEvent drag(QEvent::MouseMove, mark + QPoint(40, 0), f.page->mapToGlobal(mark + QPoint(40, 0)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.page, &drag);
        QTest::mouseRelease(f.page, Qt::LeftButton, {}, mark + QPoint(40, 0));
        QVERIFY(f.page->View().centreX > zoomed.centreX);
        QCOMPARE(f.page->View().centreY, zoomed.centreY);
        QTest::mouseDClick(f.page, Qt::LeftButton, {}, mark);
        QCOMPARE(f.page->View(), HomeBandView());
    }

    void predictionsAreAddedMarkedOrTheReasonIsTold() {
        Fixture f({}, kMisreadBand);
        auto* box = f.page->findChild<QLineEdit*>(QStringLiteral("predictFrequencyBox"));
        QTest::keyClicks(box, QStringLiteral("9M"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(f.dialogs.messages, QStringList(QStringLiteral("No settings were predicted. ") +
                                                 QString::fromUtf8(kPredictionOutsideRange.data())));
        const BandPrediction expected = PredictBandRow(f.page->Model().Table(), 7.05e6f);
        box->setText(QStringLiteral("7.05M"));
        f.Click("predictButton");
        QCOMPARE(f.Column(0), QStringList({"6.9M", "7M", "7.05M", "7.1M", "7.2M", "7.3M", "7.4M"}));
        QCOMPARE(f.Cell(2, 9), QStringLiteral("predicted"));
        const Entries& added = f.page->Model().Table().rows[2].entries;
        // The parts as a dial is set to them: four digits, in the grid's own style.
        for (const PartSlot& part : PartsOf(7)) {
            QVERIFY(std::fabs(added.*part.value / expected.entries.*part.value - 1) < 5e-4f);
            QCOMPARE(f.Cell(2, static_cast<int>(*ColumnNamed(part.name))),
                     QString::fromStdString(DialValueText(expected.entries.*part.value)));
        }
        QCOMPARE(f.page->SelectedRow(), std::optional<std::size_t>(2));
        QVERIFY(f.page->Model().index(2, 0).data(Qt::FontRole).value<QFont>().italic());
        QVERIFY(f.page->Scene().points[2].predicted);
        // A reading typed into it makes it the user's own row.
        QVERIFY(f.Table().model()->setData(f.Table().model()->index(2, 3), QStringLiteral("1350p")));
        QCOMPARE(f.Cell(2, 9), QString());
        QVERIFY(!f.page->Scene().points[2].predicted);
    }

    // A frequency a row holds selects that row; a frequency that is not read whole is refused; a
    // prediction beside a flagged row says so.
    void predictingOnARowOrBesideAFlag() {
        Fixture f({}, kMisreadBand);
        auto* box = f.page->findChild<QLineEdit*>(QStringLiteral("predictFrequencyBox"));
        box->setText(QStringLiteral("7.1M"));
        f.Click("predictButton");
        QCOMPARE(f.page->Model().RowCount(), 6u);
        QCOMPARE(f.page->SelectedRow(), std::optional<std::size_t>(2));
        box->setText(QStringLiteral("7,15M"));
        f.Click("predictButton");
        QCOMPARE(f.page->Model().RowCount(), 6u);
        QVERIFY(f.dialogs.messages.value(0).contains(QStringLiteral("must use a period")));
        f.page->findChild<QComboBox*>(QStringLiteral("accuracyBox"))->setCurrentIndex(2); // 2 %
        box->setText(QStringLiteral("7.15M"));
        f.Click("predictButton");
        QCOMPARE(f.Column(0), QStringList({"6.9M", "7M", "7.1M", "7.15M", "7.2M", "7.3M", "7.4M"}));
        QVERIFY(
            f.dialogs.messages.value(1).contains(QStringLiteral("beside row 5, which is likely misread")));
    }

    void misreadRowsAreFlaggedForTheChosenAccuracy() {
        Fixture f({}, kMisreadBand);
        auto* accuracy = f.page->findChild<QComboBox*>(QStringLiteral("accuracyBox"));
        const auto flagged = [&f] {
            return std::ranges::count_if(f.page->Scene().points, &BandScenePoint::misread);
        };
        accuracy->setCurrentIndex(2); // 2 %
        QVERIFY(flagged() == 1 && f.page->Scene().points[3].misread);
        // The flag in its own column: the load, SWR and |Γ| stay.
        QCOMPARE(f.Cell(3, kLoadColumn), QStringLiteral("34.98 +j24.95 Ω"));
        QVERIFY(f.Cell(3, kLoadColumn + 1).startsWith(QStringLiteral("1.")));
        QCOMPARE(f.Cell(3, static_cast<int>(kBandFlagColumn)), QString::fromUtf8(kMisreadText.data()));
        QVERIFY(!f.Table()
                     .model()
                     ->index(3, static_cast<int>(kBandFlagColumn))
                     .data(Qt::ToolTipRole)
                     .toString()
                     .isEmpty());
        QCOMPARE(f.Cell(2, static_cast<int>(kBandFlagColumn)), QString());
        const PagePoint ring = f.page->Drawn().marks[3]; // the 7.4 MHz label keeps off its flag
        for (const Primitive& p : f.page->Drawing().Primitives()) {
            PageRect text{};
            if (p.op == Op::Text && ExtentOf(f.page->Drawing(), p, 0, text))
                QVERIFY(!Overlap(text, Inflated({ring.x, ring.y, ring.x, ring.y}, 60)));
        }
        accuracy->setCurrentIndex(3); // 5 % explains the reading
        QCOMPARE(flagged(), 0);
        accuracy->setCurrentIndex(2);
        QVERIFY(f.Table().model()->setData(f.Table().model()->index(3, 3), QStringLiteral("1326.29p")));
        QCOMPARE(flagged(), 0);
        QCOMPARE(f.Cell(3, static_cast<int>(kBandFlagColumn)), QString());
    }

    // Each change is one step back and forth, through the keys, and the kept file follows.
    void everyChangeCanBeUndoneAndRedone() {
        Fixture f;
        std::vector<BandTable> states{f.page->Model().Table()};
        const auto step = [&](const std::function<void()>& change) {
            change();
            states.push_back(f.page->Model().Table());
        };
        step([&] { f.page->PasteRows(kThreeRows); });
        step([&] { f.Click("addRowButton"); });
        step([&] { f.Table().model()->setData(f.Table().model()->index(0, 9), QStringLiteral("edited")); });
        step([&] {
            f.page->SelectRow(1);
            f.Click("deleteRowButton");
        });
        step([&] { f.Click("sortButton"); });
        f.Write(QStringLiteral("header.csv"), "frequency,topology,impedance\r\n");
        f.dialogs.openAnswer = f.Path(QStringLiteral("header.csv"));
        f.Click("openButton"); // refused, as vorelin-calc refuses it
        QCOMPARE(f.dialogs.messages.takeLast(),
                 QStringLiteral("The band table %1 was not read. It has no rows.").arg(f.dialogs.openAnswer));
        f.Write(QStringLiteral("other.csv"), "frequency,topology,impedance\r\n3.5M,7,50\r\n");
        f.dialogs.openAnswer = f.Path(QStringLiteral("other.csv"));
        step([&] { f.Click("openButton"); });
        QCOMPARE(f.dialogs.messages,
                 QStringList(QStringLiteral(
                     "The table you had is kept as VORELIN-BAND.BAK; Ctrl+Z brings it back.")));
        QCOMPARE(f.Read(QStringLiteral("VORELIN-BAND.BAK")).toStdString(),
                 BandTableText(states[states.size() - 2]));

        f.page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.page));
        f.Table().setFocus();
        for (std::size_t i = states.size() - 1; i-- > 0;) {
            f.Keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
            QVERIFY2(f.page->Model().Table() == states[i], std::to_string(i).c_str());
            QCOMPARE(f.Kept().toStdString(), BandTableText(states[i]));
        }
        for (std::size_t i = 1; i < states.size(); ++i) {
            f.Keys(i % 2 ? QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)
                         : QKeySequence(Qt::CTRL | Qt::Key_Y));
            QVERIFY2(f.page->Model().Table() == states[i], std::to_string(i).c_str());
        }

        Fixture predicted({}, kMisreadBand);
        const BandTable tuned = predicted.page->Model().Table();
        predicted.Type(*predicted.page, "predictFrequencyBox", QStringLiteral("7.05M"));
        predicted.Click("predictButton");
        QCOMPARE(predicted.page->Model().RowCount(), 7u);
        predicted.page->onUndo();
        QCOMPARE(predicted.page->Model().Table(), tuned);
    }

    // While another program has the table open this one shows it and changes nothing, until that
    // one ends.
    void aSecondProgramOnlyShowsTheTable() {
        std::unique_ptr<FileLock> other;
        Fixture f("frequency,topology,impedance\r\n7.1M,7,50\r\n", {}, [&other] {
            other = std::make_unique<FileLock>(std::string(kBandLockName));
            QVERIFY(other->Take() == FileLock::State::Held);
        });
        const QByteArray kept = f.Kept();
        const QString held = QString::fromStdString(HeldElsewhereMessage(getpid()));
        QTRY_COMPARE(f.dialogs.messages, QStringList(held));
        QCOMPARE(
            f.Note().text(),
            QStringLiteral("Read only: another Vorelin (process %1) has this table open.").arg(getpid()));
        QVERIFY(f.Note().isVisible());
        QVERIFY(!f.Enabled("addRowButton") && !f.Enabled("openButton"));
        QCOMPARE(f.Table().editTriggers(), QAbstractItemView::NoEditTriggers);
        f.page->PasteRows(kThreeRows);
        f.Table().model()->setData(f.Table().model()->index(0, 9), QStringLiteral("edited"));
        QCOMPARE(f.Column(9), QStringList({""}));
        f.page->close();
        QCOMPARE(f.Kept(), kept);
        other.reset();
        QTRY_VERIFY(f.Enabled("addRowButton"));
        f.page->onAddRow();
        QVERIFY(f.Kept() != kept);
    }

    // A write that fails names the system's reason once; the note stays until a write succeeds.
    void failedWritesAreToldAndNoted() {
        Fixture f;
        {
            const test::FileSizeLimit fullDisk(10);
            f.Click("addRowButton");
            f.Click("addRowButton");
        }
        QCOMPARE(f.dialogs.messages, QStringList(QString::fromLatin1(kBandFileNotWritten.data()) +
                                                 QStringLiteral(" File too large.")));
        QVERIFY(f.Note().isVisible());
        QVERIFY(f.Note().text().contains(
            QStringLiteral("not saved in VORELIN-BAND.CSV. File too large. Save table…")));
        f.Click("addRowButton");
        QVERIFY(!f.Note().isVisible());
        QCOMPARE(f.Kept().count("\r\n"), 4);
    }

    // A folder under the band file's name stays as it is; the rows live in memory, noted on the
    // page, and leaving the page or the program offers to save them elsewhere.
    void anUnkeptTableIsOfferedAFileOfItsOwn() {
        Fixture f({}, {}, [] { QDir().mkpath(QStringLiteral("VORELIN-BAND.CSV/inside")); });
        QTRY_COMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages.front().startsWith(QString::fromLatin1(kBandFileNotRead) +
                                                      QStringLiteral(" It is not a regular file.")));
        QVERIFY(!f.Note().isVisible()); // nothing to lose yet
        f.Click("addRowButton");
        QVERIFY(f.Note().isVisible());
        f.dialogs.yesNoAnswer = true;
        f.dialogs.saveAnswer = f.Path(QStringLiteral("kept.csv"));
        f.Click("entriesButton");
        QCOMPARE(f.dialogs.questions.size(), 2); // the question, then the save dialog
        QVERIFY(f.dialogs.questions.front().contains(
            QStringLiteral("Save it under another name? Save table as…")));
        QCOMPARE(f.Read(QStringLiteral("kept.csv")).toStdString(), BandTableText(f.page->Model().Table()));
        QVERIFY(QFileInfo(QStringLiteral("VORELIN-BAND.CSV/inside")).isDir());
        f.TestProgram::Click(f.program->EntriesWindow(), "bandButton");
        f.Click("addRowButton");
        f.dialogs.yesNoAnswer = false;
        f.program->EndProgram();
        QCOMPARE(f.dialogs.questions.size(), 3);
    }

    // Measured…: the file's values in the grid beside the rows ("—" outside its sweep), a faulty
    // file told with its line, and Measured… again removes them all.
    void measuredSweepsJoinTheGridAndLeave() {
        Fixture f({}, kThreeRows);
        f.Write(QStringLiteral("ant.s1p"), "# MHz S RI R 50\n7 0 0\n7.2 0.2 0\n");
        f.Write(QStringLiteral("bad.s1p"), "# MHz S RI\n7 0 0\n6 0 0\n");
        const int measured = static_cast<int>(kBandViewColumns);
        QVERIFY(f.Table().isColumnHidden(measured));
        f.dialogs.openAnswer = QStringLiteral("ant.s1p");
        f.Click("measuredButton");
        QVERIFY(!f.Table().isColumnHidden(measured));
        // Half way to 7.2 MHz: |Γ| 0.1, 50 x 1.1 / 0.9 ohms.
        QCOMPARE(f.Column(measured), QStringList({"—", "61.11 +j0 Ω", "—"}));
        f.dialogs.choiceAnswer = 0; // add another: the same file is shown once, in its place
        f.Click("measuredButton");
        QCOMPARE(f.page->Scene().measured.size(), 1u);
        f.dialogs.openAnswer = QStringLiteral("bad.s1p");
        f.Click("measuredButton");
        QCOMPARE(
            f.dialogs.messages.last(),
            QStringLiteral("The Touchstone file bad.s1p was not read. Line 3: the frequencies must ascend: "
                           "\"6\" follows \"7\"."));
        QCOMPARE(f.page->Scene().measured.size(), 1u);
        f.dialogs.choiceAnswer = 1; // remove them all
        f.Click("measuredButton");
        QVERIFY(f.page->Scene().measured.empty() && f.Table().isColumnHidden(measured));
    }

    // With the System page's line in the settings file, "At the antenna" shows each row's feedpoint
    // as the antenna system computes it, and the Touchstone file then holds the feedpoints. The loss
    // column has the tuner's loss and the total to the antenna; "—" and the reason without a load.
    // Without a line the antenna cannot be chosen.
    void theLoadsMoveToTheAntennaThroughTheLine() {
        Fixture f({}, kMisreadBand, [] {
            QFile settings(QString::fromLatin1(kSettingsFileName));
            QVERIFY(settings.open(QIODevice::WriteOnly));
            settings.write("Line: RG-213/U\r\nLine length: 30\r\n");
        });
        auto& place = *test::Find<QComboBox>(*f.page, "placeChooser");
        place.setCurrentIndex(1);
        const BandRow& row = f.page->Model().Table().rows[3];
        const SystemSettings settings{{}, FeedlineOf(*CableNamed("RG-213/U"), 30)};
        const SystemFigures system = SystemFiguresOf(row.entries, RunNetwork(row.entries).load, settings);
        const FeedlineFigures& feedpoint = *system.line->figures;
        QCOMPARE(f.Cell(3, kLoadColumn).toStdString(),
                 FigureText(feedpoint.feedpointR) + " " + ReactanceText(feedpoint.feedpointX));
        QCOMPARE(f.Cell(3, kLoadColumn + 1).toStdString(), FigureText(feedpoint.feedpointSwr));
        QCOMPARE(f.Cell(3, static_cast<int>(kBandLossColumn)).toStdString(),
                 FigureText(system.tuner.lossDb) + " / " +
                     FigureText(system.tuner.lossDb + feedpoint.totalLossDb));

        f.dialogs.saveAnswer = f.Path(QStringLiteral("feed.s1p"));
        f.Click("touchstoneButton");
        const QList<QByteArray> lines = f.Read(QStringLiteral("feed.s1p")).split('\n');
        QVERIFY(lines.contains("! Loads at the antenna's feedpoint, through 30 m of RG-213/U (VF 0.66, Zc 50 "
                               "ohms, loss 0.6443 sqrt(f) + 0.006556 f dB/100 m)"));
        const QList<QByteArray> data = lines[lines.indexOf("# Hz S RI R 50") + 4].split(' ');
        const auto gamma = ReflectionOf(
            {static_cast<float>(feedpoint.feedpointR), static_cast<float>(feedpoint.feedpointX)}, 50);
        QCOMPARE(data[0], QByteArray("7200000"));
        QVERIFY(std::abs(data[1].toDouble() - gamma->re) < 1e-6 &&
                std::abs(data[2].toDouble() - gamma->im) < 1e-6);

        f.page->SelectRow(5);
        f.page->PasteRows(QStringLiteral("7.5M\t6\t50\t\t\t300p\t\t2.2u\n"));
        const QModelIndex loss = f.page->Model().index(6, static_cast<int>(kBandLossColumn));
        QCOMPARE(loss.data().toString(), QStringLiteral("—"));
        QCOMPARE(loss.data(Qt::ToolTipRole).toString(),
                 QStringLiteral("Series capacitor must have a positive value"));

        f.Write(QString::fromLatin1(kSettingsFileName), "Line: No line\r\n");
        f.Click("entriesButton");
        f.TestProgram::Click(f.program->EntriesWindow(), "bandButton");
        QCOMPARE(place.currentIndex(), 0);
        QVERIFY(!qobject_cast<QStandardItemModel*>(place.model())->item(1)->isEnabled());
        QCOMPARE(f.Cell(3, kLoadColumn).toStdString(), f.page->Model().Results()[3].LoadText());
    }

    void theBandButtonLeadsThereAndClosingLeadsBack() {
        Fixture f;
        QVERIFY(f.page->isVisible() && !f.program->EntriesWindow().isVisible());
        f.page->close();
        QVERIFY(!f.page->isVisible() && f.program->EntriesWindow().isVisible());
        QVERIFY(QFile::exists(QString::fromLatin1(kBandFileName))); // written on the way out
    }
};

} // namespace vorelin

QTEST_MAIN(vorelin::BandPageTest)
#include "band_page_test.moc"
