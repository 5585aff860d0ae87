#include "data_source.h"

#include "box_text.h"
#include "engine_error.h"
#include "formats.h"
#include "skipped_failures.h"

#include <QLineEdit>

namespace pellimo {

namespace {

QString boxText(const Value& value) {
    switch (value.type()) {
    case Value::Type::Money:
        return moneyToPlainText(value.asMoney());
    case Value::Type::Null:
        return {};
    default:
        return QString::fromStdString(value.toString());
    }
}

[[noreturn]] void notConvertible(const FieldInfo& field, const QString& text, const char* kind) {
    throw EngineError(err::ConversionError, "The field '" + field.name + "' holds " + kind + "; '" +
                                                text.toStdString() + "' is not one.");
}

// The value a box's text stores in its field.
Value fieldValueOf(const FieldInfo& field, const QString& text) {
    if (text.isEmpty())
        return Value();
    switch (field.kind) {
    case FieldKind::Integer: {
        std::optional<std::int16_t> number = parseWholeNumberText(text);
        if (!number)
            notConvertible(field, text, "a whole number from -32768 to 32767");
        return Value(std::int64_t{*number});
    }
    case FieldKind::Money: {
        std::optional<Money> amount = parseMoneyText(text);
        if (!amount)
            notConvertible(field, text, "an amount of money");
        return Value(*amount);
    }
    case FieldKind::Text:
    case FieldKind::Binary:
        break;
    }
    return Value(text.toStdString());
}

} // namespace

DataSource::DataSource(QString name, QObject* parent) : QObject(parent), name_(std::move(name)) {
    setObjectName(name_);
}

DataSource::~DataSource() {
    if (recordset_)
        recordset_->setObserver(nullptr);
}

void DataSource::Refresh() {
    if (recordset_)
        leavingRecord(*recordset_);
    const bool reopened = !database_.isOpen() || openedName_ != databaseName_;
    if (reopened) {
        database_ = OpenDatabase(databaseName_);
        openedName_ = databaseName_;
    }
    if (recordset_ && !reopened && openedType_ == recordsetType_ && openedSource_ == recordSource_) {
        // Listeners that read every row do so before the first record is shown, in the pass that reads
        // the keys.
        emit refreshed(recordset_->Requery());
        recordShown(*recordset_);
        return;
    }
    std::unique_ptr<pellimo::Recordset> fresh = database_.OpenRecordset(recordSource_, recordsetType_);
    if (recordset_)
        recordset_->setObserver(nullptr);
    recordset_ = std::move(fresh);
    recordset_->setObserver(this);
    openedSource_ = recordSource_;
    openedType_ = recordsetType_;
    emit refreshed(RequeryChanges{});
    recordShown(*recordset_);
}

pellimo::Recordset& DataSource::Recordset() {
    if (!recordset_)
        throw EngineError(err::NoCurrentRecord,
                          "The data source " + name_.toStdString() + " holds no records yet.");
    return *recordset_;
}

void DataSource::bind(QLineEdit* box, std::string field) {
    bindings_.push_back({box, std::move(field), box->text()});
}

void DataSource::storeEdits() {
    if (recordset_)
        leavingRecord(*recordset_);
}

void DataSource::Close() {
    if (!recordset_)
        return;
    leavingRecord(*recordset_);
    recordset_->setObserver(nullptr);
    recordset_.reset();
    database_.Close();
}

bool DataSource::boxesEdited() const {
    for (const Binding& binding : bindings_)
        if (binding.box->text() != binding.shown)
            return true;
    return false;
}

void DataSource::leavingRecord(pellimo::Recordset& recordset) {
    if (recordset.EditMode() == dbEditInProgress && boxesEdited())
        recordset.Update();
}

void DataSource::recordShown(pellimo::Recordset& recordset) {
    for (Binding& binding : bindings_) {
        QString text;
        try {
            text = boxText(recordset.Fields(binding.field).value());
        } catch (const EngineError& failure) {
            // No current record (an empty record set, or one just deleted), or no such field: the box
            // shows nothing.
            logSkippedFailure(failure);
        }
        showText(*binding.box, text);
        binding.shown = text;
    }
    emit currentChanged();
}

void DataSource::preparingUpdate(pellimo::Recordset& recordset) {
    for (const Binding& binding : bindings_) {
        QString text = binding.box->text();
        Field field = recordset.Fields(binding.field);
        // A box put back to what was read also takes back what an earlier, refused store set. A box that
        // shows the value read in another form ("$1.00" for 1) is set to it, which the store finds unchanged.
        if (text == binding.shown)
            field.revert();
        else
            field.setValue(fieldValueOf(field.info(), text));
    }
}

void DataSource::recordStored(pellimo::Recordset&, BookmarkId key, bool written) {
    // What the boxes hold is now what the record holds.
    for (Binding& binding : bindings_)
        binding.shown = binding.box->text();
    if (written)
        emit recordWritten(key);
}

void DataSource::recordDeleted(pellimo::Recordset&, BookmarkId key) {
    emit recordRemoved(key);
}

} // namespace pellimo
