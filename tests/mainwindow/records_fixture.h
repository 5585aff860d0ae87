#pragma once

#include "toolbar_pages_fixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QToolButton>

namespace pellimo {

// The catalogue of the toolbar tests, with a card page shown as entering it leaves it.
class RecordsTest : public ToolbarPagesTest {
protected:
    // The card page of set `code` on card `number` (1 the first), entered as the user enters it: the set
    // browsed to on the Sets page, the page's tab selected, then Next.
    FrmMain& showCardPage(Page page, const QString& code = "S1", int number = 1) {
        FrmMain& w = window ? *window : start();
        browseToSet(code);
        selectTab(page);
        for (int i = 1; i < number; ++i)
            press("Next");
        return w;
    }

    static QByteArray bytesOf(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // Stores a small picture as the front of the cards of `table` that `where` selects.
    void storeFront(const char* table, const char* where) const {
        const QString hex = QString::fromLatin1(bytesOf(pictureFile("stored.png", Qt::red)).toHex());
        catalogue.exec(QString("UPDATE %1 SET Front = x'%2' WHERE %3").arg(table, hex, where));
    }

    // The column of the card with this set and number.
    QVariant basic(const char* column, const char* code, int number) const {
        return catalogue.scalar(QString("SELECT %1 FROM Basics WHERE Code = '%2' AND Card_Num = %3")
                                    .arg(column, code)
                                    .arg(number));
    }

    void expectToolbarAfterAddMode(const FrmMain& w) const {
        for (ToolbarButton i : {NewButton, FirstButton, PrevButton, NextButton, LastButton, DeleteButton,
                                FindButton, ReportButton})
            EXPECT_TRUE(w.Buttons(i).isEnabled()) << i;
        EXPECT_FALSE(w.Buttons(SaveButton).isEnabled());
    }
};

} // namespace pellimo
