// What the objects of the object model share: reference counting and
// QueryInterface (each answers IUnknown and its one interface), the module
// lock, and the context that tells whether they may still be used.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "com/ComError.h"
#include "com/ErrorInfo.h"
#include "com/ComObject.h"
#include "com/ComPtr.h"
#include "com/Object.h"
#include "objects/AppState.h"

namespace ppt {

// For tests that fail the object model's calls one by one: every member call
// is counted, and while a countdown runs the call that ends it fails.
struct CallFaults {
    static inline long made = 0;
    static inline long countdown = 0;  // 0: no call fails
};

// The member call `n` calls from now fails (0: none); counting starts again.
inline void injectCallFault(long n)
{
    CallFaults::made = 0;
    CallFaults::countdown = n;
}
// Member calls since the last injectCallFault.
inline long memberCallsMade() { return CallFaults::made; }

// What an object holds besides its context: none.
struct NoView {};

// An object of the model with `Interface`; `View` holds what it is a view
// onto (made from the constructor's arguments after the context).
template <class Interface, class View = NoView>
class ObjectBase : public com::Object<Interface>, protected View {
public:
    using InterfaceType = Interface;

    template <class... ViewArgs>
    explicit ObjectBase(Context context, ViewArgs&&... view)
        : View{std::forward<ViewArgs>(view)...}, context_(std::move(context)), lock_(engineModuleLock())
    {
    }

protected:
    // Every member starts here, inside its guard (see member()): fails once the application
    // has quit or the presentation has been closed. A call that reaches a
    // slide touches the slide's guard, as a slide made early must be made again.
    void check() const
    {
        ++CallFaults::made;
        if (CallFaults::countdown > 0 && --CallFaults::countdown == 0)
            com::throwComError(E_FAIL, "the call failed (fault injected by a test)");
        context_.check();
        if constexpr (requires(const View& view) { view.partGuard(); }) {
            if (PartGuard* guard = View::partGuard()) guard->touch();
        }
    }
    const Context& context() const { return context_; }

    // A member's body, run after check() inside the guard that turns what it
    // raises into a ComError naming `what` ("Shape.GetLeft").
    template <class Body>
    auto member(std::string_view what, Body&& body) const -> decltype(body())
    {
        return com::guardMember(what, [&]() -> decltype(body()) {
            check();
            return body();
        });
    }

private:
    Context context_;
    com::ModuleLockHolder lock_;
};

// Item `index` (one-based, as callers count) of a collection's `items`, or
// the error PowerPoint gives for an index outside them.
template <class Items>
const auto& itemAt(std::string_view collection, const Items& items, int index)
{
    if (index < 1 || static_cast<std::size_t>(index) > items.size())
        com::throwComError(E_INVALIDARG, std::string(collection) + ".Item : Integer out of range. " +
                                             std::to_string(index) + " is not in the valid range of 1 to " +
                                             std::to_string(items.size()) + ".");
    return items[static_cast<std::size_t>(index) - 1];
}

// A new object handed out with the caller's reference.
template <class Impl, class... Args>
ComPtr<typename Impl::InterfaceType> makeObject(Args&&... args)
{
    return ComPtr<typename Impl::InterfaceType>(new Impl(std::forward<Args>(args)...));
}

}  // namespace ppt
