// Files the object tests put on slides, made at run time: pictures of each
// format, a Word document holding a table, a presentation written by the
// engine.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "PptTestSupport.h"
#include "TestFiles.h"

namespace objtest {

namespace fs = std::filesystem;

// Writes `bytes` to dir/name and gives the path.
fs::path writeTestFile(const fs::path& dir, const std::string& name, const std::string& bytes);

inline fs::path writePicture(const fs::path& dir, const std::string& name, const mediatest::Bytes& bytes)
{
    return writeTestFile(dir, name, mediatest::asString(bytes));
}
inline fs::path writePng(const fs::path& dir, const std::string& name, int w, int h) { return writePicture(dir, name, mediatest::pngPicture(w, h)); }
inline fs::path writeJpeg(const fs::path& dir, const std::string& name, int w, int h) { return writePicture(dir, name, mediatest::jpegPicture(w, h)); }
inline fs::path writeGif(const fs::path& dir, const std::string& name, int w, int h) { return writePicture(dir, name, mediatest::gifPicture(w, h)); }
inline fs::path writeEmf(const fs::path& dir, const std::string& name, double widthPt, double heightPt)
{
    return writePicture(dir, name, mediatest::emfPicture(widthPt, heightPt));
}

// A Word document with one table of these cell texts.
fs::path writeTableDocument(const fs::path& dir, const std::string& name,
                            const std::vector<std::vector<std::string>>& cells);
// A one-slide presentation written by the engine, the slide holding `text`.
fs::path writePresentation(const fs::path& dir, const std::string& name, const std::string& text);

// The cell texts of a rows x columns table: "R1C1" ...
std::vector<std::vector<std::string>> cellTexts(int rows, int columns);

}  // namespace objtest
