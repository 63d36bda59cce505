// What every IDocument back-end object shares: reference counting (it can be
// aggregated, see com::Object), the type information IDispatch hands out,
// and the calls of the client's family that mean nothing to a back-end
// producing one file (tables of contents, marks, tags, file and directory
// bookkeeping): they do nothing and succeed.
#pragma once

#include "com/Object.h"
#include "document/DocumentTypeLib.h"
#include "document/IDocument.h"

class DocumentObject : public com::Object<IDocument> {
public:
    HRESULT GetTypeInfoCount(UINT* count) override { return doctypelib::getTypeInfoCount(count); }
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return doctypelib::getTypeInfo(index, locale, info);
    }

    HRESULT insertTOC() override { return S_OK; }
    HRESULT insertMark(LONG, BOOL) override { return S_OK; }
    HRESULT startTOCEntry() override { return S_OK; }
    HRESULT endTOCEntry() override { return S_OK; }
    HRESULT insertTag(BSTR) override { return S_OK; }
    HRESULT startFile(BSTR) override { return S_OK; }
    HRESULT insertLocate() override { return S_OK; }
    HRESULT pushDirectory(BSTR) override { return S_OK; }
    HRESULT popDirectory() override { return S_OK; }

protected:
    using Object::Object;
};
