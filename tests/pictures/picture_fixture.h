#pragma once

#include "card_pictures.h"
#include "fake_dialogs.h"
#include "picture_page.h"
#include "temp_catalogue.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace pellimo {

// Set S1 with basic cards 1 and 2 and one special card, none with pictures; the four picture boxes laid
// out as the window lays them out; the pictures over them, with TEMP pointing at a folder of the test's own.
class PictureFixture : public ::testing::Test {
protected:
    PictureFixture();
    ~PictureFixture() override;

    // A file in the test's own folder; returns its full path.
    QString writeFile(const QString& name, const QByteArray& bytes) const;
    // Stores a picture field of the first card of "Basics" or "Specials" and shows the cards again.
    void store(const QString& table, const QString& field, const QByteArray& bytes);
    QVariant stored(const QString& sql) const { return catalogue.scalar(sql); }
    // The files left in the TEMP folder, in the folders in it too.
    QStringList temporaryFiles() const;
    // The user's choice of the file `name`, holding `bytes`, in the Picture menu's Load Front (or Load Back)
    // on page TabMode. Returns its full path.
    QString choose(std::int16_t TabMode, PictureSide side, const QString& name, const QByteArray& bytes);
    // Stores what a save of the page's card would: each slot written while the record is in edit mode.
    void saveSlots(DataSource& page, std::initializer_list<std::int16_t> slotNumbers);

    TempCatalogue catalogue;
    QTemporaryDir files;
    QTemporaryDir temp;
    QByteArray savedTemp;
    QWidget window;
    QLabel* picBasFront = nullptr;
    QLabel* picBasBack = nullptr;
    QLabel* picSpecFront = nullptr;
    QLabel* picSpecBack = nullptr;
    DataSource datBasics{"datBasics"};
    DataSource DatSpecials{"DatSpecials"};
    DataSource* CurData = &datBasics;
    FakeDialogs dialogs;
    CommonDialog cd1;
    const PicturePage basicsPage{BasicsPage, datBasics, picBasFront, picBasBack};
    const PicturePage specialsPage{SpecialsPage, DatSpecials, picSpecFront, picSpecBack};
    CardPictures pictures{{{&basicsPage.page, &specialsPage.page}, CurData, dialogs, cd1}};
};

// The pixels of a box given this size in twips.
QSize boxPixels(int widthTwips, int heightTwips);

} // namespace pellimo
