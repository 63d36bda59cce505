#include "objects/AppState.h"

#include <algorithm>

#include "com/ComError.h"
#include "com/ComRuntime.h"

namespace ppt {

com::ModuleLock& engineModuleLock()
{
    static com::ModuleLock lock;
    return lock;
}

void AppState::check() const
{
    if (!alive) com::throwComError(RPC_E_SERVER_UNAVAILABLE, "PowerPoint has quit: the application is no longer available.");
}

void AppState::closePresentation(PresentationModel& presentation)
{
    presentation.open = false;
    presentation.background.reset();
    if (presentation.runningCookie) {
        com::revokeRunningFile(presentation.runningCookie);
        presentation.runningCookie = 0;
    }
    std::erase_if(presentations, [&](const PresentationPtr& p) { return p.get() == &presentation; });
}

void Context::check() const
{
    app->check();
    if (presentation && !presentation->open)
        com::throwComError(E_FAIL, "The presentation has been closed: the object does not exist any more.");
}

}  // namespace ppt
