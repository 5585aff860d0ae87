#include "bench_catalogue.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace pellimo {

namespace {

std::string readSchema() {
    std::ifstream file(PELLIMO_SCHEMA_PATH);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
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
        sqlite3_bind_int64(insert, 4, 1000 + n);
        if (n % 10 == 0)
            sqlite3_bind_blob(insert, 5, picture.data(), static_cast<int>(picture.size()), SQLITE_STATIC);
        else
            sqlite3_bind_null(insert, 5);
        if (sqlite3_step(insert) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

} // namespace

sqlite3* openRaw(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path);
    execRaw(db, "PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL;");
    return db;
}

void execRaw(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db));
}

BenchCatalogue::BenchCatalogue() {
    std::string pattern = (std::filesystem::temp_directory_path() / "pellimo-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    folder_ = pattern;
    sqlite3* db = nullptr;
    sqlite3_open(path().c_str(), &db);
    execRaw(db, readSchema().c_str());
    execRaw(db, "BEGIN");
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
    execRaw(db, "COMMIT");
    sqlite3_close(db);
}

const BenchCatalogue& catalogue() {
    static BenchCatalogue instance;
    return instance;
}

BenchCatalogue::~BenchCatalogue() {
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

} // namespace pellimo
