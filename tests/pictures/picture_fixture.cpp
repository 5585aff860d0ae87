#include "picture_fixture.h"

#include "twips.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace pellimo {

namespace {

QLabel* pictureBox(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* box = new QLabel(parent);
    box->setObjectName(name);
    box->setScaledContents(true);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setGeometry(twipsToRect(left, top, width, height));
    return box;
}

} // namespace

QSize boxPixels(int widthTwips, int heightTwips) {
    return {twipsToPixels(widthTwips), twipsToPixels(heightTwips)};
}

PictureFixture::PictureFixture() : savedTemp(qgetenv("TEMP")) {
    qputenv("TEMP", QFile::encodeName(temp.path()));
    picBasFront = pictureBox(&window, "picBasFront", 5520, 1320, 2172, 2532);
    picBasBack = pictureBox(&window, "picBasBack", 8040, 1320, 2172, 2532);
    picSpecFront = pictureBox(&window, "picSpecFront", 5760, 1248, 1692, 2532);
    picSpecBack = pictureBox(&window, "picSpecBack", 8520, 1200, 1692, 2532);
    catalogue.exec("INSERT INTO Sets VALUES ('S1', 'Set one', 2, 0);"
                   "INSERT INTO Basics (Code, Card_Num, Desc) VALUES ('S1', 1, 'One'), ('S1', 2, 'Two');"
                   "INSERT INTO Specials (Code, Type, Card_Num, Desc) VALUES ('S1', 'Foil', 1, 'Shiny');");
    datBasics.setDatabaseName(catalogue.dbPath().toStdString());
    datBasics.setRecordSource(RecordSource("SELECT * FROM Basics WHERE Code = ? ORDER BY Card_Num", {"S1"}));
    datBasics.Refresh();
    DatSpecials.setDatabaseName(catalogue.dbPath().toStdString());
    DatSpecials.setRecordSource("SpecialCards");
    DatSpecials.Refresh();
}

PictureFixture::~PictureFixture() {
    if (savedTemp.isNull())
        qunsetenv("TEMP");
    else
        qputenv("TEMP", savedTemp);
}

QString PictureFixture::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile file(files.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

void PictureFixture::store(const QString& table, const QString& field, const QByteArray& bytes) {
    catalogue.exec(QString("UPDATE %1 SET %2 = X'%3' WHERE rowid = 1").arg(table, field, bytes.toHex()));
    datBasics.Refresh();
    DatSpecials.Refresh();
}

QStringList PictureFixture::temporaryFiles() const {
    QStringList left;
    QDirIterator found(temp.path(), QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (found.hasNext())
        left << found.next();
    return left;
}

QString PictureFixture::choose(std::int16_t TabMode, PictureSide side, const QString& name,
                               const QByteArray& bytes) {
    const QString path = writeFile(name, bytes);
    dialogs.queueFile(path);
    if (side == PictureSide::Front)
        pictures.mnuPicFront_Click(TabMode);
    else
        pictures.mnuPicBack_Click(TabMode);
    return path;
}

void PictureFixture::saveSlots(DataSource& page, std::initializer_list<std::int16_t> slotNumbers) {
    page.Recordset().Edit();
    for (std::int16_t slot : slotNumbers)
        pictures.PutPicture(slot);
    page.Recordset().Update();
}

} // namespace pellimo
