// A process-wide object that is never destroyed. The platform's tables and
// logs may still be used by destructors of other static objects or by loaded
// modules at exit, in an order nobody controls; they must outlive them all.
#pragma once

#include <new>
#include <utility>

namespace platform_detail {

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

}  // namespace platform_detail
