#include "generator/TextFileReader.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::size_t readSize = 64 * 1024;

// Where to cut a long line: at most maxPiece bytes, never inside a UTF-8 character.
std::size_t cutPoint(std::string_view text, std::size_t maxPiece)
{
    std::size_t cut = maxPiece;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return cut == 0 ? maxPiece : cut;
}

}  // namespace

TextFileReader::TextFileReader(const KestString& fileName) : file_(fileName)
{
}

void TextFileReader::fill()
{
    buffer_.erase(0, pos_);
    pos_ = 0;
    std::size_t had = buffer_.size();
    buffer_.resize(had + readSize);
    long n = file_.read(buffer_.data() + had, readSize);
    buffer_.resize(had + static_cast<std::size_t>(std::max(n, 0L)));
    atEnd_ = n <= 0;
}

bool TextFileReader::next(std::string& piece, bool& endsLine)
{
    if (!file_.isOpen()) return false;
    // A piece is decided within its first maxPiece bytes and a "\r\n" after them.
    constexpr std::size_t window = maxPiece + 2;
    for (;;) {
        std::string_view rest = std::string_view(buffer_).substr(pos_);
        std::string_view head = rest.substr(0, window);
        std::size_t lineBreak = head.find('\n');
        if (lineBreak != std::string_view::npos) {
            std::size_t length = lineBreak > 0 && head[lineBreak - 1] == '\r' ? lineBreak - 1 : lineBreak;
            if (length <= maxPiece) {
                piece.assign(head.substr(0, length));
                endsLine = true;
                pos_ += lineBreak + 1;
                return true;
            }
        } else if (rest.size() < window && !atEnd_) {
            fill();
            continue;
        } else if (rest.empty()) {
            return false;
        } else if (rest.size() <= maxPiece) {  // the last line, without a line break
            piece.assign(rest);
            endsLine = false;
            pos_ += rest.size();
            return true;
        }
        std::size_t cut = cutPoint(rest, maxPiece);
        piece.assign(rest.substr(0, cut));
        endsLine = false;
        pos_ += cut;
        return true;
    }
}
