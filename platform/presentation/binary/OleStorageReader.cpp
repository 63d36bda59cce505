#include "binary/OleStorageReader.h"
#include "office/package/PackageKind.h"

#include <zlib.h>

#include <algorithm>

#include "binary/PowerPointFile.h"

namespace ppt::binary {
namespace {

constexpr std::uint32_t kMaxStorageSize = 256u << 20;  // inflated
constexpr const char* kOleObjectType = "application/vnd.openxmlformats-officedocument.oleObject";

std::string inflated(const Record& storage)
{
    if (storage.instance != 1) return std::string(storage.body);  // kept as it is
    ByteReader in = storage.reader();
    const std::uint32_t size = in.u32();
    if (size > kMaxStorageSize) throw FormatError(storage.name() + " holds an object of " + std::to_string(size) + " bytes");
    const std::string_view packed = in.take(in.remaining());
    std::string out(size, '\0');
    uLongf outSize = size;
    if (uncompress(reinterpret_cast<Bytef*>(out.data()), &outSize, reinterpret_cast<const Bytef*>(packed.data()),
                   static_cast<uLong>(packed.size())) != Z_OK || outSize != size)
        throw FormatError(storage.name() + " holds a damaged compressed object");
    return out;
}

// "\1Ole10Native": the size, a label, the file's path, a temporary path and the data.
std::string nativeData(const std::string& stream)
{
    ByteReader in(stream, "an embedded file");
    in.skip(4 + 2);  // size, flags
    auto ansi = [&in] {
        while (in.u8() != 0) {
        }
    };
    ansi();  // label
    ansi();  // file path
    in.skip(4);  // flags, type
    in.skip(in.u32());  // temporary path
    return std::string(in.take(in.u32()));
}

std::u16string utf16(std::string_view bytes)
{
    ByteReader in(bytes);
    std::u16string text;
    while (in.remaining() >= 2) text += static_cast<char16_t>(in.u16());
    return text;
}

// The path a file moniker names: in full where it has it, else in ANSI.
std::u16string monikerPath(std::string_view moniker)
{
    static constexpr std::string_view kFileMoniker("\x03\x03\0\0\0\0\0\0\xC0\0\0\0\0\0\0\x46", 16);
    ByteReader in(moniker, "a link's moniker");
    if (in.take(16) != kFileMoniker) throw FormatError("a linked object names something other than a file");
    in.skip(2);  // parent folders
    const std::string_view ansi = in.take(in.u32());
    in.skip(2 + 2 + 16 + 4);
    if (in.remaining() >= 4 && in.u32() > 6) {
        const std::uint32_t size = in.u32();
        in.skip(2);
        return utf16(in.take(size));
    }
    return std::u16string(ansi.begin(), std::find(ansi.begin(), ansi.end(), '\0'));
}

}  // namespace

std::u16string linkedFile(const Record& storage)
{
    const std::string bytes = inflated(storage);
    const auto stream = office::isCompoundFile(bytes) ? compoundStream(bytes, "\x01Ole") : std::nullopt;
    if (!stream) throw FormatError(storage.name() + " holds no link");
    ByteReader in(*stream, "a link");
    in.skip(4);
    if (!(in.u32() & 1)) throw FormatError(storage.name() + " holds no link");
    in.skip(8);
    in.skip(in.u32());  // reserved moniker
    in.skip(in.u32());  // relative moniker
    return monikerPath(in.take(in.u32()));
}

EmbeddedFile embeddedFile(const Record& storage, const std::string& progId)
{
    std::string bytes = inflated(storage);
    if (!office::isCompoundFile(bytes)) throw FormatError(storage.name() + " holds no OLE storage");
    const bool word = progId.starts_with("Word.Document.12"), show = progId.starts_with("PowerPoint.Show.12");
    if (word || show)
        if (auto package = compoundStream(bytes, "Package"))
            return {std::move(*package), word ? "application/vnd.openxmlformats-officedocument.wordprocessingml.document"
                                              : "application/vnd.openxmlformats-officedocument.presentationml.presentation"};
    if (auto native = compoundStream(bytes, "\x01Ole10Native")) return {nativeData(*native), kOleObjectType};
    return {std::move(bytes), kOleObjectType};  // the document is the storage
}

}  // namespace ppt::binary
