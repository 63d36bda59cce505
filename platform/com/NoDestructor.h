// A process-wide object that is never destroyed. The runtime's tables hold
// references into loaded modules; destroying them at exit, in an order the
// modules do not control, would call into code that may already be gone.
#pragma once

#include <new>
#include <utility>

namespace com_detail {

template <class T>
class NoDestructor {
public:
    template <class... Args>
    explicit NoDestructor(Args&&... args)
    {
        new (storage_) T(std::forward<Args>(args)...);
    }
    NoDestructor(const NoDestructor&) = delete;
    NoDestructor& operator=(const NoDestructor&) = delete;
    ~NoDestructor() = default;

    T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }
    T* operator->() { return &get(); }

private:
    alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace com_detail
