// Makers of the object model's objects. Each object is a live view onto the
// model (it holds the parts it shows by shared ownership), so that objects
// handed out earlier see later changes, as PowerPoint's do.
#pragma once

#include <memory>

#include "model/PresentationModel.h"
#include "objects/AppState.h"
#include "powerpoint/PowerPoint.h"

namespace ppt {

// A text range: the frame's whole text (following appends), or a fixed
// stretch of 1-based start and length.
struct RangeExtent {
    bool whole = true;
    int start = 1;
    int length = 0;
    // [from, to) in 0-based offsets, clamped to the text as it is now.
    std::pair<int, int> resolve(const TextBody& body) const;
};

// Where a hyperlink lives: on the characters of a range, or on a shape.
struct LinkHost {
    std::shared_ptr<ShapeTree> tree;
    std::shared_ptr<ShapeModel> shape;
    bool onText = false;
    RangeExtent range;
};

ComPtr<PowerPoint::Presentations> makePresentations(const Context& context);
ComPtr<PowerPoint::_Presentation> makePresentation(const Context& context);
ComPtr<PowerPoint::Slides> makeSlides(const Context& context);
ComPtr<PowerPoint::_Slide> makeSlide(const Context& context, std::shared_ptr<SlideModel> slide);
ComPtr<PowerPoint::SlideRange> makeNotesPage(const Context& context, std::shared_ptr<SlideModel> slide);
ComPtr<PowerPoint::_Master> makeMaster(const Context& context);
ComPtr<PowerPoint::Shapes> makeShapes(const Context& context, std::shared_ptr<ShapeTree> tree);
ComPtr<PowerPoint::Placeholders> makePlaceholders(const Context& context, std::shared_ptr<ShapeTree> tree);
ComPtr<PowerPoint::Shape> makeShape(const Context& context, std::shared_ptr<ShapeTree> tree,
                                    std::shared_ptr<ShapeModel> shape);
ComPtr<PowerPoint::TextFrame> makeTextFrame(const Context& context, std::shared_ptr<ShapeTree> tree,
                                            std::shared_ptr<ShapeModel> shape);
ComPtr<PowerPoint::TextRange> makeTextRange(const Context& context, std::shared_ptr<ShapeTree> tree,
                                            std::shared_ptr<ShapeModel> shape, RangeExtent range);
ComPtr<PowerPoint::ActionSettings> makeActionSettings(const Context& context, LinkHost host);
// guard: the slide's (null for the master's).
ComPtr<PowerPoint::HeadersFooters> makeHeadersFooters(const Context& context, std::shared_ptr<HeaderFooterSet> set,
                                                      PartGuard* guard);

// The model behind a presentation of this engine (null for another's).
std::shared_ptr<PresentationModel> presentationModel(const ComPtr<PowerPoint::_Presentation>& presentation);

// The application object (registered as the running PowerPoint).
ComPtr<PowerPoint::_Application> makeApplication();

// Tri-state arguments: msoTrue, msoCTrue and msoFalse; anything else is a
// COM error naming the member.
bool triStateArgument(PowerPoint::MsoTriState value, const char* member);
inline PowerPoint::MsoTriState triState(bool value) { return value ? PowerPoint::msoTrue : PowerPoint::msoFalse; }

}  // namespace ppt
