// What the design reader and the slide reader both take first from a
// PowerPoint Document stream: the document container, the slide size, the
// faces of the font collection and the picture store.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "binary/PersistDirectory.h"
#include "binary/RecordReader.h"

namespace ppt::binary {

struct SlideSize {
    float width = 0, height = 0;  // points
};

struct DocumentFacts {
    Record document;
    std::optional<SlideSize> slideSize;  // nothing when the size is not a usable one
    std::vector<std::string> fonts;      // UTF-8, in the order text runs number them
    std::optional<Record> pictureStore;  // the drawing group's BStoreContainer
};

// Throws FormatError when the document record is missing or damaged.
DocumentFacts readDocumentFacts(const PersistDirectory& persist);

}  // namespace ppt::binary
