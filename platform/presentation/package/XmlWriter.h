// A small streaming XML writer: elements, attributes and text go straight
// out through a buffer into a byte sink. Text is escaped and cleaned so that
// every character a client can send gives well-formed XML: characters XML
// forbids are dropped, lone surrogates and non-characters become U+FFFD.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "package/ZipWriter.h"

namespace ppt {

class XmlWriter {
public:
    explicit XmlWriter(ByteSink& sink);
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;
    ~XmlWriter() = default;

    void declaration();
    void start(std::string_view tag);
    void attr(std::string_view name, std::string_view value);
    void attr(std::string_view name, std::u16string_view value);
    void attr(std::string_view name, const char* value) { attr(name, std::string_view(value)); }
    void attr(std::string_view name, std::int64_t value);
    void attr(std::string_view name, int value) { attr(name, static_cast<std::int64_t>(value)); }
    // Closes the innermost element: "/>" when it got no content.
    void end(std::string_view tag);
    void text(std::u16string_view value);
    void text(std::string_view utf8);
    // Markup written as is (fixed parts of the design).
    void raw(std::string_view markup);
    void flush();

    // Convenience: <tag/> with no attributes, and <tag>text</tag>.
    void empty(std::string_view tag)
    {
        start(tag);
        end(tag);
    }

private:
    void closeStart();
    void put(std::string_view s)
    {
        buffer_.append(s);
        if (buffer_.size() >= kFlushAt) flush();
    }
    void escaped(std::u16string_view value, bool inAttribute);
    void escaped(std::string_view value, bool inAttribute);

    static constexpr std::size_t kFlushAt = 1 << 16;
    ByteSink& sink_;
    std::string buffer_;
    bool startOpen_ = false;
};

}  // namespace ppt
