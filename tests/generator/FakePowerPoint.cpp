#include "FakePowerPoint.h"

#include <cstdio>
#include <stdexcept>

#include "com/ComError.h"
#include "com/ComRuntime.h"
#include "com/ComString.h"

using namespace PowerPoint;

namespace fakeppt {

std::string utf8(const std::u16string& text)
{
    return com::utf16ToUtf8(text);
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

namespace {

std::string quoted(const std::u16string& text)
{
    return "\"" + utf8(text) + "\"";
}

std::string keyOf(const std::string& call)
{
    std::size_t cut = call.find_first_of("(=");
    if (cut == std::string::npos) return call;
    return call[cut] == '=' ? call.substr(0, cut + 1) : call.substr(0, cut);
}

template <class I>
class Fake : public I {
public:
    explicit Fake(std::shared_ptr<Recorder> recorder) : rec_(std::move(recorder)) { ++rec_->liveObjects; }
    Fake(const Fake&) = delete;
    Fake& operator=(const Fake&) = delete;

    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        if (riid == IUnknown::iid || riid == I::iid) {
            *object = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++refs_; }
    ULONG Release() override
    {
        ULONG left = --refs_;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~Fake() { --rec_->liveObjects; }
    void call(const std::string& text) { rec_->record(text); }
    std::shared_ptr<Recorder> rec_;

private:
    ULONG refs_ = 0;
};

template <class T, class... Args>
auto make(Args&&... args)
{
    T* object = new T(std::forward<Args>(args)...);
    return ComPtr<typename T::Interface>(object);
}

// ---- text ----

class FakeHyperlink final : public Fake<Hyperlink> {
public:
    using Interface = Hyperlink;
    FakeHyperlink(std::shared_ptr<Recorder> r, std::shared_ptr<HyperlinkModel> m) : Fake(std::move(r)), m_(std::move(m)) {}
    std::u16string GetAddress() override
    {
        call("Hyperlink.Address");
        return com::utf8ToUtf16(m_->address);
    }
    void PutAddress(const std::u16string& address) override
    {
        call("Hyperlink.Address=" + quoted(address));
        m_->address = utf8(address);
    }
    std::u16string GetSubAddress() override
    {
        call("Hyperlink.SubAddress");
        return com::utf8ToUtf16(m_->subAddress);
    }
    void PutSubAddress(const std::u16string& subAddress) override
    {
        call("Hyperlink.SubAddress=" + quoted(subAddress));
        m_->subAddress = utf8(subAddress);
    }

private:
    std::shared_ptr<HyperlinkModel> m_;
};

class FakeActionSetting final : public Fake<ActionSetting> {
public:
    using Interface = ActionSetting;
    FakeActionSetting(std::shared_ptr<Recorder> r, std::shared_ptr<HyperlinkModel> m) : Fake(std::move(r)), m_(std::move(m)) {}
    ComPtr<Hyperlink> GetHyperlink() override
    {
        call("ActionSetting.Hyperlink");
        return make<FakeHyperlink>(rec_, m_);
    }

private:
    std::shared_ptr<HyperlinkModel> m_;
};

class FakeActionSettings final : public Fake<ActionSettings> {
public:
    using Interface = ActionSettings;
    FakeActionSettings(std::shared_ptr<Recorder> r, std::shared_ptr<HyperlinkModel> m) : Fake(std::move(r)), m_(std::move(m)) {}
    ComPtr<ActionSetting> Item(PpMouseActivation index) override
    {
        call("ActionSettings.Item(" + std::to_string(index) + ")");
        if (index != ppMouseClick) com::throwComError(E_INVALIDARG);
        return make<FakeActionSetting>(rec_, m_);
    }

private:
    std::shared_ptr<HyperlinkModel> m_;
};

class FakeFont final : public Fake<Font> {
public:
    using Interface = Font;
    explicit FakeFont(std::shared_ptr<Recorder> r) : Fake(std::move(r)) {}
    MsoTriState GetBold() override { return get("Bold"); }
    void PutBold(MsoTriState v) override { call("Font.Bold=" + std::to_string(v)); }
    MsoTriState GetItalic() override { return get("Italic"); }
    void PutItalic(MsoTriState v) override { call("Font.Italic=" + std::to_string(v)); }
    MsoTriState GetUnderline() override { return get("Underline"); }
    void PutUnderline(MsoTriState v) override { call("Font.Underline=" + std::to_string(v)); }
    float GetSize() override
    {
        call("Font.Size");
        return 18.0f;
    }
    void PutSize(float points) override { call("Font.Size=" + number(points)); }
    std::u16string GetName() override
    {
        call("Font.Name");
        return u"Arial";
    }
    void PutName(const std::u16string& name) override { call("Font.Name=" + quoted(name)); }

private:
    MsoTriState get(const char* what)
    {
        call(std::string("Font.") + what);
        return msoFalse;
    }
};

class FakeBullet final : public Fake<BulletFormat> {
public:
    using Interface = BulletFormat;
    FakeBullet(std::shared_ptr<Recorder> r, std::shared_ptr<FrameModel> f) : Fake(std::move(r)), f_(std::move(f)) {}
    MsoTriState GetVisible() override
    {
        call("Bullet.Visible");
        return f_->bulletVisible ? msoTrue : msoFalse;
    }
    void PutVisible(MsoTriState visible) override
    {
        call("Bullet.Visible=" + std::to_string(visible));
        f_->bulletVisible = visible != msoFalse;
    }

private:
    std::shared_ptr<FrameModel> f_;
};

class FakeParagraphFormat final : public Fake<ParagraphFormat> {
public:
    using Interface = ParagraphFormat;
    FakeParagraphFormat(std::shared_ptr<Recorder> r, std::shared_ptr<FrameModel> f, int paragraph)
        : Fake(std::move(r)), f_(std::move(f)), paragraph_(paragraph)
    {
    }
    PpParagraphAlignment GetAlignment() override
    {
        call("ParagraphFormat.Alignment");
        return ppAlignLeft;
    }
    void PutAlignment(PpParagraphAlignment alignment) override
    {
        call("ParagraphFormat.Alignment=" + std::to_string(alignment));
        f_->alignment[paragraph_] = alignment;
    }
    ComPtr<BulletFormat> GetBullet() override
    {
        call("ParagraphFormat.Bullet");
        return make<FakeBullet>(rec_, f_);
    }

private:
    std::shared_ptr<FrameModel> f_;
    int paragraph_;
};

class FakeTextRange final : public Fake<TextRange> {
public:
    using Interface = TextRange;
    // whole: the frame's live range; else a sub-range (start, length).
    FakeTextRange(std::shared_ptr<Recorder> r, std::shared_ptr<FrameModel> f, bool whole, int start = 1,
                  int length = 0, int paragraph = 0)
        : Fake(std::move(r)), f_(std::move(f)), whole_(whole), start_(start), length_(length), paragraph_(paragraph)
    {
    }
    std::u16string GetText() override
    {
        call("TextRange.Text");
        return whole_ ? f_->text : f_->text.substr(static_cast<std::size_t>(start_ - 1), static_cast<std::size_t>(length_));
    }
    int GetStart() override
    {
        call("TextRange.Start");
        return whole_ ? 1 : start_;
    }
    int GetLength() override
    {
        call("TextRange.Length");
        return whole_ ? static_cast<int>(f_->text.size()) : length_;
    }
    ComPtr<TextRange> InsertAfter(const std::u16string& text) override
    {
        call("TextRange.InsertAfter(" + quoted(text) + ")");
        if (!whole_) com::throwComError(E_NOTIMPL, "the fake appends only to a whole frame");
        int start = static_cast<int>(f_->text.size()) + 1;
        f_->text += text;
        return make<FakeTextRange>(rec_, f_, false, start, static_cast<int>(text.size()));
    }
    ComPtr<TextRange> Characters(int start, int length) override
    {
        call("TextRange.Characters(" + std::to_string(start) + "," + std::to_string(length) + ")");
        int size = static_cast<int>(f_->text.size());
        if (start < 1) com::throwComError(E_INVALIDARG);
        if (start > size + 1) start = size + 1;
        if (start - 1 + length > size) length = size - (start - 1);
        return make<FakeTextRange>(rec_, f_, false, start, length);
    }
    ComPtr<TextRange> Paragraphs(int start, int length) override
    {
        call("TextRange.Paragraphs(" + std::to_string(start) + "," + std::to_string(length) + ")");
        return make<FakeTextRange>(rec_, f_, false, 1, 0, start);
    }
    ComPtr<Font> GetFont() override
    {
        call("TextRange.Font");
        return make<FakeFont>(rec_);
    }
    ComPtr<ParagraphFormat> GetParagraphFormat() override
    {
        call("TextRange.ParagraphFormat");
        return make<FakeParagraphFormat>(rec_, f_, paragraph_);
    }
    ComPtr<ActionSettings> GetActionSettings() override
    {
        call("TextRange.ActionSettings");
        LinkOnText link{start_, length_, std::make_shared<HyperlinkModel>()};
        f_->links.push_back(link);
        return make<FakeActionSettings>(rec_, link.link);
    }
    float GetBoundHeight() override
    {
        call("TextRange.BoundHeight");
        return static_cast<float>(rec_->frameHeight(f_->text));
    }

private:
    std::shared_ptr<FrameModel> f_;
    bool whole_;
    int start_, length_, paragraph_;
};

class FakeTextFrame final : public Fake<TextFrame> {
public:
    using Interface = TextFrame;
    FakeTextFrame(std::shared_ptr<Recorder> r, std::shared_ptr<FrameModel> f) : Fake(std::move(r)), f_(std::move(f)) {}
    ComPtr<TextRange> GetTextRange() override
    {
        call("TextFrame.TextRange");
        return make<FakeTextRange>(rec_, f_, true);
    }
    PpAutoSize GetAutoSize() override
    {
        call("TextFrame.AutoSize");
        return static_cast<PpAutoSize>(f_->autoSize);
    }
    void PutAutoSize(PpAutoSize autoSize) override
    {
        call("TextFrame.AutoSize=" + std::to_string(autoSize));
        f_->autoSize = autoSize;
    }
    MsoTriState GetWordWrap() override
    {
        call("TextFrame.WordWrap");
        return static_cast<MsoTriState>(f_->wordWrap);
    }
    void PutWordWrap(MsoTriState wordWrap) override
    {
        call("TextFrame.WordWrap=" + std::to_string(wordWrap));
        f_->wordWrap = wordWrap;
    }

private:
    std::shared_ptr<FrameModel> f_;
};

class FakeShape final : public Fake<Shape> {
public:
    using Interface = Shape;
    FakeShape(std::shared_ptr<Recorder> r, std::shared_ptr<ShapeModel> m) : Fake(std::move(r)), m_(std::move(m)) {}
    ComPtr<TextFrame> GetTextFrame() override
    {
        call("Shape.TextFrame");
        if (!m_->frame) com::throwComError(E_FAIL, "this shape has no text frame");
        return make<FakeTextFrame>(rec_, m_->frame);
    }
    ComPtr<ActionSettings> GetActionSettings() override
    {
        call("Shape.ActionSettings");
        return make<FakeActionSettings>(rec_, m_->click);
    }
    float GetLeft() override { return get("Left", m_->left); }
    float GetTop() override { return get("Top", m_->top); }
    float GetWidth() override { return get("Width", m_->width); }
    float GetHeight() override { return get("Height", m_->height); }

private:
    float get(const char* what, float value)
    {
        call(std::string("Shape.") + what);
        return value;
    }
    std::shared_ptr<ShapeModel> m_;
};

class FakePlaceholders final : public Fake<Placeholders> {
public:
    using Interface = Placeholders;
    FakePlaceholders(std::shared_ptr<Recorder> r, std::shared_ptr<SlideModel> s) : Fake(std::move(r)), s_(std::move(s)) {}
    int GetCount() override
    {
        call("Placeholders.Count");
        return static_cast<int>(s_->notesShapes.size());
    }
    ComPtr<Shape> Item(int index) override
    {
        call("Placeholders.Item(" + std::to_string(index) + ")");
        if (index < 1 || index > static_cast<int>(s_->notesShapes.size())) com::throwComError(E_INVALIDARG);
        return make<FakeShape>(rec_, s_->notesShapes[static_cast<std::size_t>(index - 1)]);
    }

private:
    std::shared_ptr<SlideModel> s_;
};

class FakeShapes final : public Fake<Shapes> {
public:
    using Interface = Shapes;
    FakeShapes(std::shared_ptr<Recorder> r, std::shared_ptr<SlideModel> s, bool notes)
        : Fake(std::move(r)), s_(std::move(s)), notes_(notes)
    {
    }
    int GetCount() override
    {
        call("Shapes.Count");
        return static_cast<int>(list().size());
    }
    ComPtr<Shape> Item(int index) override
    {
        call("Shapes.Item(" + std::to_string(index) + ")");
        if (index < 1 || index > static_cast<int>(list().size())) com::throwComError(E_INVALIDARG);
        return make<FakeShape>(rec_, list()[static_cast<std::size_t>(index - 1)]);
    }
    ComPtr<Placeholders> GetPlaceholders() override
    {
        call("Shapes.Placeholders");
        return make<FakePlaceholders>(rec_, s_);
    }
    ComPtr<Shape> AddLabel(MsoTextOrientation orientation, float left, float top, float width, float height) override
    {
        call("Shapes.AddLabel(" + std::to_string(orientation) + "," + number(left) + "," + number(top) + "," +
             number(width) + "," + number(height) + ")");
        auto shape = std::make_shared<ShapeModel>();
        shape->kind = "label";
        shape->left = left, shape->top = top, shape->width = width, shape->height = height;
        shape->frame = std::make_shared<FrameModel>();
        list().push_back(shape);
        return make<FakeShape>(rec_, shape);
    }
    ComPtr<Shape> AddPicture(const std::u16string& fileName, MsoTriState linkToFile, MsoTriState saveWithDocument,
                             float left, float top, float width, float height) override
    {
        call("Shapes.AddPicture(" + quoted(fileName) + "," + std::to_string(linkToFile) + "," +
             std::to_string(saveWithDocument) + "," + number(left) + "," + number(top) + "," + number(width) + "," +
             number(height) + ")");
        auto shape = std::make_shared<ShapeModel>();
        shape->kind = "picture";
        shape->fileName = utf8(fileName);
        shape->linkToFile = linkToFile;
        shape->left = left, shape->top = top, shape->width = width, shape->height = height;
        list().push_back(shape);
        return make<FakeShape>(rec_, shape);
    }
    ComPtr<Shape> AddOLEObject(float left, float top, float width, float height, const std::u16string& className,
                               const std::u16string& fileName, MsoTriState displayAsIcon,
                               const std::u16string& iconFileName, int iconIndex, const std::u16string& iconLabel,
                               MsoTriState link) override
    {
        call("Shapes.AddOLEObject(" + number(left) + "," + number(top) + "," + number(width) + "," + number(height) +
             "," + quoted(className) + "," + quoted(fileName) + "," + std::to_string(displayAsIcon) + "," +
             quoted(iconFileName) + "," + std::to_string(iconIndex) + "," + quoted(iconLabel) + "," +
             std::to_string(link) + ")");
        auto shape = std::make_shared<ShapeModel>();
        shape->kind = "ole";
        shape->fileName = utf8(fileName);
        shape->className = utf8(className);
        shape->displayAsIcon = displayAsIcon;
        shape->iconFile = utf8(iconFileName);
        shape->iconIndex = iconIndex;
        shape->iconLabel = utf8(iconLabel);
        shape->linkToFile = link;
        shape->left = left, shape->top = top;
        shape->width = width == 0 ? 400.0f : width;
        shape->height = height == 0 ? rec_->oleNaturalHeight : height;
        list().push_back(shape);
        return make<FakeShape>(rec_, shape);
    }

private:
    std::vector<std::shared_ptr<ShapeModel>>& list() { return notes_ ? s_->notesShapes : s_->shapes; }
    std::shared_ptr<SlideModel> s_;
    bool notes_;
};

class FakeHeaderFooter final : public Fake<HeaderFooter> {
public:
    using Interface = HeaderFooter;
    FakeHeaderFooter(std::shared_ptr<Recorder> r, std::string name, HeaderFooterModel* m, std::shared_ptr<void> owner)
        : Fake(std::move(r)), name_(std::move(name)), m_(m), owner_(std::move(owner))
    {
    }
    MsoTriState GetVisible() override
    {
        call(name_ + ".Visible");
        return static_cast<MsoTriState>(m_->visible);
    }
    void PutVisible(MsoTriState visible) override
    {
        call(name_ + ".Visible=" + std::to_string(visible));
        m_->visible = visible;
    }
    std::u16string GetText() override
    {
        call(name_ + ".Text");
        return com::utf8ToUtf16(m_->text);
    }
    void PutText(const std::u16string& text) override
    {
        call(name_ + ".Text=" + quoted(text));
        m_->text = utf8(text);
    }
    MsoTriState GetUseFormat() override
    {
        call(name_ + ".UseFormat");
        return static_cast<MsoTriState>(m_->useFormat);
    }
    void PutUseFormat(MsoTriState useFormat) override
    {
        call(name_ + ".UseFormat=" + std::to_string(useFormat));
        m_->useFormat = useFormat;
    }
    PpDateTimeFormat GetFormat() override
    {
        call(name_ + ".Format");
        return static_cast<PpDateTimeFormat>(m_->format);
    }
    void PutFormat(PpDateTimeFormat format) override
    {
        call(name_ + ".Format=" + std::to_string(format));
        m_->format = format;
    }

private:
    std::string name_;
    HeaderFooterModel* m_;
    std::shared_ptr<void> owner_;  // keeps the model alive
};

class FakeHeadersFooters final : public Fake<HeadersFooters> {
public:
    using Interface = HeadersFooters;
    FakeHeadersFooters(std::shared_ptr<Recorder> r, HeadersFootersModel* m, std::shared_ptr<void> owner)
        : Fake(std::move(r)), m_(m), owner_(std::move(owner))
    {
    }
    ComPtr<HeaderFooter> GetFooter() override
    {
        call("HeadersFooters.Footer");
        return make<FakeHeaderFooter>(rec_, "Footer", &m_->footer, owner_);
    }
    ComPtr<HeaderFooter> GetSlideNumber() override
    {
        call("HeadersFooters.SlideNumber");
        return make<FakeHeaderFooter>(rec_, "SlideNumber", &m_->slideNumber, owner_);
    }
    ComPtr<HeaderFooter> GetDateAndTime() override
    {
        call("HeadersFooters.DateAndTime");
        return make<FakeHeaderFooter>(rec_, "DateAndTime", &m_->dateAndTime, owner_);
    }

private:
    HeadersFootersModel* m_;
    std::shared_ptr<void> owner_;
};

class FakeNotesPage final : public Fake<SlideRange> {
public:
    using Interface = SlideRange;
    FakeNotesPage(std::shared_ptr<Recorder> r, std::shared_ptr<SlideModel> s) : Fake(std::move(r)), s_(std::move(s)) {}
    ComPtr<Shapes> GetShapes() override
    {
        call("NotesPage.Shapes");
        return make<FakeShapes>(rec_, s_, true);
    }

private:
    std::shared_ptr<SlideModel> s_;
};

class FakeSlide final : public Fake<_Slide> {
public:
    using Interface = _Slide;
    FakeSlide(std::shared_ptr<Recorder> r, std::shared_ptr<PresentationModel> p, std::shared_ptr<SlideModel> s)
        : Fake(std::move(r)), p_(std::move(p)), s_(std::move(s))
    {
    }
    ComPtr<Shapes> GetShapes() override
    {
        call("Slide.Shapes");
        return make<FakeShapes>(rec_, s_, false);
    }
    ComPtr<HeadersFooters> GetHeadersFooters() override
    {
        call("Slide.HeadersFooters");
        return make<FakeHeadersFooters>(rec_, &s_->headersFooters, s_);
    }
    ComPtr<SlideRange> GetNotesPage() override
    {
        call("Slide.NotesPage");
        return make<FakeNotesPage>(rec_, s_);
    }
    int GetSlideIndex() override
    {
        call("Slide.SlideIndex");
        for (std::size_t i = 0; i < p_->slides.size(); ++i)
            if (p_->slides[i] == s_) return static_cast<int>(i + 1);
        return 0;
    }
    int GetSlideID() override
    {
        call("Slide.SlideID");
        return s_->id;
    }

private:
    std::shared_ptr<PresentationModel> p_;
    std::shared_ptr<SlideModel> s_;
};

class FakeSlides final : public Fake<Slides> {
public:
    using Interface = Slides;
    FakeSlides(std::shared_ptr<Recorder> r, std::shared_ptr<PresentationModel> p) : Fake(std::move(r)), p_(std::move(p)) {}
    int GetCount() override
    {
        call("Slides.Count");
        return static_cast<int>(p_->slides.size());
    }
    ComPtr<_Slide> Item(int index) override
    {
        call("Slides.Item(" + std::to_string(index) + ")");
        if (index < 1 || index > static_cast<int>(p_->slides.size())) com::throwComError(E_INVALIDARG);
        return make<FakeSlide>(rec_, p_, p_->slides[static_cast<std::size_t>(index - 1)]);
    }
    ComPtr<_Slide> Add(int index, PpSlideLayout layout) override
    {
        call("Slides.Add(" + std::to_string(index) + "," + std::to_string(layout) + ")");
        if (index < 1 || index > static_cast<int>(p_->slides.size()) + 1)
            com::throwComError(E_INVALIDARG, "slide index out of range");
        auto slide = std::make_shared<SlideModel>();
        slide->id = p_->nextSlideId++;
        for (int i = 0; i < 2; ++i) {
            auto placeholder = std::make_shared<ShapeModel>();
            placeholder->kind = "placeholder";
            placeholder->frame = std::make_shared<FrameModel>();
            slide->notesShapes.push_back(placeholder);
        }
        p_->slides.insert(p_->slides.begin() + (index - 1), slide);
        return make<FakeSlide>(rec_, p_, slide);
    }

private:
    std::shared_ptr<PresentationModel> p_;
};

class FakeMaster final : public Fake<_Master> {
public:
    using Interface = _Master;
    FakeMaster(std::shared_ptr<Recorder> r, std::shared_ptr<PresentationModel> p) : Fake(std::move(r)), p_(std::move(p)) {}
    ComPtr<Shapes> GetShapes() override
    {
        call("Master.Shapes");
        com::throwComError(E_NOTIMPL);
    }
    ComPtr<HeadersFooters> GetHeadersFooters() override
    {
        call("Master.HeadersFooters");
        return make<FakeHeadersFooters>(rec_, &p_->masterHeadersFooters, p_);
    }

private:
    std::shared_ptr<PresentationModel> p_;
};

class FakePresentation final : public Fake<_Presentation> {
public:
    using Interface = _Presentation;
    FakePresentation(std::shared_ptr<Recorder> r, std::shared_ptr<PresentationModel> p) : Fake(std::move(r)), p_(std::move(p)) {}
    std::u16string GetFullName() override
    {
        call("Presentation.FullName");
        return com::utf8ToUtf16(p_->fullName);
    }
    void Close() override
    {
        call("Presentation.Close");
        if (p_->closed) com::throwComError(E_FAIL, "already closed");
        p_->closed = true;
        auto& open = rec_->open;
        for (auto it = open.begin(); it != open.end(); ++it)
            if (*it == p_) {
                open.erase(it);
                break;
            }
    }
    void Save() override
    {
        call("Presentation.Save");
        ++p_->saves;
    }
    void SaveAs(const std::u16string& fileName, PpSaveAsFileType format, MsoTriState embed) override
    {
        call("Presentation.SaveAs(" + quoted(fileName) + "," + std::to_string(format) + "," + std::to_string(embed) + ")");
        p_->savedAs = utf8(fileName);
        p_->saveFormat = format;
        p_->embedFonts = embed;
        p_->fullName = p_->savedAs;
    }
    void ApplyTemplate(const std::u16string& fileName) override
    {
        call("Presentation.ApplyTemplate(" + quoted(fileName) + ")");
        p_->appliedTemplate = utf8(fileName);
    }
    ComPtr<_Master> GetSlideMaster() override
    {
        call("Presentation.SlideMaster");
        return make<FakeMaster>(rec_, p_);
    }
    ComPtr<Slides> GetSlides() override
    {
        call("Presentation.Slides");
        return make<FakeSlides>(rec_, p_);
    }

private:
    std::shared_ptr<PresentationModel> p_;
};

class FakePresentations final : public Fake<Presentations> {
public:
    using Interface = Presentations;
    explicit FakePresentations(std::shared_ptr<Recorder> r) : Fake(std::move(r)) {}
    int GetCount() override
    {
        call("Presentations.Count");
        return static_cast<int>(rec_->open.size());
    }
    ComPtr<_Presentation> Item(int index) override
    {
        call("Presentations.Item(" + std::to_string(index) + ")");
        if (index < 1 || index > static_cast<int>(rec_->open.size()))
            com::throwComError(E_INVALIDARG, "presentation index out of range");
        return make<FakePresentation>(rec_, rec_->open[static_cast<std::size_t>(index - 1)]);
    }
    ComPtr<_Presentation> Add(MsoTriState withWindow) override
    {
        call("Presentations.Add(" + std::to_string(withWindow) + ")");
        auto p = std::make_shared<PresentationModel>();
        p->fullName = "Presentation" + std::to_string(++rec_->presentationsAdded);
        rec_->open.push_back(p);
        rec_->everMade.push_back(p);
        return make<FakePresentation>(rec_, p);
    }
    ComPtr<_Presentation> Open(const std::u16string& fileName, MsoTriState readOnly, MsoTriState untitled,
                               MsoTriState withWindow) override
    {
        call("Presentations.Open(" + quoted(fileName) + "," + std::to_string(readOnly) + "," +
             std::to_string(untitled) + "," + std::to_string(withWindow) + ")");
        if (fileName.empty()) com::throwComError(HR_FILE_NOT_FOUND, "no file name");
        auto p = std::make_shared<PresentationModel>();
        p->fullName = utf8(fileName);
        rec_->open.push_back(p);
        rec_->everMade.push_back(p);
        return make<FakePresentation>(rec_, p);
    }
};

class FakeApplication final : public Fake<_Application> {
public:
    using Interface = _Application;
    explicit FakeApplication(std::shared_ptr<Recorder> r) : Fake(std::move(r)) {}
    ComPtr<Presentations> GetPresentations() override
    {
        call("Application.Presentations");
        return make<FakePresentations>(rec_);
    }
    MsoTriState GetVisible() override
    {
        call("Application.Visible");
        return rec_->visible ? msoTrue : msoFalse;
    }
    void PutVisible(MsoTriState visible) override
    {
        call("Application.Visible=" + std::to_string(visible));
        rec_->visible = visible != msoFalse;
    }
    void Quit() override
    {
        call("Application.Quit");
        rec_->quit = true;
    }
};

}  // namespace

// ---- models ----

std::string FrameModel::utf8() const
{
    return fakeppt::utf8(text);
}

std::vector<std::string> FrameModel::paragraphs() const
{
    std::vector<std::string> out;
    std::string all = utf8();
    std::size_t from = 0;
    for (std::size_t at = all.find('\r'); at != std::string::npos; at = all.find('\r', from)) {
        out.push_back(all.substr(from, at - from));
        from = at + 1;
    }
    out.push_back(all.substr(from));
    return out;
}

std::vector<std::shared_ptr<ShapeModel>> SlideModel::labels() const
{
    return ofKind("label");
}

std::vector<std::shared_ptr<ShapeModel>> SlideModel::ofKind(const std::string& kind) const
{
    std::vector<std::shared_ptr<ShapeModel>> out;
    for (const auto& shape : shapes)
        if (shape->kind == kind) out.push_back(shape);
    return out;
}

std::string SlideModel::notesText() const
{
    return notesShapes.size() >= 2 ? notesShapes[1]->frame->utf8() : std::string();
}

// ---- recorder ----

void Recorder::fail(const std::string& key, HRESULT hr, int occurrence)
{
    failures_[key] = Failure{hr, occurrence, 0};
}

void Recorder::record(const std::string& call)
{
    if (quit) com::throwComError(RPC_E_SERVER_UNAVAILABLE, "PowerPoint has quit");
    calls.push_back(call);
    auto found = failures_.find(keyOf(call));
    if (found == failures_.end()) return;
    Failure& failure = found->second;
    ++failure.seen;
    if (failure.occurrence == 0 || failure.occurrence == failure.seen)
        com::throwComError(failure.hr, "failure scheduled by the test");
}

std::vector<std::string> Recorder::callsOf(const std::string& key) const
{
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (keyOf(c) == key) out.push_back(c);
    return out;
}

std::vector<std::string> Recorder::callsStartingWith(const std::string& prefix) const
{
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.compare(0, prefix.size(), prefix) == 0) out.push_back(c);
    return out;
}

int Recorder::count(const std::string& key) const
{
    return static_cast<int>(callsOf(key).size());
}

int Recorder::indexOf(const std::string& text, int from) const
{
    for (std::size_t i = static_cast<std::size_t>(from); i < calls.size(); ++i)
        if (calls[i] == text) return static_cast<int>(i);
    return -1;
}

bool Recorder::inOrder(const std::vector<std::string>& expected) const
{
    int from = 0;
    for (const auto& e : expected) {
        int at = indexOf(e, from);
        if (at < 0) return false;
        from = at + 1;
    }
    return true;
}

double Recorder::frameHeight(const std::u16string& text) const
{
    if (heightOf) return heightOf(text);
    if (text.empty()) return 0.0;
    std::size_t paragraphs = 1;
    for (char16_t c : text)
        if (c == u'\r') ++paragraphs;
    return lineHeight * static_cast<double>(paragraphs);
}

std::shared_ptr<PresentationModel> Recorder::lastPresentation() const
{
    return everMade.empty() ? nullptr : everMade.back();
}

ComPtr<_Application> makeApplication(const std::shared_ptr<Recorder>& recorder)
{
    return make<FakeApplication>(recorder);
}

RunningFakePowerPoint::RunningFakePowerPoint() : recorder_(std::make_shared<Recorder>())
{
    ComPtr<_Application> application = makeApplication(recorder_);
    if (FAILED(RegisterActiveObject(application.get(), CLSID_Application, 0, &cookie_)))
        throw std::runtime_error("cannot register the fake PowerPoint");
}

RunningFakePowerPoint::~RunningFakePowerPoint()
{
    revoke();
}

void RunningFakePowerPoint::revoke()
{
    if (cookie_) RevokeActiveObject(cookie_, nullptr);
    cookie_ = 0;
}

}  // namespace fakeppt
