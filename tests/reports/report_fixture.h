#pragma once

#include "data_source.h"
#include "fake_dialogs.h"
#include "reports.h"
#include "temp_catalogue.h"

#include <QFile>
#include <gtest/gtest.h>
#include <string>

namespace pellimo {

// The reports of a window over a catalogue of its own: set A1 with three basic and three special cards,
// B2 with none, C3 with a name holding quotes.
class ReportTest : public ::testing::Test {
protected:
    ReportTest() {
        catalogue.exec("INSERT INTO Sets VALUES ('A1', 'Alpha', 3, 137500), ('B2', 'Beta', 0, 0),"
                       "  ('C3', 'Gamma \"Gold\"', 12, 1234567800);"
                       "INSERT INTO Basics (Code, Card_Num, Section, Desc, Value) VALUES"
                       "  ('A1', 2, NULL, 'Second card', 10000), ('A1', 1, 'Rookies', 'First card', 2500),"
                       "  ('A1', 3, 'Stars', NULL, 112500);"
                       "INSERT INTO Specials (Code, Type, Card_Num, Desc, Value) VALUES"
                       "  ('A1', 'Holo', 2, 'Shiny', 50000), ('A1', 'Auto', 1, 'Signed', 1000000),"
                       "  ('A1', 'Holo', 1, 'Shinier', 0);");
        datrep.setDatabaseName(catalogue.dbPath().toStdString());
    }

    QString inFolder(const QString& name) const { return catalogue.folder() + u'/' + name; }

    // The Report command with `path` chosen in the dialog and the offer to view it declined.
    void reportTo(const QString& path, std::int16_t page, const QString& code = "A1",
                  const QString& name = "Alpha") {
        dialogs.queueFile(path);
        dialogs.msgBoxAnswers.push_back(vbNo);
        reports.Report(page, code, name, RepSQL);
    }

    static std::string fileText(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("(no file)");
    }

    // An expected report: each line of the golden file ended by carriage return and line feed.
    static std::string golden(const char* name) {
        return QString::fromStdString(fileText(QStringLiteral(PELLIMO_GOLDEN_DIR "/") + name))
            .replace(u'\n', QStringLiteral("\r\n"))
            .toStdString();
    }

    // The one message box shown.
    void expectOneMessage(const QString& text, int flags, const QString& title) const {
        const std::vector<DialogCall> boxes = dialogs.messages();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].flags, flags);
        EXPECT_EQ(boxes[0].title, title);
    }

    TempCatalogue catalogue;
    DataSource datrep{"datrep"};
    FakeDialogs dialogs;
    CommonDialog cd1;
    Reports reports{dialogs, cd1, datrep, catalogue.folder()};
    QString RepSQL = QStringLiteral("(as loaded)");
};

} // namespace pellimo
