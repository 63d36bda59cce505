// Reads a text file as lines for insertFile: the line break is not kept (a
// carriage return before it neither, as a text stream gives it), lines longer
// than the line buffer arrive in pieces, and the last line arrives also
// without a line break after it.
#pragma once

#include <cstddef>
#include <fstream>
#include <string>

#include "support/KestString.h"

class TextFileReader {
public:
    // 2000-character buffer: at most 1999 characters of a line at a time.
    static constexpr std::size_t maxPiece = 1999;

    explicit TextFileReader(const KestString& fileName);
    bool isOpen() const { return in_.is_open(); }

    // The next piece of text; false at the end of the file. endsLine tells
    // whether a line break followed the piece in the file.
    bool next(std::string& piece, bool& endsLine);

private:
    std::ifstream in_;
    std::string line_;       // the line being handed out
    std::size_t given_ = 0;  // how much of it has been handed out
    bool lineEnds_ = false;  // a line break followed it
    bool havePiece_ = false; // line_ still has a piece to give (also an empty line)
};
