// Notes capture, the trace log, setting overrides, the document type, the
// property page, and the IDocument calls that mean nothing for a presentation.
#include "com/ComString.h"
#include "com/ErrorInfo.h"
#include "generator/AutomationGuard.h"
#include "generator/CallEcho.h"
#include "generator/OrvelIds.h"
#include "generator/OrvelSettings.h"
#include "registry/RegEntry.h"
#include "text/TextConversion.h"

namespace {

HRESULT newString(const char* text, BSTR* out)
{
    if (!out) return E_POINTER;
    *out = nullptr;
    return com::guardHresult("newString", [&] {
        *out = com::allocBstr(std::string_view(text));
        return *out ? S_OK : E_OUTOFMEMORY;
    });
}

}  // namespace

HRESULT Orvel::setOption(BSTR option, BSTR value)
{
    GeneratorState& s = *state_;
    KestString word = fromBstr(option);
    KestString text = fromBstr(value);
    CallEcho(s.traceLog, "orvel->setOption(").quoted(word).comma().quoted(text).end();
    if (word == KestString("startNote"))
        s.captureMode = CaptureMode::Notes;
    else if (word == KestString("endNote"))
        s.captureMode = CaptureMode::Body;
    else if (word == KestString("incomplete"))
        s.incomplete = true;  // the client gave up on a call: see close
    return S_OK;
}

HRESULT Orvel::trace(SHORT level)
{
    GeneratorState& s = *state_;
    // Read on every call, so that an override redirects the log.
    KestString file = OrvelSettings::logName(s.settingsCache);
    s.traceLog.purgeBefore(file);
    if (level == 0) {
        s.traceLog.close();
        s.traceLog.setLevel(0);
    } else if (level > 0) {
        s.traceLog.open(file);
        s.traceLog.setLevel(level);
    }
    return S_OK;
}

HRESULT Orvel::getPropPages(BSTR* bstrCLSID)
{
    return newString(pptComPageClsidString, bstrCLSID);
}

HRESULT Orvel::getDocType(BSTR* docType)
{
    return newString(orvelDocType, docType);
}

HRESULT Orvel::overrideRegistry(BSTR group, BSTR name, BSTR value, SHORT valueType)
{
    // Lives in this object's cache only; the registry is not written.
    state_->settingsCache.override(
        RegEntry(fromBstr(group), fromBstr(name), fromBstr(value), OrvelSettings::overrideType(valueType)));
    return S_OK;
}

HRESULT Orvel::setOrientation(SHORT)
{
    return S_OK;
}

HRESULT Orvel::setTableRowHeight(LONG)
{
    return S_OK;
}

