#pragma once

#include <sqlite3.h>
#include <string>

namespace pellimo {

// A folder of the benchmark's own, removed with everything in it when the owner goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A catalogue the size of a large collection, made once in a temporary folder: 1,000 sets of 100 basic
// cards, and set "BIG" with 9,999 basic cards and 1,000 special cards; every tenth card has a 50 KB picture.
class BenchCatalogue {
public:
    BenchCatalogue();

    const std::string& folder() const { return folder_.path(); }
    std::string path() const { return folder_.path() + "/Pellimo.mdb"; }

    static constexpr const char* BigSet = "BIG";
    static constexpr int BigSetCards = 9999;

private:
    TemporaryFolder folder_;
};

// A catalogue of `sets` sets of `cardsPerSet` basic cards each, plus set "BIG" of 9,999 basic cards and set
// "PIC" of one card whose front is `picture`, made in a temporary folder. Each set is stored with the count
// and value of its cards, as browsing the Sets page would store them. Every tenth card of BIG, its first
// cards and its last carry `cardPicture` as front and back, as a collection's scanned cards do. A copy of the
// file for the raw comparison lies beside it, so that neither side's writes reach the other; both are on the
// disk before the first command is timed.
class SizedCatalogue {
public:
    SizedCatalogue(int sets, int cardsPerSet, const std::string& picture, const std::string& cardPicture);

    const std::string& folder() const { return folder_.path(); }
    std::string path() const { return folder_.path() + "/Pellimo.mdb"; }
    std::string rawPath() const { return folder_.path() + "/raw.mdb"; }

    static constexpr const char* PictureSet = "PIC";
    // BIG's cards from the first up to this number carry pictures.
    static constexpr int PicturedFirstCards = 64;

private:
    TemporaryFolder folder_;
};

// The one catalogue of a benchmark run, made at its first use.
const BenchCatalogue& catalogue();

// A raw connection for the comparisons, opened as the engine opens its own.
sqlite3* openRaw(const std::string& path);
void execRaw(sqlite3* db, const char* sql);

} // namespace pellimo
