// The small hyperlink markup a client may put into a text:
// before<a href="target">link text</a>after. Plain bytes, so that the script
// reader replaying a trace log finds the links exactly as the object does.
#pragma once

#include <optional>
#include <string>
#include <string_view>

struct LinkMarkup {
    std::string_view before;  // the text before "<a href="
    std::string linkText;     // between ">" and "</a>"
    std::string target;       // the attribute text, its closing quote dropped
    std::string_view after;   // the text after the first "</a>"
};

// True when the text holds "<a href=" at all.
bool hasLinkMarkup(std::string_view text);
// The first link of the text, or nothing when its markup is not complete
// (no "</a>", or no ">" between the opening quote and the first "</a>").
// A target beginning with "#GUID " has every "#GUID " turned into "GUID ".
std::optional<LinkMarkup> parseLinkMarkup(std::string_view text);
