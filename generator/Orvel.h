// The component's document generator as a COM object: IDocument (dual) over
// one GeneratorState. Apartment model: a plain reference count, no locks.
// The object can be aggregated; its own IUnknown is then the inner one handed
// to the outer object, and IUnknown calls on IDocument go to the outer.
#pragma once

#include <cstdint>
#include <memory>

#include "com/ComError.h"
#include "com/ComObject.h"
#include "com/ComTypes.h"
#include "document/IDocument.h"
#include "support/KestString.h"

struct GeneratorState;
class PptText;
class FontData;

class Orvel final : public IDocument {
public:
    // Makes an object and answers riid on it; with an outer unknown only
    // IUnknown may be asked for (the inner, non-delegating one).
    static HRESULT createInstance(IUnknown* outer, REFIID riid, void** object);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argumentError) override;

#define ORVEL_DECLARE_METHOD(id, name, params, info) HRESULT name params override;
    ORVEL_IDOCUMENT_METHODS(ORVEL_DECLARE_METHOD)
#undef ORVEL_DECLARE_METHOD

private:
    // The object's own IUnknown: holds the reference count.
    class InnerUnknown final : public IUnknown {
    public:
        explicit InnerUnknown(Orvel& owner) : owner_(owner) {}
        HRESULT QueryInterface(REFIID riid, void** object) override;
        ULONG AddRef() override;
        ULONG Release() override;

    private:
        Orvel& owner_;
    };

    explicit Orvel(IUnknown* outer);
    ~Orvel();
    // Destruction as the user sees it: close and stop a hidden PowerPoint,
    // stop the table back-end. Failures are only logged.
    void teardown() noexcept;

    // Failure reporting (the one way failures are raised).
    void reportComError(const KestString& label, const ComError& error);
    [[noreturn]] static void raise(const KestString& reason);
    template <class Body>
    void guarded(const char* label, Body&& body);

    // Lifecycle helpers.
    void makeVisible();
    void pauseAfterClose();

    // Slide builder.
    void finishSlide();
    void startNewSlide();
    void addSlide();
    void checkBodyOverflow();

    // Text and formatting.
    void insertTextValue(const KestString& text);
    void echoInsertText(const KestString& text);
    void routeText(const KestString& text);
    void writeBodyText(const KestString& text);
    bool writeTableMarkup(const KestString& text);
    void insertXrefValue(const KestString& text, const KestString& tagName);
    PptText* currentWriter();
    void markUsedBy(const PptText& writer);
    FontData currentFont();
    void switchFont(const FontData& font);

    // Pictures and files.
    bool isImageFile(const KestString& fileName) const;
    bool resolveImagePath(KestString& fileName);
    void insertPicture(const KestString& fileName, const KestString& link, short width, short height);
    void placePicture(const KestString& fileName, const KestString& link, short width, short height);
    void placeInBody(const KestString& fileName, const KestString& link, short width, short height);
    bool insertTextFile(PptText& writer, const KestString& fileName);
    // Line ends until the body text has grown by height since h0.
    void pushTextBelow(double h0, double height);

    // Tables.
    void ensureTableDocument();
    void lockTableDocument();
    void beginTablePart();
    void endTablePart();
    KestString tableDocumentPath() const;
    void applyTableFont();
    template <class Call>
    void toTable(Call&& call);

    IUnknown* outer_;  // the controlling unknown: the aggregate's, or inner_
    InnerUnknown inner_{*this};
    ULONG refs_ = 0;
    com::ModuleLockHolder moduleLock_;
    std::unique_ptr<GeneratorState> state_;
};
