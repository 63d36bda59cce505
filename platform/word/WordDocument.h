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
#include "document/IDocument.h"
#include "registry/RegisterCache.h"

namespace word {

class WordDocument final : public IDocument {
public:
    // For the class factory; cannot be aggregated.
    static HRESULT createInstance(IUnknown* outer, REFIID riid, void** object);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    HRESULT Invoke(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* exception, UINT* argumentError) override;

#define ORVEL_WORD_DECLARE_METHOD(id, name, params, info) HRESULT name params override;
    ORVEL_IDOCUMENT_METHODS(ORVEL_WORD_DECLARE_METHOD)
#undef ORVEL_WORD_DECLARE_METHOD

private:
    WordDocument();
    ~WordDocument() = default;

    // The open document, or null when none is.
    DocumentBuilder* document() { return document_ ? &*document_ : nullptr; }
    void insertTextFile(const std::string& path, const std::string& name);

    com::ModuleLockHolder moduleLock_;
    ULONG refs_ = 0;
    bool started_ = false;
    std::optional<DocumentBuilder> document_;
    std::string path_;  // where close writes, resolved when the document was created
    RegisterCache settings_;  // overrideRegistry's entries, for this object only
};

}  // namespace word
