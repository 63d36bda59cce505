// Reference counting and QueryInterface for the objects of the object
// model. Each object answers IUnknown and its one interface.
#pragma once

#include <utility>

#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "objects/AppState.h"

namespace ppt {

template <class Interface>
class ObjectBase : public Interface {
public:
    HRESULT QueryInterface(REFIID riid, void** object) override
    {
        if (!object) return E_POINTER;
        if (riid == IUnknown::iid || riid == Interface::iid) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
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

protected:
    explicit ObjectBase(Context context) : context_(std::move(context)), lock_(engineModuleLock()) {}
    virtual ~ObjectBase() = default;
    ObjectBase(const ObjectBase&) = delete;
    ObjectBase& operator=(const ObjectBase&) = delete;

    // Every member starts here: fails once the application has quit or the
    // presentation has been closed.
    void check() const { context_.check(); }
    const Context& context() const { return context_; }

private:
    Context context_;
    com::ModuleLockHolder lock_;
    ULONG refs_ = 0;
};

// A new object handed out with the caller's reference.
template <class Impl, class... Args>
ComPtr<typename Impl::InterfaceType> makeObject(Args&&... args)
{
    return ComPtr<typename Impl::InterfaceType>(new Impl(std::forward<Args>(args)...));
}

}  // namespace ppt
