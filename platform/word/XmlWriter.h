// A small streaming XML writer: elements, attributes and text, always
// well-formed (every value escaped and cleaned, elements closed in order).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace word {

class XmlWriter {
public:
    // Starts with the declaration <?xml version="1.0" encoding="UTF-8" standalone="yes"?>.
    XmlWriter();

    XmlWriter& open(std::string_view name);
    // Only right after open, before any content of that element.
    XmlWriter& attr(std::string_view name, std::string_view value);
    XmlWriter& attr(std::string_view name, std::int64_t value);
    XmlWriter& text(std::string_view utf8);
    // Ends the innermost open element ("<x/>" when it has no content).
    XmlWriter& close();
    // An element with one attribute and no content, the commonest shape in
    // WordprocessingML (<w:jc w:val="center"/>).
    XmlWriter& leaf(std::string_view name, std::string_view attribute, std::string_view value);
    XmlWriter& leaf(std::string_view name);

    // Closes what is still open and hands over the document.
    std::string finish();

private:
    void endStartTag();

    std::string out_;
    std::vector<std::string> openElements_;
    bool startTagOpen_ = false;
};

}  // namespace word
