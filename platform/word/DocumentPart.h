// word/document.xml: the body (paragraphs and tables with their runs,
// pictures and hyperlinks) and the one section that sizes the page.
#pragma once

#include <cstddef>
#include <string>

#include "DocumentContent.h"
#include "DocumentLayout.h"
#include "office/package/Relationships.h"

namespace word {

// The picture part of images[index], relative to the document part.
std::string picturePartName(const DocumentContent& content, std::size_t index);

// Adds the picture and hyperlink relationships the body needs to rels.
std::string documentXml(const DocumentContent& content, const DocumentLayout& layout, office::Relationships& rels);

// An address as a relationship target: "www." gets its scheme, and
// characters a URI cannot hold are percent-encoded.
std::string hyperlinkTarget(const std::string& address);

}  // namespace word
