#include "stored_bytes.h"

#include <algorithm>

namespace pellimo {

namespace {

// Opens the value into `blob`, which stays empty when SQLite refuses; returns SQLite's code.
int openBlob(const Connection& connection, const std::string& table, const std::string& column,
             BookmarkId rowid, bool writable, BlobHandle& blob) {
    sqlite3_blob* raw = nullptr;
    const int code = sqlite3_blob_open(connection.handle(), "main", table.c_str(), column.c_str(), rowid,
                                       writable ? 1 : 0, &raw);
    connection.endWait();
    blob.reset(raw); // none on a failure
    return code;
}

class StoredBytesReader final : public BinaryReader {
public:
    StoredBytesReader(std::shared_ptr<const Connection> connection, BlobHandle blob)
        : connection_(std::move(connection)), blob_(std::move(blob)), size_(sqlite3_blob_bytes(blob_.get())) {
    }

    std::int64_t size() const override { return size_; }

    std::size_t read(unsigned char* buffer, std::size_t capacity) override {
        const auto count =
            static_cast<int>(std::min<std::int64_t>(static_cast<std::int64_t>(capacity), size_ - offset_));
        if (count <= 0)
            return 0;
        if (const int code = sqlite3_blob_read(blob_.get(), buffer, count, offset_); code != SQLITE_OK)
            connection_->fail(code);
        offset_ += count;
        return static_cast<std::size_t>(count);
    }

private:
    std::shared_ptr<const Connection> connection_;
    BlobHandle blob_;
    std::int64_t size_;
    int offset_ = 0; // SQLite keeps a value below 2 GB
};

} // namespace

std::unique_ptr<BinaryReader> openStoredBytes(std::shared_ptr<const Connection> connection,
                                              const std::string& table, const std::string& column,
                                              BookmarkId rowid) {
    BlobHandle blob;
    if (openBlob(*connection, table, column, rowid, false, blob) != SQLITE_OK)
        return nullptr;
    return std::make_unique<StoredBytesReader>(std::move(connection), std::move(blob));
}

void writeStoredBytes(const Connection& connection, const std::string& table, const std::string& column,
                      BookmarkId rowid, const Bytes& bytes) {
    BlobHandle blob;
    if (const int code = openBlob(connection, table, column, rowid, true, blob); code != SQLITE_OK)
        connection.fail(code);
    for (std::size_t offset = 0; offset < bytes.size(); offset += BinaryPiece) {
        const std::size_t count = std::min(BinaryPiece, bytes.size() - offset);
        const int code = sqlite3_blob_write(blob.get(), bytes.data() + offset, static_cast<int>(count),
                                            static_cast<int>(offset));
        if (code != SQLITE_OK)
            connection.fail(code);
    }
}

} // namespace pellimo
