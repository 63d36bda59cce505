// orvel reg: look into and change the registry database, in the manner of
// the Windows reg tool (query, add, delete, export to the .reg text format).
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Commands.h"
#include "registry/Registry.h"

namespace orvel_cli {

namespace {

using registry::Hive;
using registry::Registry;
using registry::Value;
using registry::ValueType;

constexpr const char* usageText =
    "usage: orvel reg query KEY [/v NAME | /ve] [/s]\n"
    "       orvel reg add KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]\n"
    "       orvel reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "       orvel reg export [KEY [FILE]] [--force]\n"
    "\n"
    "KEY starts with a hive: HKEY_CLASSES_ROOT (HKCR), HKEY_CURRENT_USER (HKCU)\n"
    "or HKEY_LOCAL_MACHINE (HKLM), e.g. HKCU\\Software\\Orvel\\Settings.\n"
    "TYPE is REG_SZ (default), REG_EXPAND_SZ, REG_DWORD, REG_BINARY, REG_MULTI_SZ\n"
    "or REG_NONE. A DWORD is decimal or 0x hexadecimal, binary data hexadecimal\n"
    "digits, a multi-string's parts are separated by \\0. /ve names the default\n"
    "value. export writes the .reg text format to FILE or standard output; it\n"
    "replaces an existing FILE only with --force (or /f, /y), and never the\n"
    "registry's own files.\n"
    "The registry file is $ORVEL_REGISTRY or ~/.local/share/orvel/registry.db.\n";

struct UsageError {
    std::string message;
};
struct CommandError {
    std::string message;
};

struct KeyName {
    Hive hive;
    std::string path;  // below the hive, "" for the hive itself

    std::string full() const { return path.empty() ? hiveName(hive) : std::string(hiveName(hive)) + "\\" + path; }
};

KeyName parseKey(const std::string& text)
{
    std::string::size_type slash = text.find('\\');
    std::string hive = text.substr(0, slash);
    auto parsed = registry::hiveFromName(hive);
    if (!parsed) throw UsageError{"unknown hive '" + hive + "' (use HKCR, HKCU or HKLM)"};
    std::string rest = slash == std::string::npos ? std::string() : text.substr(slash + 1);
    while (!rest.empty() && rest.back() == '\\') rest.pop_back();
    return KeyName{*parsed, rest};
}

bool isOption(const std::string& arg, const char* name)
{
    return (arg[0] == '/' || arg[0] == '-') && strcasecmp(arg.c_str() + 1, name) == 0;
}

struct RegOptions {
    std::vector<std::string> positional;
    std::optional<std::string> valueName;  // /v NAME, or "" for /ve
    bool allValues = false;                // /va
    bool recursive = false;                // /s
    std::optional<std::string> type;       // /t
    std::optional<std::string> data;       // /d
    bool force = false;                    // --force, /f, /y
};

RegOptions parseOptions(Args args)
{
    RegOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i] ? args[i] : "";
        auto next = [&](const char* what) {
            if (i + 1 >= args.size()) throw UsageError{std::string("option ") + what + " needs a value"};
            return std::string(args[++i]);
        };
        if (arg.empty()) {
            o.positional.push_back(arg);
        } else if (isOption(arg, "v")) {
            o.valueName = next("/v");
        } else if (isOption(arg, "ve")) {
            o.valueName = std::string();
        } else if (isOption(arg, "va")) {
            o.allValues = true;
        } else if (isOption(arg, "s")) {
            o.recursive = true;
        } else if (isOption(arg, "t")) {
            o.type = next("/t");
        } else if (isOption(arg, "d")) {
            o.data = next("/d");
        } else if (arg == "--force" || isOption(arg, "f") || isOption(arg, "y")) {
            // Never asks anyway; export replaces an existing file only when forced.
            o.force = true;
        } else if (arg.size() > 1 && arg[0] == '/' && arg.size() <= 3 && arg.find('\\') == std::string::npos) {
            throw UsageError{"unknown option '" + arg + "'"};
        } else {
            o.positional.push_back(arg);
        }
    }
    return o;
}

std::optional<ValueType> typeFromName(std::string name)
{
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (name == "REG_SZ") return ValueType::String;
    if (name == "REG_EXPAND_SZ") return ValueType::ExpandString;
    if (name == "REG_DWORD") return ValueType::Dword;
    if (name == "REG_BINARY") return ValueType::Binary;
    if (name == "REG_MULTI_SZ") return ValueType::MultiString;
    if (name == "REG_NONE") return ValueType::None;
    return std::nullopt;
}

const char* typeName(ValueType type)
{
    switch (type) {
    case ValueType::None: return "REG_NONE";
    case ValueType::String: return "REG_SZ";
    case ValueType::ExpandString: return "REG_EXPAND_SZ";
    case ValueType::Binary: return "REG_BINARY";
    case ValueType::Dword: return "REG_DWORD";
    case ValueType::MultiString: return "REG_MULTI_SZ";
    }
    return "REG_UNKNOWN";
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

Value makeValue(ValueType type, const std::string& data)
{
    Value v;
    v.type = type;
    switch (type) {
    case ValueType::String:
    case ValueType::ExpandString: v.text = data; break;
    case ValueType::Dword: {
        std::string digits = data.empty() ? "0" : data;
        int base = digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X') ? 16 : 10;
        // Digits only: strtoull alone would also take blanks and signs.
        std::string_view body = std::string_view(digits).substr(base == 16 ? 2 : 0);
        bool onlyDigits = std::all_of(body.begin(), body.end(), [&](char c) {
            return base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) : std::isdigit(static_cast<unsigned char>(c));
        });
        char* end = nullptr;
        errno = 0;
        unsigned long long n = std::strtoull(digits.c_str(), &end, base);
        if (!onlyDigits || *end || errno || n > 0xFFFFFFFFull)
            throw UsageError{"'" + data + "' is not a DWORD (0 to 4294967295, or 0x hexadecimal)"};
        v.dword = static_cast<std::uint32_t>(n);
        break;
    }
    case ValueType::MultiString: {
        std::size_t start = 0;
        while (start <= data.size() && !data.empty()) {
            std::size_t end = data.find("\\0", start);
            if (end == std::string::npos) end = data.size();
            v.strings.push_back(data.substr(start, end - start));
            start = end + 2;
        }
        break;
    }
    default: {
        if (data.size() % 2) throw UsageError{"binary data needs an even number of hexadecimal digits"};
        for (std::size_t i = 0; i < data.size(); i += 2) {
            int hi = hexDigit(data[i]), lo = hexDigit(data[i + 1]);
            if (hi < 0 || lo < 0) throw UsageError{"'" + data + "' is not hexadecimal binary data"};
            v.bytes.push_back(static_cast<char>(hi * 16 + lo));
        }
        break;
    }
    }
    return v;
}

std::string displayData(const Value& v)
{
    char buffer[16];
    switch (v.type) {
    case ValueType::String:
    case ValueType::ExpandString: return v.text;
    case ValueType::Dword: std::snprintf(buffer, sizeof buffer, "0x%x", v.dword); return buffer;
    case ValueType::MultiString: {
        std::string joined;
        for (std::size_t i = 0; i < v.strings.size(); ++i) joined += (i ? "\\0" : "") + v.strings[i];
        return joined;
    }
    default: {
        std::string hex;
        for (unsigned char c : v.bytes) {
            std::snprintf(buffer, sizeof buffer, "%02X", c);
            hex += buffer;
        }
        return hex;
    }
    }
}

void printValue(std::ostream& out, const std::string& name, const Value& v)
{
    out << "    " << (name.empty() ? "(Default)" : name) << "    " << typeName(v.type) << "    " << displayData(v) << "\n";
}

std::string join(const std::string& path, const std::string& child)
{
    return path.empty() ? child : path + "\\" + child;
}

void printKey(std::ostream& out, const KeyName& key, const std::vector<std::pair<std::string, Value>>& values)
{
    out << "\n" << key.full() << "\n";
    for (const auto& [name, value] : values) printValue(out, name, value);
}

void queryKey(Registry& reg, const KeyName& key, bool recursive, std::ostream& out)
{
    if (recursive) {
        reg.visitTree(key.hive, key.path,
                      [&](const registry::KeyContents& k) { printKey(out, KeyName{key.hive, k.path}, k.values); });
        return;
    }
    printKey(out, key, reg.values(key.hive, key.path));
    std::vector<std::string> children = reg.subKeys(key.hive, key.path);
    for (const std::string& child : children) out << "\n" << KeyName{key.hive, join(key.path, child)}.full();
    if (!children.empty()) out << "\n";
}

int query(const RegOptions& o)
{
    if (o.positional.size() != 1) throw UsageError{"query takes one KEY"};
    KeyName key = parseKey(o.positional[0]);
    auto reg = Registry::openDefault();
    if (!reg->keyExists(key.hive, key.path))
        throw CommandError{"the key " + key.full() + " does not exist"};
    if (o.valueName) {
        auto value = reg->getValue(key.hive, key.path, *o.valueName);
        if (!value)
            throw CommandError{"the value " + (o.valueName->empty() ? std::string("(Default)") : *o.valueName) +
                               " does not exist in " + key.full()};
        // Shown under its stored spelling, whatever case was asked for.
        std::string stored = *o.valueName;
        for (const auto& [name, v] : reg->values(key.hive, key.path))
            if (strcasecmp(name.c_str(), stored.c_str()) == 0) stored = name;
        std::cout << "\n" << key.full() << "\n";
        printValue(std::cout, stored, *value);
        std::cout << "\n";
        return 0;
    }
    queryKey(*reg, key, o.recursive, std::cout);
    std::cout << "\n";
    return 0;
}

int add(const RegOptions& o)
{
    if (o.positional.size() != 1) throw UsageError{"add takes one KEY"};
    KeyName key = parseKey(o.positional[0]);
    if (key.path.empty()) throw UsageError{"add needs a key below the hive"};
    auto reg = Registry::openDefault();
    if (!o.valueName && !o.type && !o.data) {
        reg->createKey(key.hive, key.path);
        return 0;
    }
    ValueType type = ValueType::String;
    if (o.type) {
        auto parsed = typeFromName(*o.type);
        if (!parsed) throw UsageError{"unknown type '" + *o.type + "'"};
        type = *parsed;
    }
    reg->setValue(key.hive, key.path, o.valueName.value_or(""), makeValue(type, o.data.value_or("")));
    return 0;
}

int remove(const RegOptions& o)
{
    if (o.positional.size() != 1) throw UsageError{"delete takes one KEY"};
    KeyName key = parseKey(o.positional[0]);
    auto reg = Registry::openDefault();
    if (o.valueName) {
        if (!reg->deleteValue(key.hive, key.path, *o.valueName))
            throw CommandError{"the value " + (o.valueName->empty() ? std::string("(Default)") : *o.valueName) +
                               " does not exist in " + key.full()};
        return 0;
    }
    if (o.allValues) {
        if (!reg->keyExists(key.hive, key.path)) throw CommandError{"the key " + key.full() + " does not exist"};
        reg->transaction([&] {
            for (const auto& [name, value] : reg->values(key.hive, key.path)) reg->deleteValue(key.hive, key.path, name);
        });
        return 0;
    }
    if (key.path.empty()) throw UsageError{"refusing to delete a whole hive"};
    if (!reg->deleteTree(key.hive, key.path)) throw CommandError{"the key " + key.full() + " does not exist"};
    return 0;
}

std::string quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out.push_back('\\');
        out.push_back(c);
    }
    return out + "\"";
}

std::string hexList(const std::string& bytes)
{
    std::string out;
    char buffer[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%02x", static_cast<unsigned char>(bytes[i]));
        if (i) out += ",";
        out += buffer;
    }
    return out;
}

// REG_EXPAND_SZ and REG_MULTI_SZ are exported as their UTF-16LE bytes.
std::string utf16Bytes(const std::vector<std::string>& parts, bool multi)
{
    std::string bytes;
    auto put = [&](char32_t c) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    };
    for (const std::string& part : parts) {
        for (std::size_t i = 0; i < part.size();) {
            unsigned char lead = static_cast<unsigned char>(part[i]);
            int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
            char32_t c = extra ? lead & (0x3F >> extra) : lead;
            std::size_t k = 1;
            for (; k <= static_cast<std::size_t>(extra) && i + k < part.size(); ++k) c = (c << 6) | (part[i + k] & 0x3F);
            i += k;
            if (c >= 0x10000) {
                c -= 0x10000;
                put(0xD800 + (c >> 10));
                put(0xDC00 + (c & 0x3FF));
            } else {
                put(c);
            }
        }
        put(0);
    }
    if (multi) put(0);
    return bytes;
}

std::string exportLine(const std::string& name, const Value& v)
{
    std::string line = name.empty() ? "@" : quoted(name);
    line += "=";
    char buffer[16];
    switch (v.type) {
    case ValueType::String: return line + quoted(v.text);
    case ValueType::Dword: std::snprintf(buffer, sizeof buffer, "dword:%08x", v.dword); return line + buffer;
    case ValueType::Binary: return line + "hex:" + hexList(v.bytes);
    case ValueType::ExpandString: return line + "hex(2):" + hexList(utf16Bytes({v.text}, false));
    case ValueType::MultiString: return line + "hex(7):" + hexList(utf16Bytes(v.strings, true));
    default:
        std::snprintf(buffer, sizeof buffer, "hex(%x):", static_cast<unsigned>(v.type));
        return line + buffer + hexList(v.bytes);
    }
}

void exportKey(Registry& reg, const KeyName& key, std::ostream& out)
{
    reg.visitTree(key.hive, key.path, [&](const registry::KeyContents& k) {
        if (k.path.empty()) return;  // a hive has no section of its own
        out << "[" << KeyName{key.hive, k.path}.full() << "]\n";
        for (const auto& [name, value] : k.values) out << exportLine(name, value) << "\n";
        out << "\n";
    });
}

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    // Files not there yet (the registry's -wal and -shm come and go) compare by name.
    auto ca = std::filesystem::weakly_canonical(a, ec);
    if (ec) return false;
    auto cb = std::filesystem::weakly_canonical(b, ec);
    return !ec && ca == cb;
}

void writeExport(const std::string& file, const std::string& text, bool force, const std::string& registryFile)
{
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        if (sameFile(file, registryFile + suffix))
            throw CommandError{"refusing to export into " + file + ": it is a file of the registry itself"};
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    // Without --force an existing file is refused, atomically ("x": O_EXCL).
    std::unique_ptr<std::FILE, Closer> out(std::fopen(file.c_str(), force ? "wbe" : "wbxe"));
    if (!out && errno == EEXIST) throw CommandError{file + " exists; add --force to replace it"};
    if (!out) throw CommandError{"cannot write " + file + ": " + std::strerror(errno)};
    bool written = std::fwrite(text.data(), 1, text.size(), out.get()) == text.size();
    if (std::fclose(out.release()) != 0 || !written)
        throw CommandError{"cannot write " + file + ": " + std::strerror(errno)};
}

int exportKeys(const RegOptions& o)
{
    if (o.positional.size() > 2) throw UsageError{"export takes at most KEY and FILE"};
    auto reg = Registry::openDefault();
    std::vector<KeyName> keys;
    if (o.positional.empty()) {
        keys = {{Hive::ClassesRoot, ""}, {Hive::CurrentUser, ""}, {Hive::LocalMachine, ""}};
    } else {
        KeyName key = parseKey(o.positional[0]);
        if (!reg->keyExists(key.hive, key.path)) throw CommandError{"the key " + key.full() + " does not exist"};
        keys.push_back(key);
    }
    std::ostringstream text;
    text << "Windows Registry Editor Version 5.00\n\n";
    for (const KeyName& key : keys) exportKey(*reg, key, text);
    if (o.positional.size() == 2) {
        writeExport(o.positional[1], text.str(), o.force, reg->path());
    } else {
        std::cout << text.str();
    }
    return 0;
}

}  // namespace

int regCommand(Args args)
{
    if (args.empty()) {
        std::fputs(usageText, stderr);
        return 2;
    }
    std::string verb = args[0];
    for (const char* arg : args) {
        std::string_view a = arg ? arg : "";
        if (a == "--help" || a == "-h" || a == "/?" || (a == "help" && arg == args[0])) {
            std::fputs(usageText, stdout);
            return 0;
        }
    }
    try {
        RegOptions o = parseOptions(args.subspan(1));
        if (verb == "query") return query(o);
        if (verb == "add") return add(o);
        if (verb == "delete") return remove(o);
        if (verb == "export") return exportKeys(o);
        throw UsageError{"unknown operation '" + verb + "'"};
    } catch (const UsageError& e) {
        std::fprintf(stderr, "orvel reg: %s (see 'orvel reg --help')\n", e.message.c_str());
        return 2;
    } catch (const CommandError& e) {
        std::fprintf(stderr, "orvel reg: %s\n", e.message.c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "orvel reg: %s\n", e.what());
        return 1;
    }
}

}  // namespace orvel_cli
