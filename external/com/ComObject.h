// Small building blocks for implementing COM objects and class factories
// inside a module: reference counting, the module's lock count that
// DllCanUnloadNow reads, and a standard class factory.
#pragma once

#include <memory>
#include <new>

#include "com/ComError.h"
#include "com/ErrorInfo.h"
#include "com/ComPtr.h"
#include "com/ComTypes.h"
#include "com/Object.h"

namespace com {

// Counts live objects and server locks of one module. Each module owns one
// (a function-local static in its module source file).
class ModuleLock {
public:
    void lock() { ++count_; }
    void unlock() { --count_; }
    long count() const { return count_; }

private:
    long count_ = 0;  // apartment model: no locking needed
};

// Keeps the module loaded while an object of it lives.
class ModuleLockHolder {
public:
    explicit ModuleLockHolder(ModuleLock& lock) : lock_(lock) { lock_.lock(); }
    ModuleLockHolder(const ModuleLockHolder&) = delete;
    ModuleLockHolder& operator=(const ModuleLockHolder&) = delete;
    ~ModuleLockHolder() { lock_.unlock(); }

private:
    ModuleLock& lock_;
};

// Creates an object for a class factory: Impl must be constructible from
// (IUnknown* outer) and answer QueryInterface. Returns CLASS_E_NOAGGREGATION
// when outer is given and the class cannot be aggregated. Holding the factory
// does not keep the module loaded (as with COM's own class objects): a client
// that keeps it for later calls LockServer.
template <class Impl>
class ClassFactory final : public Object<IClassFactory> {
public:
    explicit ClassFactory(ModuleLock& lock) : lock_(lock) {}

    HRESULT CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer && !(riid == IUnknown::iid)) return CLASS_E_NOAGGREGATION;
        return guardHresult("CreateInstance", [&] { return Impl::createInstance(outer, riid, object); });
    }
    HRESULT LockServer(BOOL lock) override
    {
        if (lock)
            lock_.lock();
        else
            lock_.unlock();
        return S_OK;
    }

    // A new factory answering riid, for DllGetClassObject.
    static HRESULT answer(ModuleLock& lock, REFIID riid, void** object) noexcept
    {
        return createObject(riid, object, [&] { return new ClassFactory(lock); });
    }

private:
    ~ClassFactory() override = default;
    ModuleLock& lock_;
};

}  // namespace com
