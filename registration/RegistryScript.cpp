#include "registration/RegistryScript.h"

#include <cctype>
#include <charconv>
#include <optional>

#include <strings.h>

namespace registration {

ScriptError::~ScriptError() = default;

namespace {

using Key = RegistryScript::Key;

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

struct Token {
    enum class Kind { Word, Quoted, Open, Close, Equals, End } kind = Kind::End;
    std::string text;
    int line = 0;
    bool isWord(std::string_view w) const { return kind == Kind::Word && equalsIgnoringCase(text, w); }
};

class Tokenizer {
public:
    Tokenizer(std::string_view text, const std::map<std::string, std::string>& variables)
        : text_(text), variables_(variables)
    {
        advance();
    }

    const Token& peek() const { return current_; }
    Token take()
    {
        Token t = std::move(current_);
        advance();
        return t;
    }
    [[noreturn]] void fail(const std::string& what, int line) const
    {
        throw ScriptError("registration script, line " + std::to_string(line) + ": " + what);
    }

private:
    void advance()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) {
            if (text_[pos_] == '\n') ++line_;
            ++pos_;
        }
        current_ = Token{};
        current_.line = line_;
        if (pos_ >= text_.size()) return;
        char c = text_[pos_];
        std::string raw;
        if (c == '\'') {
            // 'text', with '' standing for one quote.
            current_.kind = Token::Kind::Quoted;
            ++pos_;
            while (true) {
                if (pos_ >= text_.size()) fail("unterminated quoted text", current_.line);
                char q = text_[pos_++];
                if (q == '\n') ++line_;
                if (q == '\'') {
                    if (pos_ < text_.size() && text_[pos_] == '\'') {
                        raw += '\'';
                        ++pos_;
                        continue;
                    }
                    break;
                }
                raw += q;
            }
        } else {
            // Words end at white space only: "{", "}" and "=" stand alone,
            // while a class identifier "{...}" is a word.
            current_.kind = Token::Kind::Word;
            while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_]))) raw += text_[pos_++];
            if (raw == "{" || raw == "}" || raw == "=") {
                current_.kind = raw == "{" ? Token::Kind::Open : raw == "}" ? Token::Kind::Close : Token::Kind::Equals;
                return;
            }
        }
        current_.text = substitute(raw, current_.line);
    }

    // %NAME% -> its value, %% -> %.
    std::string substitute(const std::string& raw, int line) const
    {
        std::string out;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] != '%') {
                out += raw[i];
                continue;
            }
            std::size_t end = raw.find('%', i + 1);
            if (end == std::string::npos) fail("a '%' without its closing '%'", line);
            std::string name = raw.substr(i + 1, end - i - 1);
            if (name.empty()) {
                out += '%';
            } else {
                auto found = variables_.find(name);
                if (found == variables_.end()) fail("unknown variable %" + name + "%", line);
                out += found->second;
            }
            i = end;
        }
        return out;
    }

    std::string_view text_;
    const std::map<std::string, std::string>& variables_;
    std::size_t pos_ = 0;
    int line_ = 1;
    Token current_;
};

class Parser {
public:
    explicit Parser(Tokenizer& tokens) : t_(tokens) {}

    std::vector<RegistryScript::Root> script()
    {
        std::vector<RegistryScript::Root> roots;
        while (t_.peek().kind != Token::Kind::End) {
            Token name = t_.take();
            auto hive = name.kind == Token::Kind::Word ? registry::hiveFromName(name.text) : std::nullopt;
            if (!hive) t_.fail("expected a root key such as HKCR, found '" + name.text + "'", name.line);
            expect(Token::Kind::Open, "'{' after the root key");
            RegistryScript::Root root{*hive, {}};
            while (t_.peek().kind != Token::Kind::Close) root.keys.push_back(key());
            t_.take();
            roots.push_back(std::move(root));
        }
        return roots;
    }

private:
    Key key()
    {
        Key k;
        Token first = t_.take();
        if (first.kind == Token::Kind::End) t_.fail("missing '}'", first.line);
        if (first.kind == Token::Kind::Word) {
            if (first.isWord("NoRemove")) k.flag = Key::Flag::NoRemove;
            else if (first.isWord("ForceRemove")) k.flag = Key::Flag::ForceRemove;
            else if (first.isWord("Delete")) k.flag = Key::Flag::Delete;
            if (k.flag != Key::Flag::None) first = t_.take();
        }
        if (first.kind != Token::Kind::Word && first.kind != Token::Kind::Quoted)
            t_.fail("expected a key name", first.line);
        if (first.text.empty() || first.text.find('\\') != std::string::npos)
            t_.fail("a key name must be one non-empty path element: '" + first.text + "'", first.line);
        k.name = first.text;
        if (t_.peek().kind == Token::Kind::Equals) {
            t_.take();
            k.values.push_back({"", value()});
        }
        if (t_.peek().kind == Token::Kind::Open) {
            t_.take();
            while (t_.peek().kind != Token::Kind::Close) {
                if (t_.peek().kind == Token::Kind::End) t_.fail("missing '}'", t_.peek().line);
                if (t_.peek().isWord("val")) {
                    t_.take();
                    Token name = t_.take();
                    if (name.kind != Token::Kind::Word && name.kind != Token::Kind::Quoted)
                        t_.fail("expected a value name after 'val'", name.line);
                    expect(Token::Kind::Equals, "'=' after the value name");
                    k.values.push_back({name.text, value()});
                } else {
                    k.subKeys.push_back(key());
                }
            }
            t_.take();
        }
        return k;
    }

    registry::Value value()
    {
        Token type = t_.take();
        Token data = t_.take();
        if (data.kind != Token::Kind::Quoted && data.kind != Token::Kind::Word)
            t_.fail("expected the data of the value", data.line);
        if (type.isWord("s")) return registry::Value::string(data.text);
        if (type.isWord("d")) {
            std::uint32_t n = 0;
            std::string_view digits = data.text;
            int base = 10;
            if (digits.starts_with("0x") || digits.starts_with("0X")) {
                digits.remove_prefix(2);
                base = 16;
            }
            auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n, base);
            if (ec != std::errc() || end != digits.data() + digits.size() || digits.empty())
                t_.fail("not a number: '" + data.text + "'", data.line);
            return registry::Value::number(n);
        }
        t_.fail("unsupported value type '" + type.text + "' (s or d)", type.line);
    }

    void expect(Token::Kind kind, const char* what)
    {
        Token t = t_.take();
        if (t.kind != kind) t_.fail(std::string("expected ") + what, t.line);
    }

    Tokenizer& t_;
};

std::string join(const std::string& parent, const std::string& name)
{
    return parent.empty() ? name : parent + "\\" + name;
}

void registerKey(registry::Registry& reg, registry::Hive hive, const Key& key, const std::string& parent)
{
    std::string path = join(parent, key.name);
    if (key.flag == Key::Flag::Delete) {
        reg.deleteTree(hive, path);
        return;
    }
    if (key.flag == Key::Flag::ForceRemove) reg.deleteTree(hive, path);
    reg.createKey(hive, path);
    for (const auto& v : key.values) reg.setValue(hive, path, v.name, v.value);
    for (const Key& sub : key.subKeys) registerKey(reg, hive, sub, path);
}

void unregisterKey(registry::Registry& reg, registry::Hive hive, const Key& key, const std::string& parent)
{
    std::string path = join(parent, key.name);
    // A key the script writes a value into is the script's own (a ProgID, say):
    // it goes whole, as with ForceRemove, so that no half of it is left behind
    // for something someone else put under it.
    bool owned = key.flag == Key::Flag::None && !key.values.empty();
    if (owned || key.flag == Key::Flag::ForceRemove || key.flag == Key::Flag::Delete) {
        reg.deleteTree(hive, path);
        return;
    }
    if (!reg.keyExists(hive, path)) return;
    for (const Key& sub : key.subKeys) unregisterKey(reg, hive, sub, path);
    // Keys that only lead to the script's own stay while others put something under them.
    if (key.flag == Key::Flag::None && reg.subKeys(hive, path).empty()) reg.deleteTree(hive, path);
}

}  // namespace

RegistryScript RegistryScript::parse(std::string_view text, const std::map<std::string, std::string>& variables)
{
    Tokenizer tokens(text, variables);
    RegistryScript script;
    script.roots_ = Parser(tokens).script();
    return script;
}

void RegistryScript::registerIn(registry::Registry& registry) const
{
    registry.transaction([&] {
        for (const Root& root : roots_)
            for (const Key& key : root.keys) registerKey(registry, root.hive, key, "");
    });
}

void RegistryScript::unregisterFrom(registry::Registry& registry) const
{
    registry.transaction([&] {
        for (const Root& root : roots_)
            for (const Key& key : root.keys) unregisterKey(registry, root.hive, key, "");
    });
}

}  // namespace registration
