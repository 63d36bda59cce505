#include "generator/LinkMarkup.h"

namespace {
constexpr std::string_view opening = "<a href=";
constexpr std::string_view closing = "</a>";
constexpr std::string_view guidMark = "#GUID ";
}  // namespace

bool hasLinkMarkup(std::string_view text)
{
    return text.find(opening) != std::string_view::npos;
}

std::optional<LinkMarkup> parseLinkMarkup(std::string_view text)
{
    std::size_t open = text.find(opening);
    std::size_t close = text.find(closing);
    if (open == std::string_view::npos || close == std::string_view::npos) return std::nullopt;
    // The attribute starts after "<a href=" and its opening quote.
    std::size_t begin = open + opening.size() + 1;
    std::string_view inner = begin <= close ? text.substr(begin, close - begin) : std::string_view();
    std::size_t endOfTag = inner.find('>');
    if (endOfTag == std::string_view::npos) return std::nullopt;

    LinkMarkup link;
    link.before = text.substr(0, open);
    link.linkText = inner.substr(endOfTag + 1);
    link.target = endOfTag == 0 ? std::string_view() : inner.substr(0, endOfTag - 1);
    if (link.target.starts_with(guidMark)) {
        for (std::size_t at = 0; (at = link.target.find(guidMark, at)) != std::string::npos; at += guidMark.size() - 1)
            link.target.erase(at, 1);
    }
    link.after = text.substr(close + closing.size());
    return link;
}
