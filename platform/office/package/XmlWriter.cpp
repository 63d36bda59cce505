#include "office/package/XmlWriter.h"

#include <charconv>

#include "office/package/Unicode.h"

namespace office {
namespace {

template <class Char>
bool isHex(Char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// "_xD800_" .. "_xDFFF_" in text reads as an escaped surrogate to Office;
// such a literal underscore is itself escaped as "_x005F_".
template <class Char>
bool looksLikeSurrogateEscape(std::basic_string_view<Char> s, std::size_t i)
{
    if (i + 6 >= s.size() || s[i + 1] != 'x' || s[i + 6] != '_') return false;
    for (std::size_t k = 2; k < 6; ++k)
        if (!isHex(s[i + k])) return false;
    return (s[i + 2] == 'D' || s[i + 2] == 'd') &&
           ((s[i + 3] >= '8' && s[i + 3] <= '9') || (s[i + 3] >= 'A' && s[i + 3] <= 'F') ||
            (s[i + 3] >= 'a' && s[i + 3] <= 'f'));
}

char32_t next(std::u16string_view s, std::size_t& i) { return nextUtf16(s, i); }
char32_t next(std::string_view s, std::size_t& i) { return nextUtf8(s, i); }

template <class Char>
void appendEscaped(std::string& out, std::basic_string_view<Char> value, bool inAttribute)
{
    const std::size_t n = value.size();
    for (std::size_t i = 0; i < n;) {
        const auto unit = static_cast<std::make_unsigned_t<Char>>(value[i]);
        if (unit >= 0x80) {
            char32_t c = next(value, i);
            if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF) c = 0xFFFD;
            appendUtf8(out, c);
            continue;
        }
        const char c = static_cast<char>(unit);
        switch (c) {
        case '&': out.append("&amp;"); break;
        case '<': out.append("&lt;"); break;
        case '>': out.append("&gt;"); break;
        case '"': out.append(inAttribute ? "&quot;" : "\""); break;
        case '\t':
        case '\n':
            // Attribute values keep these only as references.
            if (inAttribute)
                out.append(c == '\t' ? "&#9;" : "&#10;");
            else
                out.push_back(c);
            break;
        case '\r': out.append("&#13;"); break;  // a literal one would be read as a line feed
        case '_':
            out.append(!inAttribute && looksLikeSurrogateEscape(value, i) ? "_x005F_" : "_");
            break;
        default:
            if (unit >= 0x20) out.push_back(c);  // the other controls are not allowed in XML at all
        }
        ++i;
    }
}

}  // namespace

XmlWriter::XmlWriter(ByteSink& sink, const char* declarationEnd)
    : sink_(sink), declarationEnd_(declarationEnd), buffer_(sink.appendBuffer() ? *sink.appendBuffer() : own_)
{
    if (&buffer_ == &own_) own_.reserve(kFlushAt + 4096);
}

void XmlWriter::declaration()
{
    put("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>");
    put(declarationEnd_);
}

void XmlWriter::closeStart()
{
    if (startOpen_) {
        buffer_.push_back('>');
        startOpen_ = false;
    }
}

XmlWriter& XmlWriter::start(std::string_view tag)
{
    closeStart();
    buffer_.push_back('<');
    put(tag);
    startOpen_ = true;
    return *this;
}

template <class Char>
XmlWriter& XmlWriter::escapedAttr(std::string_view name, std::basic_string_view<Char> value)
{
    buffer_.push_back(' ');
    buffer_.append(name);
    buffer_.append("=\"");
    appendEscaped(buffer_, value, true);
    buffer_.push_back('"');
    return *this;
}

XmlWriter& XmlWriter::attr(std::string_view name, std::string_view utf8) { return escapedAttr(name, utf8); }
XmlWriter& XmlWriter::attr(std::string_view name, std::u16string_view value) { return escapedAttr(name, value); }

XmlWriter& XmlWriter::number(std::string_view name, std::int64_t value)
{
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    (void)error;
    buffer_.push_back(' ');
    buffer_.append(name);
    buffer_.append("=\"");
    buffer_.append(digits, end);
    buffer_.push_back('"');
    return *this;
}

void XmlWriter::end(std::string_view tag)
{
    if (startOpen_) {
        buffer_.append("/>");
        startOpen_ = false;
    } else {
        buffer_.append("</");
        buffer_.append(tag);
        buffer_.push_back('>');
    }
    if (buffer_.size() >= kFlushAt) flush();
}

XmlWriter& XmlWriter::text(std::u16string_view value)
{
    closeStart();
    appendEscaped(buffer_, value, false);
    if (buffer_.size() >= kFlushAt) flush();
    return *this;
}

XmlWriter& XmlWriter::text(std::string_view utf8)
{
    closeStart();
    appendEscaped(buffer_, utf8, false);
    if (buffer_.size() >= kFlushAt) flush();
    return *this;
}

void XmlWriter::raw(std::string_view markup)
{
    closeStart();
    put(markup);
}

XmlWriter& XmlWriter::open(std::string_view tag)
{
    open_.emplace_back(tag);
    return start(tag);
}

XmlWriter& XmlWriter::close()
{
    end(open_.back());
    open_.pop_back();
    return *this;
}

XmlWriter& XmlWriter::leaf(std::string_view name, std::string_view attribute, std::string_view value)
{
    start(name).attr(attribute, value).end(name);
    return *this;
}

XmlWriter& XmlWriter::leaf(std::string_view name)
{
    empty(name);
    return *this;
}

void XmlWriter::finish()
{
    while (!open_.empty()) close();
    flush();
}

void XmlWriter::flush()
{
    if (&buffer_ != &own_) {
        sink_.appended();
        return;
    }
    if (buffer_.empty()) return;
    sink_.write(buffer_.data(), buffer_.size());
    buffer_.clear();
}

}  // namespace office
