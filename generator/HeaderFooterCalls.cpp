// The four calls that switch content capture to the header or the footer.
#include "generator/AutomationGuard.h"
#include "generator/CallEcho.h"
#include "generator/SlideLayout.h"

using namespace PowerPoint;

HRESULT Orvel::startHeader()
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    CallEcho::line(s.traceLog, "orvel->startHeader();");
    s.header.clear();
    s.captureMode = CaptureMode::Header;
    return S_OK;
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
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    CallEcho::line(s.traceLog, "orvel->startFooter();");
    s.captureMode = CaptureMode::Footer;
    s.footer.clear();
    return S_OK;
}

HRESULT Orvel::endFooter()
{
    GeneratorState& s = *state_;
    CallEcho::line(s.traceLog, "orvel->endFooter();");
    s.captureMode = CaptureMode::Body;
    return S_OK;
}
