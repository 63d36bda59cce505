// PowerPoint's automation object model as the component sees it, in the form
// of #import's wrapper methods: every member returns its result directly and
// raises a ComError (HRESULT + description) on failure. Objects are counted
// (IUnknown) and returned as ComPtr. Geometry is in points, text is UTF-16,
// text positions are 1-based and count UTF-16 code units.
#pragma once

#include <string>

#include "com/ComPtr.h"
#include "com/ComTypes.h"

namespace PowerPoint {

enum MsoTriState : int { msoFalse = 0, msoTrue = -1, msoCTrue = 1, msoTriStateMixed = -2, msoTriStateToggle = -3 };
enum MsoTextOrientation : int { msoTextOrientationHorizontal = 1 };
enum PpSlideLayout : int { ppLayoutTitle = 1, ppLayoutText = 2, ppLayoutTitleOnly = 11, ppLayoutBlank = 12 };
enum PpAutoSize : int { ppAutoSizeMixed = -2, ppAutoSizeNone = 0, ppAutoSizeShapeToFitText = 1 };
enum PpParagraphAlignment : int {
    ppAlignmentMixed = -2,
    ppAlignLeft = 1,
    ppAlignCenter = 2,
    ppAlignRight = 3,
    ppAlignJustify = 4,
};
enum PpSaveAsFileType : int { ppSaveAsPresentation = 1, ppSaveAsTemplate = 5, ppSaveAsOpenXMLPresentation = 24 };
enum PpMouseActivation : int { ppMouseClick = 1, ppMouseOver = 2 };
enum PpDateTimeFormat : int { ppDateTimeMdyy = 1 };

// PowerPoint's application class, as registered in the running-object table.
constexpr const char* applicationClsidString = "{91493441-5A91-11CF-8700-00AA0060263B}";
constexpr CLSID CLSID_Application = makeGuid("{91493441-5A91-11CF-8700-00AA0060263B}");
constexpr const char* applicationProgId = "PowerPoint.Application";

struct _Application;
struct Presentations;
struct _Presentation;
struct Slides;
struct _Slide;
struct SlideRange;
struct _Master;
struct Shapes;
struct Shape;
struct Placeholders;
struct TextFrame;
struct TextRange;
struct Font;
struct ParagraphFormat;
struct BulletFormat;
struct ActionSettings;
struct ActionSetting;
struct Hyperlink;
struct HeadersFooters;
struct HeaderFooter;

struct _Application : IUnknown {
    static constexpr IID iid = makeGuid("{91493442-5A91-11CF-8700-00AA0060263B}");
    virtual ComPtr<Presentations> GetPresentations() = 0;
    virtual MsoTriState GetVisible() = 0;
    virtual void PutVisible(MsoTriState visible) = 0;
    // Ends the application: every later call on any of its objects fails
    // with RPC_E_SERVER_UNAVAILABLE (0x800706BA).
    virtual void Quit() = 0;

protected:
    ~_Application() = default;
};

struct Presentations : IUnknown {
    static constexpr IID iid = makeGuid("{91493462-5A91-11CF-8700-00AA0060263B}");
    virtual int GetCount() = 0;
    virtual ComPtr<_Presentation> Item(int index) = 0;  // 1-based
    virtual ComPtr<_Presentation> Add(MsoTriState withWindow) = 0;
    virtual ComPtr<_Presentation> Open(const std::u16string& fileName, MsoTriState readOnly, MsoTriState untitled,
                                       MsoTriState withWindow) = 0;

protected:
    ~Presentations() = default;
};

struct _Presentation : IUnknown {
    static constexpr IID iid = makeGuid("{9149349D-5A91-11CF-8700-00AA0060263B}");
    virtual std::u16string GetFullName() = 0;
    virtual void Close() = 0;
    virtual void Save() = 0;
    virtual void SaveAs(const std::u16string& fileName, PpSaveAsFileType format, MsoTriState embedTrueTypeFonts) = 0;
    virtual void ApplyTemplate(const std::u16string& fileName) = 0;
    virtual ComPtr<_Master> GetSlideMaster() = 0;
    virtual ComPtr<Slides> GetSlides() = 0;

protected:
    ~_Presentation() = default;
};

struct Slides : IUnknown {
    static constexpr IID iid = makeGuid("{91493469-5A91-11CF-8700-00AA0060263B}");
    virtual int GetCount() = 0;
    virtual ComPtr<_Slide> Item(int index) = 0;  // 1-based
    // Inserts a slide at index (1 to Count + 1).
    virtual ComPtr<_Slide> Add(int index, PpSlideLayout layout) = 0;

protected:
    ~Slides() = default;
};

struct _Slide : IUnknown {
    static constexpr IID iid = makeGuid("{9149346A-5A91-11CF-8700-00AA0060263B}");
    virtual ComPtr<Shapes> GetShapes() = 0;
    virtual ComPtr<HeadersFooters> GetHeadersFooters() = 0;
    virtual ComPtr<SlideRange> GetNotesPage() = 0;
    virtual int GetSlideIndex() = 0;
    virtual int GetSlideID() = 0;

protected:
    ~_Slide() = default;
};

// The notes page of a slide (PowerPoint hands it out as a slide range).
struct SlideRange : IUnknown {
    static constexpr IID iid = makeGuid("{9149346B-5A91-11CF-8700-00AA0060263B}");
    virtual ComPtr<Shapes> GetShapes() = 0;

protected:
    ~SlideRange() = default;
};

struct _Master : IUnknown {
    static constexpr IID iid = makeGuid("{9149346C-5A91-11CF-8700-00AA0060263B}");
    virtual ComPtr<Shapes> GetShapes() = 0;
    virtual ComPtr<HeadersFooters> GetHeadersFooters() = 0;

protected:
    ~_Master() = default;
};

struct Shapes : IUnknown {
    static constexpr IID iid = makeGuid("{91493475-5A91-11CF-8700-00AA0060263B}");
    virtual int GetCount() = 0;
    virtual ComPtr<Shape> Item(int index) = 0;  // 1-based, in z-order
    virtual ComPtr<Placeholders> GetPlaceholders() = 0;
    // A text box as PowerPoint makes a label: sized to its text, no wrap.
    virtual ComPtr<Shape> AddLabel(MsoTextOrientation orientation, float left, float top, float width,
                                   float height) = 0;
    virtual ComPtr<Shape> AddPicture(const std::u16string& fileName, MsoTriState linkToFile,
                                     MsoTriState saveWithDocument, float left, float top, float width,
                                     float height) = 0;
    virtual ComPtr<Shape> AddOLEObject(float left, float top, float width, float height,
                                       const std::u16string& className, const std::u16string& fileName,
                                       MsoTriState displayAsIcon, const std::u16string& iconFileName, int iconIndex,
                                       const std::u16string& iconLabel, MsoTriState link) = 0;

protected:
    ~Shapes() = default;
};

struct Placeholders : IUnknown {
    static constexpr IID iid = makeGuid("{91493476-5A91-11CF-8700-00AA0060263B}");
    virtual int GetCount() = 0;
    virtual ComPtr<Shape> Item(int index) = 0;  // 1-based

protected:
    ~Placeholders() = default;
};

struct Shape : IUnknown {
    static constexpr IID iid = makeGuid("{91493479-5A91-11CF-8700-00AA0060263B}");
    virtual ComPtr<TextFrame> GetTextFrame() = 0;
    virtual ComPtr<ActionSettings> GetActionSettings() = 0;
    virtual float GetLeft() = 0;
    virtual float GetTop() = 0;
    virtual float GetWidth() = 0;
    virtual float GetHeight() = 0;

protected:
    ~Shape() = default;
};

struct TextFrame : IUnknown {
    static constexpr IID iid = makeGuid("{91493484-5A91-11CF-8700-00AA0060263B}");
    // The range covering the frame's whole text, now and after later appends.
    virtual ComPtr<TextRange> GetTextRange() = 0;
    virtual PpAutoSize GetAutoSize() = 0;
    virtual void PutAutoSize(PpAutoSize autoSize) = 0;
    virtual MsoTriState GetWordWrap() = 0;
    virtual void PutWordWrap(MsoTriState wordWrap) = 0;

protected:
    ~TextFrame() = default;
};

struct TextRange : IUnknown {
    static constexpr IID iid = makeGuid("{9149348F-5A91-11CF-8700-00AA0060263B}");
    virtual std::u16string GetText() = 0;
    virtual int GetStart() = 0;
    virtual int GetLength() = 0;
    // Appends after this range's end; "\r" is a paragraph end.
    virtual ComPtr<TextRange> InsertAfter(const std::u16string& text) = 0;
    // Sub-ranges (start 1-based); a length past the end stops at the end.
    virtual ComPtr<TextRange> Characters(int start, int length) = 0;
    virtual ComPtr<TextRange> Paragraphs(int start, int length) = 0;
    virtual ComPtr<Font> GetFont() = 0;
    virtual ComPtr<ParagraphFormat> GetParagraphFormat() = 0;
    virtual ComPtr<ActionSettings> GetActionSettings() = 0;
    // Height in points of the laid-out text of this range.
    virtual float GetBoundHeight() = 0;

protected:
    ~TextRange() = default;
};

struct Font : IUnknown {
    static constexpr IID iid = makeGuid("{91493495-5A91-11CF-8700-00AA0060263B}");
    virtual MsoTriState GetBold() = 0;
    virtual void PutBold(MsoTriState value) = 0;
    virtual MsoTriState GetItalic() = 0;
    virtual void PutItalic(MsoTriState value) = 0;
    virtual MsoTriState GetUnderline() = 0;
    virtual void PutUnderline(MsoTriState value) = 0;
    virtual float GetSize() = 0;
    virtual void PutSize(float points) = 0;
    virtual std::u16string GetName() = 0;
    virtual void PutName(const std::u16string& name) = 0;

protected:
    ~Font() = default;
};

struct ParagraphFormat : IUnknown {
    static constexpr IID iid = makeGuid("{91493496-5A91-11CF-8700-00AA0060263B}");
    virtual PpParagraphAlignment GetAlignment() = 0;
    virtual void PutAlignment(PpParagraphAlignment alignment) = 0;
    virtual ComPtr<BulletFormat> GetBullet() = 0;

protected:
    ~ParagraphFormat() = default;
};

struct BulletFormat : IUnknown {
    static constexpr IID iid = makeGuid("{91493497-5A91-11CF-8700-00AA0060263B}");
    virtual MsoTriState GetVisible() = 0;
    virtual void PutVisible(MsoTriState visible) = 0;

protected:
    ~BulletFormat() = default;
};

struct ActionSettings : IUnknown {
    static constexpr IID iid = makeGuid("{9149348C-5A91-11CF-8700-00AA0060263B}");
    virtual ComPtr<ActionSetting> Item(PpMouseActivation index) = 0;

protected:
    ~ActionSettings() = default;
};

struct ActionSetting : IUnknown {
    static constexpr IID iid = makeGuid("{9149348D-5A91-11CF-8700-00AA0060263B}");
    virtual ComPtr<Hyperlink> GetHyperlink() = 0;

protected:
    ~ActionSetting() = default;
};

struct Hyperlink : IUnknown {
    static constexpr IID iid = makeGuid("{91493465-5A91-11CF-8700-00AA0060263B}");
    virtual std::u16string GetAddress() = 0;
    virtual void PutAddress(const std::u16string& address) = 0;
    // "slideId,slideIndex,title": a jump to that slide.
    virtual std::u16string GetSubAddress() = 0;
    virtual void PutSubAddress(const std::u16string& subAddress) = 0;

protected:
    ~Hyperlink() = default;
};

struct HeadersFooters : IUnknown {
    static constexpr IID iid = makeGuid("{91493474-5A91-11CF-8700-00AA0060263B}");
    virtual ComPtr<HeaderFooter> GetFooter() = 0;
    virtual ComPtr<HeaderFooter> GetSlideNumber() = 0;
    virtual ComPtr<HeaderFooter> GetDateAndTime() = 0;

protected:
    ~HeadersFooters() = default;
};

struct HeaderFooter : IUnknown {
    static constexpr IID iid = makeGuid("{91493477-5A91-11CF-8700-00AA0060263B}");
    virtual MsoTriState GetVisible() = 0;
    virtual void PutVisible(MsoTriState visible) = 0;
    virtual std::u16string GetText() = 0;
    virtual void PutText(const std::u16string& text) = 0;
    virtual MsoTriState GetUseFormat() = 0;
    virtual void PutUseFormat(MsoTriState useFormat) = 0;
    virtual PpDateTimeFormat GetFormat() = 0;
    virtual void PutFormat(PpDateTimeFormat format) = 0;

protected:
    ~HeaderFooter() = default;
};

}  // namespace PowerPoint
