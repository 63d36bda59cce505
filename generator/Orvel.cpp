// The COM side of the Orvel object: identity, reference counting,
// aggregation, the IDispatch members, construction and destruction.
#include "generator/Orvel.h"

#include <new>

#include "document/DocumentTypeLib.h"
#include "generator/AutomationGuard.h"
#include "generator/GeneratorState.h"
#include "generator/OrvelSettings.h"
#include "registration/OrvelModule.h"
#include "support/SysDirectory.h"

HRESULT Orvel::createInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer && !(riid == IUnknown::iid)) return CLASS_E_NOAGGREGATION;
    Orvel* made = nullptr;
    try {
        made = new Orvel(outer);  // owned by its reference count, freed by Release
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (const ComError& error) {
        return error.Error();
    } catch (...) {
        return E_FAIL;
    }
    // The object lives by its inner reference count from here on.
    made->inner_.AddRef();
    HRESULT hr = made->inner_.QueryInterface(riid, object);
    made->inner_.Release();
    return hr;
}

Orvel::Orvel(IUnknown* outer)
    : outer_(outer ? outer : &inner_), moduleLock_(orvelModuleLock()), state_(std::make_unique<GeneratorState>())
{
    GeneratorState& s = *state_;
    s.pageNumber = 0;
    s.captureMode = CaptureMode::Body;
    s.documentOpen = false;
    s.started = false;
    s.workingDir = SysDirectory::getCurrentDir();
    s.shuttingDown = false;
    s.tableOpen = false;
    s.tableDocumentStarted = false;
    s.rowHeight = 0;
    s.installDir = OrvelSettings::installDir(s.settingsCache);
    s.slideUsed = true;
}

Orvel::~Orvel()
{
    teardown();
}

void Orvel::teardown() noexcept
{
    GeneratorState& s = *state_;
    s.shuttingDown = true;
    try {
        if (s.started) {
            guarded("~Orvel", [&] {
                // A PowerPoint the user can see is left running with its presentations.
                if (s.application->GetVisible() == PowerPoint::msoFalse) {
                    close();
                    stop();
                }
            });
        }
    } catch (...) {
    }
    try {
        if (s.tableDocumentStarted) {
            s.tableDocumentStarted = false;
            toTable([](IDocument& table) { table.stop(); });
            s.tableDocument = nullptr;
        }
    } catch (...) {
    }
    // Writers still holding links attach them now; nothing can report a failure here.
    try {
        state_.reset();
    } catch (...) {
    }
}

HRESULT Orvel::QueryInterface(REFIID riid, void** object)
{
    return outer_->QueryInterface(riid, object);
}

ULONG Orvel::AddRef()
{
    return outer_->AddRef();
}

ULONG Orvel::Release()
{
    return outer_->Release();
}

HRESULT Orvel::InnerUnknown::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    if (riid == IUnknown::iid) {
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    if (riid == IDispatch::iid || riid == IDocument::iid) {
        IDocument* document = &owner_;
        *object = document;
        document->AddRef();  // counts on the controlling unknown
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG Orvel::InnerUnknown::AddRef()
{
    return ++owner_.refs_;
}

ULONG Orvel::InnerUnknown::Release()
{
    ULONG left = --owner_.refs_;
    if (left == 0) delete &owner_;
    return left;
}

HRESULT Orvel::GetTypeInfoCount(UINT* count)
{
    return doctypelib::getTypeInfoCount(count);
}

HRESULT Orvel::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info)
{
    return doctypelib::getTypeInfo(index, locale, info);
}

HRESULT Orvel::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return doctypelib::getIDsOfNames(names, count, ids);
}

HRESULT Orvel::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError)
{
    return doctypelib::invoke(this, member, flags, params, result, exception, argumentError);
}
