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

// In a back-end's class: the calls every back-end answers in its own way,
// and the IDispatch members it forwards to the type library.
#define ORVEL_DOCUMENT_BACK_END_METHODS                                                                        \
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;        \
    HRESULT Invoke(DISPID member, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,   \
                   EXCEPINFO* exception, UINT* argumentError) override;                                        \
    HRESULT start() override;                                                                                  \
    HRESULT stop() override;                                                                                   \
    HRESULT create(BSTR fileName) override;                                                                    \
    HRESULT close() override;                                                                                  \
    HRESULT showLast() override;                                                                               \
    HRESULT insertText(BSTR text) override;                                                                    \
    HRESULT insertEndl() override;                                                                             \
    HRESULT insertPageBreak() override;                                                                        \
    HRESULT insertField(SHORT field) override;                                                                 \
    HRESULT insertDiagram(LONG ptr, SHORT width, SHORT height) override;                                       \
    HRESULT insertFile(BSTR fileName, SHORT insertAsType) override;                                            \
    HRESULT insertImage(BSTR imageFileName, BSTR fileOrUrl) override;                                          \
    HRESULT insertXref(BSTR text, BSTR tagName) override;                                                      \
    HRESULT setFontName(BSTR name) override;                                                                   \
    HRESULT setFontSize(SHORT size) override;                                                                  \
    HRESULT setFontAttribute(SHORT att, BOOL value) override;                                                  \
    HRESULT setTextAlign(SHORT textAlign) override;                                                            \
    HRESULT setOrientation(SHORT docorient) override;                                                          \
    HRESULT startTable() override;                                                                             \
    HRESULT endTable() override;                                                                               \
    HRESULT addRow() override;                                                                                 \
    HRESULT addCell() override;                                                                                \
    HRESULT setTableRowHeight(LONG points) override;                                                           \
    HRESULT overrideRegistry(BSTR group, BSTR name, BSTR value, SHORT valueType) override;                     \
    HRESULT getPropPages(BSTR* bstrCLSID) override;                                                            \
    HRESULT getDocType(BSTR* docType) override;
