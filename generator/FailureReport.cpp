// The one way the generator raises failures: a KestException whose reason
// names the operation, the HRESULT and its text; during destruction only a
// line in the trace log.
#include <algorithm>
#include <cstdio>
#include <ostream>

#include "com/ErrorInfo.h"
#include "generator/AutomationGuard.h"
#include "generator/CallEcho.h"

void Orvel::reportComError(const KestString& label, const ComError& error)
{
    char code[16];
    std::snprintf(code, sizeof code, "0x%x", static_cast<unsigned>(error.Error()));
    KestString message = label;
    message.append("\nCOMERROR ");
    message.append(code);
    message.append("\n");
    // A PowerPoint that has quit or crashed is named as such.
    if (error.Error() == RPC_E_SERVER_UNAVAILABLE)
        message.append("PowerPoint is unavailable.");
    else
        message.append(KestString(error.ErrorMessage()));

    // The object's own words for the reason: in the trace log, and for the
    // caller as this thread's error info.
    const std::string& reason = error.Description();
    GeneratorState& s = *state_;
    if (!reason.empty() && s.traceLog.isTrace(errorLevel)) {
        std::string line = reason;  // one line: the log stays a script
        std::replace(line.begin(), line.end(), '\n', ' ');
        s.traceLog << "ERR " << label << ": " << KestString(line) << std::endl;
    }
    if (s.shuttingDown) {
        if (s.traceLog.isTrace(errorLevel)) s.traceLog << message << std::endl;
        return;
    }
    com::setErrorInfo(reason);
    raise(message);
}

void Orvel::raise(const KestString& reason)
{
    KestException failure(reason);
    KestLogBase* log = KestException::getLog();
    if (log && log->isLogging("Throw")) *log << "Exception throw: " << failure.reasonText() << std::endl;
    throw failure;
}
