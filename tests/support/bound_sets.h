#pragma once

#include "data_source.h"
#include "temp_catalogue.h"

#include <QLineEdit>

namespace pellimo {

// datSets over the table Sets, with the boxes of the Sets page bound to its fields.
struct BoundSets {
    // Opens datSets on the catalogue; its first set becomes current.
    void openSets(const TempCatalogue& catalogue) {
        datSets.setDatabaseName(catalogue.dbPath().toStdString());
        datSets.setRecordSource(RecordSource("Sets"));
        datSets.bind(&txtCode, "Code");
        datSets.bind(&txtDesc, "Desc");
        datSets.bind(&txtTot, "Cards");
        datSets.bind(&txtvalue, "Value");
        datSets.Refresh();
    }

    DataSource datSets{"datSets"};
    QLineEdit txtCode, txtDesc, txtTot, txtvalue;
};

} // namespace pellimo
