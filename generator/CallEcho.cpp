#include "generator/CallEcho.h"

#include <ostream>

CallEcho::CallEcho(Trace& log, const char* begin) : log_(log), on_(log.isTrace(echoLevel))
{
    if (on_) log_ << begin;
}

CallEcho& CallEcho::quoted(const KestString& text)
{
    if (on_) log_ << "\"" << text << "\"";
    return *this;
}

CallEcho& CallEcho::piece(const char* text)
{
    if (on_) log_ << text;
    return *this;
}

CallEcho& CallEcho::comma()
{
    return piece(",");
}

CallEcho& CallEcho::number(short value)
{
    if (on_) log_ << value;
    return *this;
}

void CallEcho::end(const char* ending)
{
    if (on_) log_ << ending << std::endl;
}

void CallEcho::line(Trace& log, const char* text)
{
    if (log.isTrace(echoLevel)) log << text << std::endl;
}
