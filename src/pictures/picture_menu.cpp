// The Picture menu: load or clear the front or back picture of the card shown.
#include "card_pictures.h"
#include "engine_error.h"
#include "picture_box.h"
#include "picture_reader.h"
#include "skipped_failures.h"

#include <QLabel>
#include <exception>

namespace pellimo {

void CardPictures::mnuPicFront_Click(std::int16_t TabMode) {
    loadPicture(TabMode, PictureSide::Front);
}

void CardPictures::mnuPicBack_Click(std::int16_t TabMode) {
    loadPicture(TabMode, PictureSide::Back);
}

void CardPictures::mnuPicClrFront_Click(std::int16_t TabMode) {
    clearPicture(TabMode, PictureSide::Front);
}

void CardPictures::mnuPicClrBack_Click(std::int16_t TabMode) {
    clearPicture(TabMode, PictureSide::Back);
}

void CardPictures::loadPicture(std::int16_t TabMode, PictureSide side) {
    Dialogs& dialogs = host_.dialogs;
    dialogs.setMousePointer(MousePointerDefault);
    if (!choosePictureFile()) {
        dialogs.setMousePointer(MousePointerDefault);
        dialogs.Beep();
        // The box has always carried the report dialog's title.
        dialogs.MsgBox("The Picture operation was cancelled", vbOKOnly + vbInformation, "HTML Export File");
        return;
    }
    dialogs.setMousePointer(MousePointerHourglass);
    const bool loaded = showChosenPicture(TabMode, side);
    dialogs.setMousePointer(MousePointerDefault);
    if (!loaded)
        return;
    CommonDialog& cd1 = host_.cd1;
    PicFolder = cd1.fileName.left(cd1.fileName.size() - cd1.fileTitle.size());
    cd1.initDir = PicFolder;
}

// False when the user cancelled. FileName and InitDir stay as the dialog's last use left them.
bool CardPictures::choosePictureFile() {
    CommonDialog& cd1 = host_.cd1;
    cd1.cancelError = true;
    cd1.dialogTitle = QStringLiteral("Load Picture");
    cd1.filter = QStringLiteral("Picture Files (*.jpg; *.gif) |*.jpg;*.gif");
    cd1.defaultExt = QStringLiteral("JPG");
    cd1.flags = cdlOFNCreatePrompt + cdlOFNOverwritePrompt;
    try {
        host_.dialogs.ShowOpen(cd1);
    } catch (const std::exception& failure) {
        if (failureNumber(failure) == err::DialogCancelled)
            return false;
        // Any other failure of the dialog is passed over: the command goes on with the name it holds.
        logSkippedFailure(failure);
    }
    return true;
}

// A file that cannot be shown changes nothing: the slot keeps its earlier pending value and mark, and the
// box its picture, so the file can never reach the record.
bool CardPictures::showChosenPicture(std::int16_t TabMode, PictureSide side) {
    const std::optional<int> slot = slotOn(TabMode, side);
    if (!slot)
        return true;
    const QString& chosen = host_.cd1.fileName;
    PictureReader picture(chosen);
    // Drawn stretched over the box as it stands; the fitted display follows once the card is saved.
    if (!showPictureStretched(boxOf(*slot), picture))
        return false;
    picFile_[*slot] = chosen;
    picChanged_[*slot] = QStringLiteral("Y");
    return true;
}

void CardPictures::clearPicture(std::int16_t TabMode, PictureSide side) {
    const std::optional<int> slot = slotOn(TabMode, side);
    if (!slot)
        return;
    picFile_[*slot] = QStringLiteral("NULL");
    picChanged_[*slot] = QStringLiteral("Y");
    blankBox(boxOf(*slot));
}

} // namespace pellimo
