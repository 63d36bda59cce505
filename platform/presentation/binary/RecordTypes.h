// Record types of the PowerPoint Document stream and of OfficeArt drawings
// that this writer produces, and the units they count in.
#pragma once

#include <cstdint>

namespace ppt::binary {

namespace rt {
constexpr std::uint16_t Document = 0x03E8, DocumentAtom = 0x03E9, EndDocumentAtom = 0x03EA;
constexpr std::uint16_t Slide = 0x03EE, SlideAtom = 0x03EF, Notes = 0x03F0, NotesAtom = 0x03F1;
constexpr std::uint16_t Environment = 0x03F2, SlidePersistAtom = 0x03F3, MainMaster = 0x03F8;
constexpr std::uint16_t ExObjList = 0x0409, ExObjListAtom = 0x040A, DrawingGroup = 0x040B, Drawing = 0x040C;
constexpr std::uint16_t FontCollection = 0x07D5, ColorSchemeAtom = 0x07F0;
constexpr std::uint16_t ExObjRefAtom = 0x0BC1, PlaceholderAtom = 0x0BC3;
constexpr std::uint16_t TextHeaderAtom = 0x0F9F, TextCharsAtom = 0x0FA0, StyleTextPropAtom = 0x0FA1;
constexpr std::uint16_t TextMasterStyleAtom = 0x0FA3, TextCFExceptionAtom = 0x0FA4, TextPFExceptionAtom = 0x0FA5;
constexpr std::uint16_t TextRulerAtom = 0x0FA6, TextBytesAtom = 0x0FA8, TextSIExceptionAtom = 0x0FA9;
constexpr std::uint16_t FontEntityAtom = 0x0FB7, CString = 0x0FBA;
constexpr std::uint16_t ExOleObjAtom = 0x0FC3, ExOleEmbed = 0x0FCC, ExOleEmbedAtom = 0x0FCD, ExOleLink = 0x0FCE;
constexpr std::uint16_t ExOleLinkAtom = 0x0FD1;
constexpr std::uint16_t ExHyperlinkAtom = 0x0FD3, ExHyperlink = 0x0FD7, SlideNumberMCAtom = 0x0FD8;
constexpr std::uint16_t HeadersFooters = 0x0FD9, HeadersFootersAtom = 0x0FDA, TextInteractiveInfoAtom = 0x0FDF;
constexpr std::uint16_t SlideListWithText = 0x0FF0, InteractiveInfo = 0x0FF2, InteractiveInfoAtom = 0x0FF3;
constexpr std::uint16_t UserEditAtom = 0x0FF5, CurrentUserAtom = 0x0FF6, GenericDateMCAtom = 0x0FF8;
constexpr std::uint16_t FooterMCAtom = 0x0FFA, ExOleObjStg = 0x1011, PersistDirectoryAtom = 0x1772;

// OfficeArt (drawing records)
constexpr std::uint16_t DggContainer = 0xF000, BStoreContainer = 0xF001, DgContainer = 0xF002;
constexpr std::uint16_t SpgrContainer = 0xF003, SpContainer = 0xF004, FDGGBlock = 0xF006, FBSE = 0xF007;
constexpr std::uint16_t FDG = 0xF008, FSPGR = 0xF009, FSP = 0xF00A, FOPT = 0xF00B, ClientTextbox = 0xF00D;
constexpr std::uint16_t ClientAnchor = 0xF010, ClientData = 0xF011;
constexpr std::uint16_t BlipEmf = 0xF01A, BlipJpeg = 0xF01D, BlipPng = 0xF01E;
}  // namespace rt

// Master units: 576 to the inch, 8 to the point.
constexpr int kMasterUnitsPerPoint = 8;
constexpr std::uint32_t kEmuPerPoint = 12700;  // the unit of text insets and of Open XML
// OfficeArtFSP flags: a group, the drawing's own group, an OLE object, the background, a shape type given.
constexpr std::uint32_t fGroup = 0x1, fPatriarch = 0x4, fOleShape = 0x10, fBackground = 0x400, fHaveSpt = 0x800;
// Property ids as a reader compares them, without the blip and complex flag bits.
namespace propid {
constexpr std::uint16_t wrapText = 0x085, textBooleans = 0x0BF, pib = 0x104;
constexpr std::uint16_t fillType = 0x180, fillColor = 0x181, fillBackColor = 0x183, fillBlip = 0x186;
constexpr std::uint16_t fillAngle = 0x18B, fillFocus = 0x18C, fillBooleans = 0x1BF, shapeName = 0x380;
}  // namespace propid
namespace shapetype {
constexpr std::uint16_t rectangle = 1, ellipse = 3, pictureFrame = 75, textBox = 202;
}
// Slide ids start here (and the model's do too); master ids have the top bit set.
constexpr std::uint32_t kMainMasterId = 0x80000000;

// Text types of TextHeaderAtom and TextMasterStyleAtom.
enum class TextType : std::uint16_t { Title = 0, Body = 1, Notes = 2, Other = 4 };

}  // namespace ppt::binary
