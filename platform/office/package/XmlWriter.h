// A small streaming XML writer: elements, attributes and text go straight
// out through a buffer into a byte sink. Text is escaped and cleaned so that
// every character a client can send gives well-formed XML: characters XML
// forbids are dropped; ill-formed UTF-8 or UTF-16, lone surrogates and
// non-characters become U+FFFD.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "office/package/ByteSink.h"

namespace office {

class XmlWriter {
public:
    // declarationEnd follows the XML declaration (PowerPoint writes "\r\n").
    explicit XmlWriter(ByteSink& sink, const char* declarationEnd = "\r\n");
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;
    ~XmlWriter() = default;

    void declaration();
    XmlWriter& start(std::string_view tag);
    XmlWriter& attr(std::string_view name, std::string_view utf8);
    XmlWriter& attr(std::string_view name, std::u16string_view value);
    XmlWriter& attr(std::string_view name, const char* utf8) { return attr(name, std::string_view(utf8)); }
    template <std::integral Number>
    XmlWriter& attr(std::string_view name, Number value)
    {
        return number(name, static_cast<std::int64_t>(value));
    }
    // Closes the innermost element: "/>" when it got no content.
    void end(std::string_view tag);
    XmlWriter& text(std::u16string_view value);
    XmlWriter& text(std::string_view utf8);
    // Markup written as is (fixed parts of the design).
    void raw(std::string_view markup);
    void flush();

    // <tag/> with no attributes.
    void empty(std::string_view tag)
    {
        start(tag);
        end(tag);
    }

    // The same with the writer remembering the open elements' names.
    XmlWriter& open(std::string_view tag);
    XmlWriter& close();
    // <name attribute="value"/>, and <name/>.
    XmlWriter& leaf(std::string_view name, std::string_view attribute, std::string_view value);
    XmlWriter& leaf(std::string_view name);
    // Closes every element still open and hands the rest to the sink.
    void finish();

private:
    void closeStart();
    void put(std::string_view s)
    {
        buffer_.append(s);
        if (buffer_.size() >= kFlushAt) flush();
    }
    XmlWriter& number(std::string_view name, std::int64_t value);
    template <class Char>
    XmlWriter& escapedAttr(std::string_view name, std::basic_string_view<Char> value);

    static constexpr std::size_t kFlushAt = 1 << 16;
    ByteSink& sink_;
    const char* declarationEnd_;
    std::string own_;
    std::string& buffer_;  // own_, or the sink's string
    std::vector<std::string> open_;
    bool startOpen_ = false;
};

// An XML document made in memory, its declaration first ("\n" after it, as
// the Word stand-in writes its parts).
namespace detail {
struct DocumentBytes {
    StringSink bytes;
};
}  // namespace detail

class XmlDocument final : private detail::DocumentBytes, public XmlWriter {
public:
    XmlDocument() : XmlWriter(bytes, "\n") { declaration(); }
    std::string finish()
    {
        XmlWriter::finish();
        return std::move(bytes.bytes);
    }
};

}  // namespace office
