#include "Script.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
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

// Buffers are kept from one statement to the next, but not the storage of a
// rare huge text, which would stay for the rest of a long run.
void keepOnlySmall(std::string& buffer)
{
    constexpr std::size_t keptCapacity = 64 * 1024;
    if (buffer.capacity() > keptCapacity) std::string().swap(buffer);
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// A script is read line by line through a small window, so that reading it
// costs memory in proportion to one statement, not to the script. A line is
// known by where it lies and by the little the parser asks of it; the bytes
// of a statement are read when it is parsed, in place in the window when
// they lie there, so that most statements cost no copy and no allocation.
struct Position {
    std::uint64_t offset = 0;
    std::size_t index = 0;  // 0-based line number
    bool end = false;       // past the last line
};

struct Line {
    Position at;
    std::uint64_t end = 0;       // offset of its "\n", or of the end of the script
    Position next;               // the line after it
    bool blank = true;
    // Its first bytes from the first one that is not blank, up to its last such byte.
    std::array<char, statementPrefix.size()> headBytes{};
    std::size_t headLength = 0;
    bool closesStatement = false;  // ends in ");" before trailing blanks

    std::string_view head() const { return std::string_view(headBytes.data(), headLength); }
    bool startsSomething() const
    {
        std::string_view h = head();
        return h.starts_with(statementPrefix) || h.starts_with('#') || h.starts_with(logLinePrefix);
    }
};

class LineReader {
public:
    explicit LineReader(const ScriptSource& source) : source_(source) {}

    Line read(Position at)
    {
        // A statement's text is known to end by the line after it, which is read again next.
        if (lastRead_ && lastRead_->at.offset == at.offset && lastRead_->at.end == at.end) return *lastRead_;
        Line& line = lastRead_.emplace();
        line.at = at;
        seek(at.offset);
        std::uint64_t offset = at.offset;
        std::uint64_t headStart = 0, lastSolidAt = 0;  // offsets of the first and the last byte not blank
        std::size_t headTaken = 0;                     // bytes copied into the head, blanks included
        char previous = 0, lastSolid = 0, beforeLastSolid = 0;
        bool hasBreak = false;
        // The line a piece of the window at a time: a long line may span windows.
        while (!hasBreak && (pos_ < buffer_.size() || refill())) {
            const char* from = buffer_.data() + pos_;
            const std::size_t available = buffer_.size() - pos_;
            const char* lineBreak = static_cast<const char*>(std::memchr(from, '\n', available));
            const std::size_t length = lineBreak ? static_cast<std::size_t>(lineBreak - from) : available;
            std::size_t first = 0;
            if (line.blank) {
                while (first < length && isBlank(from[first])) ++first;
                if (first < length) {
                    line.blank = false;
                    headStart = offset + first;
                }
            }
            if (!line.blank) {
                const std::size_t take = std::min(line.headBytes.size() - headTaken, length - first);
                std::copy_n(from + first, take, line.headBytes.data() + headTaken);
                headTaken += take;
                std::size_t last = length;
                while (last > first && isBlank(from[last - 1])) --last;
                if (last > first) {
                    lastSolid = from[last - 1];
                    beforeLastSolid = last >= 2 ? from[last - 2] : previous;
                    lastSolidAt = offset + last - 1;
                }
            }
            if (length > 0) previous = from[length - 1];
            offset += length;
            pos_ += length;
            if (lineBreak) {
                ++pos_;
                hasBreak = true;
            }
        }
        if (!line.blank) line.headLength = static_cast<std::size_t>(std::min<std::uint64_t>(headTaken, lastSolidAt - headStart + 1));
        line.end = offset;
        line.closesStatement = lastSolid == ';' && beforeLastSolid == ')';
        line.next = Position{offset + 1, at.index + 1, !hasBreak};
        return line;
    }

    // The first line from `at` on that is not blank, or the last line when
    // all are; many blank lines cost little this way.
    Position skipBlankLines(Position at)
    {
        if (at.end) return at;
        seek(at.offset);
        Position lineStart = at;
        std::uint64_t offset = at.offset;
        while (pos_ < buffer_.size() || refill()) {
            const char c = buffer_[pos_];
            if (c != '\n' && !isBlank(c)) break;
            ++pos_;
            ++offset;
            if (c == '\n') lineStart = Position{offset, lineStart.index + 1, false};
        }
        return lineStart;
    }

    // The bytes from `from` to `to`, valid until the next line or bytes are read.
    std::string_view bytes(std::uint64_t from, std::uint64_t to)
    {
        // Usually still in the window, which the line was just read through.
        if (from >= bufferStart_ && to <= bufferStart_ + buffer_.size())
            return std::string_view(buffer_).substr(static_cast<std::size_t>(from - bufferStart_),
                                                    static_cast<std::size_t>(to - from));
        spilled_.resize(static_cast<std::size_t>(to - from));
        std::size_t done = 0;
        while (done < spilled_.size()) {
            std::size_t n = source_.read(from + done, spilled_.data() + done, spilled_.size() - done);
            if (n == 0) throw ScriptReadError("the script ended while it was read");
            done += n;
        }
        return spilled_;
    }

    void forgetHugeStatement() { keepOnlySmall(spilled_); }

private:
    static constexpr std::size_t windowSize = 64 * 1024;

    void seek(std::uint64_t offset)
    {
        if (offset >= bufferStart_ && offset <= bufferStart_ + buffer_.size()) {
            pos_ = static_cast<std::size_t>(offset - bufferStart_);
            return;
        }
        bufferStart_ = offset;
        buffer_.clear();
        pos_ = 0;
    }

    // Reads the window after the one taken; false at the end of the script.
    bool refill()
    {
        bufferStart_ += buffer_.size();
        buffer_.resize(windowSize);
        buffer_.resize(source_.read(bufferStart_, buffer_.data(), windowSize));
        pos_ = 0;
        return !buffer_.empty();
    }

    const ScriptSource& source_;
    std::string buffer_;
    std::uint64_t bufferStart_ = 0;
    std::size_t pos_ = 0;
    std::string spilled_;  // a statement that does not lie in the window
    std::optional<Line> lastRead_;
};

struct Failure {
    std::string message;
};

// The method of that name. Every statement asks, so the names are sorted
// once by length first: most comparisons are then decided by the length.
const MethodInfo* methodNamed(std::string_view name)
{
    using Entry = std::pair<std::string_view, const MethodInfo*>;
    auto before = [](std::string_view a, std::string_view b) { return a.size() != b.size() ? a.size() < b.size() : a < b; };
    static const std::vector<Entry> byName = [&] {
        std::vector<Entry> entries;
        for (const MethodInfo& m : doctypelib::methods()) entries.emplace_back(m.name, &m);
        std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) { return before(a.first, b.first); });
        return entries;
    }();
    auto found = std::lower_bound(byName.begin(), byName.end(), name,
                                  [&](const Entry& e, std::string_view n) { return before(e.first, n); });
    return found != byName.end() && found->first == name ? found->second : nullptr;
}

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

// Splits `"T1","T2",...,"Tk"` into the k texts of `args`.
void splitTexts(std::string_view region, std::size_t count, const MethodInfo& method, std::vector<Argument>& args)
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
    for (std::size_t i = 0; i < freeIndex; ++i) {
        std::size_t at = inner.find(separator);
        if (at == std::string_view::npos) throw Failure{"expected " + std::to_string(count) + " text arguments"};
        args[i].text.assign(inner.substr(0, at));
        inner.remove_prefix(at + separator.size());
    }
    for (std::size_t i = count; i-- > freeIndex + 1;) {
        std::size_t at = inner.rfind(separator);
        if (at == std::string_view::npos) throw Failure{"expected " + std::to_string(count) + " text arguments"};
        args[i].text.assign(inner.substr(at + separator.size()));
        inner = inner.substr(0, at);
    }
    args[freeIndex].text.assign(inner);
}

std::string countMessage(const MethodInfo& method, std::size_t wanted, const char* got)
{
    return std::string("'") + method.name + "' takes " + std::to_string(wanted) + " argument" +
           (wanted == 1 ? "" : "s") + ", got " + got;
}

// Parses the text between "(" and ")" into `args`, the method's input
// arguments, which are all set (empty texts, zero numbers) or the parse fails.
void parseArguments(std::string_view region, const MethodInfo& method, std::vector<Argument>& args)
{
    std::array<const ParamInfo*, doctypelib::maxParams> inputs{};
    std::size_t inputCount = 0;
    for (const ParamInfo& p : method.params)
        if (p.kind != ParamKind::BstrOut) inputs.at(inputCount++) = &p;
    for (Argument& a : args) {
        a.text.clear();
        a.number = 0;
    }
    if (trimBlanks(region).empty()) throw Failure{countMessage(method, inputCount, "none")};

    // Texts come first, numbers after them.
    std::size_t textCount = 0;
    while (textCount < inputCount && isText(inputs[textCount]->kind)) ++textCount;

    if (textCount == 0) {
        const auto words = static_cast<std::size_t>(std::count(region.begin(), region.end(), ',')) + 1;
        // "setFontAttribute(TRUE)" is the echo of an attribute code it does not name.
        if (std::string_view(method.name) == "setFontAttribute" && words == 1) {
            args[1].number = parseNumber(region, method, *inputs[1]);
            return;
        }
        if (words != inputCount)
            throw Failure{countMessage(method, inputCount, words < inputCount ? "fewer" : "more")};
        for (std::size_t i = 0; i < words; ++i) {
            const std::size_t comma = region.find(',');
            args[i].number = parseNumber(region.substr(0, comma), method, *inputs[i]);
            region.remove_prefix(comma == std::string_view::npos ? region.size() : comma + 1);
        }
        return;
    }

    // Numbers after texts: from the right, where no text can interfere.
    std::string_view rest = region;
    for (std::size_t i = inputCount; i-- > textCount;) {
        std::size_t comma = rest.rfind(',');
        if (comma == std::string_view::npos) throw Failure{countMessage(method, inputCount, "fewer")};
        args[i].number = parseNumber(rest.substr(comma + 1), method, *inputs[i]);
        rest = rest.substr(0, comma);
    }
    splitTexts(rest, textCount, method, args);
}

class Parser {
public:
    Parser(const ScriptSource& source, const StatementSink& take, std::size_t maxErrors)
        : lines_(source), take_(take), maxErrors_(maxErrors)
    {
    }

    std::vector<ParseError> run()
    {
        Position at;
        while (!at.end && errors_.size() < maxErrors_ && !stopped_) {
            Line line = lines_.read(lines_.skipBlankLines(at));
            std::string_view head = line.head();
            if (line.blank || head.starts_with('#') || head.starts_with(logLinePrefix)) {
                at = line.next;
                continue;
            }
            if (!head.starts_with(statementPrefix)) {
                fail(line, "expected a statement such as orvel->insertText(\"...\");");
                at = nextStatementLine(line.next);
                continue;
            }
            try {
                at = statement(line);
            } catch (const Failure& f) {
                fail(line, f.message);
                at = nextStatementLine(line.next);
            }
        }
        return std::move(errors_);
    }

private:
    // Parses the statement that starts on `first`; returns the line after it.
    Position statement(const Line& first)
    {
        // The statement's own bytes: its first line, and for a text the lines up to its end.
        std::string_view script = lines_.bytes(first.at.offset, first.end);
        std::size_t at = script.find_first_not_of(" \t\r") + statementPrefix.size();
        std::size_t nameEnd = at;
        auto isNameChar = [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        };
        while (nameEnd < script.size() && isNameChar(script[nameEnd])) ++nameEnd;
        std::string_view name = script.substr(at, nameEnd - at);
        if (name.empty()) throw Failure{"expected a method name after 'orvel->'"};
        const MethodInfo* method = methodNamed(name);
        if (!method) throw Failure{"unknown method '" + std::string(name) + "'"};
        if (nameEnd >= script.size() || script[nameEnd] != '(')
            throw Failure{"expected '(' after '" + std::string(name) + "'"};
        name = method->name;  // reading on below may move the window under `script`
        std::size_t open = nameEnd + 1;

        bool hasText = std::any_of(method->params.begin(), method->params.end(),
                                   [](const ParamInfo& p) { return isText(p.kind); });
        Position after = first.next;
        std::size_t close;
        if (hasText) {
            // A text may span lines: the statement ends at the first line
            // ending in ");" after which something new starts.
            std::optional<Line> last = endingLineFrom(first);
            if (!last) throw Failure{"unterminated text: no line ending in \");\" closes it"};
            // Its lines lie one after the other: the bytes from its first line to its last.
            script = lines_.bytes(first.at.offset, last->end);
            std::size_t semicolon = script.find_last_of(';');
            close = semicolon - 1;
            if (close < open) throw Failure{"expected the arguments between '(' and ');'"};
            after = last->next;
        } else {
            close = script.find(')', open);
            if (close == std::string_view::npos) throw Failure{"missing ')' at the end of the statement"};
            std::string_view rest = trimBlanks(script.substr(close + 1));
            if (rest != ";") {
                if (rest.empty()) throw Failure{"missing ';' after ')'"};
                throw Failure{"unexpected text after the statement: " + std::string(rest.substr(0, 40))};
            }
        }
        std::string_view region = script.substr(open, close - open);
        // One statement reused: its texts keep their storage from one call to the next.
        Statement& s = statement_;
        s.line = static_cast<int>(first.at.index) + 1;
        s.method = method;
        const std::size_t inputs = inputCount(*method);
        if (inputs == 0 && !trimBlanks(region).empty())
            throw Failure{"'" + std::string(name) + "' takes no arguments"};
        resizeArguments(inputs);
        if (inputs > 0) parseArguments(region, *method, s.args);
        stopped_ = !take_(s);
        for (Argument& a : s.args) keepOnlySmall(a.text);
        lines_.forgetHugeStatement();
        return after;
    }

    // Sizes the statement's arguments to `count`, parking the texts of the
    // ones it drops to take them back when a later statement needs them.
    void resizeArguments(std::size_t count)
    {
        std::vector<Argument>& args = statement_.args;
        for (std::size_t i = count; i < args.size(); ++i) args[i].text.swap(parkedTexts_.at(i));
        const std::size_t had = args.size();
        args.resize(count);
        for (std::size_t i = had; i < count; ++i) args[i].text.swap(parkedTexts_.at(i));
    }

    // The first line from `from` on that ends in ");" with only blank lines
    // between it and the next thing that starts (or the end of the script).
    std::optional<Line> endingLineFrom(const Line& from)
    {
        Line line = from;
        for (;;) {
            if (line.closesStatement) {
                std::optional<Line> solid;
                if (!line.next.end) {
                    Line ahead = lines_.read(lines_.skipBlankLines(line.next));
                    if (!ahead.blank) solid = std::move(ahead);
                }
                if (!solid || solid->startsSomething()) return line;
                line = std::move(*solid);
                continue;
            }
            if (line.next.end) return std::nullopt;
            line = lines_.read(line.next);
        }
    }

    Position nextStatementLine(Position from)
    {
        while (!from.end) {
            Line line = lines_.read(from);
            if (line.startsSomething()) return from;
            from = line.next;
        }
        return from;
    }

    void fail(const Line& line, std::string message)
    {
        errors_.push_back(ParseError{static_cast<int>(line.at.index) + 1, std::move(message)});
    }

    LineReader lines_;
    const StatementSink& take_;
    std::size_t maxErrors_;
    std::vector<ParseError> errors_;
    bool stopped_ = false;
    Statement statement_;
    std::array<std::string, doctypelib::maxParams> parkedTexts_;
};

// The script held in memory by the caller.
class TextSource : public ScriptSource {
public:
    explicit TextSource(std::string_view text) : text_(text) {}
    std::size_t read(std::uint64_t offset, char* buffer, std::size_t size) const override
    {
        if (offset >= text_.size()) return 0;
        std::string_view part = text_.substr(static_cast<std::size_t>(offset), size);
        std::copy(part.begin(), part.end(), buffer);
        return part.size();
    }

private:
    std::string_view text_;
};

}  // namespace

std::vector<ParseError> parseEach(const ScriptSource& script, const StatementSink& take, std::size_t maxErrors)
{
    return Parser(script, take, maxErrors == 0 ? 1 : maxErrors).run();
}

std::vector<ParseError> parseEach(std::string_view script, const StatementSink& take, std::size_t maxErrors)
{
    return parseEach(TextSource(script), take, maxErrors);
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
