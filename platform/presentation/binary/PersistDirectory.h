// Where each persist object of a .ppt lies in its PowerPoint Document
// stream: the Current User stream names the last edit, each edit points to
// the one before and carries a directory of persist ids. Later edits win.
// The chain is followed with loop detection and limits, as a damaged or
// hostile file may point anywhere.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "binary/RecordReader.h"

namespace ppt::binary {

class PersistDirectory {
public:
    // Throws FormatError for an encrypted file, a broken chain or directory.
    PersistDirectory(std::string_view document, std::string_view currentUser);

    std::uint32_t documentPersistId() const { return documentId_; }
    // The record a persist id refers to; FormatError when unknown or out of the stream.
    Record object(std::uint32_t persistId) const;

private:
    void readEdit(std::size_t offset, std::size_t& previous, bool newest);
    void readDirectory(std::size_t offset);

    std::string_view document_;
    std::unordered_map<std::uint32_t, std::uint32_t> offsets_;
    std::uint32_t documentId_ = 0;
};

}  // namespace ppt::binary
