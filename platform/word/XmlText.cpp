#include "XmlText.h"

#include <cstdint>

namespace word {
namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

// Decodes one character at text[i]; advances i. Malformed input gives U+FFFD
// and consumes one byte, so decoding always makes progress.
char32_t decodeNext(std::string_view text, std::size_t& i)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char lead = byte(i);
    if (lead < 0x80) {
        ++i;
        return lead;
    }
    int extra = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return replacementCharacter;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) {  // truncated at the end
        ++i;
        return replacementCharacter;
    }
    for (int k = 1; k <= extra; ++k) {
        unsigned char next = byte(i + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80) {
            ++i;
            return replacementCharacter;
        }
        value = (value << 6) | (next & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    if (value < minimum || value > 0x10FFFF) return replacementCharacter;
    if (value >= 0xD800 && value <= 0xDFFF) return replacementCharacter;  // a lone surrogate
    return value;
}

bool allowedInXml(char32_t c)
{
    if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
    if (c >= 0xD800 && c <= 0xDFFF) return false;
    return c != 0xFFFE && c != 0xFFFF;
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "_xD800_" .. "_xDFFF_" in plain text reads as an escaped lone surrogate to
// Office's string decoding; escaping its underscore keeps the text literal.
bool startsSurrogateEscape(std::string_view text, std::size_t i)
{
    if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_') return false;
    if (text[i + 2] != 'D' && text[i + 2] != 'd') return false;
    char third = text[i + 3];
    bool surrogateRange = (third >= '8' && third <= '9') || (third >= 'a' && third <= 'f') ||
                          (third >= 'A' && third <= 'F');
    return surrogateRange && isHex(text[i + 4]) && isHex(text[i + 5]);
}

}  // namespace

std::string cleanXmlText(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            char c = utf8[i++];
            if (allowedInXml(static_cast<unsigned char>(c))) out += c;
            continue;
        }
        char32_t c = decodeNext(utf8, i);
        if (allowedInXml(c)) appendUtf8(out, c);
    }
    return out;
}

void appendEscaped(std::string& out, std::string_view utf8, bool forAttribute)
{
    std::string clean = cleanXmlText(utf8);
    out.reserve(out.size() + clean.size());
    for (std::size_t i = 0; i < clean.size(); ++i) {
        char c = clean[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            out += forAttribute ? "&quot;" : "\"";
            break;
        case '\t':
            out += forAttribute ? "&#9;" : "\t";
            break;
        case '\n':
            out += forAttribute ? "&#10;" : "\n";
            break;
        case '\r': out += "&#13;"; break;  // a literal CR would be normalised away by readers
        case '_':
            out += startsSurrogateEscape(clean, i) ? "_x005F_" : "_";
            break;
        default: out += c;
        }
    }
}

}  // namespace word
