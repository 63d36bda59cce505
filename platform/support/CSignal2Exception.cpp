#include "support/CSignal2Exception.h"

namespace {
// Turning SIGSEGV into a C++ exception is undefined behaviour on Linux (and
// would fight the sanitizers' own handlers), so the guard only counts how
// deeply automation sequences are nested; faults stay fatal.
thread_local int guardedDepth = 0;
}  // namespace

CSignal2Exception::CSignal2Exception()
{
    ++guardedDepth;
}

CSignal2Exception::~CSignal2Exception()
{
    --guardedDepth;
}

int CSignal2Exception::depth()
{
    return guardedDepth;
}
