#pragma once

#include "data_source.h"
#include "dialogs.h"
#include "picture_slots.h"
#include "temporary_picture.h"

#include <QMetaObject>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace pellimo {

// What the main window owns and lends to its pictures: its card pages, each with its picture boxes, its
// slots and its data source.
struct PictureHost {
    std::vector<const CardPage*> cardPages;
    DataSource*& CurData;
    Dialogs& dialogs;
    CommonDialog& cd1;
};

// The card pictures: stored whole in the Front and Back fields of the card records, shown scaled in the
// picture boxes of the Basics and Specials pages, and chosen or cleared in the Picture menu. A chosen
// picture waits in its slot until the card shown is saved; it belongs to that card alone, so it is dropped
// whenever its page's data source makes another record current (a move, a jump, a find, a refresh, an
// addition begun or dropped, a delete) and whenever its box shows the stored picture again.
class CardPictures {
public:
    explicit CardPictures(PictureHost host);
    ~CardPictures();
    CardPictures(const CardPictures&) = delete;
    CardPictures& operator=(const CardPictures&) = delete;

    // Shows the stored front and back of CurData's current record in the boxes of card page Index (the
    // page's number, as TabMode holds it); any other value shows nothing. A picture that cannot be shown
    // leaves its box blank, shown and stretching, and nothing is reported. What was pending for those boxes
    // is dropped: they no longer show it.
    void GetPicture(std::int16_t Index);
    // Writes slot Index's pending value into the current record of its page, which must be in
    // edit or add mode: "NULL" stores the empty value through CurData, a path the file's bytes through the
    // slot's own data source, "" nothing.
    void PutPicture(std::int16_t Index);
    // The whole file, unchanged, into the field of the table's current record. A file that is not a picture
    // any longer fails with "Invalid picture" and leaves the field as it was.
    void WritePicturetoDatabase(DataSource& Table, const std::string& Fieldname, const QString& FileName);
    // The field's bytes into the file, created or replaced.
    void ReadPicturefromDatabase(DataSource& Table, const std::string& Fieldname, const QString& File);
    // Loads the picture into the box, fitted into 2172 x 2532 twips with its proportions kept.
    void SizePicture(QLabel& box, const QString& fileName);

    // The Picture menu, for the card page TabMode names (any other page: no slot, no box).
    void mnuPicFront_Click(std::int16_t TabMode);
    void mnuPicBack_Click(std::int16_t TabMode);
    void mnuPicClrFront_Click(std::int16_t TabMode);
    void mnuPicClrBack_Click(std::int16_t TabMode);

    // The save of the card shown on page TabMode: each of the page's pending pictures is put into it and is
    // then no longer pending. A picture that cannot be put stays pending, and the failure goes on.
    void storePending(std::int16_t TabMode);

    // The slots the card pages name (1 to 4; entry 0 is unused): the picture
    // chosen (a path, or "NULL" for a clear), and "Y" while it waits for the save.
    const std::array<QString, 5>& PicFile() const { return picFile_; }
    const std::array<QString, 5>& PicChanged() const { return picChanged_; }

    // The folder of the last picture loaded, with its trailing separator: the next picture dialog's start.
    QString PicFolder;

private:
    const CardPage* cardPage(std::int16_t TabMode) const;
    const CardPage* pageOfSlot(int slot) const;
    std::optional<int> slotOn(std::int16_t TabMode, PictureSide side) const;
    QLabel& boxOf(int slot) const;
    void showStored(int slot);
    void loadPicture(std::int16_t TabMode, PictureSide side);
    bool choosePictureFile();
    bool showChosenPicture(std::int16_t TabMode, PictureSide side);
    void clearPicture(std::int16_t TabMode, PictureSide side);
    QMetaObject::Connection dropPendingOnRecordChange(const CardPage& page);
    void dropPending(std::int16_t TabMode);

    PictureHost host_;
    PrivatePictureFolder pictureFolder_;
    std::array<QString, 5> picFile_{};
    std::array<QString, 5> picChanged_{};
    std::vector<QMetaObject::Connection> recordChanges_;
};

} // namespace pellimo
