#include "binary/PersistDirectory.h"

#include <unordered_set>

#include "binary/RecordTypes.h"

namespace ppt::binary {
namespace {

constexpr std::uint32_t kPlainToken = 0xE391C05F, kEncryptedToken = 0xF3D1C4DF;
// Far more edits and persist objects than any real file holds.
constexpr std::size_t kMaxEdits = 4096;
constexpr std::size_t kMaxPersistObjects = 1u << 20;

std::size_t lastEditOffset(std::string_view currentUser)
{
    const Record atom = recordAt(currentUser, 0);
    if (atom.type != rt::CurrentUserAtom) throw FormatError("the Current User stream holds no current user record");
    ByteReader in = atom.reader();
    in.skip(4);  // size
    const std::uint32_t token = in.u32();
    if (token == kEncryptedToken) throw FormatError("it is encrypted (password protected)");
    if (token != kPlainToken) throw FormatError("the Current User stream has an unknown header token");
    return in.u32();
}

}  // namespace

PersistDirectory::PersistDirectory(std::string_view document, std::string_view currentUser) : document_(document)
{
    std::size_t offset = lastEditOffset(currentUser);
    std::unordered_set<std::size_t> seen;
    for (bool newest = true;; newest = false) {
        if (!seen.insert(offset).second) throw FormatError("the chain of edits loops back to offset " + std::to_string(offset));
        if (seen.size() > kMaxEdits) throw FormatError("the chain of edits is longer than " + std::to_string(kMaxEdits));
        std::size_t previous = 0;
        readEdit(offset, previous, newest);
        if (previous == 0) break;
        offset = previous;
    }
}

void PersistDirectory::readEdit(std::size_t offset, std::size_t& previous, bool newest)
{
    const Record edit = recordAt(document_, offset);
    if (edit.type != rt::UserEditAtom) throw FormatError("no edit record at offset " + std::to_string(offset));
    ByteReader in = edit.reader();
    in.skip(8);  // last slide viewed, version
    previous = in.u32();
    const std::uint32_t directory = in.u32();
    const std::uint32_t documentId = in.u32();
    in.skip(8);  // persist id seed, last view
    if (in.remaining() >= 4) throw FormatError("it is encrypted (password protected)");
    if (newest) documentId_ = documentId;
    readDirectory(directory);
}

void PersistDirectory::readDirectory(std::size_t offset)
{
    const Record atom = recordAt(document_, offset);
    if (atom.type != rt::PersistDirectoryAtom) throw FormatError("no persist directory at offset " + std::to_string(offset));
    ByteReader in = atom.reader();
    while (in.remaining()) {
        const std::uint32_t entry = in.u32();
        const std::uint32_t first = entry & 0xFFFFF, count = entry >> 20;
        if (offsets_.size() + count > kMaxPersistObjects) throw FormatError(atom.name() + " lists too many persist objects");
        for (std::uint32_t i = 0; i < count; ++i) offsets_.emplace(first + i, in.u32());  // an older edit never overrides
    }
}

Record PersistDirectory::object(std::uint32_t persistId) const
{
    const auto it = offsets_.find(persistId);
    if (it == offsets_.end()) throw FormatError("persist object " + std::to_string(persistId) + " is not in the persist directory");
    return recordAt(document_, it->second);
}

}  // namespace ppt::binary
