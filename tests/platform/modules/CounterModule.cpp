// COM module with one class, TestCounter, built for the runtime tests.
#include "com/ComObject.h"
#include "modules/TestCounter.h"

namespace {

com::ModuleLock& moduleLock()
{
    static com::ModuleLock lock;
    return lock;
}

class Counter final : public com::Object<ITestCounter> {
public:
    static HRESULT createInstance(IUnknown*, REFIID riid, void** object)
    {
        return com::createObject(riid, object, [] { return new Counter; });
    }

    HRESULT Increment(LONG* value) override
    {
        if (!value) return E_POINTER;
        *value = ++count_;
        return S_OK;
    }

private:
    Counter() : holder_(moduleLock()) {}
    ~Counter() override = default;
    com::ModuleLockHolder holder_;
    LONG count_ = 0;
};

}  // namespace

COM_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!(clsid == testCounterClsid)) return CLASS_E_CLASSNOTAVAILABLE;
    return com::ClassFactory<Counter>::answer(moduleLock(), riid, object);
}

COM_EXPORT HRESULT DllCanUnloadNow()
{
    return moduleLock().count() == 0 ? S_OK : S_FALSE;
}
