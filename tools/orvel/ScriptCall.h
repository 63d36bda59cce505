// Makes the call a script statement describes, through the type library's
// method table (the one IDispatch::Invoke uses).
#pragma once

#include <string>
#include <vector>

#include "Script.h"
#include "document/IDocument.h"

namespace orvel_script {

// The method's HRESULT; exceptions the method raises (KestException,
// ComError) pass through. Out texts (getDocType, getPropPages) are appended
// to *results in UTF-8, one per out parameter, when results is given.
HRESULT call(IDocument& document, const Statement& statement, std::vector<std::string>* results = nullptr);

}  // namespace orvel_script
