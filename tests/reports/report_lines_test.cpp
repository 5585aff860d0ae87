#include "engine_error.h"
#include "report_fixture.h"
#include "report_lines.h"
#include "report_writer.h"

#include <QBuffer>
#include <QStringEncoder>
#include <vector>

namespace pellimo {
namespace {

class ReportLines : public ReportTest {
protected:
    // The report of `query` written to a buffer, as text.
    std::string written(const char* query, ReportKind kind = ReportKind::BasicCards) {
        datrep.setRecordSource(RecordSource(query));
        datrep.Refresh();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        writeReport(buffer, reportLayout(kind, "Alpha"), datrep.Recordset());
        return buffer.data().toStdString();
    }
    static bool holds(const std::string& text, const std::string& lines) {
        return text.find("\r\n" + lines + "\r\n") != std::string::npos;
    }
};

TEST_F(ReportLines, NumbersGetBlanksAndNullSaysSoOutsideTheSectionColumn) {
    catalogue.exec(
        "INSERT INTO Basics (Code, Card_Num, Section, Desc, Value) VALUES ('B2', -4, NULL, '', 0)");
    const std::string text = written("SELECT Card_Num,Section,Desc,Value FROM Basics WHERE Code = 'B2'");
    EXPECT_TRUE(
        holds(text, "<TD ALIGN=CENTER> \r\n-4 \r\n</TD>\r\n<TD>\r\n&nbsp\r\n</TD>\r\n<TD>\r\n\r\n</TD>"));
    const std::string sets =
        written("SELECT Desc, Card_Num, Section, Value FROM Basics WHERE Card_Num = 3", ReportKind::Sets);
    EXPECT_TRUE(
        holds(sets, "<TD>\r\nNull\r\n</TD>\r\n<TD>\r\n 3 \r\n</TD>\r\n<TD ALIGN=CENTER>\r\nStars\r\n</TD>"));
    EXPECT_TRUE(holds(written("SELECT Value, Value, Value, Value FROM Basics WHERE Card_Num = 3"),
                      "<TD ALIGN=CENTER> \r\n 11.25 \r\n</TD>"));
}

TEST_F(ReportLines, TenDimesTotalExactlyOneDollar) {
    catalogue.exec("DELETE FROM Basics;"
                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10)"
                   "INSERT INTO Basics (Code, Card_Num, Value) SELECT 'A1', i, 1000 FROM n");
    EXPECT_TRUE(holds(written("SELECT Card_Num,Section,Desc,Value FROM Basics"),
                      "<TD ALIGN=RIGHT>\r\n$1.00\r\n</TD>\r\n</TABLE></BODY></HTML>"));
}

TEST_F(ReportLines, ColumnsPastTheFourthGetOnlyTheirClosingLines) {
    const std::string text =
        written("SELECT Card_Num,Section,Desc,Value,Code FROM Basics WHERE Card_Num = 1");
    EXPECT_TRUE(holds(text, "<H2> Card Value</H2>\r\n</TH>\r\n</TH>\r\n</TR>"));
    EXPECT_TRUE(holds(text, "$0.25\r\n</TD>\r\n</TD>\r\n</TR>"));
}

TEST_F(ReportLines, WithoutAMoneyColumnTheTotalStaysZero) {
    const std::string text = written("SELECT Card_Num,Section FROM Basics");
    EXPECT_TRUE(holds(text, "<H2> Section  </H2>\r\n</TH>\r\n</TR>"));
    EXPECT_TRUE(
        holds(text, "<TR >\r\n<TD ALIGN=CENTER> \r\n 2 \r\n</TD>\r\n<TD>\r\n&nbsp\r\n</TD>\r\n</TR>"));
    EXPECT_TRUE(holds(text, "<TD ALIGN=RIGHT>\r\n$0.00\r\n</TD>"));
}

TEST_F(ReportLines, CatalogueTextKeepsItsCharactersAndBytesThatAreNoTextBecomeReplacementCharacters) {
    catalogue.exec("INSERT INTO Basics (Code, Card_Num, Section, Desc, Value) VALUES"
                   "  ('B2', 1, 'Crème brûlée', CAST(X'43FF44' AS TEXT), 0)");
    const std::string text = written("SELECT Card_Num,Section,Desc,Value FROM Basics WHERE Code = 'B2'");
    EXPECT_TRUE(holds(text, "<TD>\r\nCrème brûlée\r\n</TD>\r\n<TD>\r\nC\xEF\xBF\xBD"
                            "D\r\n</TD>"));
}

// Lines written one by one through a QStringEncoder of the system encoding, each ended as a report line.
std::string encodedOneByOne(const std::vector<QString>& lines) {
    QStringEncoder encoder(QStringConverter::System);
    std::string text;
    for (const QString& line : lines)
        text += QByteArray(encoder(line)).toStdString() + "\r\n";
    return text;
}

TEST(ReportLinesEncoding, EveryLineIsEncodedAsTheSystemEncoderWouldEvenAfterAHalfCharacter) {
    // A line ending in the first half of a surrogate pair leaves that half waiting in the encoder.
    const std::vector<QString> lines = {QStringLiteral("plain"),
                                        QStringLiteral("Café"),
                                        QStringLiteral("cut ") + QChar(0xD83D),
                                        QStringLiteral("next"),
                                        QString(),
                                        QStringLiteral("Crème"),
                                        QStringLiteral("cut ") + QChar(0xD83D),
                                        QStringLiteral("fixed"),
                                        QStringLiteral("last")};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        pellimo::ReportLines out(buffer);
        for (std::size_t at = 0; at < 7; ++at)
            out.write(lines[at]);
        out.flush();
    }
    // Lines prepared once go out as the same bytes, also after a half character.
    {
        pellimo::ReportLines out(buffer);
        out.write(pellimo::ReportLines::fixedLines("plain\r\nCafé\r\n"));
        out.write(lines[2]);
        out.write(pellimo::ReportLines::fixedLines("next\r\n\r\n"));
        out.write(pellimo::ReportLines::fixedLines("Crème\r\n"));
        out.write(lines[6]);
        out.write(pellimo::ReportLines::fixedLines("fixed\r\n"));
        out.write(lines[8]);
        out.flush();
    }
    const std::string once = encodedOneByOne({lines.begin(), lines.begin() + 7});
    EXPECT_EQ(buffer.data().toStdString().substr(0, once.size()), once);
    EXPECT_EQ(buffer.data().toStdString().substr(once.size()),
              encodedOneByOne({lines.begin(), lines.begin() + 6}) +
                  encodedOneByOne({lines.begin() + 6, lines.end()}));
}

// Takes `pieces` writes, then refuses every other.
class FillingDevice : public QBuffer {
public:
    explicit FillingDevice(int pieces) : room_(pieces) {}

protected:
    qint64 writeData(const char* data, qint64 size) override {
        if (room_-- > 0)
            return QBuffer::writeData(data, size);
        setErrorString("The disk is full.");
        return -1;
    }

private:
    int room_;
};

TEST_F(ReportLines, ARefusedWriteFailsWithTheDevicesDescriptionAndKeepsWholeLinesBeforeIt) {
    catalogue.exec(
        "WITH RECURSIVE n(i) AS (SELECT 10 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
        "INSERT INTO Basics (Code, Card_Num, Desc, Value) SELECT 'A1', i, 'Card ' || i, 100 FROM n");
    const std::string whole = written("SELECT Card_Num,Section,Desc,Value FROM Basics");
    FillingDevice device(1);
    device.open(QIODevice::WriteOnly);
    try {
        writeReport(device, reportLayout(ReportKind::BasicCards, "Alpha"), datrep.Recordset());
        FAIL() << "the device filled up";
    } catch (const EngineError& failure) {
        EXPECT_STREQ(failure.what(), "The disk is full.");
    }
    const std::string kept = device.data().toStdString();
    ASSERT_GT(kept.size(), 1000u);
    EXPECT_LT(kept.size(), whole.size());
    EXPECT_EQ(whole.substr(0, kept.size()), kept);
    EXPECT_EQ(kept.substr(kept.size() - 2), "\r\n");
}

} // namespace
} // namespace pellimo
