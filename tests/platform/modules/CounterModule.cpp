// COM module with one class, TestCounter, built for the runtime tests.
#include "com/ComObject.h"
#include "modules/TestCounter.h"

namespace {

com::ModuleLock& moduleLock()
{
    static com::ModuleLock lock;
    return lock;
}

class Counter final : public ITestCounter {
public:
    static HRESULT createInstance(IUnknown*, REFIID riid, void** object)
    {
        auto* counter = new Counter;  // owned by its reference count from here
        counter->AddRef();
        HRESULT hr = counter->QueryInterface(riid, object);
        counter->Release();
        return hr;
    }

    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        if (riid == IUnknown::iid || riid == ITestCounter::iid) {
            *object = static_cast<ITestCounter*>(this);
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
        if (left == 0) delete this;
        return left;
    }
    HRESULT Increment(LONG* value) override
    {
        if (!value) return E_POINTER;
        *value = ++count_;
        return S_OK;
    }

private:
    Counter() : holder_(moduleLock()) {}
    ~Counter() = default;
    com::ModuleLockHolder holder_;
    ULONG refs_ = 0;
    LONG count_ = 0;
};

}  // namespace

COM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!(clsid == testCounterClsid)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new com::ClassFactory<Counter>(moduleLock());
    factory->AddRef();
    HRESULT hr = factory->QueryInterface(riid, object);
    factory->Release();
    return hr;
}

COM_EXPORT HRESULT DllCanUnloadNow()
{
    return moduleLock().count() == 0 ? S_OK : S_FALSE;
}
