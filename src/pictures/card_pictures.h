#pragma once

#include "data_source.h"
#include "dialogs.h"
#include "picture_slots.h"

#include <QString>
#include <array>
#include <cstdint>
#include <string>

class QLabel;

namespace pellimo {

// What the main window owns and lends to its pictures. The boxes are reached through the window's own
// pointers, so the pictures may be made before the window has built its controls.
struct PictureHost {
    QLabel*& picBasFront;
    QLabel*& picBasBack;
    QLabel*& picSpecFront;
    QLabel*& picSpecBack;
    DataSource*& CurData;
    DataSource& datBasics;
    DataSource& DatSpecials;
    // Slots 1 to 4: basic front, basic back, special front, special back; entry 0 is unused.
    std::array<QString, 5>& PicFile;
    std::array<QString, 5>& PicChanged;
    Dialogs& dialogs;
    CommonDialog& cd1;
};

// The card pictures: stored whole in the Front and Back fields of the card records, shown scaled in the
// picture boxes of the Basics and Specials pages, and chosen or cleared in the Picture menu. A chosen
// picture waits in its slot until the card is saved.
class CardPictures {
public:
    explicit CardPictures(PictureHost host) : host_(host) {}

    // Shows the stored front and back of CurData's current record: Index 1 in the Basics boxes, 2 in the
    // Specials boxes, any other value nowhere. A picture that cannot be shown leaves its box blank, shown
    // and stretching, and nothing is reported.
    void GetPicture(std::int16_t Index);
    // Writes slot Index's pending value (1 to 4) into the current record of its page, which must be in
    // edit or add mode: "NULL" stores the empty value through CurData, a path the file's bytes through the
    // slot's own data source, "" nothing.
    void PutPicture(std::int16_t Index);
    // The whole file, unchanged, into the field of the table's current record.
    void WritePicturetoDatabase(DataSource& Table, const std::string& Fieldname, const QString& FileName);
    // The field's bytes into the file, created or replaced.
    void ReadPicturefromDatabase(DataSource& Table, const std::string& Fieldname, const QString& File);
    // Loads the picture into the box, fitted into 2172 x 2532 twips with its proportions kept.
    void SizePicture(QLabel& box, const QString& fileName);

    // The Picture menu, for the page TabMode names (2 Basics, 3 Specials; any other page: no slot, no box).
    void mnuPicFront_Click(std::int16_t TabMode);
    void mnuPicBack_Click(std::int16_t TabMode);
    void mnuPicClrFront_Click(std::int16_t TabMode);
    void mnuPicClrBack_Click(std::int16_t TabMode);

    // Drops the pending changes of the page's slots, so that a picture chosen for one card never reaches
    // another: for a delete, Cancel, a find, a Fast Find jump or a page switch.
    void discardPending(std::int16_t TabMode);

    // The folder of the last picture loaded, with its trailing separator: the next picture dialog's start.
    QString PicFolder;

private:
    QLabel& boxOf(int slot) const;
    DataSource& receiverOf(int slot) const;
    void showStored(int slot, const QString& temporaryPath);
    void loadPicture(std::int16_t TabMode, PictureSide side);
    bool choosePictureFile();
    bool showChosenPicture(std::int16_t TabMode, PictureSide side);
    void clearPicture(std::int16_t TabMode, PictureSide side);

    PictureHost host_;
};

} // namespace pellimo
