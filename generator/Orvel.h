// The component's document generator as a COM object: IDocument (dual) over
// one GeneratorState. The object can be aggregated (see com::Object).
#pragma once

#include <cstdint>
#include <memory>

#include "com/ComError.h"
#include "com/ComObject.h"
#include "com/ComTypes.h"
#include "document/DocumentObject.h"
#include "support/KestString.h"

struct GeneratorState;
class PptText;
class FontData;

class Orvel final : public DocumentObject {
public:
    // Makes an object and answers riid on it; with an outer unknown only
    // IUnknown may be asked for (the inner, non-delegating one).
    static HRESULT createInstance(IUnknown* outer, REFIID riid, void** object);

    ORVEL_DOCUMENT_BACK_END_METHODS
    HRESULT startHeader() override;
    HRESULT endHeader() override;
    HRESULT startFooter() override;
    HRESULT endFooter() override;
    HRESULT setStyle(BSTR style) override;
    HRESULT setOption(BSTR option, BSTR value) override;
    HRESULT trace(SHORT level) override;

private:
    explicit Orvel(IUnknown* outer);
    ~Orvel() override;
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

    com::ModuleLockHolder moduleLock_;
    std::unique_ptr<GeneratorState> state_;
};
