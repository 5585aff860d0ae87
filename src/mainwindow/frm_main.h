#pragma once

#include "card_page.h"
#include "card_pictures.h"
#include "data_source.h"
#include "dialogs.h"
#include "frm_main_page_state.h"
#include "pages.h"
#include "reports.h"
#include "set_totals.h"
#include "toolbar_button.h"

#include <QIcon>
#include <QMainWindow>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class QToolButton;
class QWindow;

namespace pellimo {

class FieldEvents;
class TabStrip;
class Transaction;

// The main window: the toolbar, the tab strip with the Sets, Basics and Specials pages, and the Fast Find
// row. Its data sources and the boxes the start-up code sets are public; its other controls and its page
// state are its own, named by its procedures as their own; the page state is only read by others. The
// procedures live in one file per concern.
class FrmMain : public QMainWindow, private FrmMainPageState {
    Q_OBJECT

public:
    // Creating the window loads it: the controls are built and the load handler runs.
    FrmMain(QString programFolder, Dialogs& dialogs, QWidget* parent = nullptr);
    ~FrmMain() override;

    // What lives outside the window, installed by the start-up code.
    void setShowAbout(std::function<void()> showAbout) { showAbout_ = std::move(showAbout); }
    void setEndProgram(std::function<void()> endProgram) { endProgram_ = std::move(endProgram); }

    // The toolbar buttons; each carries its key in the property "key".
    QToolButton& Buttons(ToolbarButton index) const;
    void setButtonsEnabled(std::initializer_list<ToolbarButton> buttons, bool enabled) const;

    // Runs when the window becomes the program's active window at start-up and on each return from the
    // About box.
    void Form_Activate();
    // Add mode for the record just begun with AddNew on the page that TabMode names.
    void cmdNew();
    void mnuFileExit_Click();
    void mnuHelpAbout_Click();
    // F1: the help file in the program folder, opened in its associated program.
    void showHelp();

    // Saving and deleting records.
    void CardUpdate();
    // The number of cards made (those before a number the set already has), or nothing when a failure
    // ended it; the caller's transaction decides what is kept.
    std::optional<int> BasCreate();
    void cmdDel();

    // Pages.
    void TabStrip1_Click();
    void SaveNav();
    void cmdSets();
    void cmdBasics();
    void cmdSpecials();
    // A page without cards begins its first one.
    void EmptySpec(const CardPage& page);

    // The toolbar: every click, whatever its key, under the handler's error mode and ended by its common
    // tail.
    void Toolbar1_ButtonClick(QToolButton& Button);
    // Branches of the toolbar handler for Find, Cancel and Save (they run under its error mode).
    void cmdFind();
    void cmdCancel();
    void cmdSave();

    // Fast Find boxes: Area 0 the drop-down button, 1 the text part, 2 the list.
    void DBCombo1_Click(std::int16_t& Area);
    void DBCombo2_Click(std::int16_t& Area);
    void DBCombo3_Click(std::int16_t& Area);
    void DBCombo1_GotFocus();
    void DBCombo2_GotFocus();
    void DBCombo3_GotFocus();

    // Field checks and keystroke filters.
    void txtCode_Validate(bool& Cancel);
    void txtDesc_Validate(bool& Cancel);
    void txtBasCardNum_Validate(bool& Cancel);
    void txtSpecCardNum_Validate(bool& Cancel);
    void txtSpecType_Validate(bool& Cancel);
    void txtvalue_Validate(bool& Cancel);
    void txtBasValue_Validate(bool& Cancel);
    void txtSpecValue_Validate(bool& Cancel);
    void txtTot_Validate(bool& Cancel);
    void txtTot_LostFocus();
    void txtvalue_KeyPress(std::int16_t& KeyAscii);
    void txtBasValue_KeyPress(std::int16_t& KeyAscii);
    void txtSpecValue_KeyPress(std::int16_t& KeyAscii);
    void txtTot_KeyPress(std::int16_t& KeyAscii);
    bool CheckNumeric(QLineEdit& box);
    void ValidateInputCharset(QLineEdit& objControl, std::int16_t& intASCII,
                              const QString& strValType = QString());

    // What the page state holds; only the window's own procedures change it.
    const FrmMainPageState& pageState() const { return *this; }

    // Data sources, the file dialog and the toolbar's images.
    DataSource datSets{"datSets"};
    DataSource datBasics{"datBasics"};
    DataSource DatSpecials{"DatSpecials"};
    DataSource datrep{"datrep"};
    CommonDialog cd1;
    std::vector<QIcon> ImageList1;

private:
    // The card pages, described once; made before the pictures, which are made over them.
    CardPage describeBasicsPage();
    CardPage describeSpecialsPage();
    const CardPage basicsPage_ = describeBasicsPage();
    const CardPage specialsPage_ = describeSpecialsPage();

public:
    // The card pictures and the reports, lent what they use of the window.
    CardPictures pictures;
    Reports reports;

    // The boxes the start-up code gives their first focus and format.
    QLineEdit* txtDesc = nullptr;
    QLineEdit* txtvalue = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Window controls; each carries its name as its object name, by which tests find it.
    QToolBar* Toolbar1 = nullptr;
    TabStrip* TabStrip1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label8 = nullptr;
    QComboBox* DBCombo1 = nullptr;
    QComboBox* DBCombo2 = nullptr;
    QComboBox* DBCombo3 = nullptr;
    QLabel* Label13 = nullptr;

    // Sets page.
    QLabel* lblSet = nullptr;
    QLineEdit* txtCode = nullptr;
    QLabel* lblDesc = nullptr;
    QLabel* lblCards = nullptr;
    QLineEdit* txtTot = nullptr;
    QLabel* lblSetVal = nullptr;
    QLabel* Logo1 = nullptr;

    // Basics page.
    QLabel* lblBasSet = nullptr;
    QLineEdit* txtBasSet = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtBasName = nullptr;
    QLabel* lblBasCardNum = nullptr;
    QLineEdit* txtBasCardNum = nullptr;
    QLabel* lblBasSect = nullptr;
    QLineEdit* txtBasSect = nullptr;
    QLabel* lblBasDesc = nullptr;
    QLineEdit* txtBasDesc = nullptr;
    QLabel* lblBasVal = nullptr;
    QLineEdit* txtBasValue = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* picBasFront = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* picBasBack = nullptr;

    // Specials page.
    QLabel* Label7 = nullptr;
    QLineEdit* txtSpecCode = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtSpecName = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtSpecCardNum = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtSpecType = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtSpecDesc = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtSpecValue = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* picSpecFront = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* picSpecBack = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuPic = nullptr;
    QAction* mnuPicFront = nullptr;
    QAction* mnuPicBack = nullptr;
    QAction* mnuPicClrFront = nullptr;
    QAction* mnuPicClrBack = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpAbout = nullptr;

    enum class TooltipWording { Sets, Card };

    void buildWindow();
    void buildToolbar();
    void buildTabStrip();
    void buildFastFindRow();
    void buildMenus();
    void buildSetsPage();
    void buildBasicsPage();
    void buildSpecialsPage();
    void buildDataSources();
    void fitWindowFont();
    void setFocusOrder();
    void keepExitShortcutWindowWide();

    void Form_Load();
    void loadToolbarImages();
    void setToolbarTooltips(TooltipWording wording);
    void placeFrameAtTopLeft();
    void moveToClientArea(QGroupBox* frame) const;
    void loadLogo();
    QString programFile(const QString& name) const;

    void focusWindowChanged(QWindow* window);
    void closeDataSources();
    // Runs an event handler; a failure that escapes it is shown in a message box.
    void guardHandler(const std::function<void()>& handler);

    // Toolbar moves and page switches.
    enum class RecordMove { First, Previous, Next, Last };
    void connectToolbar();
    void connectTabStrip();
    bool beginNewRecord();
    bool moveRecord(RecordMove move);
    bool leaveRecord();
    void arriveAtRecord();
    void runCommonTail(bool keepSetTotals);
    bool storeRecordShown(const std::function<void()>& store);
    bool storeRecordShown(DataSource& source, const std::function<void()>& store);
    void showSetValue();
    void showSetCardCount();
    bool endCardEdit(const CardPage& page, int editMode);
    void showFastFindBox(QComboBox* shown);
    void showTabOfPageShown();
    void showPageFrame(QGroupBox* frame);
    const CardPage* cardPageOf(std::int16_t page) const;
    const CardPage* cardPageShown() const;
    void showCardPage(const CardPage& page);
    void openCardQuery(const CardPage& page);
    const QLineEdit* descriptionShown() const;

    QString programFolder_;
    Dialogs& dialogs_;
    SetTotals totals_;
    QString helpFile_;
    std::array<QToolButton*, 10> buttons_{};
    std::function<void()> showAbout_;
    std::function<void()> endProgram_;
    FieldEvents* fieldEvents_ = nullptr;
    bool activatedBefore_ = false;
    bool lastActiveWasAboutBox_ = false;
    int handlersRunning_ = 0;
    bool activationDeferred_ = false;

    // Saving records and the Find, Cancel and Save commands.
    void showStoredPictures();
    bool deleteRecordShown();
    void saveNewCard();
    void saveNewSet();
    bool showSet(const QString& code);
    bool storeSetValueAndCommit(Transaction& whole, bool shown);
    void retypeNewSet(const std::vector<std::pair<QLineEdit*, QString>>& typed);
    void findSet(const QString& code);
    void endAddModeToolbar();

    // Fast Find boxes and field checks.
    void connectFastFind();
    void connectFieldChecks();
    void jumpToChosenEntry(QComboBox& box);
    void showChosenCard(const CardPage& page);
    void refuseFastFindWhileAdding(QLineEdit& firstField);
    bool valueMissing(QLineEdit& box, const QString& title);
    static bool holdsNegativeNumber(const QString& text);
    void setFocusBack(QLineEdit& box);
};

} // namespace pellimo
