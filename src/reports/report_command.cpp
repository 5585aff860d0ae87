#include "data_source.h"
#include "reports.h"
#include "resume_next.h"

#include <array>

namespace pellimo {

namespace {

// By page: Sets, Basics, Specials. The set code is bound to the placeholder, so a code holding a
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
    if (TabMode < SetsPage || TabMode > SpecialsPage)
        return;
    RepSQL = PageQueries[TabMode - SetsPage];
    std::vector<Value> params;
    if (TabMode != SetsPage)
        params.emplace_back(setCode.toStdString());
    step([&] { datrep_.setRecordSource(RecordSource(RepSQL.toStdString(), std::move(params))); });
    step([&] { datrep_.Refresh(); });
    if (TabMode == SetsPage)
        html();
    else if (TabMode == BasicsPage)
        html2(setName);
    else
        html3(setName);
}

} // namespace pellimo
