// Counted interface reference, as _com_ptr_t: AddRef on copy, Release on
// replacement and destruction; calling through a null reference raises the
// COM error E_POINTER instead of crashing.
#pragma once

#include <cstddef>
#include <utility>

#include "com/ComError.h"
#include "com/ComTypes.h"

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to raw (AddRef).
    explicit ComPtr(T* raw) : p_(raw)
    {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    template <class U>
    ComPtr(const ComPtr<U>& other) : ComPtr(static_cast<T*>(other.get()))
    {
    }
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other)
    {
        if (other.p_ != p_) ComPtr(other).swap(*this);
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (&other != this) ComPtr(std::move(other)).swap(*this);
        return *this;
    }
    ComPtr& operator=(std::nullptr_t)
    {
        reset();
        return *this;
    }

    // Adopts a reference the caller already owns (no AddRef).
    static ComPtr attach(T* owned)
    {
        ComPtr c;
        c.p_ = owned;
        return c;
    }
    T* detach() { return std::exchange(p_, nullptr); }
    void reset()
    {
        if (T* old = std::exchange(p_, nullptr)) old->Release();
    }
    void swap(ComPtr& other) noexcept { std::swap(p_, other.p_); }

    T* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T* operator->() const
    {
        if (!p_) com::throwComError(E_POINTER, "call through a null interface reference");
        return p_;
    }
    // For out parameters: releases the current reference first.
    T** put()
    {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }

    // QueryInterface; a null result when the object lacks the interface or
    // this reference is null (hr, when given, receives the status).
    template <class U>
    ComPtr<U> as(HRESULT* hr = nullptr) const
    {
        ComPtr<U> out;
        HRESULT status = p_ ? p_->QueryInterface(U::iid, out.putVoid()) : E_POINTER;
        if (hr) *hr = status;
        return out;
    }

    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }
    friend bool operator==(const ComPtr& a, std::nullptr_t) { return a.p_ == nullptr; }

private:
    T* p_ = nullptr;
};
