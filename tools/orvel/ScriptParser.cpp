#include "Script.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

namespace orvel_script {
namespace {

using doctypelib::MethodInfo;
using doctypelib::ParamInfo;
using doctypelib::ParamKind;

constexpr std::string_view statementPrefix = "orvel->";
constexpr std::string_view logLinePrefix = "ERR ";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The script cut into lines, each without its "\n", with what the parser
// needs to know about each: where statements may end.
class Lines {
public:
    explicit Lines(std::string_view script) : script_(script)
    {
        std::size_t start = 0;
        while (true) {
            std::size_t end = script.find('\n', start);
            starts_.push_back(start);
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
        // A statement with a text argument may end on line i only when the
        // next line that is not blank starts something new.
        std::vector<bool> canEndAfter(starts_.size(), false);
        bool nextStartsSomething = true;  // the end of the script
        for (std::size_t i = starts_.size(); i-- > 0;) {
            canEndAfter[i] = nextStartsSomething;
            std::string_view t = trimBlanks(text(i));
            if (!t.empty()) nextStartsSomething = startsSomething(t);
        }
        for (std::size_t i = 0; i < starts_.size(); ++i)
            if (canEndAfter[i] && closesStatement(text(i))) endingLines_.push_back(i);
    }

    std::size_t count() const { return starts_.size(); }
    std::size_t start(std::size_t i) const { return starts_[i]; }
    std::string_view text(std::size_t i) const
    {
        std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] - 1 : script_.size();
        return script_.substr(starts_[i], end - starts_[i]);
    }
    // The first line at or after `from` that may end a statement; count() when none.
    std::size_t endingLineFrom(std::size_t from) const
    {
        auto it = std::lower_bound(endingLines_.begin(), endingLines_.end(), from);
        return it == endingLines_.end() ? count() : *it;
    }
    static bool startsSomething(std::string_view trimmed)
    {
        return trimmed.starts_with(statementPrefix) || trimmed.starts_with('#') ||
               trimmed.starts_with(logLinePrefix);
    }

private:
    static bool closesStatement(std::string_view line)
    {
        std::string_view t = line;
        while (!t.empty() && isBlank(t.back())) t.remove_suffix(1);
        return t.ends_with(");");
    }

    std::string_view script_;
    std::vector<std::size_t> starts_;
    std::vector<std::size_t> endingLines_;
};

struct Failure {
    std::string message;
};

std::size_t inputCount(const MethodInfo& m)
{
    return static_cast<std::size_t>(std::count_if(m.params.begin(), m.params.end(),
                                                  [](const ParamInfo& p) { return p.kind != ParamKind::BstrOut; }));
}

bool isText(ParamKind kind) { return kind == ParamKind::BstrIn; }

// The echo names the attribute of setFontAttribute instead of its code.
std::optional<std::int32_t> attributeCode(std::string_view word)
{
    if (word == "Bold") return 1;
    if (word == "Italic") return 2;
    if (word == "Underline") return 4;
    if (word == "Strike") return 8;
    return std::nullopt;
}

const char* attributeName(std::int32_t code)
{
    switch (code) {
    case 1: return "Bold";
    case 2: return "Italic";
    case 4: return "Underline";
    case 8: return "Strike";
    default: return nullptr;
    }
}

std::optional<std::int32_t> booleanWord(std::string_view word)
{
    if (word == "TRUE" || word == "true" || word == "True") return 1;
    if (word == "FALSE" || word == "false" || word == "False") return 0;
    return std::nullopt;
}

std::int32_t parseNumber(std::string_view given, const MethodInfo& method, const ParamInfo& param)
{
    std::string_view word = trimBlanks(given);
    if (param.kind == ParamKind::BoolIn)
        if (auto b = booleanWord(word)) return *b;
    if (std::string_view(method.name) == "setFontAttribute" && param.kind == ParamKind::ShortIn)
        if (auto a = attributeCode(word)) return *a;
    if (word.empty()) throw Failure{std::string("missing value for '") + param.name + "'"};
    if (word.front() == '"') throw Failure{std::string("'") + param.name + "' is a number, not a text"};
    std::int64_t value = 0;
    // One optional sign, then digits only: from_chars alone would take the
    // "-5" of "+-5".
    std::string_view digits = word.starts_with('+') ? word.substr(1) : word;
    bool wellFormed = !digits.empty() && (digits.front() == '-' ? word.front() == '-' : true);
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (wellFormed && ec == std::errc::result_out_of_range)
        throw Failure{std::string("number out of range for '") + param.name + "': " + std::string(word)};
    if (!wellFormed || ec != std::errc() || end != digits.data() + digits.size())
        throw Failure{std::string("'") + std::string(word) + "' is not a decimal number (for '" + param.name + "')"};
    std::int64_t low = param.kind == ParamKind::ShortIn ? std::numeric_limits<std::int16_t>::min()
                                                         : std::numeric_limits<std::int32_t>::min();
    std::int64_t high = param.kind == ParamKind::ShortIn ? std::numeric_limits<std::int16_t>::max()
                                                          : std::numeric_limits<std::int32_t>::max();
    if (value < low || value > high)
        throw Failure{std::string("number out of range for '") + param.name + "': " + std::string(word)};
    return static_cast<std::int32_t>(value);
}

// Which text argument may hold anything, the separator `","` included: the
// others are names and are cut at the separator nearest to them.
std::size_t freeTextIndex(const MethodInfo& method, std::size_t textCount)
{
    if (std::string_view(method.name) == "insertXref") return 0;  // the link text, not the tag
    return textCount - 1;
}

// Splits `"T1","T2",...,"Tk"` into k texts.
std::vector<std::string> splitTexts(std::string_view region, std::size_t count, const MethodInfo& method)
{
    std::string_view r = region;
    if (r.empty() || r.front() != '"') {
        if (trimBlanks(r).empty()) throw Failure{"missing text argument"};
        throw Failure{"a text argument must start with '\"'"};
    }
    if (r.size() < 2 || r.back() != '"') throw Failure{"unterminated text (no '\"' before ');')"};
    std::string_view inner = r.substr(1, r.size() - 2);
    constexpr std::string_view separator = "\",\"";
    std::size_t freeIndex = freeTextIndex(method, count);
    std::vector<std::string> texts(count);
    for (std::size_t i = 0; i < freeIndex; ++i) {
        std::size_t at = inner.find(separator);
        if (at == std::string_view::npos) throw Failure{"expected " + std::to_string(count) + " text arguments"};
        texts[i] = std::string(inner.substr(0, at));
        inner.remove_prefix(at + separator.size());
    }
    for (std::size_t i = count; i-- > freeIndex + 1;) {
        std::size_t at = inner.rfind(separator);
        if (at == std::string_view::npos) throw Failure{"expected " + std::to_string(count) + " text arguments"};
        texts[i] = std::string(inner.substr(at + separator.size()));
        inner = inner.substr(0, at);
    }
    texts[freeIndex] = std::string(inner);
    return texts;
}

std::string countMessage(const MethodInfo& method, std::size_t wanted, const char* got)
{
    return std::string("'") + method.name + "' takes " + std::to_string(wanted) + " argument" +
           (wanted == 1 ? "" : "s") + ", got " + got;
}

// Parses the text between "(" and ")" into the method's input arguments.
std::vector<Argument> parseArguments(std::string_view region, const MethodInfo& method)
{
    std::vector<const ParamInfo*> inputs;
    for (const ParamInfo& p : method.params)
        if (p.kind != ParamKind::BstrOut) inputs.push_back(&p);
    std::vector<Argument> args(inputs.size());
    if (trimBlanks(region).empty()) throw Failure{countMessage(method, inputs.size(), "none")};

    // Texts come first, numbers after them.
    std::size_t textCount = 0;
    while (textCount < inputs.size() && isText(inputs[textCount]->kind)) ++textCount;

    if (textCount == 0) {
        std::vector<std::string_view> words;
        for (std::size_t from = 0;;) {
            std::size_t comma = region.find(',', from);
            words.push_back(region.substr(from, comma == std::string_view::npos ? comma : comma - from));
            if (comma == std::string_view::npos) break;
            from = comma + 1;
        }
        // "setFontAttribute(TRUE)" is the echo of an attribute code it does not name.
        if (std::string_view(method.name) == "setFontAttribute" && words.size() == 1) {
            args[1].number = parseNumber(words[0], method, *inputs[1]);
            return args;
        }
        if (words.size() != inputs.size())
            throw Failure{countMessage(method, inputs.size(), words.size() < inputs.size() ? "fewer" : "more")};
        for (std::size_t i = 0; i < words.size(); ++i) args[i].number = parseNumber(words[i], method, *inputs[i]);
        return args;
    }

    // Numbers after texts: from the right, where no text can interfere.
    std::string_view rest = region;
    for (std::size_t i = inputs.size(); i-- > textCount;) {
        std::size_t comma = rest.rfind(',');
        if (comma == std::string_view::npos) throw Failure{countMessage(method, inputs.size(), "fewer")};
        args[i].number = parseNumber(rest.substr(comma + 1), method, *inputs[i]);
        rest = rest.substr(0, comma);
    }
    std::vector<std::string> texts = splitTexts(rest, textCount, method);
    for (std::size_t i = 0; i < textCount; ++i) args[i].text = std::move(texts[i]);
    return args;
}

class Parser {
public:
    Parser(std::string_view script, const StatementSink& take, std::size_t maxErrors)
        : script_(script), lines_(script), take_(take), maxErrors_(maxErrors)
    {
    }

    std::vector<ParseError> run()
    {
        std::size_t line = 0;
        while (line < lines_.count() && errors_.size() < maxErrors_ && !stopped_) {
            std::string_view text = lines_.text(line);
            std::string_view trimmed = trimBlanks(text);
            if (trimmed.empty() || trimmed.starts_with('#') || trimmed.starts_with(logLinePrefix)) {
                ++line;
                continue;
            }
            if (!trimmed.starts_with(statementPrefix)) {
                fail(line, "expected a statement such as orvel->insertText(\"...\");");
                line = nextStatementLine(line + 1);
                continue;
            }
            std::size_t offset = lines_.start(line) + static_cast<std::size_t>(trimmed.data() - text.data());
            try {
                line = statement(line, offset + statementPrefix.size());
            } catch (const Failure& f) {
                fail(line, f.message);
                line = nextStatementLine(line + 1);
            }
        }
        return std::move(errors_);
    }

private:
    // Parses the statement whose method name starts at `at` (on `line`);
    // returns the line after it.
    std::size_t statement(std::size_t line, std::size_t at)
    {
        std::size_t nameEnd = at;
        auto isNameChar = [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        };
        while (nameEnd < script_.size() && isNameChar(script_[nameEnd])) ++nameEnd;
        std::string_view name = script_.substr(at, nameEnd - at);
        if (name.empty()) throw Failure{"expected a method name after 'orvel->'"};
        const MethodInfo* method = doctypelib::findMethod(name);
        if (!method) throw Failure{"unknown method '" + std::string(name) + "'"};
        if (nameEnd >= script_.size() || script_[nameEnd] != '(')
            throw Failure{"expected '(' after '" + std::string(name) + "'"};
        std::size_t open = nameEnd + 1;

        bool hasText = std::any_of(method->params.begin(), method->params.end(),
                                   [](const ParamInfo& p) { return isText(p.kind); });
        std::size_t lastLine = line;
        std::size_t close;
        if (hasText) {
            // A text may span lines: the statement ends at the first line
            // ending in ");" after which something new starts.
            lastLine = lines_.endingLineFrom(line);
            if (lastLine == lines_.count()) throw Failure{"unterminated text: no line ending in \");\" closes it"};
            std::string_view endText = lines_.text(lastLine);
            std::size_t semicolon = lines_.start(lastLine) + endText.find_last_of(';');
            close = semicolon - 1;
            if (close < open) throw Failure{"expected the arguments between '(' and ');'"};
        } else {
            std::string_view text = lines_.text(line);
            std::size_t lineEnd = lines_.start(line) + text.size();
            close = script_.find(')', open);
            if (close == std::string_view::npos || close >= lineEnd) throw Failure{"missing ')' at the end of the statement"};
            std::string_view after = trimBlanks(script_.substr(close + 1, lineEnd - close - 1));
            if (after != ";") {
                if (after.empty()) throw Failure{"missing ';' after ')'"};
                throw Failure{"unexpected text after the statement: " + std::string(after.substr(0, 40))};
            }
        }
        std::string_view region = script_.substr(open, close - open);
        Statement s;
        s.line = static_cast<int>(line) + 1;
        s.method = method;
        if (inputCount(*method) == 0) {
            if (!trimBlanks(region).empty()) throw Failure{"'" + std::string(name) + "' takes no arguments"};
        } else {
            s.args = parseArguments(region, *method);
        }
        stopped_ = !take_(s);
        return lastLine + 1;
    }

    std::size_t nextStatementLine(std::size_t from) const
    {
        for (std::size_t i = from; i < lines_.count(); ++i)
            if (Lines::startsSomething(trimBlanks(lines_.text(i)))) return i;
        return lines_.count();
    }

    void fail(std::size_t line, std::string message)
    {
        errors_.push_back(ParseError{static_cast<int>(line) + 1, std::move(message)});
    }

    std::string_view script_;
    Lines lines_;
    const StatementSink& take_;
    std::size_t maxErrors_;
    std::vector<ParseError> errors_;
    bool stopped_ = false;
};

}  // namespace

std::vector<ParseError> parseEach(std::string_view script, const StatementSink& take, std::size_t maxErrors)
{
    return Parser(script, take, maxErrors == 0 ? 1 : maxErrors).run();
}

ParseResult parse(std::string_view script, std::size_t maxErrors)
{
    ParseResult result;
    result.errors = parseEach(
        script,
        [&](Statement& s) {
            result.statements.push_back(std::move(s));
            return true;
        },
        maxErrors);
    return result;
}

std::string format(const Statement& statement)
{
    std::string out(statementPrefix);
    out += statement.method->name;
    out += '(';
    std::size_t argument = 0;
    bool first = true;
    bool fontAttribute = std::string_view(statement.method->name) == "setFontAttribute";
    for (const ParamInfo& p : statement.method->params) {
        if (p.kind == ParamKind::BstrOut) continue;
        const Argument& a = statement.args.at(argument++);
        if (!first) out += ',';
        first = false;
        if (isText(p.kind)) {
            out += '"';
            out += a.text;
            out += '"';
        } else if (fontAttribute && p.kind == ParamKind::ShortIn && attributeName(a.number)) {
            out += attributeName(a.number);
        } else if (fontAttribute && p.kind == ParamKind::BoolIn && (a.number == 0 || a.number == 1)) {
            out += a.number ? "TRUE" : "FALSE";
        } else {
            out += std::to_string(a.number);
        }
    }
    out += ");";
    return out;
}

}  // namespace orvel_script
