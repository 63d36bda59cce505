// Text crossing the component's borders: KestString holds UTF-8, PowerPoint
// and BSTRs take UTF-16. A null BSTR is the empty string.
#pragma once

#include <string>
#include <string_view>

#include "com/ComString.h"
#include "com/ComTypes.h"
#include "support/KestString.h"

std::u16string toWide(const KestString& text);
// The same into a string kept for reuse, so that its buffer is not made anew.
void widenInto(std::u16string& out, std::string_view text);
KestString fromBstr(BSTR text);
KestString fromWide(const std::u16string& text);
com::BStr toBstr(const KestString& text);
