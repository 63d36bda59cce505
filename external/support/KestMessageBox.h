// A modal message through the window layer's current host. Without a host
// (no display) the caption and text go to standard error.
#pragma once

#include "support/KestString.h"

using WindowHandle = void*;

constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr int IDOK = 1;

int KestMessageBox(WindowHandle owner, const KestString& text, const KestString& caption, unsigned style);

// The window layer installs its host here (GTK on a display, a recording host
// in tests); null restores the standard-error fallback.
class MessageBoxHost {
public:
    virtual ~MessageBoxHost() = default;
    virtual int show(WindowHandle owner, const KestString& text, const KestString& caption, unsigned style) = 0;
};
void setMessageBoxHost(MessageBoxHost* host);
MessageBoxHost* messageBoxHost();
