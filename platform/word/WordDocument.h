// The Word back-end stand-in as a COM object: IDocument (dual) over a
// DocumentBuilder. `create` opens a document, the content calls fill it,
// `close` writes it as a .docx package. Results follow the COM habit of a
// Word back-end: failures are HRESULTs, never exceptions, and a call that
// has nothing to work on (no document open) does nothing and succeeds.
#pragma once

#include <optional>
#include <string>

#include "DocumentBuilder.h"
#include "com/ComObject.h"
#include "com/ComTypes.h"
#include "document/DocumentObject.h"
#include "registry/RegisterCache.h"

namespace word {

class WordDocument final : public DocumentObject {
public:
    // For the class factory; cannot be aggregated.
    static HRESULT createInstance(IUnknown* outer, REFIID riid, void** object);

    ORVEL_DOCUMENT_BACK_END_METHODS

    // A stand-alone Word document has no headers, footers, styles, options or trace.
    HRESULT startHeader() override { return S_OK; }
    HRESULT endHeader() override { return S_OK; }
    HRESULT startFooter() override { return S_OK; }
    HRESULT endFooter() override { return S_OK; }
    HRESULT setStyle(BSTR) override { return S_OK; }
    HRESULT setOption(BSTR, BSTR) override { return S_OK; }
    HRESULT trace(SHORT) override { return S_OK; }

private:
    WordDocument();
    ~WordDocument() override = default;

    // The open document, or null when none is.
    DocumentBuilder* document() { return document_ ? &*document_ : nullptr; }
    // A content call: `edit` applied to the open document; with none open it
    // does nothing and succeeds.
    template <class Edit>
    HRESULT onDocument(const char* what, Edit&& edit);
    void insertTextFile(const std::string& path, const std::string& name);

    com::ModuleLockHolder moduleLock_;
    bool started_ = false;
    std::optional<DocumentBuilder> document_;
    std::string path_;  // where close writes, resolved when the document was created
    RegisterCache settings_;  // overrideRegistry's entries, for this object only
};

}  // namespace word
