#include "FakeWordBackEnd.h"

#include <fstream>

#include "com/ComObject.h"
#include "com/ComString.h"
#include "document/IDocument.h"

namespace {

std::vector<std::string>& calls()
{
    static std::vector<std::string> log;
    return log;
}

com::ModuleLock& moduleLock()
{
    static com::ModuleLock lock;
    return lock;
}

std::string quoted(BSTR text)
{
    return "\"" + com::bstrToUtf8(text) + "\"";
}

class FakeWordDocument final : public IDocument {
public:
    static HRESULT createInstance(IUnknown* outer, REFIID riid, void** object)
    {
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* made = new FakeWordDocument();
        made->AddRef();
        HRESULT hr = made->QueryInterface(riid, object);
        made->Release();
        return hr;
    }

    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        if (riid == IUnknown::iid || riid == IDispatch::iid || riid == IDocument::iid) {
            *object = static_cast<IDocument*>(this);
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
        if (left == 0) {
            calls().push_back("~released");
            delete this;
        }
        return left;
    }
    HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }

    HRESULT create(BSTR fileName) override
    {
        path_ = com::bstrToUtf8(fileName);
        return log("create(" + quoted(fileName) + ")");
    }
    HRESULT close() override
    {
        std::ofstream(path_) << "table document\n";
        return log("close()");
    }
    HRESULT insertText(BSTR text) override { return log("insertText(" + quoted(text) + ")"); }
    HRESULT insertEndl() override { return log("insertEndl()"); }
    HRESULT insertDiagram(LONG, SHORT, SHORT) override { return log("insertDiagram()"); }
    HRESULT insertPageBreak() override { return log("insertPageBreak()"); }
    HRESULT insertField(SHORT field) override { return log("insertField(" + std::to_string(field) + ")"); }
    HRESULT startHeader() override { return log("startHeader()"); }
    HRESULT endHeader() override { return log("endHeader()"); }
    HRESULT startFooter() override { return log("startFooter()"); }
    HRESULT endFooter() override { return log("endFooter()"); }
    HRESULT setStyle(BSTR style) override { return log("setStyle(" + quoted(style) + ")"); }
    HRESULT setFontName(BSTR name) override { return log("setFontName(" + quoted(name) + ")"); }
    HRESULT setOption(BSTR option, BSTR value) override
    {
        return log("setOption(" + quoted(option) + "," + quoted(value) + ")");
    }
    HRESULT trace(SHORT level) override { return log("trace(" + std::to_string(level) + ")"); }
    HRESULT getPropPages(BSTR*) override { return log("getPropPages()"); }
    HRESULT start() override { return log("start()"); }
    HRESULT stop() override { return log("stop()"); }
    HRESULT showLast() override { return log("showLast()"); }
    HRESULT setFontSize(SHORT size) override { return log("setFontSize(" + std::to_string(size) + ")"); }
    HRESULT setFontAttribute(SHORT att, BOOL value) override
    {
        return log("setFontAttribute(" + std::to_string(att) + "," + std::to_string(value) + ")");
    }
    HRESULT setTextAlign(SHORT align) override { return log("setTextAlign(" + std::to_string(align) + ")"); }
    HRESULT insertFile(BSTR fileName, SHORT type) override
    {
        return log("insertFile(" + quoted(fileName) + "," + std::to_string(type) + ")");
    }
    HRESULT getDocType(BSTR*) override { return log("getDocType()"); }
    HRESULT overrideRegistry(BSTR group, BSTR name, BSTR value, SHORT type) override
    {
        return log("overrideRegistry(" + quoted(group) + "," + quoted(name) + "," + quoted(value) + "," +
                   std::to_string(type) + ")");
    }
    HRESULT insertTOC() override { return log("insertTOC()"); }
    HRESULT startTable() override { return log("startTable()"); }
    HRESULT endTable() override { return log("endTable()"); }
    HRESULT addCell() override { return log("addCell()"); }
    HRESULT addRow() override { return log("addRow()"); }
    HRESULT insertMark(LONG, BOOL) override { return log("insertMark()"); }
    HRESULT startTOCEntry() override { return log("startTOCEntry()"); }
    HRESULT endTOCEntry() override { return log("endTOCEntry()"); }
    HRESULT insertImage(BSTR file, BSTR link) override
    {
        return log("insertImage(" + quoted(file) + "," + quoted(link) + ")");
    }
    HRESULT setOrientation(SHORT orientation) override
    {
        return log("setOrientation(" + std::to_string(orientation) + ")");
    }
    HRESULT setTableRowHeight(LONG points) override
    {
        return log("setTableRowHeight(" + std::to_string(points) + ")");
    }
    HRESULT insertTag(BSTR tag) override { return log("insertTag(" + quoted(tag) + ")"); }
    HRESULT insertXref(BSTR text, BSTR tag) override
    {
        return log("insertXref(" + quoted(text) + "," + quoted(tag) + ")");
    }
    HRESULT startFile(BSTR file) override { return log("startFile(" + quoted(file) + ")"); }
    HRESULT insertLocate() override { return log("insertLocate()"); }
    HRESULT pushDirectory(BSTR dir) override { return log("pushDirectory(" + quoted(dir) + ")"); }
    HRESULT popDirectory() override { return log("popDirectory()"); }

private:
    FakeWordDocument() : holder_(moduleLock()) {}
    ~FakeWordDocument() = default;
    static HRESULT log(std::string call)
    {
        calls().push_back(std::move(call));
        return S_OK;
    }
    ULONG refs_ = 0;
    std::string path_;
    com::ModuleLockHolder holder_;
};

}  // namespace

COM_EXPORT std::vector<std::string>* fakeWordCalls()
{
    return &calls();
}

COM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!(clsid == fakeword::clsid)) return CLASS_E_CLASSNOTAVAILABLE;
    ComPtr<IClassFactory> factory(new com::ClassFactory<FakeWordDocument>(moduleLock()));
    return factory->QueryInterface(riid, object);
}

COM_EXPORT HRESULT DllCanUnloadNow()
{
    return S_FALSE;  // the call log lives in this module
}
