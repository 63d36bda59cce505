// The trace log: lines of pieces, written when their level is switched on.
#pragma once

#include <memory>
#include <ostream>

#include "support/KestString.h"

class Trace {
public:
    Trace();
    Trace(const Trace&) = delete;
    Trace& operator=(const Trace&) = delete;
    ~Trace();

    // True when the log is open and level is at most the level set.
    bool isTrace(int level) const;
    void setLevel(int level);
    int level() const;

    // Opens (or reopens) the log for appending. The empty name writes to
    // standard error. A file that cannot be opened is reported once on
    // standard error; the log then stays closed and writing is harmless.
    void open(const KestString& file);
    void close();
    bool isOpen() const;
    // Would remove old rotated copies of the log file; the log is never
    // rotated, so nothing is removed.
    void purgeBefore(const KestString& file);

    Trace& operator<<(const KestString& text);
    Trace& operator<<(const char* text);
    Trace& operator<<(short number);
    Trace& operator<<(int number);
    Trace& operator<<(std::ostream& (*manipulator)(std::ostream&));

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
