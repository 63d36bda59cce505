// An exclusive lock for a file of fixed name that every process working in a
// folder uses in turn (a temporary document, say). It is taken on the folder,
// because the file itself is replaced when it is written, so the names of one
// folder share one lock. Construction waits while another process, or another
// thread, holds it; the lock is held until destruction.
#pragma once

#include "support/KestString.h"

class SysFileLock {
public:
    explicit SysFileLock(const KestString& path);
    SysFileLock(const SysFileLock&) = delete;
    SysFileLock& operator=(const SysFileLock&) = delete;
    ~SysFileLock();

    // False when the lock could not be taken: the folder cannot be opened, or
    // this thread holds it already (waiting would never end). failure() says why.
    bool held() const { return folder_ >= 0; }
    const KestString& failure() const { return failure_; }

private:
    int folder_ = -1;
    KestString failure_;
};
