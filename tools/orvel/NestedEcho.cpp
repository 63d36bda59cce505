#include "NestedEcho.h"

#include <optional>
#include <string_view>

#include "generator/FileNameField.h"
#include "generator/LinkMarkup.h"
#include "generator/SlideLayout.h"

namespace orvel_script {
namespace {

bool isCall(const Statement& statement, std::string_view method, std::string_view text,
            std::string_view tag = std::string_view())
{
    if (std::string_view(statement.method->name) != method) return false;
    const auto& args = statement.args;
    return !args.empty() && args[0].text == text &&
           (method != "insertXref" || (args.size() > 1 && args[1].text == tag));
}

// A text the object cuts into pieces: one with a complete link in it.
bool hasPieces(std::string_view text)
{
    return hasLinkMarkup(text) && parseLinkMarkup(text).has_value();
}

}  // namespace

bool NestedEcho::isNested(const Statement& statement)
{
    if (next_ != Next::Nothing && isNextPiece(statement)) return true;
    next_ = Next::Nothing;  // a call cut short by a failure leaves its pieces unfinished
    follow(statement);
    return false;
}

bool NestedEcho::isNextPiece(const Statement& statement)
{
    if (next_ == Next::TableFontSize) {
        next_ = Next::Nothing;
        return std::string_view(statement.method->name) == "setFontSize" && !statement.args.empty() &&
               statement.args[0].number == slidelayout::tableStartFontSize;
    }
    if (next_ == Next::FileName) {
        next_ = Next::Nothing;
        if (!isCall(statement, "insertText", fileName_)) return false;
        follow(statement);  // a name with link markup has pieces of its own
        return true;
    }
    std::optional<LinkMarkup> link = parseLinkMarkup(markup_);
    const bool isLink = isCall(statement, "insertXref", link->linkText, link->target);
    switch (next_) {
    case Next::FirstPiece:
        // In a table the link is the only piece echoed.
        if (isLink) {
            next_ = Next::Nothing;
            return true;
        }
        [[fallthrough]];
    case Next::Before:
        if (!isCall(statement, "insertText", link->before)) return false;
        next_ = Next::Link;
        return true;
    case Next::Link:
        if (!isLink) return false;
        next_ = Next::Rest;
        return true;
    case Next::Rest:
        if (!isCall(statement, "insertText", link->after)) return false;
        markup_ = std::string(link->after);
        next_ = hasPieces(markup_) ? Next::Before : Next::Nothing;
        return true;
    case Next::Nothing:
    case Next::FileName:
    case Next::TableFontSize:
        break;
    }
    return false;
}

// The capture mode as the calls set it, and the markup calls made in the body.
void NestedEcho::follow(const Statement& statement)
{
    const std::string_view method = statement.method->name;
    const std::string_view text = statement.args.empty() ? std::string_view() : statement.args[0].text;
    if (method == "startHeader" || method == "startFooter" || (method == "setOption" && text == "startNote"))
        capturingBody_ = false;
    else if (method == "endHeader" || method == "endFooter" || (method == "setOption" && text == "endNote"))
        capturingBody_ = true;
    else if (method == "create") {
        std::string name(text);
        for (char& c : name)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        fileName_ = fileNameAfterSlash(withPresentationExtension(name));
    } else if (method == "insertField" && !statement.args.empty() && statement.args[0].number == 3)
        next_ = Next::FileName;
    else if (method == "startTable")
        next_ = Next::TableFontSize;
    else if (method == "insertText" && capturingBody_ && hasPieces(text)) {
        markup_ = std::string(text);
        next_ = Next::FirstPiece;
    }
}

}  // namespace orvel_script
