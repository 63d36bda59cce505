// TextRange, Font, ParagraphFormat and BulletFormat: live views onto the
// text body of one shape. A range is resolved against the text as it is at
// each call, so the frame's own range keeps covering appended text.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "com/ErrorInfo.h"
#include "com/ComError.h"
#include "com/ComString.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"

namespace ppt {

std::pair<int, int> RangeExtent::resolve(const TextBody& body) const
{
    const int length = body.length();
    if (whole) return {0, length};
    const int from = std::clamp(start - 1, 0, length);
    const int to = static_cast<int>(std::clamp<long long>(static_cast<long long>(from) + this->length, from, length));
    return {from, to};
}

namespace {

using namespace PowerPoint;

constexpr int kMaxTextLength = 0x3fffffff;  // positions are 32-bit and 1-based

// The value a property has over [from, to): nullopt when it varies. An
// empty range reports the formatting at its position (the insertion point).
template <class Map, class Get>
auto uniformValue(const Map& map, int from, int to, Get get) -> std::optional<decltype(get(map.at(0)))>
{
    std::size_t i = map.indexOf(from);
    auto value = get(map.run(i).value);
    for (++i; i < map.runCount() && map.run(i).start < to; ++i)
        if (!(get(map.run(i).value) == value)) return std::nullopt;
    return value;
}

// The paragraphs a range touches, [first, last) (last may be kEnd).
std::pair<int, int> paragraphSpan(const TextBody& body, const RangeExtent& extent)
{
    if (extent.whole) return {0, TextBody::kEnd};
    auto [from, to] = extent.resolve(body);
    const int first = body.paragraphAt(from);
    const int last = to > from ? body.paragraphAt(to - 1) : first;
    return {first, last + 1};
}

class RangeView {
public:
    PartGuard* partGuard() const { return tree_->guard; }

protected:
    RangeView(std::shared_ptr<ShapeTree> tree, std::shared_ptr<ShapeModel> shape, RangeExtent range)
        : tree_(std::move(tree)), shape_(std::move(shape)), range_(range)
    {
    }
    TextBody& body() const { return *shape_->text; }
    std::pair<int, int> span() const { return range_.resolve(body()); }

    // What `get` reads from the characters (or paragraphs) of the range:
    // nullopt when it varies.
    template <class Get>
    auto charValue(Get get) const
    {
        auto [from, to] = span();
        return uniformValue(body().chars(), from, to, get);
    }
    template <class Get>
    auto paragraphValue(Get get) const
    {
        auto [first, last] = paragraphSpan(body(), range_);
        return uniformValue(body().paras(), first, last, get);
    }

    template <class Change>
    void changeChars(Change&& change) const
    {
        auto [from, to] = span();
        body().changeChars(from, to, change);
    }
    template <class Change>
    void changeParagraphs(Change&& change) const
    {
        auto [first, last] = paragraphSpan(body(), range_);
        body().changeParagraphs(first, last, change);
    }

    std::shared_ptr<ShapeTree> tree_;
    std::shared_ptr<ShapeModel> shape_;
    RangeExtent range_;
};

class FontObject final : public ObjectBase<Font, RangeView> {
public:
    using ObjectBase::ObjectBase;

    MsoTriState GetBold() override { return getSwitch("Font.GetBold", &CharFormat::bold); }
    void PutBold(MsoTriState value) override { putSwitch("Font.PutBold", &CharFormat::bold, value, "Font.Bold"); }
    MsoTriState GetItalic() override { return getSwitch("Font.GetItalic", &CharFormat::italic); }
    void PutItalic(MsoTriState value) override
    {
        putSwitch("Font.PutItalic", &CharFormat::italic, value, "Font.Italic");
    }
    MsoTriState GetUnderline() override { return getSwitch("Font.GetUnderline", &CharFormat::underline); }
    void PutUnderline(MsoTriState value) override
    {
        putSwitch("Font.PutUnderline", &CharFormat::underline, value, "Font.Underline");
    }

    float GetSize() override
    {
        return member("Font.GetSize", [&] {
            auto size = charValue([](const CharFormat& f) { return f.size; });
            return size ? *size : 0.0f;
        });
    }

    void PutSize(float points) override
    {
        member("Font.PutSize", [&] {
            if (!(points >= 1.0f && points <= 4000.0f))
                com::throwComError(E_INVALIDARG, "Font.Size : the size " + std::to_string(points) +
                                                     " is out of range (1 to 4000 points).");
            // Sizes are kept to a hundredth of a point, as the file stores them.
            const float size = std::round(points * 100.0f) / 100.0f;
            changeChars([size](CharFormat& f) { f.size = size; });
        });
    }

    std::u16string GetName() override
    {
        return member("Font.GetName", [&]() -> std::u16string {
            auto font = charValue([](const CharFormat& f) { return f.font; });
            return font ? FontNames::instance().name(*font) : std::u16string();
        });
    }

    void PutName(const std::u16string& name) override
    {
        member("Font.PutName", [&] {
            if (name.empty() || std::all_of(name.begin(), name.end(), [](char16_t c) { return c == u' '; }))
                com::throwComError(E_INVALIDARG, "Font.Name : a font name is required.");
            if (name.size() > 255) com::throwComError(E_INVALIDARG, "Font.Name : the font name is too long.");
            const std::uint16_t id = FontNames::instance().intern(name);
            changeChars([id](CharFormat& f) { f.font = id; });
        });
    }

private:
    MsoTriState switchState(bool CharFormat::*field) const
    {
        auto value = charValue([field](const CharFormat& f) { return f.*field; });
        return value ? triState(*value) : msoTriStateMixed;
    }
    MsoTriState getSwitch(const char* what, bool CharFormat::*field) const
    {
        return member(what, [&] { return switchState(field); });
    }
    void putSwitch(const char* what, bool CharFormat::*field, MsoTriState value, const char* argument)
    {
        member(what, [&] {
            const bool on = value == msoTriStateToggle ? switchState(field) != msoTrue : triStateArgument(value, argument);
            changeChars([field, on](CharFormat& f) { f.*field = on; });
        });
    }
};

class BulletFormatObject final : public ObjectBase<BulletFormat, RangeView> {
public:
    using ObjectBase::ObjectBase;

    MsoTriState GetVisible() override
    {
        return member("BulletFormat.GetVisible", [&]() -> MsoTriState {
            auto value = paragraphValue([](const ParaFormat& f) { return f.bullet; });
            return value ? triState(*value) : msoTriStateMixed;
        });
    }

    void PutVisible(MsoTriState visible) override
    {
        member("BulletFormat.PutVisible", [&] {
            const bool on = triStateArgument(visible, "BulletFormat.Visible");
            changeParagraphs([on](ParaFormat& f) { f.bullet = on; });
        });
    }
};

class ParagraphFormatObject final : public ObjectBase<ParagraphFormat, RangeView> {
public:
    using ObjectBase::ObjectBase;

    PpParagraphAlignment GetAlignment() override
    {
        return member("ParagraphFormat.GetAlignment", [&]() -> PpParagraphAlignment {
            auto value = paragraphValue([](const ParaFormat& f) { return f.align; });
            return value ? static_cast<PpParagraphAlignment>(*value) : ppAlignmentMixed;
        });
    }

    void PutAlignment(PpParagraphAlignment alignment) override
    {
        member("ParagraphFormat.PutAlignment", [&] {
            if (alignment < ppAlignLeft || alignment > ppAlignJustify)
                com::throwComError(E_INVALIDARG, "ParagraphFormat.Alignment : the value " +
                                                     std::to_string(static_cast<int>(alignment)) + " is not valid.");
            const Align align = static_cast<Align>(alignment);
            changeParagraphs([align](ParaFormat& f) { f.align = align; });
        });
    }

    ComPtr<BulletFormat> GetBullet() override
    {
        return member("ParagraphFormat.GetBullet", [&]() -> ComPtr<BulletFormat> {
            return makeObject<BulletFormatObject>(context(), tree_, shape_, range_);
        });
    }
};

class TextRangeObject final : public ObjectBase<TextRange, RangeView> {
public:
    using ObjectBase::ObjectBase;

    std::u16string GetText() override
    {
        return member("TextRange.GetText", [&]() -> std::u16string {
            auto [from, to] = span();
            return body().text().copy(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
        });
    }

    int GetStart() override
    {
        return member("TextRange.GetStart", [&] { return span().first + 1; });
    }

    int GetLength() override
    {
        return member("TextRange.GetLength", [&]() -> int {
            auto [from, to] = span();
            return to - from;
        });
    }

    ComPtr<TextRange> InsertAfter(const std::u16string& text) override
    {
        return member("TextRange.InsertAfter", [&]() -> ComPtr<TextRange> {
            TextBody& b = body();
            if (text.size() > static_cast<std::size_t>(kMaxTextLength - b.length()))
                com::throwComError(E_OUTOFMEMORY, "TextRange.InsertAfter : the text would be too long for one frame.");
            const int at = span().second;
            b.insert(at, text);
            return sub(RangeExtent{false, at + 1, static_cast<int>(text.size())});
        });
    }

    ComPtr<TextRange> Characters(int start, int length) override
    {
        return member("TextRange.Characters", [&]() -> ComPtr<TextRange> {
            if (start < 1 || length < 0)
                com::throwComError(E_INVALIDARG, "TextRange.Characters : start " + std::to_string(start) + ", length " +
                                                     std::to_string(length) + " is not a valid range.");
            auto [from, to] = span();
            const int size = to - from;
            if (start == size + 1) return sub(RangeExtent{false, to + 1, 0});  // the insertion point after the range
            if (start > size) start = std::max(size, 1);  // a start past the end lands on the last character
            const int count = std::min(length, std::max(0, size - start + 1));
            return sub(RangeExtent{false, from + start, count});
        });
    }

    ComPtr<TextRange> Paragraphs(int start, int length) override
    {
        return member("TextRange.Paragraphs", [&]() -> ComPtr<TextRange> {
            if (start < 1 || length < 0)
                com::throwComError(E_INVALIDARG, "TextRange.Paragraphs : start " + std::to_string(start) + ", length " +
                                                     std::to_string(length) + " is not a valid range.");
            TextBody& b = body();
            auto [from, to] = span();
            const int first = b.paragraphAt(from);
            const int last = to > from ? b.paragraphAt(to - 1) : first;
            if (start > last - first + 1) return sub(RangeExtent{false, to + 1, 0});
            const int p0 = first + start - 1;
            if (length == 0) return sub(RangeExtent{false, b.paragraphStart(p0) + 1, 0});
            const int p1 = static_cast<int>(std::min<long long>(last, static_cast<long long>(p0) + length - 1));
            // A paragraph includes its paragraph end.
            const int end = p1 + 1 < b.paragraphCount() ? b.paragraphEnd(p1) + 1 : b.length();
            const int begin = b.paragraphStart(p0);
            return sub(RangeExtent{false, begin + 1, end - begin});
        });
    }

    ComPtr<Font> GetFont() override
    {
        return member("TextRange.GetFont", [&] { return makeObject<FontObject>(context(), tree_, shape_, range_); });
    }

    ComPtr<ParagraphFormat> GetParagraphFormat() override
    {
        return member("TextRange.GetParagraphFormat", [&]() -> ComPtr<ParagraphFormat> {
            return makeObject<ParagraphFormatObject>(context(), tree_, shape_, range_);
        });
    }

    ComPtr<ActionSettings> GetActionSettings() override
    {
        return member("TextRange.GetActionSettings", [&]() -> ComPtr<ActionSettings> {
            return makeActionSettings(context(), LinkHost{tree_, shape_, true, range_});
        });
    }

    float GetBoundHeight() override
    {
        return member("TextRange.GetBoundHeight", [&]() -> float {
            auto [from, to] = span();
            return body().boundHeight(from, to);
        });
    }

private:
    ComPtr<TextRange> sub(RangeExtent extent) { return makeObject<TextRangeObject>(context(), tree_, shape_, extent); }
};

}  // namespace

ComPtr<TextRange> makeTextRange(const Context& context, std::shared_ptr<ShapeTree> tree,
                                std::shared_ptr<ShapeModel> shape, RangeExtent range)
{
    return makeObject<TextRangeObject>(context, std::move(tree), std::move(shape), range);
}

}  // namespace ppt
