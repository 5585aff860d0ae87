#include "raw_commands.h"

#include "bench_catalogue.h"
#include "formats.h"
#include "markup_text.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace pellimo {

namespace {

// Steps through every row, handing each to `row`; a failure throws with SQLite's message.
template <typename Row> void eachRow(sqlite3* db, sqlite3_stmt* statement, Row row) {
    int code;
    while ((code = sqlite3_step(statement)) == SQLITE_ROW)
        row(statement);
    sqlite3_reset(statement);
    if (code != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db));
}

void runOnce(sqlite3* db, sqlite3_stmt* statement) {
    eachRow(db, statement, [](sqlite3_stmt*) {});
}

std::string textOf(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

void bindText(sqlite3_stmt* statement, int index, const std::string& text) {
    sqlite3_bind_text(statement, index, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

constexpr const char* TotalQueries[] = {
    "SELECT sum(value) FROM Basics where Code=?", "SELECT sum(value) FROM Specials where Code=?",
    "SELECT count(value) FROM Basics where Code=?", "SELECT count(value) FROM Specials where Code=?"};

void appendLine(std::string& out, std::string_view line) {
    out += line;
    out += "\r\n";
}

// A column's line as the report prints it: Null, a whole number with a blank before it unless negative and
// one after it, or text as markup.
void appendPrinted(std::string& out, sqlite3_stmt* row, int column) {
    switch (sqlite3_column_type(row, column)) {
    case SQLITE_NULL:
        out += "Null";
        break;
    case SQLITE_INTEGER: {
        const std::int64_t number = sqlite3_column_int64(row, column);
        char digits[24];
        if (number >= 0)
            out += ' ';
        out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
        out += ' ';
        break;
    }
    case SQLITE_TEXT:
        out += markupText({reinterpret_cast<const char*>(sqlite3_column_text(row, column)),
                           static_cast<std::size_t>(sqlite3_column_bytes(row, column))});
        break;
    default:
        throw std::runtime_error("raw's report prints no such value");
    }
    out += "\r\n";
}

// An amount of ten-thousandths as the report prints it, with the program's own currency form: raw makes the
// same text, and its cost is the same on both sides.
void appendCurrency(std::string& out, std::int64_t tenThousandths) {
    out += formatCurrencyUtf8(Money::fromTenThousandths(tenThousandths));
    out += "\r\n";
}

// The basic cards report's column group and header row, the same in every such report.
constexpr std::string_view ReportColumnsAndHeader = "<COLGROUP>\r\n"
                                                    "<COL ALIGN=LEFT>\r\n"
                                                    "<COL ALIGN=LEFT >\r\n"
                                                    "<COL ALIGN=LEFT WIDTH=1500>\r\n"
                                                    "<COL ALIGN=LEFT>\r\n"
                                                    "</COLGROUP>\r\n"
                                                    "<TH WIDTH=15%  BGCOLOR=CCCCCC ALIGN=CENTER>\r\n"
                                                    "<H2> Card Number</H2>\r\n"
                                                    "</TH>\r\n"
                                                    "<TH WIDTH=15%  BGCOLOR=CCCCCC ALIGN=CENTER>\r\n"
                                                    "<H2> Section  </H2>\r\n"
                                                    "</TH>\r\n"
                                                    "<TH WIDTH=55% BGCOLOR=CCCCCC ALIGN=CENTER>\r\n"
                                                    "<H2> Card Description</H2>\r\n"
                                                    "</TH>\r\n"
                                                    "<TH WIDTH=15% BGCOLOR=CCCCCC ALIGN=CENTER>\r\n"
                                                    "<H2> Card Value</H2>\r\n"
                                                    "</TH>\r\n"
                                                    "</TR>\r\n";

} // namespace

RawCommands::RawCommands(const std::string& path) : db_(openRaw(path)) {
    setList_ = prepare("SELECT rowid, Desc, lower(Code) FROM Sets ORDER BY Code, rowid");
    setRow_ = prepare("SELECT Code, Desc, Cards, Value FROM Sets WHERE rowid = ?");
    setByCode_ = prepare("SELECT rowid FROM Sets WHERE Code = ?");
    for (int i = 0; i < 4; ++i)
        totals_[i] = prepare(TotalQueries[i]);
    cardList_ = prepare("SELECT rowid, Desc FROM Basics WHERE code = ? ORDER BY Code, Card_Num, rowid");
    cardRow_ = prepare("SELECT Code, Card_Num, Section, Desc, Value, length(Front), length(Back) FROM Basics "
                       "WHERE rowid = ?");
    cardSection_ = prepare("UPDATE Basics SET Section = ? WHERE rowid = ?");
    cardFind_ = prepare("SELECT rowid FROM Basics WHERE code = ? AND Desc LIKE ?");
    cardPictures_ = prepare("SELECT Front, Back FROM Basics WHERE rowid = ?");
    insertSet_ = prepare("INSERT INTO Sets (Code, Desc, Cards, Value) VALUES (?, ?, ?, ?)");
    insertCard_ = prepare("INSERT INTO Basics (Code, Card_Num, Desc, Value) VALUES (?, ?, ?, ?)");
    setValue_ = prepare("UPDATE Sets SET Value = ? WHERE rowid = ?");
    deleteSet_ = prepare("DELETE FROM Sets WHERE rowid = ?");
    reportRows_ =
        prepare("SELECT Card_Num, Section, Desc, Value FROM Basics WHERE Code = ? ORDER BY Card_Num");
    setDesc_ = prepare("UPDATE Sets SET Desc = ? WHERE rowid = ?");
    setFindDesc_ = prepare("SELECT rowid FROM Sets WHERE Desc = ? ORDER BY Code, rowid");
    cardDesc_ = prepare("UPDATE Basics SET Desc = ? WHERE rowid = ?");
    cardFindDesc_ =
        prepare("SELECT rowid FROM Basics WHERE Code = ? AND Desc = ? ORDER BY Code, Card_Num, rowid");
    readSets();
}

RawCommands::~RawCommands() {
    for (sqlite3_stmt* statement : statements_)
        sqlite3_finalize(statement);
    sqlite3_close(db_);
}

sqlite3_stmt* RawCommands::prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(db_));
    statements_.push_back(statement);
    return statement;
}

void RawCommands::readSets() {
    sets_.clear();
    descriptions_.clear();
    codes_.clear();
    eachRow(db_, setList_, [&](sqlite3_stmt* row) {
        sets_.push_back(sqlite3_column_int64(row, 0));
        descriptions_.push_back(textOf(row, 1));
        codes_.push_back(textOf(row, 2));
    });
}

// The set's fields, then its four totals.
void RawCommands::readSet(sqlite3_int64 rowid) {
    sqlite3_bind_int64(setRow_, 1, rowid);
    std::string code, desc;
    eachRow(db_, setRow_, [&](sqlite3_stmt* row) {
        code = textOf(row, 0);
        desc = textOf(row, 1);
    });
    for (sqlite3_stmt* total : totals_) {
        bindText(total, 1, code);
        runOnce(db_, total);
    }
}

void RawCommands::readCard(sqlite3_int64 rowid) {
    sqlite3_bind_int64(cardRow_, 1, rowid);
    std::string code, section, desc;
    eachRow(db_, cardRow_, [&](sqlite3_stmt* row) {
        code = textOf(row, 0);
        section = textOf(row, 2);
        desc = textOf(row, 3);
    });
}

void RawCommands::startUp(const std::string& path) {
    RawCommands fresh(path);
    fresh.readSet(fresh.sets_.back());
    fresh.readSet(fresh.sets_.front());
}

void RawCommands::showSet(long position) {
    readSet(sets_.at(static_cast<std::size_t>(position)));
}

void RawCommands::enterCards(const std::string& code) {
    code_ = code;
    cards_.clear();
    std::vector<std::string> descriptions;
    bindText(cardList_, 1, code);
    eachRow(db_, cardList_, [&](sqlite3_stmt* row) {
        cards_.push_back(sqlite3_column_int64(row, 0));
        descriptions.push_back(textOf(row, 1));
    });
    readCard(cards_.back());
    showCard(0);
}

void RawCommands::showCard(long position) {
    readCard(cards_.at(static_cast<std::size_t>(position)));
    decodePictures(position);
}

// `desc` stored into the row `rowid` by `update`, then the first row that `find` (`desc` bound at
// `descIndex`) answers; returns that row's position among `rows`.
long RawCommands::storeAndFindFirst(sqlite3_stmt* update, sqlite3_stmt* find, int descIndex,
                                    sqlite3_int64 rowid, const std::string& desc,
                                    const std::vector<sqlite3_int64>& rows) {
    bindText(update, 1, desc);
    sqlite3_bind_int64(update, 2, rowid);
    runOnce(db_, update);
    bindText(find, descIndex, desc);
    // Only the first row in the order: stepped alone, the query walks the order's index and stops there,
    // where with a LIMIT SQLite plans a scan of the whole table and a sort of its matches.
    const int code = sqlite3_step(find);
    const sqlite3_int64 found = code == SQLITE_ROW ? sqlite3_column_int64(find, 0) : 0;
    sqlite3_reset(find);
    if (code != SQLITE_ROW && code != SQLITE_DONE)
        throw std::runtime_error(sqlite3_errmsg(db_));
    return static_cast<long>(std::find(rows.begin(), rows.end(), found) - rows.begin());
}

long RawCommands::renameSetAndMoveOn(long position, const std::string& desc) {
    const auto at = static_cast<std::size_t>(position);
    const long next = storeAndFindFirst(setDesc_, setFindDesc_, 1, sets_.at(at), desc, sets_) + 1;
    descriptions_[at] = desc;
    showSet(next);
    return next;
}

long RawCommands::describeCardAndMoveOn(long position, const std::string& desc) {
    bindText(cardFindDesc_, 1, code_);
    const long next = storeAndFindFirst(cardDesc_, cardFindDesc_, 2,
                                        cards_.at(static_cast<std::size_t>(position)), desc, cards_) +
                      1;
    showCard(next);
    return next;
}

void RawCommands::storeSection(long position, const std::string& section) {
    const sqlite3_int64 rowid = cards_.at(static_cast<std::size_t>(position));
    bindText(cardSection_, 1, section);
    sqlite3_bind_int64(cardSection_, 2, rowid);
    runOnce(db_, cardSection_);
    readCard(rowid);
}

long RawCommands::firstCardWith(const std::string& text) {
    bindText(cardFind_, 1, code_);
    bindText(cardFind_, 2, "%" + text + "%");
    sqlite3_int64 found = 0;
    eachRow(db_, cardFind_, [&](sqlite3_stmt* row) { found = sqlite3_column_int64(row, 0); });
    return static_cast<long>(std::find(cards_.begin(), cards_.end(), found) - cards_.begin());
}

void RawCommands::findCard(const std::string& text) {
    showCard(firstCardWith(text));
}

void RawCommands::saveNewSet(const std::string& code, int cards) {
    execRaw(db_, "BEGIN IMMEDIATE");
    bindText(insertSet_, 1, code);
    bindText(insertSet_, 2, "New Set");
    sqlite3_bind_int(insertSet_, 3, cards);
    sqlite3_bind_int64(insertSet_, 4, 15000);
    runOnce(db_, insertSet_);
    const sqlite3_int64 rowid = sqlite3_last_insert_rowid(db_);
    std::string lowered = code;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto at = std::upper_bound(codes_.begin(), codes_.end(), lowered) - codes_.begin();
    codes_.insert(codes_.begin() + at, lowered);
    sets_.insert(sets_.begin() + at, rowid);
    descriptions_.insert(descriptions_.begin() + at, "New Set");
    readSet(rowid);
    for (int n = 1; n <= cards; ++n) {
        bindText(insertCard_, 1, code);
        sqlite3_bind_int(insertCard_, 2, n);
        bindText(insertCard_, 3, "Card " + std::to_string(n));
        sqlite3_bind_int64(insertCard_, 4, 15000);
        runOnce(db_, insertCard_);
    }
    sqlite3_bind_int64(setValue_, 1, 15000LL * cards);
    sqlite3_bind_int64(setValue_, 2, rowid);
    runOnce(db_, setValue_);
    execRaw(db_, "COMMIT");
    readSet(rowid);
}

void RawCommands::deleteSet(const std::string& code) {
    bindText(setByCode_, 1, code);
    sqlite3_int64 rowid = 0;
    eachRow(db_, setByCode_, [&](sqlite3_stmt* row) { rowid = sqlite3_column_int64(row, 0); });
    sqlite3_bind_int64(deleteSet_, 1, rowid);
    runOnce(db_, deleteSet_);
    const auto at = std::find(sets_.begin(), sets_.end(), rowid) - sets_.begin();
    sets_.erase(sets_.begin() + at);
    codes_.erase(codes_.begin() + at);
    descriptions_.erase(descriptions_.begin() + at);
    readSet(sets_.front());
}

void RawCommands::report(const std::string& code, const std::string& setName, const QString& file) {
    std::string html;
    html.reserve(2 << 20);
    appendLine(html, "<HTML>");
    appendLine(html, "<BODY BGCOLOUR=\"FFFFFF\">");
    appendLine(html, "<H1 align=center>");
    html += "Pellimo ~ Basic Set ~ ";
    html += markupText(setName);
    html += "\r\n";
    appendLine(html, "</H1>");
    appendLine(html,
               "<TABLE BGCOLOUR=\"00FFFF\" WIDTH=100% ALIGN=CENTRE BORDER CELLSPACING=5 CELLPADDING=10>");
    html += ReportColumnsAndHeader;
    std::int64_t total = 0;
    bindText(reportRows_, 1, code);
    eachRow(db_, reportRows_, [&](sqlite3_stmt* row) {
        appendLine(html, "<TR >");
        appendLine(html, "<TD ALIGN=CENTER> ");
        appendPrinted(html, row, 0);
        appendLine(html, "</TD>");
        appendLine(html, "<TD>");
        if (sqlite3_column_type(row, 1) == SQLITE_NULL)
            appendLine(html, "&nbsp");
        else
            appendPrinted(html, row, 1);
        appendLine(html, "</TD>");
        appendLine(html, "<TD>");
        appendPrinted(html, row, 2);
        appendLine(html, "</TD>");
        appendLine(html, "<TD ALIGN=RIGHT>");
        if (sqlite3_column_type(row, 3) != SQLITE_INTEGER)
            throw std::runtime_error("raw's report sums amounts alone");
        const std::int64_t value = sqlite3_column_int64(row, 3);
        if (__builtin_add_overflow(total, value, &total))
            throw std::runtime_error("the report's total overflows");
        appendCurrency(html, value);
        appendLine(html, "</TD>");
        appendLine(html, "</TR>");
    });
    appendLine(html, "<TR >");
    appendLine(html, "<TD COLSPAN=3>Total Value of Basic Cards");
    appendLine(html, "<TD ALIGN=RIGHT>");
    appendCurrency(html, total);
    appendLine(html, "</TD>");
    appendLine(html, "</TABLE></BODY></HTML>");
    // Replaced as the program replaces it: a file beside it, synced, then renamed over it.
    QSaveFile out(file);
    const auto size = static_cast<qint64>(html.size());
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || out.write(html.data(), size) != size ||
        !out.commit())
        throw std::runtime_error("cannot write the report");
}

// Each picture passes through picture.tmp, written without a sync and removed, as the program shows every
// stored picture.
void RawCommands::decodePictures(long position) {
    const QString path = pictureFolder_.filePath(QStringLiteral("picture.tmp"));
    sqlite3_bind_int64(cardPictures_, 1, cards_.at(static_cast<std::size_t>(position)));
    eachRow(db_, cardPictures_, [&](sqlite3_stmt* row) {
        for (int column : {0, 1}) {
            if (sqlite3_column_type(row, column) == SQLITE_NULL)
                continue;
            QFile file(path);
            const qint64 size = sqlite3_column_bytes(row, column);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
                file.write(static_cast<const char*>(sqlite3_column_blob(row, column)), size) != size)
                throw std::runtime_error("picture.tmp could not be written");
            file.close();
            QImageReader reader(path);
            reader.setScaledSize(reader.size().scaled(pictureBox_, Qt::KeepAspectRatio));
            const bool decoded = !reader.read().isNull();
            QFile::remove(path);
            if (!decoded)
                throw std::runtime_error("a picture could not be decoded");
        }
    });
}

} // namespace pellimo
