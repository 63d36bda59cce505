// Public identifiers of the component's classes.
#pragma once

#include "com/ComTypes.h"

constexpr CLSID CLSID_Orvel = makeGuid("{474BDD94-0170-11D3-A6BF-00104B2AEFE1}");
constexpr CLSID CLSID_PptComPage = makeGuid("{474BDD95-0170-11D3-A6BF-00104B2AEFE1}");

// The property page's class in registry string form, as getPropPages hands it out.
constexpr const char* pptComPageClsidString = "{474BDD95-0170-11D3-A6BF-00104B2AEFE1}";
// What getDocType answers.
constexpr const char* orvelDocType = "PowerPoint";
