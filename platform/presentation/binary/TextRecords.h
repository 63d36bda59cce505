// Text in a .ppt: the atoms of a shape's client textbox (header, characters,
// paragraph and character runs, ruler, hyperlink ranges), the paragraph and
// character exceptions they and the master text styles are made of, and the
// interactive info that says where a click goes.
#pragma once

#include <cstdint>
#include <functional>

#include "binary/FontTable.h"
#include "binary/RecordStream.h"
#include "binary/RecordTypes.h"
#include "model/TextBody.h"

namespace ppt::binary {

// Where a hyperlink goes, as InteractiveInfoAtom tells it.
struct LinkAction {
    std::uint32_t hyperlinkId = 0;  // ExHyperlinkContainer id; 0: not a link
    std::uint8_t hyperlinkType = 0xFF;
};
// The action of a shape tree's link (1-based index into its links).
using LinkResolver = std::function<LinkAction(std::uint32_t link)>;

// An InteractiveInfoContainer; instance 0 on a click, 1 on mouse over.
void writeInteractiveInfo(RecordStream& out, std::uint16_t instance, const LinkAction& action);

// The atoms inside an OfficeArtClientTextbox (the caller opens it).
void writeTextAtoms(RecordStream& out, const TextBody& body, TextType type, FontTable& fonts, const LinkResolver& links);

// One style level: paragraph then character exception (TextMasterStyleLevel).
struct StyleLevel {
    float size = 18;
    bool bold = false;
    bool bullet = false;
    Align align = Align::Left;
    std::int16_t leftMargin = 0;  // master units
    std::int16_t indent = 0;
    bool italic = false;
    std::uint16_t font = 0;             // index in the font table
    std::uint32_t colour = 0x01000000;  // ColorIndexStruct: the scheme's text colour
};
void writeMasterStyle(RecordStream& out, TextType type, const std::vector<StyleLevel>& levels);
// The environment's defaults: TextCFExceptionAtom, TextPFExceptionAtom, TextSIExceptionAtom.
void writeTextDefaults(RecordStream& out);

}  // namespace ppt::binary
