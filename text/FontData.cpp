#include "text/FontData.h"

FontData::FontData() : name("Arial") {}

FontData::~FontData() = default;

bool FontData::operator!=(const FontData& other) const
{
    return name != other.name || size != other.size || bold != other.bold || italic != other.italic ||
           underline != other.underline || strike != other.strike;
}

void FontData::clear()
{
    name = "";
    size = 0;
    bold = italic = underline = strike = false;
}
