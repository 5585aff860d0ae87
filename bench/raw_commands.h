#pragma once

#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace pellimo {

// The work of each command of the main window done with raw sqlite3 calls on one open connection with
// statements prepared once: the same columns read, the same durable writes, the same pictures decoded through
// the same temporary file. The measure the program is held to.
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
    // The cards of `code`: their keys and descriptions, the last card, and the first shown.
    void enterCards(const std::string& code);
    // The card at `position` of the set entered, with its pictures' sizes, its pictures decoded to fit
    // `pictureBox`.
    void showCard(long position);
    // The set at `position` renamed durably, the first set of that name in the sets' order found again and
    // the set after it shown; returns the position shown.
    long renameSetAndMoveOn(long position, const std::string& desc);
    // The description of the card at `position` stored durably, the first card of that description in the
    // cards' order found again and the card after it shown; returns the position shown.
    long describeCardAndMoveOn(long position, const std::string& desc);
    // The section of the card at `position` stored durably, and the card read back.
    void storeSection(long position, const std::string& section);
    // The position of the first card of the set entered whose description contains `text`.
    long firstCardWith(const std::string& text);
    // That card shown with its pictures.
    void findCard(const std::string& text);
    // In one transaction, a set of `cards` cards stored and placed among the sets by its code, shown with
    // its totals, its cards made and its value stored; then its totals read.
    void saveNewSet(const std::string& code, int cards);
    // The set deleted with its cards and taken out of the sets held, the first shown with its totals.
    void deleteSet(const std::string& code);
    // The basic cards report of the set `code` named `setName`: its query's rows made into the report's
    // HTML (amounts in the en_US currency form), written to `file` and synced to the disk before it
    // replaces the file.
    void report(const std::string& code, const std::string& setName, const QString& file);
    // The front and back of the card at `position`, each written to picture.tmp, decoded from it scaled to
    // fit `box`, and the file removed.
    void decodePictures(long position);
    // The size a card's pictures are decoded to.
    void setPictureBox(QSize box) { pictureBox_ = box; }

private:
    sqlite3_stmt* prepare(const char* sql);
    void readSets();
    void readSet(sqlite3_int64 rowid);
    void readCard(sqlite3_int64 rowid);
    long storeAndFindFirst(sqlite3_stmt* update, sqlite3_stmt* find, int descIndex, sqlite3_int64 rowid,
                           const std::string& desc, const std::vector<sqlite3_int64>& rows);

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
    sqlite3_stmt* setDesc_;
    sqlite3_stmt* setFindDesc_;
    sqlite3_stmt* cardDesc_;
    sqlite3_stmt* cardFindDesc_;
    QSize pictureBox_;
    QTemporaryDir pictureFolder_;
    std::vector<sqlite3_int64> sets_;
    std::vector<std::string> codes_; // in lower case, as the sets' order compares them
    std::vector<sqlite3_int64> cards_;
    std::vector<std::string> descriptions_;
    std::string code_;
};

} // namespace pellimo
