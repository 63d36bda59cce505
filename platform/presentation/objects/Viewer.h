// Showing presentations when the application is made visible: each is
// opened with the desktop's viewer, the program named by the setting
// HKEY_CURRENT_USER\Software\Orvel\PowerPoint "Viewer" ("xdg-open" when
// unset; empty: no viewer, as in tests and batch runs). The viewer is
// started detached, without a shell, with the file as its one argument.
#pragma once

#include <string>

#include "model/PresentationModel.h"

namespace ppt {

// The configured viewer program; "" when none is to be started.
std::string viewerProgram();

// Shows one presentation: its file when it has been saved, else a copy
// written to a temporary folder first. A viewer that cannot be started is
// not an error of the application's (it stays visible all the same).
void showPresentation(PresentationModel& presentation);

// Starts `program` with `file` as its argument, detached (no zombie is
// left behind, the viewer outlives this process). False when it could not
// be started.
bool launchDetached(const std::string& program, const std::string& file);

}  // namespace ppt
