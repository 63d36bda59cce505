// Reads a text file as lines for insertFile: the line break is not kept (a
// carriage return before it neither, as a text stream gives it), lines longer
// than the line buffer arrive in pieces, and the last line arrives also
// without a line break after it. Memory stays within a few pieces whatever
// the length of a line; only regular files are read (see SysInputFile).
#pragma once

#include <cstddef>
#include <string>

#include "support/KestString.h"
#include "support/SysInputFile.h"

class TextFileReader {
public:
    // 2000-character buffer: at most 1999 characters of a line at a time.
    static constexpr std::size_t maxPiece = 1999;

    explicit TextFileReader(const KestString& fileName);
    bool isOpen() const { return file_.isOpen(); }

    // The next piece of text; false at the end of the file. endsLine tells
    // whether a line break followed the piece in the file.
    bool next(std::string& piece, bool& endsLine);
    // Reading stopped on an error before the end of the file.
    bool failed() const { return file_.failed(); }

private:
    // Reads more of the file behind what is left in buffer_; sets atEnd_ at its end.
    void fill();

    SysInputFile file_;
    std::string buffer_;    // read ahead, from pos_ on not handed out yet
    std::size_t pos_ = 0;
    bool atEnd_ = false;
};
