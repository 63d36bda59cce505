// Parsing a package part as XML, refusing what an attacker would use: any
// document type declaration (and with it every entity declaration) is
// rejected before and after parsing, whatever the part's encoding.
#pragma once

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace office {

// Parses `bytes` into `doc`. `where` names the part in errors
// ("'/ppt/slides/slide1.xml' in 'deck.pptx'"). Throws ReadError:
// UnsafePackage for a DOCTYPE or ENTITY, DamagedPackage for bad XML.
// Text that is only white space is kept where it is an element's only
// content, so "<a:t> </a:t>" keeps its space.
void parseXml(pugi::xml_document& doc, std::string_view bytes, const std::string& where);

// Local name of an element or attribute: "p:sld" -> "sld".
std::string_view localName(std::string_view qualified);

}  // namespace office
