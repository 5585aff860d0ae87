#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace pellimo {

// The work of each command of the main window done with raw sqlite3 calls on one open connection with
// statements prepared once: the same columns read, the same durable writes, the same pictures decoded. The
// measure the program is held to.
class RawCommands {
public:
    explicit RawCommands(const std::string& path);
    ~RawCommands();
    RawCommands(const RawCommands&) = delete;
    RawCommands& operator=(const RawCommands&) = delete;

    // A connection of its own, the sets' keys and descriptions, the last and the first set, its totals.
    static void startUp(const std::string& path);
    // The set at `position` of the sets' order and its totals.
    void showSet(long position);
    // The cards of `code`: their keys and descriptions, the last and the first card.
    void enterCards(const std::string& code);
    // The card at `position` of the set entered, with its pictures' sizes.
    void showCard(long position);
    // The section of the card at `position` stored durably, and the card read back.
    void storeSection(long position, const std::string& section);
    // The first card of the set entered whose description contains `text`, shown.
    void findCard(const std::string& text);
    // A set of `cards` cards stored, the sets read again and the set found, its cards made in one
    // transaction, its value stored and its totals read.
    void saveNewSet(const std::string& code, int cards);
    // The set deleted with its cards, the sets read again, the first shown with its totals.
    void deleteSet(const std::string& code);
    // The basic cards report's query, and `bytes` written to `file`.
    void report(const std::string& code, const QString& file, const QByteArray& bytes);
    // The front and back of the card at `position` decoded from memory, each scaled to fit `box`.
    void decodePictures(long position, QSize box);

private:
    sqlite3_stmt* prepare(const char* sql);
    void readSets();
    void readSet(sqlite3_int64 rowid);
    void readCard(sqlite3_int64 rowid);

    sqlite3* db_ = nullptr;
    std::vector<sqlite3_stmt*> statements_;
    sqlite3_stmt* setList_;
    sqlite3_stmt* setRow_;
    sqlite3_stmt* setByCode_;
    sqlite3_stmt* totals_[4];
    sqlite3_stmt* cardList_;
    sqlite3_stmt* cardRow_;
    sqlite3_stmt* cardSection_;
    sqlite3_stmt* cardFind_;
    sqlite3_stmt* cardPictures_;
    sqlite3_stmt* insertSet_;
    sqlite3_stmt* insertCard_;
    sqlite3_stmt* setValue_;
    sqlite3_stmt* deleteSet_;
    sqlite3_stmt* reportRows_;
    std::vector<sqlite3_int64> sets_;
    std::vector<sqlite3_int64> cards_;
    std::vector<std::string> descriptions_;
    std::string code_;
};

} // namespace pellimo
