// Showing a card's pictures: GetPicture of a card with a 12-megapixel JPEG front and a 640 x 480 back,
// beside a scaled decode of the same pictures from memory.
#include "bench_main.h"
#include "bench_picture.h"
#include "card_pictures.h"
#include "qt_dialogs.h"
#include "twips.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdexcept>

namespace pellimo {
namespace {

void check(sqlite3* db, int code) {
    if (code != SQLITE_OK && code != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// One basic card with both pictures, in a catalogue of its own. The table has only the columns shown here.
class PictureCard {
public:
    PictureCard() : front(noisyJpeg({4000, 3000}, 28)), back(noisyJpeg({640, 480}, 28)) {
        sqlite3* db = nullptr;
        check(db, sqlite3_open_v2(path().toUtf8().constData(), &db,
                                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr));
        check(db, sqlite3_exec(db,
                               "CREATE TABLE Basics (Code TEXT(8), Card_Num SMALLINT, Desc TEXT(50), "
                               "Front LONGBINARY, Back LONGBINARY)",
                               nullptr, nullptr, nullptr));
        sqlite3_stmt* insert = nullptr;
        check(db, sqlite3_prepare_v2(db, "INSERT INTO Basics VALUES ('BIG', 1, 'Card 1', ?, ?)", -1, &insert,
                                     nullptr));
        sqlite3_bind_blob(insert, 1, front.constData(), static_cast<int>(front.size()), SQLITE_STATIC);
        sqlite3_bind_blob(insert, 2, back.constData(), static_cast<int>(back.size()), SQLITE_STATIC);
        check(db, sqlite3_step(insert));
        sqlite3_finalize(insert);
        sqlite3_close(db);
    }

    QString path() const { return folder.filePath("Pellimo.mdb"); }

    QTemporaryDir folder;
    QByteArray front;
    QByteArray back;
};

const PictureCard& card() {
    static PictureCard instance;
    return instance;
}

QLabel* pictureBox(QWidget* parent, int left) {
    auto* box = new QLabel(parent);
    box->setScaledContents(true);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setGeometry(twipsToRect(left, 1320, 2172, 2532));
    return box;
}

void GetPictureOfTheCard(benchmark::State& state) {
    QWidget window;
    QLabel* picBasFront = pictureBox(&window, 5520);
    QLabel* picBasBack = pictureBox(&window, 8040);
    DataSource datBasics("datBasics");
    datBasics.setDatabaseName(card().path().toStdString());
    datBasics.setRecordSource("Basics");
    datBasics.Refresh();
    DataSource* CurData = &datBasics;
    QtDialogs dialogs;
    CommonDialog cd1;
    // Only the page's picture boxes and data source are reached.
    QGroupBox* noFrame = nullptr;
    QComboBox* noFastFind = nullptr;
    QLineEdit* noBox = nullptr;
    const CardPage basicsPage{BasicsPage, datBasics, "",          noFrame,    noFastFind, noBox, noBox, noBox,
                              noBox,      noBox,     picBasFront, picBasBack, 1,          true,  false};
    CardPictures pictures({{&basicsPage}, CurData, dialogs, cd1});
    for (auto _ : state) {
        pictures.GetPicture(BasicsPage);
        benchmark::DoNotOptimize(picBasFront->pixmap().cacheKey());
    }
    if (picBasFront->pixmap().isNull() || picBasBack->pixmap().isNull())
        state.SkipWithError("a picture was not shown");
    state.SetLabel(QString("front %1 MB; target under 80 ms")
                       .arg(static_cast<double>(card().front.size()) / (1024 * 1024), 0, 'f', 1)
                       .toStdString());
}
BENCHMARK(GetPictureOfTheCard)->Unit(benchmark::kMillisecond);

// What showing the pictures needs at the least: their bytes decoded from memory, each scaled to fit its box.
void ScaledDecodeOfThePictures(benchmark::State& state) {
    const QSize box = twipsToRect(0, 0, 2172, 2532).size();
    for (auto _ : state) {
        for (const QByteArray& picture : {card().front, card().back}) {
            QByteArray bytes = picture;
            QBuffer buffer(&bytes);
            QImageReader reader(&buffer);
            reader.setScaledSize(reader.size().scaled(box, Qt::KeepAspectRatio));
            benchmark::DoNotOptimize(reader.read().width());
        }
    }
    state.SetLabel("the same pictures, decoded from memory scaled to their boxes");
}
BENCHMARK(ScaledDecodeOfThePictures)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pellimo

int main(int argc, char** argv) {
    return pellimo::runBenchmarks(
        argc, argv, [] { pellimo::card(); }, [](const pellimo::BenchTimes&) {});
}
