// The click action of a picture: header, footer and body pictures open an
// address when clicked.
#pragma once

#include "com/ComPtr.h"
#include "powerpoint/PowerPoint.h"
#include "support/KestString.h"

// Sets the mouse-click hyperlink of the shape to address. A missing hyperlink
// object is not an error; missing action settings raise E_POINTER.
void setClickAddress(const ComPtr<PowerPoint::Shape>& shape, const KestString& address);
