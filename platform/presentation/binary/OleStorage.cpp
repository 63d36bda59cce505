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

}  // namespace

std::string oleStorageRecord(const MediaItem& item, const std::u16string& progId)
{
    const ObjectClass& cls = progId.starts_with(u"Word.") ? kWord : progId.starts_with(u"PowerPoint.") ? kShow : kPackage;
    const std::string comp = compObj(cls);
    std::string storage;
    const std::string_view clsid(reinterpret_cast<const char*>(cls.clsid), 16);
    if (office::isCompoundFile(item.bytes)) {
        storage = item.bytes;  // a 97-2003 document is the storage itself
    } else if (&cls == &kPackage) {
        const std::string native = ole10Native(item);
        storage = buildCompoundFile({{"\x01" "CompObj", comp}, {"\x01" "Ole10Native", native}}, clsid);
    } else {
        storage = buildCompoundFile({{"\x01" "CompObj", comp}, {"Package", item.bytes}}, clsid);
    }
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

}  // namespace ppt::binary
