// The flow of slides: finishing the current slide, starting the next one with
// its header label, body label and notes, and the overflow test.
#include "generator/AutomationGuard.h"
#include "generator/CallEcho.h"
#include "generator/SlideLayout.h"

using namespace PowerPoint;

void Orvel::finishSlide()
{
    GeneratorState& s = *state_;
    s.header.display(s.pageNumber);
    s.footer.display();
    s.bodyText.closeSlide();
}

void Orvel::startNewSlide()
{
    GeneratorState& s = *state_;
    // No empty slides: two breaks in a row, or a break on an unused slide, make none.
    if (!s.documentOpen || !s.slideUsed) return;
    guarded("pageBreak", [&] {
        finishSlide();
        addSlide();
    });
}

// The next slide with its labels and notes; the writers and both composers
// move on to it. Runs inside the caller's guard.
void Orvel::addSlide()
{
    GeneratorState& s = *state_;
    ++s.pageNumber;
    s.slide = s.presentation->GetSlides()->Add(s.pageNumber, ppLayoutBlank);

    ComPtr<Shapes> notesShapes = s.slide->GetNotesPage()->GetShapes();
    ComPtr<TextRange> notesRange =
        notesShapes->GetPlaceholders()->Item(slidelayout::notesPlaceholder)->GetTextFrame()->GetTextRange();
    s.notesText.beginSlide(notesRange, notesShapes);

    const slidelayout::Box& head = slidelayout::headerLabel;
    ComPtr<Shape> headerLabel =
        s.slide->GetShapes()->AddLabel(msoTextOrientationHorizontal, head.left, head.top, head.width, head.height);
    s.header.setRange(headerLabel->GetTextFrame()->GetTextRange());
    s.header.setSlide(s.slide);

    const slidelayout::Box& body = slidelayout::bodyLabel;
    ComPtr<Shapes> bodyShapes = s.slide->GetShapes();
    ComPtr<TextFrame> bodyFrame =
        bodyShapes->AddLabel(msoTextOrientationHorizontal, body.left, body.top, body.width, body.height)->GetTextFrame();
    s.bodyRange = nullptr;
    s.bodyRange = bodyFrame->GetTextRange();
    s.bodyText.beginSlide(s.bodyRange, bodyShapes);
    s.slideUsed = false;

    s.footer.setFooter(s.slide->GetHeadersFooters());
    s.footer.setSlide(s.slide);

    // The body keeps its 600 x 420 box and wraps its text.
    bodyFrame->PutAutoSize(ppAutoSizeNone);
    bodyFrame->PutWordWrap(msoTrue);
}

void Orvel::checkBodyOverflow()
{
    GeneratorState& s = *state_;
    if (s.bodyRange->GetBoundHeight() >= slidelayout::overflowLimit) startNewSlide();
}

HRESULT Orvel::insertPageBreak()
{
    GeneratorState& s = *state_;
    if (!s.documentOpen) return S_OK;
    // The break is followed by an empty line in the log.
    if (s.traceLog.isTrace(echoLevel)) s.traceLog << "orvel->insertPageBreak();" << std::endl << std::endl;
    startNewSlide();
    return S_OK;
}
