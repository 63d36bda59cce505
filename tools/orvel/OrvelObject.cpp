#include "OrvelObject.h"

#include <cstdio>

#include "Failure.h"
#include "Modules.h"
#include "com/ComRuntime.h"

namespace orvel_cli {
namespace {

bool notRegistered(HRESULT hr)
{
    return hr == CO_E_CLASSSTRING || hr == REGDB_E_CLASSNOTREG;
}

}  // namespace

ComPtr<IDocument> createOrvel(std::string* error)
{
    HRESULT hr = S_OK;
    ComPtr<IDocument> document;
    try {
        document = com::createInstance<IDocument>(orvelProgId, &hr, CLSCTX_INPROC_SERVER);
        if (!document && notRegistered(hr)) {
            if (!registerModules(installedModules(), stderr)) {
                if (error) *error = "cannot register the modules in " + moduleDir().string();
                return nullptr;
            }
            std::fprintf(stderr, "orvel: registered the modules in %s\n", moduleDir().c_str());
            document = com::createInstance<IDocument>(orvelProgId, &hr, CLSCTX_INPROC_SERVER);
        }
    } catch (...) {
        if (error) *error = describe(std::current_exception());
        return nullptr;
    }
    if (!document && error) {
        *error = std::string("cannot create ") + orvelProgId + ": " + describe(hr);
        std::string detail = com::lastErrorDescription();
        if (!detail.empty()) *error += " (" + detail + ")";
    }
    return document;
}

}  // namespace orvel_cli
