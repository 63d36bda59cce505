#include "generator/TextFileReader.h"

#include <string_view>

#include "support/SysFile.h"

namespace {

// Where to cut a long line: at most maxPiece bytes, never inside a UTF-8 character.
std::size_t cutPoint(std::string_view text, std::size_t maxPiece)
{
    std::size_t cut = maxPiece;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return cut == 0 ? maxPiece : cut;
}

}  // namespace

TextFileReader::TextFileReader(const KestString& fileName)
    : in_(SysFile::nativePath(fileName).str(), std::ios::in | std::ios::binary)
{
}

bool TextFileReader::next(std::string& piece, bool& endsLine)
{
    if (!havePiece_) {
        if (!in_.is_open() || !std::getline(in_, line_)) return false;
        lineEnds_ = !in_.eof();
        if (lineEnds_ && !line_.empty() && line_.back() == '\r') line_.pop_back();
        given_ = 0;
        havePiece_ = true;
    }
    std::size_t left = line_.size() - given_;
    if (left <= maxPiece) {
        piece.assign(line_, given_, left);
        endsLine = lineEnds_;
        havePiece_ = false;
        return true;
    }
    std::size_t cut = cutPoint(std::string_view(line_).substr(given_), maxPiece);
    piece.assign(line_, given_, cut);
    given_ += cut;
    endsLine = false;
    return true;
}
