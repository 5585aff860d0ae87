// Showing a card's pictures: GetPicture of a card with a 12-megapixel JPEG front and a 640 x 480 back,
// beside a scaled decode of the same pictures from memory; then of cards with a huge picture, a 30000 x
// 30000 PNG or a 100 MB BMP, with the memory each display takes at its peak, beside the image reader's
// own scaled decode of them; and the store of a chosen 100 MB BMP.
#include "bench_main.h"
#include "bench_picture.h"
#include "card_pictures.h"
#include "picture_files.h"
#include "picture_page.h"
#include "qt_dialogs.h"
#include "twips.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdexcept>
#include <utility>

namespace pellimo {
namespace {

void check(sqlite3* db, int code) {
    if (code != SQLITE_OK && code != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
}

// One basic card with both pictures, in a catalogue of its own. The table has only the columns shown here.
class PictureCard {
public:
    PictureCard(QByteArray frontBytes, QByteArray backBytes)
        : front(std::move(frontBytes)), back(std::move(backBytes)) {
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
    static PictureCard instance(noisyJpeg({4000, 3000}, 28), noisyJpeg({640, 480}, 28));
    return instance;
}

const PictureCard& hugePngCard() {
    static PictureCard instance(blackPng({30000, 30000}), QByteArray());
    return instance;
}

// 5774 x 5774 pixels of three bytes: 100 MB.
const PictureCard& hugeBmpCard() {
    static PictureCard instance(redOverBlueBmp({5774, 5774}), QByteArray());
    return instance;
}

// The most memory the process held since the last reset, above what it held at the reset: the kernel's
// high-water mark, which writing 5 to clear_refs brings down to the memory held now.
class PeakMemory {
public:
    PeakMemory() {
        QFile clear("/proc/self/clear_refs");
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
        atReset_ = kilobytes("VmRSS:");
    }
    double megabytesAbove() const { return static_cast<double>(kilobytes("VmHWM:") - atReset_) / 1024; }

private:
    static long kilobytes(const QByteArray& field) {
        QFile status("/proc/self/status");
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
            if (line.startsWith(field))
                return line.mid(field.size()).trimmed().split(' ').first().toLong();
        return 0;
    }
    long atReset_;
};

QLabel* pictureBox(QWidget* parent, int left) {
    auto* box = new QLabel(parent);
    box->setScaledContents(true);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setGeometry(twipsToRect(left, 1320, 2172, 2532));
    return box;
}

// The card's pictures over its catalogue, with the Basics boxes laid out as the window lays them out.
struct PicturesOfTheCard {
    explicit PicturesOfTheCard(const PictureCard& shown) {
        datBasics.setDatabaseName(shown.path().toStdString());
        datBasics.setRecordSource("Basics");
        datBasics.Refresh();
    }

    QWidget window;
    QLabel* picBasFront = pictureBox(&window, 5520);
    QLabel* picBasBack = pictureBox(&window, 8040);
    DataSource datBasics{"datBasics"};
    DataSource* CurData = &datBasics;
    QtDialogs dialogs;
    CommonDialog cd1;
    const PicturePage basicsPage{BasicsPage, datBasics, picBasFront, picBasBack};
    CardPictures pictures{{{&basicsPage.page}, CurData, dialogs, cd1}};
};

// The card shown over and over; a row whose front is not shown as it should be is no measurement.
void showCard(benchmark::State& state, const PictureCard& shown, bool frontShown) {
    PicturesOfTheCard card(shown);
    const PeakMemory peak;
    for (auto _ : state) {
        card.pictures.GetPicture(BasicsPage);
        benchmark::DoNotOptimize(card.picBasFront->pixmap().cacheKey());
    }
    state.counters["peak_MB"] = peak.megabytesAbove();
    if (card.picBasFront->pixmap().isNull() == frontShown)
        state.SkipWithError(frontShown ? "the front was not shown" : "the front was shown");
}

// Decoding bytes from memory straight at the size of a picture box, as the display does at the least.
int scaledDecodeWidth(QByteArray& bytes) {
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    reader.setScaledSize(reader.size().scaled(twipsToRect(0, 0, 2172, 2532).size(), Qt::KeepAspectRatio));
    return reader.read().width();
}

void GetPictureOfTheCard(benchmark::State& state) {
    showCard(state, card(), true);
    state.SetLabel(QString("front %1 MB; target under 80 ms")
                       .arg(static_cast<double>(card().front.size()) / (1024 * 1024), 0, 'f', 1)
                       .toStdString());
}
BENCHMARK(GetPictureOfTheCard)->Unit(benchmark::kMillisecond);

// What showing the pictures needs at the least: their bytes decoded from memory, each scaled to fit its box.
void ScaledDecodeOfThePictures(benchmark::State& state) {
    for (auto _ : state) {
        for (const QByteArray& picture : {card().front, card().back}) {
            QByteArray bytes = picture;
            benchmark::DoNotOptimize(scaledDecodeWidth(bytes));
        }
    }
    state.SetLabel("the same pictures, decoded from memory scaled to their boxes");
}
BENCHMARK(ScaledDecodeOfThePictures)->Unit(benchmark::kMillisecond);

void GetPictureOfA30000SquarePng(benchmark::State& state) {
    showCard(state, hugePngCard(), false);
    state.SetLabel("not decoded: blank at once");
}
BENCHMARK(GetPictureOfA30000SquarePng)->Unit(benchmark::kMillisecond);

void GetPictureOfA100MBBmp(benchmark::State& state) {
    showCard(state, hugeBmpCard(), true);
    state.SetLabel("copied to the file and decoded a piece at a time");
}
BENCHMARK(GetPictureOfA100MBBmp)->Unit(benchmark::kMillisecond);

// The bytes of a chosen 100 MB BMP checked and put into the card being edited, as its save does first;
// then dropped, or stored in the catalogue file as the save goes on.
void WriteA100MBBmpToTheCard(benchmark::State& state, bool stored) {
    const PictureCard& shown = hugeBmpCard();
    const QString chosen = shown.folder.filePath("chosen.bmp");
    QFile file(chosen);
    if (!file.open(QIODevice::WriteOnly) || file.write(shown.front) != shown.front.size())
        state.SkipWithError("the chosen file was not written");
    file.close();
    PicturesOfTheCard card(shown);
    const PeakMemory peak;
    for (auto _ : state) {
        card.datBasics.Recordset().Edit();
        card.pictures.WritePicturetoDatabase(card.datBasics, "Front", chosen);
        if (stored)
            card.datBasics.Recordset().Update();
        else
            card.datBasics.Recordset().CancelUpdate();
    }
    state.counters["peak_MB"] = peak.megabytesAbove();
}
BENCHMARK_CAPTURE(WriteA100MBBmpToTheCard, dropped, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WriteA100MBBmpToTheCard, stored, true)->Unit(benchmark::kMillisecond)->Iterations(2);

// The image reader alone, as the pictures were shown before: a scaled read of the huge pictures.
void ImageReaderScaledDecode(benchmark::State& state, const PictureCard& (*shown)()) {
    QByteArray bytes = shown().front;
    const PeakMemory peak;
    for (auto _ : state)
        benchmark::DoNotOptimize(scaledDecodeWidth(bytes));
    state.counters["peak_MB"] = peak.megabytesAbove();
}
BENCHMARK_CAPTURE(ImageReaderScaledDecode, png_30000_square, hugePngCard)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(ImageReaderScaledDecode, bmp_100_mb, hugeBmpCard)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pellimo

int main(int argc, char** argv) {
    return pellimo::runBenchmarks(
        argc, argv,
        // The huge cards are made by the rows that show them, only when those run.
        [] { pellimo::card(); }, [](const pellimo::BenchTimes&) {});
}
