#pragma once

#include "data_source.h"

namespace pellimo {

// A data source that has no record set yet has nothing pending either.
inline int editModeOf(DataSource& source) {
    return source.hasRecordset() ? source.Recordset().EditMode() : dbEditNone;
}

} // namespace pellimo
