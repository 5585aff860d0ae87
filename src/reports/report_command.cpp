#include "data_source.h"
#include "reports.h"
#include "resume_next.h"

#include <array>

namespace pellimo {

namespace {

// By page: 1 Sets, 2 Basics, 3 Specials. The set code is bound to the placeholder, so a code holding a
// double quote still reports its own cards.
const std::array<const char*, 3> PageQueries = {
    "SELECT * FROM Sets ORDER BY Code ",
    "SELECT Card_Num,Section,Desc,Value FROM Basics WHERE Code = ? ORDER BY Card_Num",
    "SELECT Type,Card_Num,Desc,Value FROM Specials WHERE Code = ? ORDER BY Type,Card_Num",
};

} // namespace

void Reports::Report(std::int16_t TabMode, const QString& setCode, const QString& setName, QString& RepSQL) {
    // The command runs under the toolbar's error mode: a step that fails is skipped and the next one runs.
    ResumeNext step;
    if (TabMode < 1 || TabMode > 3)
        return;
    RepSQL = PageQueries[TabMode - 1];
    std::vector<Value> params;
    if (TabMode != 1)
        params.emplace_back(setCode.toStdString());
    step([&] { datrep_.setRecordSource(RecordSource(RepSQL.toStdString(), std::move(params))); });
    step([&] { datrep_.Refresh(); });
    if (TabMode == 1)
        html();
    else if (TabMode == 2)
        html2(setName);
    else
        html3(setName);
}

} // namespace pellimo
