// What the objects of the object model share: reference counting and
// QueryInterface (each answers IUnknown and its one interface), the module
// lock, and the context that tells whether they may still be used.
#pragma once

#include <utility>

#include "com/ComError.h"
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

template <class Interface>
class ObjectBase : public com::Object<Interface> {
protected:
    explicit ObjectBase(Context context) : context_(std::move(context)), lock_(engineModuleLock()) {}

    // Every member starts here, inside its guard: fails once the application
    // has quit or the presentation has been closed.
    void check() const
    {
        ++CallFaults::made;
        if (CallFaults::countdown > 0 && --CallFaults::countdown == 0)
            com::throwComError(E_FAIL, "the call failed (fault injected by a test)");
        context_.check();
    }
    const Context& context() const { return context_; }

private:
    Context context_;
    com::ModuleLockHolder lock_;
};

// A new object handed out with the caller's reference.
template <class Impl, class... Args>
ComPtr<typename Impl::InterfaceType> makeObject(Args&&... args)
{
    return ComPtr<typename Impl::InterfaceType>(new Impl(std::forward<Args>(args)...));
}

}  // namespace ppt
