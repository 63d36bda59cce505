// The call echo: every IDocument call written to the trace log as a script
// statement, "orvel->method(arguments);". Texts go between double quotes
// exactly as received (no escaping); numbers in decimal.
#pragma once

#include "support/KestString.h"
#include "support/Trace.h"

// Level of call echo lines and of error lines in the trace log.
constexpr int echoLevel = 10;
constexpr int errorLevel = 1;

class CallEcho {
public:
    // Starts the line with begin ("orvel->insertText(") when echo is on.
    CallEcho(Trace& log, const char* begin);
    CallEcho(const CallEcho&) = delete;
    CallEcho& operator=(const CallEcho&) = delete;

    CallEcho& quoted(const KestString& text);  // "text"
    CallEcho& piece(const char* text);         // written as it is
    CallEcho& comma();
    CallEcho& number(short value);  // through the log's 16-bit output
    // Writes ending (");" by default) and the line end.
    void end(const char* ending = ");");

    // A line without arguments, written as one literal ("orvel->close();").
    static void line(Trace& log, const char* text);

private:
    Trace& log_;
    bool on_;
};
