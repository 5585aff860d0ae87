#include "card_pictures.h"

#include "engine_error.h"
#include "picture_box.h"
#include "picture_errors.h"
#include "picture_fit.h"
#include "picture_reader.h"
#include "skipped_failures.h"
#include "temporary_picture.h"
#include "twips.h"

#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <exception>
#include <memory>
#include <utility>

namespace pellimo {

namespace {

// Seven bytes or fewer is no picture: Null, the empty value a clear stores, or a stub.
constexpr std::int64_t LargestNonPicture = 7;

[[noreturn]] void invalidPicture() {
    throw EngineError(picture_err::InvalidPicture, "Invalid picture");
}

[[noreturn]] void fileNotOpened() {
    throw EngineError(picture_err::FileCouldNotBeOpened, "File could not be opened.");
}

// What a box shows when its picture could not be: nothing, visible and stretching.
void blankFailedBox(QLabel& box) {
    blankBox(box);
    box.setScaledContents(true);
    box.setVisible(true);
}

} // namespace

CardPictures::CardPictures(PictureHost host) : host_(std::move(host)) {
    for (const CardPage* page : host_.cardPages)
        recordChanges_.push_back(dropPendingOnRecordChange(*page));
}

CardPictures::~CardPictures() {
    for (const QMetaObject::Connection& connection : recordChanges_)
        QObject::disconnect(connection);
}

const CardPage* CardPictures::cardPage(std::int16_t TabMode) const {
    return cardPageNumbered(host_.cardPages, TabMode);
}

const CardPage* CardPictures::pageOfSlot(int slot) const {
    for (const CardPage* page : host_.cardPages)
        if (slot == pictureSlotOf(*page, PictureSide::Front) ||
            slot == pictureSlotOf(*page, PictureSide::Back))
            return page;
    return nullptr;
}

std::optional<int> CardPictures::slotOn(std::int16_t TabMode, PictureSide side) const {
    if (const CardPage* page = cardPage(TabMode))
        return pictureSlotOf(*page, side);
    return std::nullopt;
}

// Only for a slot some page names.
QLabel& CardPictures::boxOf(int slot) const {
    const CardPage& page = *pageOfSlot(slot);
    return slot == pictureSlotOf(page, PictureSide::Front) ? *page.front : *page.back;
}

void CardPictures::GetPicture(std::int16_t Index) {
    const CardPage* page = cardPage(Index);
    if (!page)
        return;
    showStored(pictureSlotOf(*page, PictureSide::Front));
    showStored(pictureSlotOf(*page, PictureSide::Back));
}

void CardPictures::showStored(int slot) {
    QLabel& box = boxOf(slot);
    const std::string field = pictureFieldOf(slot);
    picChanged_[slot].clear(); // a picture no longer shown must not be saved
    try {
        if (host_.CurData->Recordset().Fields(field).FieldSize() <= LargestNonPicture) {
            blankBox(box);
            return;
        }
        const QString temporaryPath = pictureFolder_.picturePath();
        const TemporaryPictureCleanup cleanup(temporaryPath);
        ReadPicturefromDatabase(*host_.CurData, field, temporaryPath);
        SizePicture(box, temporaryPath);
    } catch (const std::exception& failure) {
        // The card is shown all the same; only this picture is missing from it.
        logSkippedFailure(failure);
        blankFailedBox(box);
    }
}

void CardPictures::PutPicture(std::int16_t Index) {
    const CardPage* page = pageOfSlot(Index);
    if (!page)
        return;
    const QString& pending = picFile_[Index];
    if (pending.isEmpty())
        return;
    if (pending == QStringLiteral("NULL"))
        host_.CurData->Recordset().Fields(pictureFieldOf(Index)).setValue(Value(""));
    else
        WritePicturetoDatabase(page->source, pictureFieldOf(Index), pending);
}

void CardPictures::WritePicturetoDatabase(DataSource& Table, const std::string& Fieldname,
                                          const QString& FileName) {
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly))
        fileNotOpened();
    // Read straight into the value the field takes: a large picture is held once here, not twice.
    Bytes bytes(static_cast<std::size_t>(file.size()));
    const auto size = static_cast<qint64>(bytes.size());
    if (file.read(reinterpret_cast<char*>(bytes.data()), size) != size)
        fileNotOpened();
    // The file may have changed since it was chosen: the bytes stored must pass the choice's check too.
    QBuffer stored;
    stored.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), size));
    stored.open(QIODevice::ReadOnly);
    PictureReader picture(&stored);
    if (picture.decodeAt(QSize(twipsToPixels(PictureBoundWidth), twipsToPixels(PictureBoundHeight))).isNull())
        invalidPicture();
    Table.Recordset().Fields(Fieldname).setValue(Value(std::move(bytes)));
}

void CardPictures::ReadPicturefromDatabase(DataSource& Table, const std::string& Fieldname,
                                           const QString& File) {
    const std::unique_ptr<BinaryReader> stored = Table.Recordset().Fields(Fieldname).reader();
    writeOwnerOnlyFile(File, *stored);
}

void CardPictures::SizePicture(QLabel& box, const QString& fileName) {
    box.setVisible(false);
    box.setScaledContents(false);
    // With Stretch off the box would take the picture's natural size; only that size is read here, and the
    // picture itself is decoded once the box has its final size.
    PictureReader picture(fileName);
    const QSize natural = picture.naturalSize();
    if (natural.isEmpty()) // no picture, or one without width or height
        invalidPicture();
    const TwipsSize shown = fitToBound({pixelsToTwips(natural.width()), pixelsToTwips(natural.height())});
    box.setScaledContents(true);
    setBoxHeight(box, shown.height);
    setBoxWidth(box, shown.width);
    if (!showPictureStretched(box, picture))
        invalidPicture();
    box.setVisible(true);
}

void CardPictures::storePending(std::int16_t TabMode) {
    for (PictureSide side : {PictureSide::Front, PictureSide::Back}) {
        const std::optional<int> slot = slotOn(TabMode, side);
        if (slot && picChanged_[*slot] == QStringLiteral("Y")) {
            PutPicture(static_cast<std::int16_t>(*slot));
            picChanged_[*slot].clear();
        }
    }
}

// The one place that ties a page's pending pictures to the record shown. The save of the card shown puts
// them before it changes any record (storePending), so what it leaves pending is dropped here.
QMetaObject::Connection CardPictures::dropPendingOnRecordChange(const CardPage& page) {
    return QObject::connect(&page.source, &DataSource::currentChanged,
                            [this, tab = page.page] { dropPending(tab); });
}

void CardPictures::dropPending(std::int16_t TabMode) {
    for (PictureSide side : {PictureSide::Front, PictureSide::Back})
        if (const std::optional<int> slot = slotOn(TabMode, side))
            picChanged_[*slot].clear();
}

} // namespace pellimo
