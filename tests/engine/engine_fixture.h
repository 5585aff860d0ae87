#pragma once

#include "database.h"
#include "engine_error.h"
#include "recordset.h"
#include "temp_catalogue.h"

#include <gtest/gtest.h>

namespace pellimo {

// A fresh catalogue with three sets (in an order that is not their codes' order) and a few cards.
class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue.exec(
            "INSERT INTO Sets VALUES ('b02', 'Second', 2, 0), ('A01', 'First', 3, 0), ('c03', 'Third', 0, 0);"
            "INSERT INTO Basics (Code, Card_Num, Desc, Value) VALUES ('A01', 1, 'Card 1', 15000),"
            " ('A01', 2, 'Card 2', 25000), ('A01', 3, 'Card 3', NULL), ('b02', 1, 'Other', 10000);"
            "INSERT INTO Specials (Code, Type, Card_Num, Desc, Value) VALUES ('A01', 'Foil', 1, 'Shiny', "
            "5000);");
        db = OpenDatabase(catalogue.dbPath().toStdString());
    }

    std::unique_ptr<Recordset> open(const RecordSource& source) { return db.OpenRecordset(source); }

    static std::string text(Recordset& rs, const char* field) { return rs.Fields(field).value().toString(); }

    TempCatalogue catalogue;
    Database db;
};

// Runs `action` and returns the number of the EngineError it throws (0 when it throws none).
template <typename Action> int errorOf(Action action) {
    try {
        action();
    } catch (const EngineError& error) {
        return error.number();
    }
    return 0;
}

} // namespace pellimo
