// Reference counting and QueryInterface for a COM class, written once.
// Apartment model: a plain counter, no locks.
#pragma once

#include <type_traits>

#include "com/ComTypes.h"
#include "com/ErrorInfo.h"

namespace com {

// A class implementing Interfaces (the first is its main one) derives from
// Object<Interfaces...>. QueryInterface answers IUnknown, every listed
// interface and, when one of them is a dual interface, IDispatch.
//
// An object made with an outer unknown is aggregated: its own IUnknown
// (inner()) holds the count and is what the outer object keeps, while
// IUnknown calls on the interfaces go to the outer object. Without one the
// inner IUnknown is the controlling one.
template <class... Interfaces>
class Object : public Interfaces... {
    static_assert(sizeof...(Interfaces) > 0);

public:
    HRESULT QueryInterface(REFIID riid, void** object) override { return controlling_->QueryInterface(riid, object); }
    ULONG AddRef() override { return controlling_->AddRef(); }
    ULONG Release() override { return controlling_->Release(); }

    // The non-delegating IUnknown: the object's identity.
    IUnknown* inner() { return &inner_; }

protected:
    explicit Object(IUnknown* outer = nullptr) : controlling_(outer ? outer : &inner_) {}
    virtual ~Object() = default;
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

private:
    class Inner final : public IUnknown {
    public:
        explicit Inner(Object& owner) : owner_(owner) {}
        HRESULT QueryInterface(REFIID riid, void** object) override
        {
            if (!object) return E_POINTER;
            IUnknown* found = riid == IUnknown::iid ? static_cast<IUnknown*>(this) : owner_.find(riid);
            *object = found;
            if (!found) return E_NOINTERFACE;
            found->AddRef();  // an interface counts on the controlling unknown
            return S_OK;
        }
        ULONG AddRef() override { return ++refs_; }
        ULONG Release() override
        {
            ULONG left = --refs_;
            if (left == 0) delete &owner_;
            return left;
        }

    private:
        Object& owner_;
        ULONG refs_ = 0;
    };

    template <class I>
    IUnknown* as(REFIID riid)
    {
        if (riid == I::iid) return static_cast<I*>(this);
        if constexpr (std::is_base_of_v<IDispatch, I> && !std::is_same_v<IDispatch, I>)
            if (riid == IDispatch::iid) return static_cast<IDispatch*>(static_cast<I*>(this));
        return nullptr;
    }
    IUnknown* find(REFIID riid)
    {
        IUnknown* found = nullptr;
        ((found = as<Interfaces>(riid)) || ...);
        return found;
    }

    Inner inner_{*this};
    IUnknown* controlling_;
};

// A class factory's CreateInstance for class T: `make` returns a new T (made
// with outer when T can be aggregated), which lives by its reference count
// from here on; riid is answered on it. Whatever the making raises comes back
// as an HRESULT.
template <class Make>
HRESULT createObject(REFIID riid, void** object, Make&& make) noexcept
{
    if (!object) return E_POINTER;
    *object = nullptr;
    return guardHresult("CreateInstance", [&] {
        IUnknown* identity = make()->inner();
        identity->AddRef();
        HRESULT hr = identity->QueryInterface(riid, object);
        identity->Release();
        return hr;
    });
}

}  // namespace com
