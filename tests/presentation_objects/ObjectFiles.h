// Files the object tests put on slides, made at run time: pictures of each
// format, a Word document holding a table, a presentation written by the
// engine.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "PptTestSupport.h"

namespace objtest {

namespace fs = std::filesystem;

// Writes `bytes` to dir/name and gives the path.
fs::path writeTestFile(const fs::path& dir, const std::string& name, const std::string& bytes);

fs::path writePng(const fs::path& dir, const std::string& name, int width, int height);
fs::path writeJpeg(const fs::path& dir, const std::string& name, int width, int height);
fs::path writeGif(const fs::path& dir, const std::string& name, int width, int height);
fs::path writeEmf(const fs::path& dir, const std::string& name, double widthPt, double heightPt);

// A Word document with one table of these cell texts.
fs::path writeTableDocument(const fs::path& dir, const std::string& name,
                            const std::vector<std::vector<std::string>>& cells);
// A one-slide presentation written by the engine, the slide holding `text`.
fs::path writePresentation(const fs::path& dir, const std::string& name, const std::string& text);

// The cell texts of a rows x columns table: "R1C1" ...
std::vector<std::vector<std::string>> cellTexts(int rows, int columns);

}  // namespace objtest
