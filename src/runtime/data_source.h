#pragma once

#include "database.h"
#include "recordset.h"

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

class QLineEdit;

namespace pellimo {

// The window's "data control": a record set over a catalogue file plus the line edits bound to its fields.
// The boxes follow every change of current record. Edits typed into the boxes of a record in edit mode are
// stored before the current record changes (a move, AddNew, Refresh, a bookmark jump, a find that lands
// elsewhere, Close); when that store is refused, the record does not change and the failure goes to the
// caller. A pending addition is stored only by Update; a record whose boxes still show what was read is
// not written at all.
class DataSource : public QObject, private RecordsetObserver {
    Q_OBJECT
public:
    explicit DataSource(QString name, QObject* parent = nullptr);
    ~DataSource() override;

    void setDatabaseName(std::string path) { databaseName_ = std::move(path); }
    const std::string& DatabaseName() const { return databaseName_; }
    // Takes effect at the next Refresh.
    void setRecordSource(pellimo::RecordSource source) { recordSource_ = std::move(source); }
    const pellimo::RecordSource& RecordSource() const { return recordSource_; }
    // Takes effect at the next Refresh.
    void setRecordsetType(pellimo::RecordsetType type) { recordsetType_ = type; }

    // Runs the record source again; the first record, if any, becomes current with nothing pending. When
    // only this data source wrote since its rows were read, only the rows it wrote are read again.
    void Refresh();
    // The record set of the last Refresh; fails when there is none yet.
    pellimo::Recordset& Recordset();
    bool hasRecordset() const { return recordset_ != nullptr; }
    // The connection of the last Refresh, for writes that must share its transactions.
    Database database() const { return database_; }

    // The box shows `field` of the current record; Update stores the box's text into it.
    void bind(QLineEdit* box, std::string field);

    // Stores the boxes' edits (the rule above) without leaving the record.
    void storeEdits();
    // Stores the boxes' edits (the rule above) and closes the record set and the connection.
    void Close();

signals:
    // The record source ran again: every row may have changed, or only those `changes` names.
    void refreshed(const pellimo::RequeryChanges& changes);
    // A record was changed or added through this data source (an added one follows the others).
    void recordWritten(pellimo::BookmarkId bookmark);
    // A record was deleted through this data source.
    void recordRemoved(pellimo::BookmarkId bookmark);
    // Another record became current, or a new record began.
    void currentChanged();

private:
    struct Binding {
        QLineEdit* box;
        std::string field;
        QString shown; // the text written into the box when the record was shown
    };

    void leavingRecord(pellimo::Recordset& recordset) override;
    void recordShown(pellimo::Recordset& recordset) override;
    void preparingUpdate(pellimo::Recordset& recordset) override;
    void recordStored(pellimo::Recordset& recordset, BookmarkId key, bool written) override;
    void recordDeleted(pellimo::Recordset& recordset, BookmarkId key) override;
    bool boxesEdited() const;

    QString name_;
    std::string databaseName_;
    std::string openedName_;
    // What the record set was opened on: a Refresh on the same runs it again in place.
    pellimo::RecordSource openedSource_;
    pellimo::RecordsetType openedType_ = pellimo::RecordsetType::Dynaset;
    pellimo::RecordSource recordSource_;
    pellimo::RecordsetType recordsetType_ = pellimo::RecordsetType::Dynaset;
    Database database_;
    std::unique_ptr<pellimo::Recordset> recordset_;
    std::vector<Binding> bindings_;
};

} // namespace pellimo
