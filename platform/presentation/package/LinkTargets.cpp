#include "package/LinkTargets.h"

#include <cctype>

#include "com/ComString.h"

namespace ppt {
namespace {

bool startsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    return true;
}

bool hasScheme(std::string_view text)
{
    // scheme ":" with a scheme of two letters or more (one letter is a drive)
    std::size_t i = 0;
    while (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '+' || text[i] == '-' ||
                               text[i] == '.'))
        ++i;
    return i >= 2 && i < text.size() && text[i] == ':' && std::isalpha(static_cast<unsigned char>(text[0]));
}

// Percent-encodes what a URI reference may not hold as is.
std::string encode(std::string_view text, bool keepPercent)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = c > 0x20 && c < 0x7f && c != '"' && c != '<' && c != '>' && c != '\\' && c != '^' &&
                           c != '`' && c != '{' && c != '|' && c != '}' && (keepPercent || c != '%');
        if (plain) {
            out.push_back(ch);
        } else {
            out.push_back('%');
            out.push_back(hex[c >> 4]);
            out.push_back(hex[c & 15]);
        }
    }
    return out;
}

std::string slashes(std::string text)
{
    for (char& c : text)
        if (c == '\\') c = '/';
    return text;
}

}  // namespace

std::string externalLinkTarget(std::u16string_view address, std::u16string_view subAddress)
{
    const std::string text = com::utf16ToUtf8(address);
    std::string target;
    if (hasScheme(text)) {
        target = encode(text, true);
    } else if (startsWithNoCase(text, "www.")) {
        target = "http://" + encode(text, true);
    } else if (text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':') {
        target = "file:///" + encode(slashes(text), false);  // a Windows drive path
    } else if (startsWithNoCase(text, "\\\\")) {
        target = "file:" + encode(slashes(text), false);  // a UNC path: file://server/share
    } else if (!text.empty() && text[0] == '/') {
        target = "file://" + encode(text, false);
    } else {
        target = encode(slashes(text), false);  // relative to the presentation
    }
    if (!subAddress.empty()) target += "#" + encode(com::utf16ToUtf8(subAddress), false);
    return target;
}

SlideReference parseSubAddress(std::u16string_view subAddress)
{
    SlideReference ref;
    auto number = [](std::u16string_view field) {
        long value = 0;
        std::size_t i = 0;
        while (i < field.size() && field[i] == u' ') ++i;
        if (i == field.size()) return 0;
        for (; i < field.size() && field[i] >= u'0' && field[i] <= u'9'; ++i) {
            value = value * 10 + (field[i] - u'0');
            if (value > 0x7fffffff) return 0;
        }
        return static_cast<int>(value);
    };
    const std::size_t comma = subAddress.find(u',');
    ref.id = number(subAddress.substr(0, comma));
    if (comma != std::u16string_view::npos) {
        std::u16string_view rest = subAddress.substr(comma + 1);
        ref.index = number(rest.substr(0, rest.find(u',')));
    }
    return ref;
}

}  // namespace ppt
