#include "busy_wait.h"
#include "file_size_limit.h"
#include "small_disk.h"
#include "toolbar_pages_fixture.h"
#include "window_control.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
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
        typeOver(&textBox("txtCode"), code);
        typeOver(&textBox("txtDesc"), "Faulty");
        typeOver(&textBox("txtTot"), cards);
        typeOver(&textBox("txtvalue"), value);
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
    EXPECT_EQ(textBox("txtCode").text().toStdString(), "FULL");
    EXPECT_EQ(textBox("txtDesc").text().toStdString(), "Faulty");

    // With room again the same Save keeps the set and every card.
    typeOver(&textBox("txtTot"), "3000");
    typeOver(&textBox("txtvalue"), "1");
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
    typeOver(&textBox("txtBasDesc"), "Alpha edited");
    press("Next");
    EXPECT_EQ(shown(), QStringList({"The record was not stored: another program has deleted it.|0|Pellimo"}));
    EXPECT_EQ(textBox("txtBasDesc").text().toStdString(), "Alpha edited");
    EXPECT_EQ(textBox("txtBasCardNum").text().toStdString(), "1");
    EXPECT_EQ(window->datBasics.Recordset().EditMode(), dbEditInProgress);

    // A click on the Sets tab is refused alike, and the tab strip stays on the page shown.
    QTest::mouseClick(&control<TabStrip>(*window, "TabStrip1"), Qt::LeftButton, {},
                      control<TabStrip>(*window, "TabStrip1").tabRect(0).center());
    EXPECT_EQ(shown().size(), 2);
    EXPECT_EQ(window->pageState().TabMode, BasicsPage);
    EXPECT_EQ(control<TabStrip>(*window, "TabStrip1").currentIndex(), 1);

    // Cancel lets the edit go; the move then goes on to the card that follows.
    press("Cancel");
    EXPECT_EQ(control<TabStrip>(*window, "TabStrip1").currentIndex(), 1);
    press("Next");
    EXPECT_EQ(shown().size(), 2);
    EXPECT_EQ(textBox("txtBasDesc").text().toStdString(), "Beta");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Desc = 'Alpha edited'"), 0);
}

TEST_F(RowDeletedElsewhere, DeletingTheCardAgainSaysItWasGoneAndShowsTheCardsLeft) {
    catalogue.exec("DELETE FROM Basics WHERE Code = 'S1' AND Card_Num = 1");
    typeOver(&textBox("txtBasDesc"), "Alpha edited");
    press("Delete");
    EXPECT_EQ(shown(), QStringList({"Do you wish to delete the current Record?|33|Delete Record",
                                    "The record was not deleted: another program has deleted it "
                                    "already.|0|Delete"}));
    EXPECT_EQ(textBox("txtBasDesc").text().toStdString(), "Beta");
    EXPECT_EQ(window->datBasics.Recordset().EditMode(), dbEditInProgress);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'S1'"), 2);
}

// The catalogue file is replaced while the window shows S1's Basics page: another catalogue copied over it,
// or the file renamed away.
TEST_F(RowDeletedElsewhere, ACatalogueCopiedOverTheFileIsNeverWrittenIntoByRowId) {
    browseToSet("S1");
    TempCatalogue other; // ZZ takes S1's row id, and two cards
    other.exec("INSERT INTO Sets VALUES ('ZZ', 'Other', 2, 0)");
    other.exec("INSERT INTO Basics (Code, Card_Num, Desc) VALUES ('ZZ', 1, 'Z1'), ('ZZ', 2, 'Z2')");
    for (int change = 0; change < 8; ++change) // so that the program's cache cannot take it for its own file
        other.exec("UPDATE Sets SET Cards = Cards + 1");
    QFile source(other.dbPath()), target(catalogue.dbPath());
    ASSERT_TRUE(source.open(QIODevice::ReadOnly) && target.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(target.write(source.readAll()), source.size()); // in place, as cp writes it
    target.close();

    retype(window->txtDesc, "Renamed");
    press("Next");
    EXPECT_EQ(shown(), QStringList({"The record was not stored: another program has deleted it.|0|Pellimo"}));
    EXPECT_EQ(window->txtDesc->text().toStdString(), "Renamed");
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'ZZ'").toString(), "Other");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Sets"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM pragma_foreign_key_check"), 0);
}

TEST_F(RowDeletedElsewhere, ACatalogueRenamedAwaySaysSo) {
    ASSERT_TRUE(QFile::rename(catalogue.dbPath(), catalogue.folder() + "/Elsewhere.mdb"));
    retype(&textBox("txtBasDesc"), "Alpha edited");
    press("Next");
    EXPECT_EQ(shown(), QStringList({"The catalogue cannot be changed: its file has been deleted, moved or "
                                    "renamed since the program opened it.|0|Pellimo"}));
    EXPECT_EQ(textBox("txtBasDesc").text().toStdString(), "Alpha edited");
}

// Another program holds the catalogue locked (BEGIN EXCLUSIVE on a connection of its own) while the user
// works. The program gives up on a lock after a short wait here.
class CatalogueLockedElsewhere : public ToolbarPagesTest {
protected:
    void SetUp() override {
        ToolbarPagesTest::SetUp();
        setBusyWaitLimit(std::chrono::seconds(2));
    }
    void TearDown() override {
        sqlite3_close(locker);
        setBusyWaitLimit(std::chrono::seconds(10));
        ToolbarPagesTest::TearDown();
    }

    void lockCatalogue() {
        ASSERT_EQ(sqlite3_open(QFile::encodeName(catalogue.dbPath()).constData(), &locker), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(locker, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void unlockCatalogue() { sqlite3_exec(locker, "ROLLBACK", nullptr, nullptr, nullptr); }

    // Calls `atTick` every few milliseconds while the program waits, with the tick's number from 1.
    template <class AtTick> void whileWaiting(QTimer& tick, AtTick atTick) {
        QObject::connect(&tick, &QTimer::timeout, [this, atTick, n = 0]() mutable {
            ++n;
            atTick(n);
        });
        tick.start(50);
    }

    static bool hourglassShown() {
        return QApplication::overrideCursor() != nullptr &&
               QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    }

    sqlite3* locker = nullptr;
    const QString inUse = "The catalogue is in use by another program; try again in a moment.|0|Pellimo";
};

TEST_F(CatalogueLockedElsewhere, TheWindowLivesOnUnderTheHourglassAndDropsWhatIsTypedOrClickedMeanwhile) {
    start();
    selectTab(BasicsPage); // S1's Basics page, on card 1 Alpha
    typeOver(&textBox("txtBasDesc"), "Alpha edited");
    lockCatalogue();
    QElapsedTimer clock;
    std::vector<qint64> ticks;
    std::vector<bool> hourglass;
    QTimer tick;
    whileWaiting(tick, [&](int n) {
        ticks.push_back(clock.elapsed());
        hourglass.push_back(hourglassShown());
        if (n == 5) {
            QTest::keyClicks(&textBox("txtBasDesc"), "zz");
            QTest::mouseClick(&window->Buttons(LastButton), Qt::LeftButton);
        }
        if (n == 10)
            unlockCatalogue();
    });
    clock.start();
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
    EXPECT_EQ(textBox("txtBasDesc").text().toStdString(), "Beta");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Desc = 'Alpha edited' AND Card_Num = 1"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Desc LIKE '%zz%'"), 0);
}

TEST_F(CatalogueLockedElsewhere, AfterTheInUseMessageTheClickWaitsNoMoreAndANewSetIsStoredAsItself) {
    start();
    retype(window->txtDesc, "Renamed");
    lockCatalogue();
    bool waitedAfterTheMessage = false;
    QTimer tick;
    whileWaiting(tick,
                 [&](int) { waitedAfterTheMessage |= !dialogs.messages().empty() && hourglassShown(); });
    press("Next");
    EXPECT_EQ(shown(), QStringList({inUse}));
    EXPECT_FALSE(waitedAfterTheMessage);
    EXPECT_EQ(textBox("txtCode").text().toStdString(), "S1");
    EXPECT_EQ(window->txtDesc->text().toStdString(), "Renamed");
    EXPECT_EQ(window->txtvalue->text().toStdString(), "$11.00"); // not the 0 of a total read under the lock

    // New while the lock lasts: the rename cannot be stored, so no new set begins over it.
    press("New");
    EXPECT_EQ(shown(), QStringList({inUse, inUse}));
    EXPECT_EQ(window->datSets.Recordset().EditMode(), dbEditInProgress);
    EXPECT_FALSE(window->Buttons(SaveButton).isEnabled());
    EXPECT_EQ(window->txtDesc->text().toStdString(), "Renamed");

    unlockCatalogue();
    tick.stop();
    keyInNewSet("NN", "New set", "2", "1.00");
    press("Save");
    EXPECT_EQ(shown().last().toStdString(),
              "Set record has been added\r\n2 Basic Cards records has been created.|0|Set Added");
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'S1'").toString(), "Renamed");
    EXPECT_EQ(count("SELECT Value FROM Sets WHERE Code = 'S1'"), 110000);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'S1'"), 3);
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'NN'").toString(), "New set");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Basics WHERE Code = 'NN'"), 2);
}

// Help > About, then a click on Next in the main window, which activates it while the store waits.
class LockedBehindTheAboutBox : public CatalogueLockedElsewhere {
protected:
    void renameSecondSetThenClickNextFromTheAboutBox(int releaseAtTick) {
        start();
        press("Next");
        retype(window->txtDesc, "Renamed");
        control<QAction>(*window, "mnuHelpAbout").trigger();
        QWidget* about = nullptr;
        for (QWidget* topLevel : QApplication::topLevelWidgets())
            if (topLevel->objectName() == "frmAbout")
                about = topLevel;
        ASSERT_NE(about, nullptr);
        about->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(about));
        lockCatalogue();
        QTimer tick;
        whileWaiting(tick, [&](int n) {
            if (n == releaseAtTick)
                unlockCatalogue();
        });
        window->activateWindow();
        press("Next");
        tick.stop();
        unlockCatalogue();
        settle();
    }
};

TEST_F(LockedBehindTheAboutBox, TheRenameIsStoredOnceTheLockIsFreeAndTheActivationFollows) {
    renameSecondSetThenClickNextFromTheAboutBox(10);
    EXPECT_TRUE(dialogs.messages().empty()) << shown().join("\n").toStdString();
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'S2'").toString(), "Renamed");
    EXPECT_EQ(textBox("txtCode").text().toStdString(), "S1");
    EXPECT_EQ(window->datSets.Recordset().EditMode(), dbEditInProgress);
}

TEST_F(LockedBehindTheAboutBox, ARenameTheLockKeepsOutStaysOnScreenAndTheUserIsTold) {
    renameSecondSetThenClickNextFromTheAboutBox(-1);
    ASSERT_FALSE(dialogs.messages().empty());
    for (const QString& message : shown())
        EXPECT_EQ(message, inUse);
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'S2'").toString(), "Second Set");
    EXPECT_EQ(textBox("txtCode").text().toStdString(), "S2");
    EXPECT_EQ(window->txtDesc->text().toStdString(), "Renamed");
    press("Next"); // the lock is gone: the rename is stored now
    EXPECT_EQ(catalogue.scalar("SELECT Desc FROM Sets WHERE Code = 'S2'").toString(), "Renamed");
}

const QString numberRefused = "You must either enter a number into this field|64|Pellimo";

// The ways to paste over what a box holds, or to put text into it from outside the keys.
enum class PasteWay { ShiftInsert, ContextMenu, CtrlV, Drop, InputMethod };

// Text pasted, which passes no keystroke filter, into the money and count boxes.
class PastedNumbers : public ToolbarPagesTest, public ::testing::WithParamInterface<PasteWay> {
protected:
    void pasteOver(QLineEdit* box, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Home, Qt::ShiftModifier);
        switch (GetParam()) {
        case PasteWay::ShiftInsert:
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
            break;
        case PasteWay::ContextMenu:
            pasteFromContextMenu(box);
            break;
        case PasteWay::CtrlV:
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            break;
        case PasteWay::Drop:
            QTest::keyClick(box, Qt::Key_Delete);
            drop(box, text);
            break;
        case PasteWay::InputMethod:
            QTest::keyClick(box, Qt::Key_Delete);
            QInputMethodEvent composed;
            composed.setCommitString(text);
            QApplication::sendEvent(box, &composed);
            break;
        }
    }

    // Text dragged from another program and dropped on the box.
    static void drop(QLineEdit* box, const QString& text) {
        QMimeData data;
        data.setText(text);
        const QPoint inside = box->rect().center();
        QDragEnterEvent enter(inside, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(box, &enter);
        QDropEvent dropped(inside, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(box, &dropped);
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
    const QString before = textBox("txtBasValue").text();
    pasteOver(&textBox("txtBasValue"), "-3.5");
    EXPECT_EQ(shown(), QStringList({numberRefused}));
    EXPECT_EQ(textBox("txtBasValue").text(), before);
    press("Next");
    EXPECT_EQ(count("SELECT Value FROM Basics WHERE Code = 'S1' AND Card_Num = 1"), 10000);

    // A number pasted as it may be typed is taken, without the control characters no key types.
    pasteOver(&textBox("txtBasValue"), "\t3.5\r\n");
    EXPECT_EQ(textBox("txtBasValue").text(), "3.5");
    press("Prev");
    EXPECT_EQ(shown().size(), 1);
    EXPECT_EQ(count("SELECT Value FROM Basics WHERE Code = 'S1' AND Card_Num = 2"), 35000);
}

TEST_P(PastedNumbers, ANegativeOrUnnumberedCountIsRefused) {
    start();
    press("New");
    const QString before = textBox("txtTot").text();
    pasteOver(&textBox("txtTot"), "-5");
    pasteOver(&textBox("txtTot"), "five");
    EXPECT_EQ(shown(), QStringList({numberRefused, numberRefused}));
    EXPECT_EQ(textBox("txtTot").text(), before);
}

std::string wayName(const ::testing::TestParamInfo<PasteWay>& way) {
    switch (way.param) {
    case PasteWay::ShiftInsert:
        return "ShiftInsert";
    case PasteWay::ContextMenu:
        return "ContextMenu";
    case PasteWay::CtrlV:
        return "CtrlV";
    case PasteWay::Drop:
        return "Drop";
    case PasteWay::InputMethod:
        return "InputMethod";
    }
    return "";
}

// The ways that reach a money or count box: its keystroke filter drops Ctrl+V, and it takes no drop.
INSTANTIATE_TEST_SUITE_P(ByEachWay, PastedNumbers,
                         ::testing::Values(PasteWay::ShiftInsert, PasteWay::ContextMenu), wayName);

// Text put into the boxes of names and descriptions.
using PastedText = PastedNumbers;

// Pasted control characters are dropped as typed ones never arrive, so none is stored: a NUL would cut the
// text short for the catalogue's own functions.
TEST_P(PastedText, ControlCharactersNeverReachABoxNorTheCatalogue) {
    catalogue.exec(
        "UPDATE Basics SET Section = 'Tab' || char(9) || 'bed' WHERE Code = 'S1' AND Card_Num = 1");
    start();
    selectTab(BasicsPage);
    // What the window itself writes into a box stays as it is.
    EXPECT_EQ(textBox("txtBasSect").text(), "Tab\tbed");

    pasteOver(&textBox("txtBasDesc"), QString::fromUtf16(u"AB\0CD\0EF", 8));
    EXPECT_EQ(textBox("txtBasDesc").text(), "ABCDEF");
    pasteOver(&textBox("txtBasSect"), "\tR&D\r\n\x1b\x7f\u0085");
    EXPECT_EQ(textBox("txtBasSect").text(), "R&D");
    press("Next");
    EXPECT_TRUE(shown().isEmpty());
    EXPECT_EQ(
        catalogue.scalar("SELECT hex(Desc) || ' ' || Section FROM Basics WHERE Code = 'S1' AND Card_Num = 1")
            .toString(),
        "414243444546 R&D");
}

INSTANTIATE_TEST_SUITE_P(ByEachWay, PastedText,
                         ::testing::Values(PasteWay::ShiftInsert, PasteWay::ContextMenu, PasteWay::CtrlV,
                                           PasteWay::Drop, PasteWay::InputMethod),
                         wayName);

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
    retype(&textBox("txtBasValue"), "");
    middleClickPaste(&textBox("txtBasValue"), "-3.5");
    EXPECT_EQ(shown(), QStringList({numberRefused}));
    EXPECT_EQ(textBox("txtBasValue").text().toStdString(), "");

    middleClickPaste(&textBox("txtBasValue"), "3\t.5\n");
    EXPECT_EQ(textBox("txtBasValue").text(), "3.5");
    press("Next");
    EXPECT_EQ(shown().size(), 1);
    EXPECT_EQ(count("SELECT Value FROM Basics WHERE Code = 'S1' AND Card_Num = 1"), 35000);
}

TEST_F(PastedSelection, ControlCharactersAreDroppedFromANameBox) {
    start();
    selectTab(BasicsPage);
    retype(&textBox("txtBasDesc"), "");
    middleClickPaste(&textBox("txtBasDesc"), QString::fromUtf16(u"AB\0CD\tEF\n", 9));
    EXPECT_EQ(textBox("txtBasDesc").text(), "ABCDEF");
    press("Next");
    EXPECT_EQ(catalogue.scalar("SELECT hex(Desc) FROM Basics WHERE Code = 'S1' AND Card_Num = 1").toString(),
              "414243444546");
}

} // namespace
} // namespace pellimo
