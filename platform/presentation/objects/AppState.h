// What every object of one Application shares: whether the application is
// still there, its open presentations and its window state. Objects check
// it on every call, so that after Quit each call fails as a call into a
// vanished PowerPoint process does.
#pragma once

#include <memory>
#include <vector>

#include "com/ComObject.h"
#include "model/PresentationModel.h"
#include "powerpoint/PowerPoint.h"

namespace ppt {

struct AppState {
    bool alive = true;
    std::vector<std::shared_ptr<PresentationModel>> presentations;
    int untitledCount = 0;
    PowerPoint::MsoTriState visible = PowerPoint::msoFalse;

    void check() const;
    // Takes a presentation out of the open list and forgets its file.
    void closePresentation(PresentationModel& presentation);
};

using AppPtr = std::shared_ptr<AppState>;
using PresentationPtr = std::shared_ptr<PresentationModel>;

// The place of one object in the application: its app and the presentation
// it belongs to (none for the application and the collection).
struct Context {
    AppPtr app;
    PresentationPtr presentation;
    void check() const;
};

// The lock count of the module holding the engine (DllCanUnloadNow).
com::ModuleLock& engineModuleLock();

}  // namespace ppt
