// The COM side of the Orvel object: identity, reference counting,
// aggregation, the IDispatch members, construction and destruction.
#include "generator/Orvel.h"

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
    return com::createObject(riid, object, [&] { return new Orvel(outer); });
}

Orvel::Orvel(IUnknown* outer)
    : DocumentObject(outer), moduleLock_(orvelModuleLock()), state_(std::make_unique<GeneratorState>())
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

HRESULT Orvel::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    return doctypelib::getIDsOfNames(names, count, ids);
}

HRESULT Orvel::Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argumentError)
{
    return doctypelib::invoke(this, member, flags, params, result, exception, argumentError);
}
