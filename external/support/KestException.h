// The general library's exception and its log of exception events.
#pragma once

#include <exception>
#include <ostream>

#include "support/KestString.h"

// Log of exception events. Categories ("Throw", "Catch") are off unless the
// setting "Log"/"ExceptionLog" or the environment variable
// ORVEL_EXCEPTION_LOG names them ("Throw,Catch"); lines go to standard error,
// or to the file named by ORVEL_EXCEPTION_LOG_FILE.
class KestLogBase {
public:
    virtual ~KestLogBase() = default;
    virtual bool isLogging(const char* category) const = 0;
    virtual void enable(const char* category, bool on) = 0;
    virtual KestLogBase& operator<<(const KestString& text) = 0;
    virtual KestLogBase& operator<<(const char* text) = 0;
    virtual KestLogBase& operator<<(std::ostream& (*manipulator)(std::ostream&)) = 0;
};

class KestException : public std::exception {
public:
    explicit KestException(const KestString& reason);
    KestException(const KestException&) = default;
    KestException& operator=(const KestException&) = default;
    ~KestException() override;

    KestString reasonText() const { return reason_; }
    const char* what() const noexcept override { return reason_.data(); }

    static KestLogBase* getLog();

private:
    KestString reason_;
};
