#pragma once

#include "frm_main_fixture.h"
#include "window_control.h"

#include <QLineEdit>
#include <QStringList>
#include <QToolButton>

namespace pellimo {

// Three sets: S1 with basic cards 1 Alpha ($1), 2 Beta ($2), 3 Gamma ($3) and special card Shiny ($5);
// S2 with basic card 1 Delta ($4); S3 with no cards. The window is started on S1, driven through its
// toolbar and tab strip as the user drives them.
class ToolbarPagesTest : public FrmMainTest {
protected:
    void SetUp() override {
        catalogue.exec("INSERT INTO Sets VALUES ('S1', 'First Set', 0, 0), ('S2', 'Second Set', 0, 0),"
                       " ('S3', 'Third Set', 0, 0);"
                       "INSERT INTO Basics (Code, Card_Num, Desc, Value) VALUES ('S1', 1, 'Alpha', 10000),"
                       " ('S1', 2, 'Beta', 20000), ('S1', 3, 'Gamma', 30000), ('S2', 1, 'Delta', 40000);"
                       "INSERT INTO Specials (Code, Type, Card_Num, Desc, Value)"
                       " VALUES ('S1', 'Foil', 1, 'Shiny', 50000)");
    }

    // Types `text` over what the box holds, as the user does: to its end, rubbed out, typed anew.
    static void retype(QLineEdit* box, const QString& text) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_End);
        for (qsizetype left = box->text().size(); left > 0; --left)
            QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }

    // New on the Sets page, and the new set typed into its boxes.
    void keyInNewSet(const QString& code, const QString& name, const QString& cards, const QString& value) {
        press("New");
        retype(&textBox("txtCode"), code);
        retype(&textBox("txtDesc"), name);
        retype(&textBox("txtTot"), cards);
        retype(&textBox("txtvalue"), value);
    }

    // The messages shown, as "text|flags|title".
    QStringList shown() const {
        QStringList boxes;
        for (const DialogCall& call : dialogs.messages())
            boxes << QString("%1|%2|%3").arg(call.text).arg(call.flags).arg(call.title);
        return boxes;
    }

    // One message: the catalogue's own description of a store it refused, with no icon.
    void expectRefusalReported() const {
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages()[0].flags, vbOKOnly);
        EXPECT_EQ(dialogs.messages()[0].title, "Pellimo");
        EXPECT_FALSE(dialogs.messages()[0].text.isEmpty());
    }

    // The buttons enabled, by number.
    QList<int> enabledButtons() const {
        QList<int> enabled;
        for (ToolbarButton index : allToolbarButtons)
            if (window->Buttons(index).isEnabled())
                enabled << index;
        return enabled;
    }

    qlonglong count(const QString& sql) const { return catalogue.scalar(sql).toLongLong(); }
};

} // namespace pellimo
