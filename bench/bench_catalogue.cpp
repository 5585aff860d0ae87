#include "bench_catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>
#include <vector>

namespace pellimo {

namespace {

std::string readSchema() {
    std::ifstream file(PELLIMO_SCHEMA_PATH);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Card n of each set is "Card n", worth $10 and n cents (whole cents, which the "Currency" form shows
// exactly); every tenth front is `picture` when one
// is given.
std::int64_t cardValue(int n) {
    return 100 * (1000 + static_cast<std::int64_t>(n));
}

void insertCards(sqlite3* db, const char* table, const std::string& code, int count,
                 const std::vector<unsigned char>& picture) {
    std::string sql =
        std::string("INSERT INTO ") + table + " (Code, Card_Num, Desc, Value, Front) VALUES (?, ?, ?, ?, ?)";
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr);
    for (int n = 1; n <= count; ++n) {
        std::string desc = "Card " + std::to_string(n);
        sqlite3_bind_text(insert, 1, code.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 2, n);
        sqlite3_bind_text(insert, 3, desc.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert, 4, cardValue(n));
        if (n % 10 == 0 && !picture.empty())
            sqlite3_bind_blob(insert, 5, picture.data(), static_cast<int>(picture.size()), SQLITE_STATIC);
        else
            sqlite3_bind_null(insert, 5);
        if (sqlite3_step(insert) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

// A new catalogue file with the schema, filled by `fill` in one transaction.
template <typename Fill> void makeCatalogue(const std::string& path, Fill fill) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    execRaw(db, readSchema().c_str());
    execRaw(db, "PRAGMA synchronous = OFF; BEGIN");
    fill(db);
    execRaw(db, "COMMIT");
    sqlite3_close(db);
}

// What the generator wrote without syncing goes to the disk now, so that the first durable commit timed
// does not pay for it.
void syncToDisk(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        const int file = ::open(path.c_str(), O_RDONLY);
        if (file < 0 || ::fsync(file) != 0)
            throw std::runtime_error("cannot sync " + path);
        ::close(file);
    }
}

} // namespace

sqlite3* openRaw(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path);
    execRaw(db, "PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL; PRAGMA cache_size = -16384;");
    return db;
}

void execRaw(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

BenchCatalogue::BenchCatalogue() {
    makeCatalogue(path(), [](sqlite3* db) {
        std::vector<unsigned char> picture(50 * 1024);
        for (std::size_t i = 0; i < picture.size(); ++i)
            picture[i] = static_cast<unsigned char>(i * 2654435761u >> 24);
        sqlite3_stmt* set = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Sets VALUES (?, ?, 0, 0)", -1, &set, nullptr);
        for (int s = 0; s <= 1000; ++s) {
            std::string code = s == 1000 ? std::string(BigSet) : std::to_string(s).insert(0, 1, 'S');
            std::string name = std::string("Set ").append(code);
            sqlite3_bind_text(set, 1, code.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(set, 2, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(set);
            sqlite3_reset(set);
            insertCards(db, "Basics", code, s == 1000 ? BigSetCards : 100, picture);
        }
        sqlite3_finalize(set);
        insertCards(db, "Specials", BigSet, 1000, picture);
    });
}

SizedCatalogue::SizedCatalogue(int sets, int cardsPerSet, const std::string& picture,
                               const std::string& cardPicture) {
    makeCatalogue(path(), [&](sqlite3* db) {
        sqlite3_stmt* set = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Sets VALUES (?, ?, ?, ?)", -1, &set, nullptr);
        auto addSet = [&](const std::string& code, int cards, const std::vector<unsigned char>& front) {
            const std::string name = "Set " + code;
            sqlite3_bind_text(set, 1, code.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(set, 2, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(set, 3, cards);
            sqlite3_bind_int64(set, 4,
                               100 * (1000LL * cards + static_cast<long long>(cards) * (cards + 1) / 2));
            sqlite3_step(set);
            sqlite3_reset(set);
            insertCards(db, "Basics", code, cards, front);
        };
        char code[16];
        for (int s = 0; s < sets; ++s) {
            std::snprintf(code, sizeof code, "S%06d", s);
            addSet(code, cardsPerSet, {});
        }
        addSet(BenchCatalogue::BigSet, BenchCatalogue::BigSetCards, {});
        addSet(PictureSet, 1, {});
        sqlite3_finalize(set);
        sqlite3_stmt* front = nullptr;
        sqlite3_prepare_v2(db, "UPDATE Basics SET Front = ? WHERE Code = 'PIC'", -1, &front, nullptr);
        sqlite3_bind_blob(front, 1, picture.data(), static_cast<int>(picture.size()), SQLITE_STATIC);
        sqlite3_step(front);
        sqlite3_finalize(front);
        sqlite3_stmt* scans = nullptr;
        sqlite3_prepare_v2(
            db,
            "UPDATE Basics SET Front = ?1, Back = ?1 WHERE Code = 'BIG' AND (Card_Num % 10 = 0 OR "
            "Card_Num <= ?2 OR Card_Num = ?3)",
            -1, &scans, nullptr);
        sqlite3_bind_blob(scans, 1, cardPicture.data(), static_cast<int>(cardPicture.size()), SQLITE_STATIC);
        sqlite3_bind_int(scans, 2, PicturedFirstCards);
        sqlite3_bind_int(scans, 3, BenchCatalogue::BigSetCards);
        sqlite3_step(scans);
        sqlite3_finalize(scans);
    });
    std::filesystem::copy_file(path(), rawPath());
    syncToDisk({path(), rawPath(), folder()});
}

const BenchCatalogue& catalogue() {
    static BenchCatalogue instance;
    return instance;
}

TemporaryFolder::TemporaryFolder()
    : path_((std::filesystem::temp_directory_path() / "pellimo-bench-XXXXXX").string()) {
    if (mkdtemp(path_.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

} // namespace pellimo
