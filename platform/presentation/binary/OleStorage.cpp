#include "binary/OleStorage.h"
#include "office/package/PackageKind.h"

#include <zlib.h>

#include <stdexcept>

#include "binary/CompoundFile.h"
#include "binary/RecordStream.h"
#include "binary/RecordTypes.h"

namespace ppt::binary {
namespace {

struct ObjectClass {
    const char* progId;
    const char* userType;
    unsigned char clsid[16];
};

// Class ids as stored (the first three fields little-endian).
constexpr ObjectClass kWord{"Word.Document.12", "Microsoft Word Document",
                            {0x9B, 0x4C, 0x75, 0xF4, 0xF5, 0x64, 0x40, 0x4B, 0x8A, 0xF4, 0x67, 0x97, 0x32, 0xAC, 0x06, 0x07}};
constexpr ObjectClass kShow{"PowerPoint.Show.12", "Microsoft PowerPoint Presentation",
                            {0xF4, 0x55, 0x4F, 0xCF, 0x87, 0x8F, 0x47, 0x4D, 0x80, 0xBB, 0x58, 0x08, 0x16, 0x4B, 0xB3, 0xF8}};
constexpr unsigned char kFileMonikerClass[16] = {0x03, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr ObjectClass kPackage{"Package", "Package",
                               {0x0C, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

void ansi(RecordStream& out, const std::string& text)
{
    out.u32(static_cast<std::uint32_t>(text.size() + 1));
    out.raw(text);
    out.u8(0);
}

std::string compObj(const ObjectClass& cls)
{
    RecordStream out;
    out.u32(0xFFFE0001);
    out.u32(0x00000A03);
    out.u32(0xFFFFFFFF);
    out.raw(std::string_view(reinterpret_cast<const char*>(cls.clsid), 16));
    ansi(out, cls.userType);
    out.u32(0);  // no clipboard format
    ansi(out, cls.progId);
    out.u32(0x71B239F4);  // the Unicode part: empty
    out.u32(0);
    out.u32(0);
    out.u32(0);
    return out.take();
}

std::string ole10Native(const MediaItem& item)
{
    const std::string name = "object." + item.extension;
    RecordStream body;
    body.u16(2);
    body.raw(name);
    body.u8(0);
    body.raw(name);
    body.u8(0);
    body.u16(0);
    body.u16(3);  // embedded file
    body.u32(static_cast<std::uint32_t>(name.size() + 1));
    body.raw(name);
    body.u8(0);
    body.u32(static_cast<std::uint32_t>(item.bytes.size()));
    body.raw(item.bytes);
    RecordStream out;
    out.u32(static_cast<std::uint32_t>(body.size()));
    out.raw(body.bytes());
    return out.take();
}

// A file moniker: the path in ANSI (what is not ASCII as '?') and in full.
std::string fileMoniker(std::u16string_view path)
{
    RecordStream out;
    out.raw(std::string_view(reinterpret_cast<const char*>(kFileMonikerClass), sizeof kFileMonikerClass));
    out.u16(0);  // no "..\" at the start
    out.u32(static_cast<std::uint32_t>(path.size() + 1));
    for (char16_t c : path) out.u8(c < 0x80 ? static_cast<std::uint8_t>(c) : '?');
    out.u8(0);
    out.u16(0xFFFF);  // not a network path
    out.u16(0xDEAD);
    out.zeros(16 + 4);
    out.u32(static_cast<std::uint32_t>(4 + 2 + 2 * path.size()));
    out.u32(static_cast<std::uint32_t>(2 * path.size()));
    out.u16(3);
    out.utf16(path);
    return out.take();
}

// "\1Ole" of a linked object: kept up to date from the file the moniker names.
std::string linkStream(std::u16string_view path, std::string_view clsid)
{
    const std::string moniker = fileMoniker(path);
    RecordStream out;
    out.u32(0x02000001);
    out.u32(1);  // linked
    out.u32(1);  // updated always
    out.zeros(4 + 4 + 4);  // no reserved or relative moniker
    out.u32(static_cast<std::uint32_t>(moniker.size()));
    out.raw(moniker);
    out.u32(0xFFFFFFFF);
    out.raw(clsid);
    out.zeros(4 + 4 + 3 * 8);  // no display name, no update times
    return out.take();
}

const ObjectClass& classOf(const std::u16string& progId)
{
    return progId.starts_with(u"Word.") ? kWord : progId.starts_with(u"PowerPoint.") ? kShow : kPackage;
}

std::string_view classId(const ObjectClass& cls) { return {reinterpret_cast<const char*>(cls.clsid), 16}; }

std::string storageRecord(const std::string& storage)
{
    uLongf packedSize = compressBound(static_cast<uLong>(storage.size()));
    std::string packed(packedSize, '\0');
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, reinterpret_cast<const Bytef*>(storage.data()),
                  static_cast<uLong>(storage.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("an embedded object could not be compressed");
    packed.resize(packedSize);
    RecordStream out;
    {
        auto record = out.atom(rt::ExOleObjStg, 1);  // compressed
        out.u32(static_cast<std::uint32_t>(storage.size()));
        out.raw(packed);
    }
    return out.take();
}

}  // namespace

std::string oleStorageRecord(const MediaItem& item, const std::u16string& progId)
{
    const ObjectClass& cls = classOf(progId);
    const std::string comp = compObj(cls);
    if (office::isCompoundFile(item.bytes)) return storageRecord(item.bytes);  // a 97-2003 document is the storage itself
    if (&cls == &kPackage)
        return storageRecord(buildCompoundFile({{"\x01" "CompObj", comp}, {"\x01" "Ole10Native", ole10Native(item)}}, classId(cls)));
    return storageRecord(buildCompoundFile({{"\x01" "CompObj", comp}, {"Package", item.bytes}}, classId(cls)));
}

std::string oleLinkStorageRecord(const std::u16string& path, const std::u16string& progId)
{
    const ObjectClass& cls = classOf(progId);
    return storageRecord(buildCompoundFile({{"\x01" "CompObj", compObj(cls)}, {"\x01" "Ole", linkStream(path, classId(cls))}}, classId(cls)));
}

}  // namespace ppt::binary
