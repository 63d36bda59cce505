#include "support/KestString.h"

#include <algorithm>
#include <ostream>

KestString::KestString(const char* text) : text_(text ? text : "") {}

KestString& KestString::operator=(const char* text)
{
    text_.assign(text ? text : "");
    return *this;
}

KestString& KestString::append(const KestString& s)
{
    text_.append(s.text_);
    return *this;
}

KestString& KestString::append(const KestString& s, std::size_t n)
{
    text_.append(s.text_, 0, std::min(n, s.text_.size()));
    return *this;
}

KestString& KestString::append(const char* s)
{
    if (s) text_.append(s);
    return *this;
}

KestString& KestString::append(const char* s, std::size_t n)
{
    // Stops at a NUL so a short text with a large n never reads past its end.
    if (s) text_.append(s, std::find(s, s + n, '\0') - s);
    return *this;
}

KestString& KestString::insert(std::size_t pos, const KestString& s)
{
    text_.insert(std::min(pos, text_.size()), s.text_);
    return *this;
}

KestString& KestString::remove(std::size_t pos)
{
    if (pos < text_.size()) text_.erase(pos);
    return *this;
}

KestString& KestString::remove(std::size_t pos, std::size_t n)
{
    if (pos < text_.size()) text_.erase(pos, n);
    return *this;
}

std::size_t KestString::find(const KestString& s) const
{
    return text_.find(s.text_);
}

std::size_t KestString::first(char c) const
{
    return text_.find(c);
}

std::size_t KestString::last(char c) const
{
    return text_.rfind(c);
}

std::size_t KestString::first(const KestString& set) const
{
    return set.isEmpty() ? npos : text_.find_first_of(set.text_);
}

bool KestString::startsWith(const char* prefix) const
{
    return !prefix || text_.starts_with(prefix);
}

KestString& KestString::replaceStr(const KestString& from, const KestString& to)
{
    if (from.isEmpty()) return *this;
    std::size_t pos = text_.find(from.text_);
    if (pos == npos) return *this;
    std::string result;
    result.reserve(text_.size());
    std::size_t scanned = 0;
    while (pos != npos) {
        result.append(text_, scanned, pos - scanned);
        result.append(to.text_);
        scanned = pos + from.text_.size();
        pos = text_.find(from.text_, scanned);
    }
    result.append(text_, scanned, npos);
    text_ = std::move(result);
    return *this;
}

KestString& KestString::toUpper()
{
    for (char& c : text_)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return *this;
}

KestString& KestString::toLower()
{
    for (char& c : text_)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return *this;
}

std::uint32_t KestString::hash() const
{
    // FNV-1a: cheap, byte-wise, and spreads short keys well.
    std::uint32_t h = 2166136261u;
    for (unsigned char c : text_) {
        h ^= c;
        h *= 16777619u;
    }
    return h;
}

KestString KestString::substr(std::size_t pos, std::size_t n) const
{
    if (pos >= text_.size()) return KestString();
    return KestString(text_.substr(pos, n));
}

bool operator==(const KestString& a, const KestString& b)
{
    return a.str() == b.str();
}

bool operator!=(const KestString& a, const KestString& b)
{
    return a.str() != b.str();
}

bool operator<(const KestString& a, const KestString& b)
{
    // std::string compares through char_traits<char>, which orders bytes as unsigned.
    return a.str() < b.str();
}

bool operator>(const KestString& a, const KestString& b)
{
    return b < a;
}

std::ostream& operator<<(std::ostream& out, const KestString& s)
{
    return out.write(s.data(), static_cast<std::streamsize>(s.length()));
}
