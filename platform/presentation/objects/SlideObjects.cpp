// Slides, a slide, its notes page, and the slide master.
#include <string>

#include "com/ErrorInfo.h"
#include "com/ComError.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"
#include "package/FinishedSlides.h"

namespace ppt {
namespace {

using namespace PowerPoint;

struct SlideView {
    std::shared_ptr<SlideModel> slide_;
    PartGuard* partGuard() const { return &slide_->guard; }
};

class SlideObject final : public ObjectBase<_Slide, SlideView> {
public:
    using ObjectBase::ObjectBase;

    ComPtr<Shapes> GetShapes() override
    {
        return member("Slide.GetShapes", [&]() -> ComPtr<Shapes> {
            return makeShapes(context(), std::shared_ptr<ShapeTree>(slide_, &slide_->shapes));
        });
    }

    ComPtr<HeadersFooters> GetHeadersFooters() override
    {
        return member("Slide.GetHeadersFooters", [&]() -> ComPtr<HeadersFooters> {
            return makeHeadersFooters(context(), std::shared_ptr<HeaderFooterSet>(slide_, &slide_->headersFooters), &slide_->guard);
        });
    }

    ComPtr<SlideRange> GetNotesPage() override
    {
        return member("Slide.GetNotesPage", [&]() -> ComPtr<SlideRange> {
            slide_->notesPage();
            return makeNotesPage(context(), slide_);
        });
    }

    int GetSlideIndex() override
    {
        return member("Slide.GetSlideIndex", [&] { return context().presentation->indexOf(*slide_) + 1; });
    }

    int GetSlideID() override
    {
        return member("Slide.GetSlideID", [&] { return slide_->id; });
    }
};

class NotesPageObject final : public ObjectBase<SlideRange, SlideView> {
public:
    using ObjectBase::ObjectBase;

    ComPtr<Shapes> GetShapes() override
    {
        return member("SlideRange.GetShapes", [&]() -> ComPtr<Shapes> {
            NotesPageModel& notes = slide_->notesPage();
            return makeShapes(context(), std::shared_ptr<ShapeTree>(slide_, &notes.shapes));
        });
    }
};

class MasterObject final : public ObjectBase<_Master> {
public:
    using ObjectBase::ObjectBase;

    ComPtr<Shapes> GetShapes() override
    {
        return member("Master.GetShapes", [&]() -> ComPtr<Shapes> {
            const auto& p = context().presentation;
            return makeShapes(context(), std::shared_ptr<ShapeTree>(p, &p->master.shapes));
        });
    }

    ComPtr<HeadersFooters> GetHeadersFooters() override
    {
        return member("Master.GetHeadersFooters", [&]() -> ComPtr<HeadersFooters> {
            const auto& p = context().presentation;
            return makeHeadersFooters(context(), std::shared_ptr<HeaderFooterSet>(p, &p->master.headersFooters), nullptr);
        });
    }
};

class SlidesObject final : public ObjectBase<Slides> {
public:
    using ObjectBase::ObjectBase;

    int GetCount() override
    {
        return member("Slides.GetCount", [&] { return static_cast<int>(context().presentation->slides.size()); });
    }

    ComPtr<_Slide> Item(int index) override
    {
        return member("Slides.Item", [&]() -> ComPtr<_Slide> {
            return makeSlide(context(), itemAt("Slides", context().presentation->slides, index));
        });
    }

    ComPtr<_Slide> Add(int index, PpSlideLayout layout) override
    {
        return member("Slides.Add", [&]() -> ComPtr<_Slide> {
            PresentationModel& p = *context().presentation;
            const int count = static_cast<int>(p.slides.size());
            if (index < 1 || index > count + 1)
                com::throwComError(E_INVALIDARG, "Slides.Add : Index out of bounds. " + std::to_string(index) +
                                                     " is not in the valid range of 1 to " + std::to_string(count + 1) + ".");
            // Every layout of PowerPoint's list is accepted; the built-in design
            // has one, the blank layout, which they all use.
            if (static_cast<int>(layout) < 1 || static_cast<int>(layout) > 36)
                com::throwComError(E_INVALIDARG, "Slides.Add : the layout " + std::to_string(static_cast<int>(layout)) +
                                                     " is not a slide layout.");
            p.addSlide(index - 1);
            offerFinishedSlides(p);
            return makeSlide(context(), p.slides[static_cast<std::size_t>(index) - 1]);
        });
    }
};

}  // namespace

ComPtr<Slides> makeSlides(const Context& context) { return makeObject<SlidesObject>(context); }
ComPtr<_Slide> makeSlide(const Context& context, std::shared_ptr<SlideModel> slide)
{
    return makeObject<SlideObject>(context, std::move(slide));
}
ComPtr<SlideRange> makeNotesPage(const Context& context, std::shared_ptr<SlideModel> slide)
{
    return makeObject<NotesPageObject>(context, std::move(slide));
}
ComPtr<_Master> makeMaster(const Context& context) { return makeObject<MasterObject>(context); }

}  // namespace ppt
