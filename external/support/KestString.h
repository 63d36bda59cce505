// The byte string of the component: UTF-8 bytes, length-counted, always also
// NUL-terminated; compared bytewise and case-sensitively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

class KestString {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    KestString() = default;
    KestString(const KestString&) = default;
    KestString(KestString&&) noexcept = default;
    KestString(const char* text);  // a null pointer is the empty string
    explicit KestString(std::string_view text) : text_(text) {}
    explicit KestString(std::string text) : text_(std::move(text)) {}
    ~KestString() = default;

    KestString& operator=(const KestString&) = default;
    KestString& operator=(KestString&&) noexcept = default;
    KestString& operator=(const char* text);

    KestString& append(const KestString& s);
    KestString& append(const KestString& s, std::size_t n);
    KestString& append(const char* s);
    KestString& append(const char* s, std::size_t n);
    KestString& insert(std::size_t pos, const KestString& s);
    KestString& remove(std::size_t pos);
    KestString& remove(std::size_t pos, std::size_t n);

    std::size_t find(const KestString& s) const;
    std::size_t first(char c) const;
    std::size_t last(char c) const;
    std::size_t first(const KestString& set) const;
    bool startsWith(const char* prefix) const;
    // Replaces every occurrence of from, left to right; replaced text is not
    // scanned again. An empty from changes nothing.
    KestString& replaceStr(const KestString& from, const KestString& to);
    KestString& toUpper();  // ASCII letters only
    KestString& toLower();  // ASCII letters only
    std::uint32_t hash() const;

    std::size_t length() const { return text_.size(); }
    bool isEmpty() const { return text_.empty(); }
    const char* data() const { return text_.c_str(); }
    char* data() { return text_.data(); }

    // Bridges to the standard library.
    const std::string& str() const { return text_; }
    std::string_view view() const { return text_; }
    KestString substr(std::size_t pos, std::size_t n = npos) const;

private:
    std::string text_;
};

bool operator==(const KestString& a, const KestString& b);
bool operator!=(const KestString& a, const KestString& b);
bool operator<(const KestString& a, const KestString& b);
bool operator>(const KestString& a, const KestString& b);
std::ostream& operator<<(std::ostream& out, const KestString& s);
