#include "XmlWriter.h"

#include <stdexcept>

#include "XmlText.h"

namespace word {

XmlWriter::XmlWriter() : out_("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") {}

void XmlWriter::endStartTag()
{
    if (startTagOpen_) {
        out_ += '>';
        startTagOpen_ = false;
    }
}

XmlWriter& XmlWriter::open(std::string_view name)
{
    endStartTag();
    out_ += '<';
    out_ += name;
    openElements_.emplace_back(name);
    startTagOpen_ = true;
    return *this;
}

XmlWriter& XmlWriter::attr(std::string_view name, std::string_view value)
{
    if (!startTagOpen_) throw std::logic_error("XmlWriter: attribute outside a start tag");
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    appendEscaped(out_, value, true);
    out_ += '"';
    return *this;
}

XmlWriter& XmlWriter::attr(std::string_view name, std::int64_t value)
{
    return attr(name, std::string_view(std::to_string(value)));
}

XmlWriter& XmlWriter::text(std::string_view utf8)
{
    if (openElements_.empty()) throw std::logic_error("XmlWriter: text outside the root element");
    endStartTag();
    appendEscaped(out_, utf8, false);
    return *this;
}

XmlWriter& XmlWriter::close()
{
    if (openElements_.empty()) throw std::logic_error("XmlWriter: nothing to close");
    if (startTagOpen_) {
        out_ += "/>";
        startTagOpen_ = false;
    } else {
        out_ += "</";
        out_ += openElements_.back();
        out_ += '>';
    }
    openElements_.pop_back();
    return *this;
}

XmlWriter& XmlWriter::leaf(std::string_view name, std::string_view attribute, std::string_view value)
{
    return open(name).attr(attribute, value).close();
}

XmlWriter& XmlWriter::leaf(std::string_view name)
{
    return open(name).close();
}

std::string XmlWriter::finish()
{
    while (!openElements_.empty()) close();
    return std::move(out_);
}

}  // namespace word
