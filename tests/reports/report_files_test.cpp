#include "report_fixture.h"

namespace pellimo {
namespace {

using ReportFiles = ReportTest;

TEST_F(ReportFiles, EachReportMatchesItsGoldenFileByteForByte) {
    reportTo(inFolder("sets.HTM"), 1);
    reportTo(inFolder("basic.HTM"), 2, "A1", QStringLiteral("Café Stars"));
    reportTo(inFolder("special.HTM"), 3);
    EXPECT_EQ(fileText(inFolder("sets.HTM")), golden("sets.txt"));
    EXPECT_EQ(fileText(inFolder("basic.HTM")), golden("basic.txt"));
    EXPECT_EQ(fileText(inFolder("special.HTM")), golden("special.txt"));
}

// Names and cards holding "&", "<" and ">" show as text: nothing of theirs is read as markup, and every
// other byte is the same as in any report.
TEST_F(ReportFiles, MarkupCharactersInValuesAreWrittenAsTextByteForByte) {
    const QString name = QStringLiteral("<script>alert(1)</script> A<B & C>D");
    catalogue.exec("INSERT INTO Sets VALUES ('M&1', '<script>alert(1)</script> A<B & C>D', 2, 30000);"
                   "INSERT INTO Basics (Code, Card_Num, Section, Desc, Value) VALUES"
                   "  ('M&1', 1, 'R&D', '<i>\"Tom\" & Jerry</i>', 10000), ('M&1', 2, NULL, 'a>b', 20000);"
                   "INSERT INTO Specials (Code, Type, Card_Num, Desc, Value) VALUES"
                   "  ('M&1', '<Holo>', 1, '&amp;', 30000)");
    reportTo(inFolder("sets.HTM"), 1);
    reportTo(inFolder("basic.HTM"), 2, "M&1", name);
    reportTo(inFolder("special.HTM"), 3, "M&1", name);
    EXPECT_EQ(fileText(inFolder("sets.HTM")), golden("markup_sets.txt"));
    EXPECT_EQ(fileText(inFolder("basic.HTM")), golden("markup_basic.txt"));
    EXPECT_EQ(fileText(inFolder("special.HTM")), golden("markup_special.txt"));
}

TEST_F(ReportFiles, SetsReportOfThreeSetsHasSeventyOneLines) {
    reportTo(inFolder("sets.HTM"), 1);
    const QString text = QString::fromStdString(fileText(inFolder("sets.HTM")));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 71);
    EXPECT_EQ(text.count(u'\n'), 71); // no line ends in a bare line feed
}

TEST_F(ReportFiles, AnExistingFileHoldsOnlyTheNewReport) {
    QFile old(inFolder("sets.HTM"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'x'));
    old.close();
    reportTo(inFolder("sets.HTM"), 1);
    EXPECT_EQ(fileText(inFolder("sets.HTM")), golden("sets.txt"));
}

TEST_F(ReportFiles, TheDialogIsSetUpForTheReport) {
    reportTo(inFolder("a.HTM"), 2, "A1", QStringLiteral("Café Stars"));
    reportTo(inFolder("b.HTM"), 3);
    reportTo(inFolder("c.HTM"), 1);
    std::vector<CommonDialog> shown;
    for (const DialogCall& call : dialogs.calls)
        if (call.kind == DialogCall::Kind::ShowSave)
            shown.push_back(call.settings);
    ASSERT_EQ(shown.size(), 3u);
    for (const CommonDialog& dialog : shown) {
        EXPECT_TRUE(dialog.cancelError);
        EXPECT_EQ(dialog.initDir, catalogue.folder());
        EXPECT_EQ(dialog.dialogTitle, "Save HTML Report File");
        EXPECT_EQ(dialog.defaultExt, "HTM");
        EXPECT_EQ(dialog.flags, 8194);
    }
    EXPECT_EQ(shown[0].filter, "Report Files (*.HTM) |*.HTM");
    EXPECT_EQ(shown[0].fileName, QStringLiteral("Café Stars Basics"));
    EXPECT_EQ(shown[1].filter, "HTML Files (*.HTM) |*.HTM");
    EXPECT_EQ(shown[1].fileName, "Alpha Specials");
    EXPECT_EQ(shown[2].filter, "Report Files (*.HTM) |*.HTM");
    EXPECT_EQ(shown[2].fileName, "sets");
}

TEST_F(ReportFiles, TheHourglassShowsWhileWritingAndTheReportIsOffered) {
    reportTo(inFolder("sets.HTM"), 1);
    EXPECT_EQ(dialogs.pointerHistory,
              (std::vector<int>{MousePointerDefault, MousePointerHourglass, MousePointerDefault}));
    reportTo(inFolder("basic.HTM"), 2);
    reportTo(inFolder("special.HTM"), 3);
    const std::vector<DialogCall> boxes = dialogs.messages();
    ASSERT_EQ(boxes.size(), 3u);
    for (const DialogCall& box : boxes) {
        EXPECT_EQ(box.text, "Report Generated\r\nDo you wish to view the report now?");
        EXPECT_EQ(box.flags, vbYesNo);
    }
    EXPECT_EQ(boxes[0].title, "Set Report");
    EXPECT_EQ(boxes[1].title, "Basic Cards Report");
    EXPECT_EQ(boxes[2].title, "Special Cards Report");
}

TEST_F(ReportFiles, TheSetCodeIsBoundSoAQuotedCodeReportsItsOwnCards) {
    catalogue.exec("INSERT INTO Sets VALUES ('Q\"1', 'Quoted', 1, 0);"
                   "INSERT INTO Basics (Code, Card_Num, Desc, Value) VALUES ('Q\"1', 7, 'Quoted card', 0)");
    reportTo(inFolder("q.HTM"), 2, "Q\"1", "Quoted");
    EXPECT_EQ(RepSQL, "SELECT Card_Num,Section,Desc,Value FROM Basics WHERE Code = ? ORDER BY Card_Num");
    EXPECT_NE(fileText(inFolder("q.HTM")).find("\r\nQuoted card\r\n"), std::string::npos);
    reports.Report(SpecialsPage, "Q\"1", "Quoted", RepSQL);
    EXPECT_EQ(RepSQL, "SELECT Type,Card_Num,Desc,Value FROM Specials WHERE Code = ? ORDER BY Type,Card_Num");
}

TEST_F(ReportFiles, OtherPagesReportNothing) {
    reports.Report(0, "A1", "Alpha", RepSQL);
    reports.Report(4, "A1", "Alpha", RepSQL);
    EXPECT_EQ(RepSQL, "(as loaded)");
    EXPECT_TRUE(dialogs.calls.empty());
}

} // namespace
} // namespace pellimo
