// The media library reports through the office library's read error, so
// that a refused picture and a refused package reach the engine alike.
#pragma once

#include "office/package/ReadError.h"

namespace pptmedia {

using MediaError = office::ReadError;
using MediaErrorKind = office::ReadErrorKind;
using office::quoteName;

}  // namespace pptmedia
