// Slides, a slide, its notes page, and the slide master.
#include <string>

#include "com/ErrorInfo.h"
#include "com/ComError.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"

namespace ppt {
namespace {

using namespace PowerPoint;

class SlideObject final : public ObjectBase<_Slide> {
public:
    using InterfaceType = _Slide;
    SlideObject(Context context, std::shared_ptr<SlideModel> slide)
        : ObjectBase(std::move(context)), slide_(std::move(slide))
    {
    }

    ComPtr<Shapes> GetShapes() override
    {
        return com::guardMember("Slide.GetShapes", [&]() -> ComPtr<Shapes> {
            check();
            return makeShapes(context(), std::shared_ptr<ShapeTree>(slide_, &slide_->shapes));
        });
    }

    ComPtr<HeadersFooters> GetHeadersFooters() override
    {
        return com::guardMember("Slide.GetHeadersFooters", [&]() -> ComPtr<HeadersFooters> {
            check();
            return makeHeadersFooters(context(), std::shared_ptr<HeaderFooterSet>(slide_, &slide_->headersFooters));
        });
    }

    ComPtr<SlideRange> GetNotesPage() override
    {
        return com::guardMember("Slide.GetNotesPage", [&]() -> ComPtr<SlideRange> {
            check();
            slide_->notesPage();
            return makeNotesPage(context(), slide_);
        });
    }

    int GetSlideIndex() override
    {
        return com::guardMember("Slide.GetSlideIndex", [&]() -> int {
            check();
            return context().presentation->indexOf(*slide_) + 1;
        });
    }

    int GetSlideID() override
    {
        return com::guardMember("Slide.GetSlideID", [&]() -> int {
            check();
            return slide_->id;
        });
    }

private:
    std::shared_ptr<SlideModel> slide_;
};

class NotesPageObject final : public ObjectBase<SlideRange> {
public:
    using InterfaceType = SlideRange;
    NotesPageObject(Context context, std::shared_ptr<SlideModel> slide)
        : ObjectBase(std::move(context)), slide_(std::move(slide))
    {
    }

    ComPtr<Shapes> GetShapes() override
    {
        return com::guardMember("SlideRange.GetShapes", [&]() -> ComPtr<Shapes> {
            check();
            NotesPageModel& notes = slide_->notesPage();
            return makeShapes(context(), std::shared_ptr<ShapeTree>(slide_, &notes.shapes));
        });
    }

private:
    std::shared_ptr<SlideModel> slide_;
};

class MasterObject final : public ObjectBase<_Master> {
public:
    using InterfaceType = _Master;
    explicit MasterObject(Context context) : ObjectBase(std::move(context)) {}

    ComPtr<Shapes> GetShapes() override
    {
        return com::guardMember("Master.GetShapes", [&]() -> ComPtr<Shapes> {
            check();
            const auto& p = context().presentation;
            return makeShapes(context(), std::shared_ptr<ShapeTree>(p, &p->master.shapes));
        });
    }

    ComPtr<HeadersFooters> GetHeadersFooters() override
    {
        return com::guardMember("Master.GetHeadersFooters", [&]() -> ComPtr<HeadersFooters> {
            check();
            const auto& p = context().presentation;
            return makeHeadersFooters(context(), std::shared_ptr<HeaderFooterSet>(p, &p->master.headersFooters));
        });
    }
};

class SlidesObject final : public ObjectBase<Slides> {
public:
    using InterfaceType = Slides;
    explicit SlidesObject(Context context) : ObjectBase(std::move(context)) {}

    int GetCount() override
    {
        return com::guardMember("Slides.GetCount", [&]() -> int {
            check();
            return static_cast<int>(context().presentation->slides.size());
        });
    }

    ComPtr<_Slide> Item(int index) override
    {
        return com::guardMember("Slides.Item", [&]() -> ComPtr<_Slide> {
            check();
            const auto& slides = context().presentation->slides;
            if (index < 1 || index > static_cast<int>(slides.size()))
                com::throwComError(E_INVALIDARG, "Slides.Item : Integer out of range. " + std::to_string(index) +
                                                     " is not in the valid range of 1 to " + std::to_string(slides.size()) +
                                                     ".");
            return makeSlide(context(), slides[static_cast<std::size_t>(index) - 1]);
        });
    }

    ComPtr<_Slide> Add(int index, PpSlideLayout layout) override
    {
        return com::guardMember("Slides.Add", [&]() -> ComPtr<_Slide> {
            check();
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
