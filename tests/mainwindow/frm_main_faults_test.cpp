#include "file_size_limit.h"
#include "small_disk.h"
#include "toolbar_pages_fixture.h"
#include "window_control.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QTimer>
#include <sqlite3.h>
#include <vector>

namespace pellimo {
namespace {

// The box's text selected and typed over, as the user replaces it.
void typeOver(QLineEdit* box, const char* text) {
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(box, text);
}

class SaveNewSetFaults : public ToolbarPagesTest {
protected:
    // New, the set typed key by key, Save: as the user saves a set.
    void saveTypedSet(const char* code, const char* cards, const char* value) {
        press("New");
        typeOver(&control<QLineEdit>(*window, "txtCode"), code);
        typeOver(&control<QLineEdit>(*window, "txtDesc"), "Faulty");
        typeOver(&control<QLineEdit>(*window, "txtTot"), cards);
        typeOver(&control<QLineEdit>(*window, "txtvalue"), value);
        press("Save");
    }

    qlonglong setsCalled(const char* code) const {
        return count(QString("SELECT COUNT(*) FROM Sets WHERE Code = '%1'").arg(code));
    }
    qlonglong cardsOf(const char* code) const {
        return count(QString("SELECT COUNT(*) FROM Basics WHERE Code = '%1'").arg(code));
    }
};

TEST_F(SaveNewSetFaults, AKillAtAnyMomentOfTheSaveLeavesTheSetWholeOrAbsent) {
    int kills = 0;
    for (int moment = 1; moment < 200; ++moment) {
        TempCatalogue copy;
        copy.exec("INSERT INTO Sets VALUES ('S1', 'First Set', 0, 0)");
        QProcess child;
        child.start(PELLIMO_SAVE_CHILD, {copy.folder(), QString::number(moment)});
        ASSERT_TRUE(child.waitForFinished(60000)) << moment;
        const bool killed = child.exitStatus() == QProcess::CrashExit;
        if (!killed) {
            ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
        }
        // The next connection finds what the killed program left and takes back a half-made transaction.
        EXPECT_EQ(copy.scalar("PRAGMA integrity_check").toString(), "ok") << moment;
        const qlonglong sets = copy.scalar("SELECT COUNT(*) FROM Sets WHERE Code = 'KILL'").toLongLong();
        const qlonglong cards = copy.scalar("SELECT COUNT(*) FROM Basics WHERE Code = 'KILL'").toLongLong();
        const qlonglong value =
            copy.scalar("SELECT COALESCE(SUM(Value), 0) FROM Sets WHERE Code = 'KILL'").toLongLong();
        if (sets == 0)
            EXPECT_EQ(cards, 0) << "killed at change " << moment;
        else
            EXPECT_TRUE(cards == 5 && value == 50000)
                << "killed at change " << moment << ": " << cards << " cards, value " << value;
        if (!killed) {
            EXPECT_EQ(sets, 1);
            break;
        }
        ++kills;
    }
    EXPECT_GE(kills, 3); // the save changed the files at several moments, each of them tried
}

TEST_F(SaveNewSetFaults, AFullDiskShowsTheEnginesMessageKeepsNothingAndKeepsTheSetTyped) {
    start();
    {
        FileSizeLimit full(static_cast<rlim_t>(QFileInfo(catalogue.dbPath()).size()));
        saveTypedSet("FULL", "3000", "1");
    }
    ASSERT_EQ(dialogs.messages().size(), 1u) << shown().join("\n").toStdString();
    EXPECT_EQ(dialogs.messages()[0].title, "Pellimo");
    // What the engine says when a file may grow no further.
    EXPECT_EQ(dialogs.messages()[0].text.toStdString(), "disk I/O error");
    EXPECT_EQ(setsCalled("FULL"), 0);
    EXPECT_EQ(cardsOf("FULL"), 0);
    EXPECT_EQ(window->datSets.Recordset().EditMode(), dbEditAdd);
    EXPECT_EQ(control<QLineEdit>(*window, "txtCode").text().toStdString(), "FULL");
    EXPECT_EQ(control<QLineEdit>(*window, "txtDesc").text().toStdString(), "Faulty");

    // With room again the same Save keeps the set and every card.
    typeOver(&control<QLineEdit>(*window, "txtTot"), "3000");
    typeOver(&control<QLineEdit>(*window, "txtvalue"), "1");
    press("Save");
    EXPECT_EQ(shown().last().toStdString(),
              "Set record has been added\r\n3000 Basic Cards records has been created.|0|Set Added");
    EXPECT_EQ(setsCalled("FULL"), 1);
    EXPECT_EQ(cardsOf("FULL"), 3000);
}

TEST_F(SaveNewSetFaults, OnAFullDiskTheEngineSaysSoAndNothingIsKept) {
    const QString disk = catalogue.folder() + "/small disk";
    const SmallDisk mounted(disk, QFileInfo(catalogue.dbPath()).size() + 16 * 1024);
    if (!mounted.mounted())
        GTEST_SKIP() << "no disk may be mounted here";
    ASSERT_TRUE(QFile::copy(catalogue.dbPath(), disk + "/Pellimo.mdb"));
    window = Main(disk, dialogs);
    settle();
    saveTypedSet("FULL", "3000", "1");
    EXPECT_EQ(shown(), QStringList({"database or disk is full|0|Pellimo"}));
    EXPECT_EQ(window->datSets.Recordset().EditMode(), dbEditAdd);
    delete window.data();
    sqlite3* onDisk = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(disk + "/Pellimo.mdb").constData(), &onDisk), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(
                  onDisk,
                  "SELECT 1 FROM Sets WHERE Code = 'FULL' UNION ALL SELECT 1 FROM Basics WHERE Code = 'FULL'",
                  [](void*, int, char**, char**) { return 1; }, nullptr, nullptr),
              SQLITE_OK); // no row: the callback would stop it
    sqlite3_close(onDisk);
}

// A second copy of the program, or any other program, deletes a card that this window shows.
class RowDeletedElsewhere : public ToolbarPagesTest {
protected:
    void SetUp() override {
        ToolbarPagesTest::SetUp();
        start();
        selectTab(BasicsPage); // S1's Basics page, on card 1 Alpha
    }
};

TEST_F(RowDeletedElsewhere, AnEditOfTheCardIsRefusedAndStaysOnScreen) {
    catalogue.exec("DELETE FROM Basics WHERE Code = 'S1' AND Card_Num = 1");
    typeOver(&control<QLineEdit>(*window, "txtBasDesc"), "Alpha edited");
    press("Next");
    EXPECT_EQ(shown(), QStringList({"The record was not stored: another program has deleted it.|0|Pellimo"}));
    EXPECT_EQ(control<QLineEdit>(*window, "txtBasDesc").text().toStdString(), "Alpha edited");
    EXPECT_EQ(control<QLineEdit>(*window, "txtBasCardNum").text().toStdString(), "1");
    EXPECT_EQ(window->datBasics.Recordset().EditMode(), dbEditInProgress);

    // Cancel lets the edit go; the move then goes on to the card that follows.
    press("Cancel");
    press("Next");
    EXPECT_EQ(shown().size(), 1);
    EXPECT_EQ(control<QLineEdit>(*window, "txtBasDesc").text().toStdString(), "Beta");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Desc = 'Alpha edited'"), 0);
}

TEST_F(RowDeletedElsewhere, DeletingTheCardAgainSaysItWasGoneAndShowsTheCardsLeft) {
    catalogue.exec("DELETE FROM Basics WHERE Code = 'S1' AND Card_Num = 1");
    typeOver(&control<QLineEdit>(*window, "txtBasDesc"), "Alpha edited");
    press("Delete");
    EXPECT_EQ(shown(), QStringList({"Do you wish to delete the current Record?|33|Delete Record",
                                    "The record was not deleted: another program has deleted it "
                                    "already.|0|Delete"}));
    EXPECT_EQ(control<QLineEdit>(*window, "txtBasDesc").text().toStdString(), "Beta");
    EXPECT_EQ(window->datBasics.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'S1'"), 2);
}

// Another program holds the catalogue locked while the user moves on from an edited card.
class CatalogueLockedElsewhere : public RowDeletedElsewhere {
protected:
    void TearDown() override {
        sqlite3_close(locker);
        RowDeletedElsewhere::TearDown();
    }

    void lockCatalogue() {
        ASSERT_EQ(sqlite3_open(QFile::encodeName(catalogue.dbPath()).constData(), &locker), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(locker, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }

    sqlite3* locker = nullptr;
};

TEST_F(CatalogueLockedElsewhere, TheWindowLivesOnUnderTheHourglassAndDropsWhatIsTypedOrClickedMeanwhile) {
    typeOver(&control<QLineEdit>(*window, "txtBasDesc"), "Alpha edited");
    lockCatalogue();
    QElapsedTimer clock;
    std::vector<qint64> ticks;
    std::vector<bool> hourglass;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        ticks.push_back(clock.elapsed());
        hourglass.push_back(QApplication::overrideCursor() != nullptr &&
                            QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        if (ticks.size() == 5) {
            QTest::keyClicks(&control<QLineEdit>(*window, "txtBasDesc"), "zz");
            QTest::mouseClick(&window->Buttons(LastButton), Qt::LeftButton);
        }
        if (ticks.size() == 10)
            sqlite3_exec(locker, "ROLLBACK", nullptr, nullptr, nullptr);
    });
    clock.start();
    tick.start(50);
    press("Next");
    tick.stop();

    ASSERT_GE(ticks.size(), 10u);
    for (std::size_t i = 1; i < ticks.size(); ++i)
        EXPECT_LE(ticks[i] - ticks[i - 1], 200)
            << "the window stood still between ticks " << i - 1 << " and " << i;
    for (bool shown : hourglass)
        EXPECT_TRUE(shown);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(control<QLineEdit>(*window, "txtBasDesc").text().toStdString(), "Beta");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Desc = 'Alpha edited' AND Card_Num = 1"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Desc LIKE '%zz%'"), 0);
}

const QString numberRefused = "You must either enter a number into this field|64|Pellimo";

// The ways to paste over what a box holds.
enum class PasteWay { ShiftInsert, ContextMenu };

// Text pasted, which passes no keystroke filter, into the money and count boxes.
class PastedNumbers : public ToolbarPagesTest, public ::testing::WithParamInterface<PasteWay> {
protected:
    void pasteOver(QLineEdit* box, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
        if (GetParam() == PasteWay::ShiftInsert)
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        else
            pasteFromContextMenu(box);
    }

    // A right click on the box, and a click on Paste in the menu that opens.
    static void pasteFromContextMenu(QLineEdit* box) {
        bool clicked = false;
        QTimer::singleShot(0, box, [&clicked] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr) << "no menu opened";
            for (QAction* action : menu->actions())
                if (action->text().startsWith("&Paste")) {
                    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                    clicked = true;
                }
        });
        const QPoint inside = box->rect().center();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, inside, box->mapToGlobal(inside));
        QApplication::sendEvent(box, &rightClick);
        EXPECT_TRUE(QTest::qWaitFor([&] { return clicked && QApplication::activePopupWidget() == nullptr; }));
    }
};

TEST_P(PastedNumbers, ANegativeCardValueIsRefusedAndNeverStored) {
    start();
    selectTab(BasicsPage);
    const QString before = control<QLineEdit>(*window, "txtBasValue").text();
    pasteOver(&control<QLineEdit>(*window, "txtBasValue"), "-3.5");
    EXPECT_EQ(shown(), QStringList({numberRefused}));
    EXPECT_EQ(control<QLineEdit>(*window, "txtBasValue").text(), before);
    press("Next");
    EXPECT_EQ(count("SELECT Value FROM Basics WHERE Code = 'S1' AND Card_Num = 1"), 10000);

    // A number pasted as it may be typed is taken.
    pasteOver(&control<QLineEdit>(*window, "txtBasValue"), "3.5");
    press("Prev");
    EXPECT_EQ(shown().size(), 1);
    EXPECT_EQ(count("SELECT Value FROM Basics WHERE Code = 'S1' AND Card_Num = 2"), 35000);
}

TEST_P(PastedNumbers, ANegativeOrUnnumberedCountIsRefused) {
    start();
    press("New");
    const QString before = control<QLineEdit>(*window, "txtTot").text();
    pasteOver(&control<QLineEdit>(*window, "txtTot"), "-5");
    pasteOver(&control<QLineEdit>(*window, "txtTot"), "five");
    EXPECT_EQ(shown(), QStringList({numberRefused, numberRefused}));
    EXPECT_EQ(control<QLineEdit>(*window, "txtTot").text(), before);
}

INSTANTIATE_TEST_SUITE_P(ByEachWay, PastedNumbers,
                         ::testing::Values(PasteWay::ShiftInsert, PasteWay::ContextMenu),
                         [](const ::testing::TestParamInfo<PasteWay>& way) {
                             return way.param == PasteWay::ShiftInsert ? "ShiftInsert" : "ContextMenu";
                         });

// The selection pasted by a middle click, where the platform has one, at the end of the box's text.
class PastedSelection : public ToolbarPagesTest {
protected:
    void SetUp() override {
        if (!QGuiApplication::clipboard()->supportsSelection())
            GTEST_SKIP() << "this platform has no selection to paste";
        ToolbarPagesTest::SetUp();
    }

    static void middleClickPaste(QLineEdit* box, const QString& text) {
        QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
        box->setFocus();
        QTest::mouseClick(box, Qt::MiddleButton, {}, QPoint(box->width() - 2, box->height() / 2));
    }
};

TEST_F(PastedSelection, ANegativeCardValueIsRefusedAndNeverStored) {
    start();
    selectTab(BasicsPage);
    retype(&control<QLineEdit>(*window, "txtBasValue"), "");
    middleClickPaste(&control<QLineEdit>(*window, "txtBasValue"), "-3.5");
    EXPECT_EQ(shown(), QStringList({numberRefused}));
    EXPECT_EQ(control<QLineEdit>(*window, "txtBasValue").text().toStdString(), "");

    middleClickPaste(&control<QLineEdit>(*window, "txtBasValue"), "3.5");
    press("Next");
    EXPECT_EQ(shown().size(), 1);
    EXPECT_EQ(count("SELECT Value FROM Basics WHERE Code = 'S1' AND Card_Num = 1"), 35000);
}

} // namespace
} // namespace pellimo
