#include "package/XmlWriter.h"

#include <charconv>

namespace ppt {
namespace {

bool isHex(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }

// "_xD800_" .. "_xDFFF_" in text reads as an escaped surrogate to Office;
// such a literal underscore is itself escaped as "_x005F_".
bool looksLikeSurrogateEscape(std::u16string_view s, std::size_t i)
{
    if (i + 6 >= s.size() || s[i + 1] != u'x' || s[i + 6] != u'_') return false;
    for (std::size_t k = 2; k < 6; ++k)
        if (!isHex(s[i + k])) return false;
    return (s[i + 2] == u'D' || s[i + 2] == u'd') &&
           ((s[i + 3] >= u'8' && s[i + 3] <= u'9') || (s[i + 3] >= u'A' && s[i + 3] <= u'F') ||
            (s[i + 3] >= u'a' && s[i + 3] <= u'f'));
}

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

XmlWriter::XmlWriter(ByteSink& sink) : sink_(sink) { buffer_.reserve(kFlushAt + 4096); }

void XmlWriter::declaration() { put("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"); }

void XmlWriter::closeStart()
{
    if (startOpen_) {
        buffer_.push_back('>');
        startOpen_ = false;
    }
}

void XmlWriter::start(std::string_view tag)
{
    closeStart();
    buffer_.push_back('<');
    put(tag);
    startOpen_ = true;
}

void XmlWriter::attr(std::string_view name, std::string_view value)
{
    buffer_.push_back(' ');
    buffer_.append(name);
    buffer_.append("=\"");
    escaped(value, true);
    buffer_.push_back('"');
}

void XmlWriter::attr(std::string_view name, std::u16string_view value)
{
    buffer_.push_back(' ');
    buffer_.append(name);
    buffer_.append("=\"");
    escaped(value, true);
    buffer_.push_back('"');
}

void XmlWriter::attr(std::string_view name, std::int64_t value)
{
    char digits[24];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    (void)error;
    buffer_.push_back(' ');
    buffer_.append(name);
    buffer_.append("=\"");
    buffer_.append(digits, end);
    buffer_.push_back('"');
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

void XmlWriter::text(std::u16string_view value)
{
    closeStart();
    escaped(value, false);
    if (buffer_.size() >= kFlushAt) flush();
}

void XmlWriter::text(std::string_view utf8)
{
    closeStart();
    escaped(utf8, false);
}

void XmlWriter::raw(std::string_view markup)
{
    closeStart();
    put(markup);
}

void XmlWriter::flush()
{
    if (buffer_.empty()) return;
    sink_.write(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void XmlWriter::escaped(std::string_view value, bool inAttribute)
{
    for (char c : value) {
        switch (c) {
        case '&': buffer_.append("&amp;"); break;
        case '<': buffer_.append("&lt;"); break;
        case '>': buffer_.append("&gt;"); break;
        case '"':
            if (inAttribute) {
                buffer_.append("&quot;");
                break;
            }
            [[fallthrough]];
        default:
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') break;
            buffer_.push_back(c);
        }
    }
}

void XmlWriter::escaped(std::u16string_view value, bool inAttribute)
{
    const std::size_t n = value.size();
    for (std::size_t i = 0; i < n; ++i) {
        char32_t c = value[i];
        if (c < 0x80) {
            switch (c) {
            case u'&': buffer_.append("&amp;"); continue;
            case u'<': buffer_.append("&lt;"); continue;
            case u'>': buffer_.append("&gt;"); continue;
            case u'"':
                if (inAttribute) {
                    buffer_.append("&quot;");
                    continue;
                }
                break;
            case u'\t':
            case u'\n':
            case u'\r':
                if (inAttribute) {
                    // Attribute values keep these only as references.
                    buffer_.append(c == u'\t' ? "&#9;" : c == u'\n' ? "&#10;" : "&#13;");
                    continue;
                }
                break;
            case u'_':
                if (!inAttribute && looksLikeSurrogateEscape(value, i)) {
                    buffer_.append("_x005F_");
                    continue;
                }
                break;
            default:
                if (c < 0x20) continue;  // not allowed in XML at all
            }
            buffer_.push_back(static_cast<char>(c));
            continue;
        }
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && value[i + 1] >= 0xDC00 && value[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (value[i + 1] - 0xDC00);
            ++i;
        } else if ((c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFE || c == 0xFFFF) {
            c = 0xFFFD;
        }
        appendUtf8(buffer_, c);
    }
}

}  // namespace ppt
