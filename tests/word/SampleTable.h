// The 3 x 4 table the tests write: mixed fonts, sizes, bold, italic,
// underline, strike, alignment, row heights, a picture in a cell and
// cross-references, driven through IDocument the way the generator does it.
#pragma once

#include <filesystem>

#include "DocxReader.h"
#include "com/ComPtr.h"
#include "document/IDocument.h"

namespace wordtest {

// A new document of the stand-in, made in-process.
ComPtr<IDocument> newDocument();

// start, create(target), the table calls and close; picture is a PNG file.
// Returns the HRESULT of close.
HRESULT writeSampleTable(IDocument& document, const std::filesystem::path& target,
                         const std::filesystem::path& picture);

// The cell texts that table must read back as.
const TableText& sampleTableText();

}  // namespace wordtest
