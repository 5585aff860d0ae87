#include "toolbar_pages_fixture.h"
#include "window_control.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>

namespace pellimo {
namespace {

using FrmMainFileDialogTest = ToolbarPagesTest;

// The one file dialog starts where the last picture came from, and each report sets it back to the program
// folder.
TEST_F(FrmMainFileDialogTest, StartFolderFollowsPicturesAndReports) {
    start();
    selectTab(BasicsPage);
    QDir folder(catalogue.folder());
    ASSERT_TRUE(folder.mkdir("scans"));
    const QString picture = folder.filePath("scans/front.jpg");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture, "JPG"));

    dialogs.queueFile(picture);
    control<QAction>(*window, "mnuPicFront").trigger();
    EXPECT_EQ(QDir(window->cd1.initDir).absolutePath(), folder.absoluteFilePath("scans"));

    dialogs.queueCancel();
    press("Report");
    EXPECT_EQ(QDir(window->cd1.initDir).absolutePath(), folder.absolutePath());
}

// A "/" in the set name would make the dialog propose the name's last part alone, in the program folder.
TEST_F(FrmMainFileDialogTest, ReportNameKeepsTheWholeSetNameWithSlashesAsDashes) {
    catalogue.exec(
        "INSERT INTO Sets VALUES ('S4', 'AC/DC', 0, 0);"
        "INSERT INTO Basics (Code, Card_Num, Desc, Value) VALUES ('S4', 1, 'Volt', 10000);"
        "INSERT INTO Specials (Code, Type, Card_Num, Desc, Value) VALUES ('S4', 'Foil', 1, 'Amp', 0)");
    start();
    press("Last");
    ASSERT_EQ(textBox("txtDesc").text(), "AC/DC");
    const QString basics = QDir(catalogue.folder()).filePath("AC-DC Basics.HTM");
    for (Page page : {BasicsPage, SpecialsPage}) {
        selectTab(page);
        dialogs.queueFile(basics);
        dialogs.msgBoxAnswers.push_back(vbNo);
        press("Report");
    }
    QStringList proposed;
    for (const DialogCall& call : dialogs.calls)
        if (call.kind == DialogCall::Kind::ShowSave)
            proposed << call.settings.fileName;
    EXPECT_EQ(proposed, QStringList({"AC-DC Basics", "AC-DC Specials"}));
    // The name in the report itself stays as it is.
    QFile written(basics);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.readAll().contains("Pellimo ~ Special Set ~AC/DC"));
}

} // namespace
} // namespace pellimo
