#include "set_totals.h"
#include "skipped_failure_log.h"
#include "toolbar_pages_fixture.h"
#include "window_control.h"

#include <QTemporaryDir>

namespace pellimo {
namespace {

class SkippedStepsTest : public ToolbarPagesTest {};

// A card whose picture cannot be shown is shown without it; the user is told nothing, the log says why.
TEST_F(SkippedStepsTest, PictureThatCannotBeShownIsLoggedNotReported) {
    catalogue.exec("UPDATE Basics SET Front = x'0102030405060708' WHERE Desc = 'Beta'");
    start();
    selectTab(BasicsPage);
    const SkippedFailureLog log;
    press("Next");
    EXPECT_EQ(textBox("txtBasDesc").text(), "Beta");
    EXPECT_TRUE(dialogs.messages().empty());
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines()[0].startsWith("skipped at card_pictures.cpp:")) << log.lines()[0].toStdString();
    EXPECT_TRUE(log.lines()[0].endsWith("failure 481: Invalid picture"));
}

// A total that cannot be read is 0, and the log says why.
TEST(SkippedTotals, TotalThatCannotBeReadIsLogged) {
    const QTemporaryDir folderWithoutCatalogue;
    const SkippedFailureLog log;
    EXPECT_EQ(SetTotals(folderWithoutCatalogue.path().toStdString()).Bascount("S1"), 0);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines()[0].startsWith("skipped at set_totals.cpp:")) << log.lines()[0].toStdString();
}

} // namespace
} // namespace pellimo
