// The four calls that switch content capture to the header or the footer.
#include "generator/AutomationGuard.h"
#include "generator/CallEcho.h"
#include "generator/SlideLayout.h"

using namespace PowerPoint;

namespace {

// Either capture starts its text anew.
template <class Part>
HRESULT startCapture(GeneratorState& s, const char* echo, Part& part, CaptureMode mode)
{
    if (!s.documentOpen) return S_OK;
    CallEcho::line(s.traceLog, echo);
    part.clear();
    s.captureMode = mode;
    return S_OK;
}

}  // namespace

HRESULT Orvel::startHeader()
{
    return startCapture(*state_, "orvel->startHeader();", state_->header, CaptureMode::Header);
}

HRESULT Orvel::endHeader()
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    CallEcho::line(s.traceLog, "orvel->endHeader();");
    guarded("endHeader", [&] {
        // A fresh label: the slide's header is written into the newest one.
        const slidelayout::Box& head = slidelayout::headerLabel;
        ComPtr<Shape> label =
            s.slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, head.left, head.top, head.width, head.height);
        s.header.setRange(label->GetTextFrame()->GetTextRange());
        s.captureMode = CaptureMode::Body;
    });
    return S_OK;
}

HRESULT Orvel::startFooter()
{
    return startCapture(*state_, "orvel->startFooter();", state_->footer, CaptureMode::Footer);
}

HRESULT Orvel::endFooter()
{
    GeneratorState& s = *state_;
    CallEcho::line(s.traceLog, "orvel->endFooter();");
    s.captureMode = CaptureMode::Body;
    return S_OK;
}
