// Text crossing the component's borders: KestString holds UTF-8, PowerPoint
// and BSTRs take UTF-16. A null BSTR is the empty string.
#pragma once

#include <string>

#include "com/ComString.h"
#include "com/ComTypes.h"
#include "support/KestString.h"

std::u16string toWide(const KestString& text);
KestString fromBstr(BSTR text);
KestString fromWide(const std::u16string& text);
com::BStr toBstr(const KestString& text);
