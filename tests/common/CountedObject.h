// A COM object on the test's stack that answers IUnknown only and counts its
// references, to see who holds it.
#pragma once

#include "com/ComTypes.h"

namespace testenv {

class CountedObject final : public IUnknown {
public:
    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        if (!(riid == IUnknown::iid)) return E_NOINTERFACE;
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    ULONG refs = 1;
};

}  // namespace testenv
