#include "OrvelObject.h"

#include <cstdio>

#include "Failure.h"
#include "Modules.h"
#include "com/ComRuntime.h"

namespace orvel_cli {

ComPtr<IDocument> createOrvel(std::string* error)
{
    HRESULT hr = S_OK;
    ComPtr<IDocument> document;
    try {
        bool registered = false;
        if (!ensureRegistered(installedModules(), stderr, &registered)) {
            if (error) *error = "cannot register the modules in " + moduleDir().string();
            return nullptr;
        }
        if (registered) std::fprintf(stderr, "orvel: registered the modules in %s\n", moduleDir().c_str());
        document = com::createInstance<IDocument>(orvelProgId, &hr, CLSCTX_INPROC_SERVER);
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
