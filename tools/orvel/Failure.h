// The reason a call failed, as one text for "SCRIPT:LINE: reason" messages.
#pragma once

#include <exception>
#include <string>

#include "com/ComTypes.h"

namespace orvel_cli {

// The reason of an exception raised by a call: a KestException's reason, a
// COM error's code and text, any other exception's what(). Trailing line
// feeds are removed.
std::string describe(const std::exception_ptr& error);
// The text of a failure HRESULT returned by a call.
std::string describe(HRESULT hr);

}  // namespace orvel_cli
