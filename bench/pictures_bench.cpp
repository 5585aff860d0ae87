// Showing a card's pictures: GetPicture of a card with a 12-megapixel JPEG front and a 640 x 480 back,
// beside a full decode of the same front.
#include "bench_main.h"
#include "card_pictures.h"
#include "qt_dialogs.h"
#include "twips.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <random>
#include <sqlite3.h>
#include <stdexcept>

namespace pellimo {
namespace {

// A photograph-like gradient under fine noise, so that the JPEG is as large as a real scan.
QByteArray noisyJpeg(QSize size, int noise) {
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 random(2024);
    std::uniform_int_distribution<int> grain(-noise, noise);
    auto channel = [&](int base) { return std::clamp(base + grain(random), 0, 255); };
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(channel(x * 255 / size.width()), channel(y * 255 / size.height()), channel(128));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}

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
    QLabel* picSpecFront = pictureBox(&window, 5760);
    QLabel* picSpecBack = pictureBox(&window, 8520);
    DataSource datBasics("datBasics");
    DataSource DatSpecials("DatSpecials");
    datBasics.setDatabaseName(card().path().toStdString());
    datBasics.setRecordSource("Basics");
    datBasics.Refresh();
    DataSource* CurData = &datBasics;
    QtDialogs dialogs;
    CommonDialog cd1;
    CardPictures pictures(
        {picBasFront, picBasBack, picSpecFront, picSpecBack, CurData, datBasics, DatSpecials, dialogs, cd1});
    for (auto _ : state) {
        pictures.GetPicture(1);
        benchmark::DoNotOptimize(picBasFront->pixmap().cacheKey());
    }
    if (picBasFront->pixmap().isNull() || picBasBack->pixmap().isNull())
        state.SkipWithError("a picture was not shown");
    state.SetLabel(QString("front %1 MB; target under 80 ms")
                       .arg(static_cast<double>(card().front.size()) / (1024 * 1024), 0, 'f', 1)
                       .toStdString());
}
BENCHMARK(GetPictureOfTheCard)->Unit(benchmark::kMillisecond);

void FullDecodeOfTheFront(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(QImage::fromData(card().front).width());
    state.SetLabel("the same front, decoded whole");
}
BENCHMARK(FullDecodeOfTheFront)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pellimo

int main(int argc, char** argv) {
    return pellimo::runBenchmarks(
        argc, argv, [] { pellimo::card(); }, [](const pellimo::BenchTimes&) {});
}
