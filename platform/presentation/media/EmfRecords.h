// Enhanced metafile record types and constants used by the reader and the
// writer of this library.
#pragma once

#include <cstdint>

namespace pptmedia::emf {

enum RecordType : std::uint32_t {
    EMR_HEADER = 1,
    EMR_POLYLINE16 = 87,
    EMR_EOF = 14,
    EMR_SETWINDOWEXTEX = 9,
    EMR_SETWINDOWORGEX = 10,
    EMR_SETVIEWPORTEXTEX = 11,
    EMR_SETVIEWPORTORGEX = 12,
    EMR_SETMAPMODE = 17,
    EMR_SETBKMODE = 18,
    EMR_SETTEXTALIGN = 22,
    EMR_SETTEXTCOLOR = 24,
    EMR_MOVETOEX = 27,
    EMR_SAVEDC = 33,
    EMR_RESTOREDC = 34,
    EMR_SELECTOBJECT = 37,
    EMR_CREATEPEN = 38,
    EMR_CREATEBRUSHINDIRECT = 39,
    EMR_DELETEOBJECT = 40,
    EMR_RECTANGLE = 43,
    EMR_LINETO = 54,
    EMR_EXTCREATEFONTINDIRECTW = 82,
    EMR_EXTTEXTOUTW = 84,
    EMR_STRETCHDIBITS = 81,
};

inline constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
inline constexpr std::uint32_t kVersion = 0x00010000;
inline constexpr std::uint32_t kHeaderSize = 108;  // with both header extensions

inline constexpr std::uint32_t MM_TEXT = 1;
inline constexpr std::uint32_t MM_ANISOTROPIC = 8;
inline constexpr std::uint32_t TRANSPARENT = 1;
inline constexpr std::uint32_t TA_BASELINE = 24;
inline constexpr std::uint32_t PS_SOLID = 0;
inline constexpr std::uint32_t PS_NULL = 5;
inline constexpr std::uint32_t BS_SOLID = 0;
inline constexpr std::uint32_t BS_NULL = 1;
inline constexpr std::uint32_t GM_COMPATIBLE = 1;
inline constexpr std::uint32_t DEFAULT_CHARSET = 1;
inline constexpr std::uint32_t FW_NORMAL = 400;
inline constexpr std::uint32_t FW_BOLD = 700;

}  // namespace pptmedia::emf
