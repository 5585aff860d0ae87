#pragma once

#include "data_source.h"

namespace pellimo {

// A data source that has no record set yet has nothing pending either.
inline int editModeOf(DataSource& source) {
    return source.hasRecordset() ? source.Recordset().EditMode() : dbEditNone;
}

// Whether the boxes bound to `source` show a record: a current one, or one being added.
inline bool showsRecord(DataSource& source) {
    if (!source.hasRecordset())
        return false;
    Recordset& records = source.Recordset();
    return records.EditMode() == dbEditAdd || (!records.BOF() && !records.EOF_());
}

} // namespace pellimo
