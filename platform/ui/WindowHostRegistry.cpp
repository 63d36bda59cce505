// The process's current window host.
#include "ui/WindowHost.h"

namespace {
WindowHost* current = nullptr;  // apartment model: one UI thread
}

WindowHost* currentWindowHost() { return current; }

void setCurrentWindowHost(WindowHost* host)
{
    current = host;
    setMessageBoxHost(host);
}

ScopedWindowHost::ScopedWindowHost(WindowHost& host)
    : previous_(currentWindowHost()), previousMessageBoxHost_(messageBoxHost())
{
    setCurrentWindowHost(&host);
}

ScopedWindowHost::~ScopedWindowHost()
{
    current = previous_;
    setMessageBoxHost(previousMessageBoxHost_);
}
