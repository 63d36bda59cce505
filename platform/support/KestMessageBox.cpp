#include "support/KestMessageBox.h"

#include <atomic>
#include <cstdio>

namespace {
std::atomic<MessageBoxHost*> currentHost{nullptr};
}

void setMessageBoxHost(MessageBoxHost* host)
{
    currentHost.store(host);
}

MessageBoxHost* messageBoxHost()
{
    return currentHost.load();
}

int KestMessageBox(WindowHandle owner, const KestString& text, const KestString& caption, unsigned style)
{
    if (MessageBoxHost* host = currentHost.load()) return host->show(owner, text, caption, style);
    std::fprintf(stderr, "%s: %s\n", caption.data(), text.data());
    return IDOK;
}
