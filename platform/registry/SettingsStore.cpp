#include "SettingsStore.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <mutex>
#include <set>

#include "NoDestructor.h"

namespace registry::settings {

namespace {

std::string lowerAscii(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::optional<std::uint32_t> parseNumber(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    bool negative = false;
    if (text.front() == '-' || text.front() == '+') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (negative ? value > 0x80000000ull : value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<std::uint32_t>(negative ? 0 - value : value);
}

}  // namespace

Hive hiveFor(bool machineWide)
{
    return machineWide ? Hive::LocalMachine : Hive::CurrentUser;
}

std::string keyFor(const KestString& group)
{
    std::string key = rootKey;
    if (!group.isEmpty()) key.append("\\").append(group.str());
    return key;
}

std::string valueText(const Value& value)
{
    switch (value.type) {
    case ValueType::String:
    case ValueType::ExpandString: return value.text;
    case ValueType::Dword: return std::to_string(value.dword);
    case ValueType::MultiString: {
        std::string joined;
        for (const std::string& s : value.strings) {
            if (!joined.empty()) joined.push_back('\n');
            joined += s;
        }
        return joined;
    }
    default: return value.bytes;
    }
}

Value valueFor(const RegEntry& entry)
{
    const std::string& text = entry.value.str();
    if (entry.type == RegEntry::Number || entry.type == RegEntry::Flag) {
        if (auto number = parseNumber(text)) return Value::number(*number);
        if (entry.type == RegEntry::Flag) {
            std::string word = lowerAscii(text);
            if (word == "true" || word == "yes" || word == "on") return Value::number(1);
            if (word == "false" || word == "no" || word == "off") return Value::number(0);
        }
    }
    return Value::string(text);
}

std::optional<Value> readQuietly(bool machineWide, const KestString& group, const KestString& name)
{
    try {
        return Registry::openDefault()->getValue(hiveFor(machineWide), keyFor(group), name.str());
    } catch (const std::exception& e) {
        reportOnce(e.what());
        return std::nullopt;
    }
}

void reportOnce(const std::string& message)
{
    struct Reported {
        std::mutex mutex;
        std::set<std::string> messages;
    };
    static platform_detail::NoDestructor<Reported> reported;
    std::lock_guard lock(reported->mutex);
    if (reported->messages.size() < 64 && reported->messages.insert(message).second)
        std::fprintf(stderr, "%s\n", message.c_str());
}

}  // namespace registry::settings
