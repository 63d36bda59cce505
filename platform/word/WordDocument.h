// The Word back-end stand-in as a COM object: IDocument (dual) over a
// DocumentBuilder. `create` opens a document, the content calls fill it,
// `close` writes it as a .docx package. Results follow the COM habit of a
// Word back-end: failures are HRESULTs, never exceptions, and a call that
// has nothing to work on (no document open) does nothing and succeeds.
#pragma once

#include <optional>
#include <string>

#include "DocumentBuilder.h"
#include "TextMeasure.h"
#include "com/ComObject.h"
#include "com/ComTypes.h"
#include "document/DocumentObject.h"
#include "registry/RegisterCache.h"

namespace word {

class WordDocument final : public DocumentObject {
public:
    // For the class factory; cannot be aggregated.
    static HRESULT createInstance(IUnknown* outer, REFIID riid, void** object);

    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argumentError) override;

    HRESULT start() override;
    HRESULT stop() override;
    HRESULT create(BSTR fileName) override;
    HRESULT close() override;
    HRESULT showLast() override;
    HRESULT overrideRegistry(BSTR group, BSTR name, BSTR value, SHORT valueType) override;
    HRESULT startTable() override;
    HRESULT endTable() override;
    HRESULT addRow() override;
    HRESULT addCell() override;
    HRESULT setTableRowHeight(LONG points) override;
    HRESULT setOrientation(SHORT docorient) override;
    HRESULT insertText(BSTR text) override;
    HRESULT insertEndl() override;
    HRESULT insertPageBreak() override;
    HRESULT setFontName(BSTR name) override;
    HRESULT setFontSize(SHORT size) override;
    HRESULT setFontAttribute(SHORT att, BOOL value) override;
    HRESULT setTextAlign(SHORT textAlign) override;
    HRESULT insertXref(BSTR text, BSTR tagName) override;
    HRESULT insertField(SHORT field) override;
    HRESULT insertImage(BSTR imageFileName, BSTR fileOrUrl) override;
    HRESULT insertFile(BSTR fileName, SHORT insertAsType) override;
    HRESULT insertDiagram(LONG ptr, SHORT width, SHORT height) override;
    HRESULT getPropPages(BSTR* bstrCLSID) override;
    HRESULT getDocType(BSTR* docType) override;

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
    void insertTextFile(const std::string& path, const std::string& name);

    com::ModuleLockHolder moduleLock_;
    bool started_ = false;
    std::optional<DocumentBuilder> document_;
    std::string path_;  // where close writes, resolved when the document was created
    RegisterCache settings_;  // overrideRegistry's entries, for this object only
    TextMeasure measure_;     // kept: fonts are found once per object
};

}  // namespace word
