// HeadersFooters of a slide or the master: footer, slide number and date,
// each shown or hidden, with its text and date format. The saved slide gets
// a placeholder for each one that is visible.
#include <string>

#include "com/ErrorInfo.h"
#include "com/ComError.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"

namespace ppt {
namespace {

using namespace PowerPoint;

struct HeaderFooterView {
    std::shared_ptr<HeaderFooterState> state_;
    PartGuard* guard_;  // the slide's, null for the master's
    PartGuard* partGuard() const { return guard_; }
};
struct HeaderFooterSetView {
    std::shared_ptr<HeaderFooterSet> set_;
    PartGuard* guard_;
    PartGuard* partGuard() const { return guard_; }
};

class HeaderFooterObject final : public ObjectBase<HeaderFooter, HeaderFooterView> {
public:
    using ObjectBase::ObjectBase;

    MsoTriState GetVisible() override
    {
        return member("HeaderFooter.GetVisible", [&] { return triState(state_->visible); });
    }
    void PutVisible(MsoTriState visible) override
    {
        member("HeaderFooter.PutVisible", [&] {
            state_->visible = triStateArgument(visible, "HeaderFooter.Visible");
        });
    }
    std::u16string GetText() override
    {
        return member("HeaderFooter.GetText", [&] { return state_->text; });
    }
    void PutText(const std::u16string& text) override
    {
        member("HeaderFooter.PutText", [&] { state_->text = text; });
    }
    MsoTriState GetUseFormat() override
    {
        return member("HeaderFooter.GetUseFormat", [&] { return triState(state_->useFormat); });
    }
    void PutUseFormat(MsoTriState useFormat) override
    {
        member("HeaderFooter.PutUseFormat", [&] {
            state_->useFormat = triStateArgument(useFormat, "HeaderFooter.UseFormat");
        });
    }
    PpDateTimeFormat GetFormat() override
    {
        return member("HeaderFooter.GetFormat", [&] { return static_cast<PpDateTimeFormat>(state_->format); });
    }
    void PutFormat(PpDateTimeFormat format) override
    {
        member("HeaderFooter.PutFormat", [&] {
            // PowerPoint's date and time formats are numbered 1 to 13.
            if (static_cast<int>(format) < 1 || static_cast<int>(format) > 13)
                com::throwComError(E_INVALIDARG, "HeaderFooter.Format : the value " +
                                                     std::to_string(static_cast<int>(format)) +
                                                     " is not a date and time format (1 to 13).");
            state_->format = static_cast<int>(format);
        });
    }
};

class HeadersFootersObject final : public ObjectBase<HeadersFooters, HeaderFooterSetView> {
public:
    using ObjectBase::ObjectBase;

    ComPtr<HeaderFooter> GetFooter() override { return item("HeadersFooters.GetFooter", &HeaderFooterSet::footer); }
    ComPtr<HeaderFooter> GetSlideNumber() override
    {
        return item("HeadersFooters.GetSlideNumber", &HeaderFooterSet::slideNumber);
    }
    ComPtr<HeaderFooter> GetDateAndTime() override
    {
        return item("HeadersFooters.GetDateAndTime", &HeaderFooterSet::dateAndTime);
    }

private:
    ComPtr<HeaderFooter> item(const char* what, HeaderFooterState HeaderFooterSet::*which)
    {
        return member(what, [&] {
            return makeObject<HeaderFooterObject>(context(), std::shared_ptr<HeaderFooterState>(set_, &((*set_).*which)), guard_);
        });
    }

};

}  // namespace

ComPtr<HeadersFooters> makeHeadersFooters(const Context& context, std::shared_ptr<HeaderFooterSet> set, PartGuard* guard)
{
    return makeObject<HeadersFootersObject>(context, std::move(set), guard);
}

}  // namespace ppt
