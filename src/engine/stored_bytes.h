#pragma once

#include "binary_reader.h"
#include "connection.h"
#include "record_source.h"

#include <memory>
#include <string>

namespace pellimo {

// The bytes the row `rowid` holds in `column`, read from the catalogue a piece at a time; nullptr when there
// are none to read that way: the row is gone, or its value is Null or not binary.
std::unique_ptr<BinaryReader> openStoredBytes(std::shared_ptr<const Connection> connection,
                                              const std::string& table, const std::string& column,
                                              BookmarkId rowid);

// Writes `bytes`, a piece at a time, into the value of as many zero bytes that the row's column was just
// given, so that a large picture is not copied whole once more on its way to the file.
void writeStoredBytes(const Connection& connection, const std::string& table, const std::string& column,
                      BookmarkId rowid, const Bytes& bytes);

} // namespace pellimo
