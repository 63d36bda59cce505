// A value kept on the heap behind one pointer, copied with its owner: a
// variant holding a rare, large alternative this way stays the size of its
// common small ones.
#pragma once

#include <memory>
#include <utility>

namespace ppt {

template <class T>
class Boxed {
public:
    Boxed(T value) : value_(std::make_unique<T>(std::move(value))) {}
    Boxed(const Boxed& other) : Boxed(*other) {}
    Boxed(Boxed&&) noexcept = default;
    Boxed& operator=(Boxed other) noexcept
    {
        value_ = std::move(other.value_);
        return *this;
    }
    ~Boxed() = default;

    T& operator*() const { return *value_; }
    T* operator->() const { return value_.get(); }
    T* get() const { return value_.get(); }

private:
    std::unique_ptr<T> value_;
};

}  // namespace ppt
