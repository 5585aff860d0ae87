#include "toolbar_pages_fixture.h"

#include <QAction>
#include <QDir>
#include <QImage>

namespace pellimo {
namespace {

using FrmMainFileDialogTest = ToolbarPagesTest;

// The one file dialog starts where the last picture came from, and each report sets it back to the program
// folder.
TEST_F(FrmMainFileDialogTest, StartFolderFollowsPicturesAndReports) {
    start();
    selectTab(2);
    QDir folder(catalogue.folder());
    ASSERT_TRUE(folder.mkdir("scans"));
    const QString picture = folder.filePath("scans/front.jpg");
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(picture, "JPG"));

    dialogs.queueFile(picture);
    window->mnuPicFront->trigger();
    EXPECT_EQ(QDir(window->cd1.initDir).absolutePath(), folder.absoluteFilePath("scans"));

    dialogs.queueCancel();
    press("Report");
    EXPECT_EQ(QDir(window->cd1.initDir).absolutePath(), folder.absolutePath());
}

} // namespace
} // namespace pellimo
