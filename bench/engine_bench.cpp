// The engine and the data sources measured side by side with the same work done through raw sqlite3 calls.
#include "bench_catalogue.h"
#include "bench_main.h"
#include "data_source.h"
#include "set_totals.h"

#include <QLineEdit>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <vector>

namespace pellimo {
namespace {

const char* const CardQuery = "SELECT Code, Card_Num, Section, Desc, Value, Front, Back FROM Basics "
                              "WHERE code =? ORDER BY Code, Card_Num";

void RefreshDataSource(benchmark::State& state) {
    DataSource datBasics("datBasics");
    QLineEdit code, number, section, desc, value;
    datBasics.bind(&code, "Code");
    datBasics.bind(&number, "Card_Num");
    datBasics.bind(&section, "Section");
    datBasics.bind(&desc, "Desc");
    datBasics.bind(&value, "Value");
    datBasics.setDatabaseName(catalogue().path());
    datBasics.setRecordSource(RecordSource(CardQuery, {Value(BenchCatalogue::BigSet)}));
    for (auto _ : state) {
        datBasics.Refresh();
        datBasics.Recordset().MoveLast();
        datBasics.Recordset().MoveFirst();
        benchmark::DoNotOptimize(datBasics.Recordset().RecordCount());
    }
}

struct RawCard {
    std::string code;
    int number;
    std::string section;
    std::string desc;
    std::int64_t value;
};

std::string textColumn(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

// What Refresh, MoveLast and MoveFirst read: the keys in the query's order, then the last and the first row
// (a picture's size, not its bytes).
void RefreshRaw(benchmark::State& state) {
    sqlite3* db = openRaw(catalogue().path());
    for (auto _ : state) {
        sqlite3_stmt* keys = nullptr;
        sqlite3_prepare_v2(db, "SELECT rowid FROM Basics WHERE code = ? ORDER BY Code, Card_Num, rowid", -1,
                           &keys, nullptr);
        sqlite3_bind_text(keys, 1, BenchCatalogue::BigSet, -1, SQLITE_STATIC);
        std::vector<sqlite3_int64> rowids;
        while (sqlite3_step(keys) == SQLITE_ROW)
            rowids.push_back(sqlite3_column_int64(keys, 0));
        sqlite3_finalize(keys);
        sqlite3_stmt* row = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT Code, Card_Num, Section, Desc, Value, length(Front), length(Back) FROM "
                           "Basics WHERE rowid = ?",
                           -1, &row, nullptr);
        std::vector<RawCard> cards;
        for (sqlite3_int64 rowid : {rowids.back(), rowids.front()}) {
            sqlite3_bind_int64(row, 1, rowid);
            sqlite3_step(row);
            cards.push_back({textColumn(row, 0), sqlite3_column_int(row, 1), textColumn(row, 2),
                             textColumn(row, 3), sqlite3_column_int64(row, 4)});
            sqlite3_reset(row);
        }
        sqlite3_finalize(row);
        benchmark::DoNotOptimize(cards.data());
    }
    sqlite3_close(db);
}

void SetTotalEngine(benchmark::State& state) {
    SetTotals totals(catalogue().folder());
    for (auto _ : state)
        benchmark::DoNotOptimize(totals.Basvalue(BenchCatalogue::BigSet));
}

// The totals keep their connection and statements, as this does.
void SetTotalRaw(benchmark::State& state) {
    sqlite3* db = openRaw(catalogue().path());
    sqlite3_stmt* query = nullptr;
    sqlite3_prepare_v2(db, "SELECT sum(value) FROM Basics WHERE Code = ?", -1, &query, nullptr);
    for (auto _ : state) {
        sqlite3_bind_text(query, 1, BenchCatalogue::BigSet, -1, SQLITE_STATIC);
        sqlite3_step(query);
        benchmark::DoNotOptimize(sqlite3_column_int64(query, 0));
        sqlite3_reset(query);
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
}

void FourTotals(benchmark::State& state) {
    SetTotals totals(catalogue().folder());
    std::string code = BenchCatalogue::BigSet;
    for (auto _ : state) {
        benchmark::DoNotOptimize(totals.Basvalue(code) + totals.Specvalue(code));
        benchmark::DoNotOptimize(totals.Bascount(code) + totals.Speccount(code));
    }
}

void EditUpdateEngine(benchmark::State& state) {
    Database db = OpenDatabase(catalogue().path());
    auto cards = db.OpenRecordset(RecordSource(CardQuery, {Value(BenchCatalogue::BigSet)}));
    cards->MoveLast();
    std::int64_t value = 0;
    for (auto _ : state) {
        cards->Edit();
        cards->Fields("Value").setValue(Money::fromTenThousandths(++value));
        cards->Update();
    }
}

void EditUpdateRaw(benchmark::State& state) {
    sqlite3* db = openRaw(catalogue().path());
    sqlite3_stmt* last = nullptr;
    sqlite3_prepare_v2(db, "SELECT max(rowid) FROM Basics", -1, &last, nullptr);
    sqlite3_step(last);
    sqlite3_int64 rowid = sqlite3_column_int64(last, 0);
    sqlite3_finalize(last);
    std::int64_t value = 0;
    for (auto _ : state) {
        sqlite3_stmt* update = nullptr;
        sqlite3_prepare_v2(db, "UPDATE Basics SET Value = ? WHERE rowid = ?", -1, &update, nullptr);
        sqlite3_bind_int64(update, 1, ++value);
        sqlite3_bind_int64(update, 2, rowid);
        sqlite3_step(update);
        sqlite3_finalize(update);
    }
    sqlite3_close(db);
}

constexpr const char* NewSet = "NEW";

// Both add the cards in one transaction and commit it durably; the cards go again outside the clock.
void AddNewEngine(benchmark::State& state) {
    Database db = OpenDatabase(catalogue().path());
    sqlite3* cleaner = openRaw(catalogue().path());
    for (auto _ : state) {
        db.BeginTrans();
        auto basics = db.OpenRecordset(RecordSource("Basics"));
        for (int n = 1; n <= BenchCatalogue::BigSetCards; ++n) {
            basics->AddNew();
            basics->Fields("Code").setValue(BenchCatalogue::BigSet);
            basics->Fields("Card_Num").setValue(n + 10000);
            basics->Fields("Desc").setValue("Card " + std::to_string(n));
            basics->Fields("value").setValue(Money::fromTenThousandths(15000));
            basics->Update();
        }
        db.CommitTrans();
        state.PauseTiming();
        execRaw(cleaner, "DELETE FROM Basics WHERE Card_Num > 10000");
        state.ResumeTiming();
    }
    sqlite3_close(cleaner);
}

void InsertRaw(benchmark::State& state) {
    sqlite3* db = openRaw(catalogue().path());
    for (auto _ : state) {
        execRaw(db, "BEGIN IMMEDIATE");
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO Basics (Code, Card_Num, Desc, Value) VALUES (?, ?, ?, ?)", -1,
                           &insert, nullptr);
        for (int n = 1; n <= BenchCatalogue::BigSetCards; ++n) {
            std::string desc = "Card " + std::to_string(n);
            sqlite3_bind_text(insert, 1, BenchCatalogue::BigSet, -1, SQLITE_STATIC);
            sqlite3_bind_int(insert, 2, n + 10000);
            sqlite3_bind_text(insert, 3, desc.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int64(insert, 4, 15000);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        execRaw(db, "COMMIT");
        state.PauseTiming();
        execRaw(db, "DELETE FROM Basics WHERE Card_Num > 10000");
        state.ResumeTiming();
    }
    sqlite3_close(db);
}

void FindFirstLastCard(benchmark::State& state) {
    Database db = OpenDatabase(catalogue().path());
    auto cards = db.OpenRecordset(RecordSource(CardQuery, {Value(BenchCatalogue::BigSet)}));
    std::string last = "Card " + std::to_string(BenchCatalogue::BigSetCards);
    for (auto _ : state) {
        cards->MoveFirst();
        cards->FindFirst(Criterion::equals("Desc", last));
        benchmark::DoNotOptimize(cards->NoMatch());
    }
}

BENCHMARK(RefreshDataSource)->Unit(benchmark::kMillisecond);
BENCHMARK(RefreshRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(SetTotalEngine)->Unit(benchmark::kMillisecond);
BENCHMARK(SetTotalRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(FourTotals)->Unit(benchmark::kMillisecond);
BENCHMARK(EditUpdateEngine)->Unit(benchmark::kMillisecond);
BENCHMARK(EditUpdateRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(AddNewEngine)->Unit(benchmark::kMillisecond);
BENCHMARK(InsertRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(FindFirstLastCard)->Unit(benchmark::kMillisecond);

void printSummary(const BenchTimes& ms) {
    auto at = [&](const char* name) { return timeOf(ms, name); };
    auto pair = [&](const char* what, const char* ours, const char* raw, double allowedRatio) {
        double ratio = at(raw) > 0 ? at(ours) / at(raw) : 0;
        std::printf("%-44s %8.3f ms  raw %8.3f ms  ratio %5.2f (target within %.1fx)\n", what, at(ours),
                    at(raw), ratio, allowedRatio);
    };
    auto alone = [&](const char* what, const char* name, double limit) {
        printUnderLimit(what, at(name), limit);
    };
    std::printf("\nSummary\n");
    pair("Refresh + MoveLast + MoveFirst, 9,999 cards", "RefreshDataSource", "RefreshRaw", 1.5);
    pair("one set total, own connection", "SetTotalEngine", "SetTotalRaw", 1.5);
    alone("the four set totals", "FourTotals", 6);
    pair("Edit + Update of one card, durable", "EditUpdateEngine", "EditUpdateRaw", 1.5);
    pair("9,999 AddNew + Update, one durable commit", "AddNewEngine", "InsertRaw", 2.0);
    alone("9,999 AddNew + Update, one durable commit", "AddNewEngine", 100);
    alone("FindFirst of the last of 9,999 cards", "FindFirstLastCard", 5);
}

} // namespace
} // namespace pellimo

int main(int argc, char** argv) {
    return pellimo::runBenchmarks(
        argc, argv, [] { pellimo::catalogue(); }, pellimo::printSummary);
}
