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

class HeaderFooterObject final : public ObjectBase<HeaderFooter> {
public:
    using InterfaceType = HeaderFooter;
    HeaderFooterObject(Context context, std::shared_ptr<HeaderFooterState> state)
        : ObjectBase(std::move(context)), state_(std::move(state))
    {
    }

    MsoTriState GetVisible() override
    {
        return com::guardMember("HeaderFooter.GetVisible", [&]() -> MsoTriState {
            check();
            return triState(state_->visible);
        });
    }
    void PutVisible(MsoTriState visible) override
    {
        return com::guardMember("HeaderFooter.PutVisible", [&]() -> void {
            check();
            state_->visible = triStateArgument(visible, "HeaderFooter.Visible");
        });
    }
    std::u16string GetText() override
    {
        return com::guardMember("HeaderFooter.GetText", [&]() -> std::u16string {
            check();
            return state_->text;
        });
    }
    void PutText(const std::u16string& text) override
    {
        return com::guardMember("HeaderFooter.PutText", [&]() -> void {
            check();
            state_->text = text;
        });
    }
    MsoTriState GetUseFormat() override
    {
        return com::guardMember("HeaderFooter.GetUseFormat", [&]() -> MsoTriState {
            check();
            return triState(state_->useFormat);
        });
    }
    void PutUseFormat(MsoTriState useFormat) override
    {
        return com::guardMember("HeaderFooter.PutUseFormat", [&]() -> void {
            check();
            state_->useFormat = triStateArgument(useFormat, "HeaderFooter.UseFormat");
        });
    }
    PpDateTimeFormat GetFormat() override
    {
        return com::guardMember("HeaderFooter.GetFormat", [&]() -> PpDateTimeFormat {
            check();
            return static_cast<PpDateTimeFormat>(state_->format);
        });
    }
    void PutFormat(PpDateTimeFormat format) override
    {
        return com::guardMember("HeaderFooter.PutFormat", [&]() -> void {
            check();
            // PowerPoint's date and time formats are numbered 1 to 13.
            if (static_cast<int>(format) < 1 || static_cast<int>(format) > 13)
                com::throwComError(E_INVALIDARG, "HeaderFooter.Format : the value " +
                                                     std::to_string(static_cast<int>(format)) +
                                                     " is not a date and time format (1 to 13).");
            state_->format = static_cast<int>(format);
        });
    }

private:
    std::shared_ptr<HeaderFooterState> state_;
};

class HeadersFootersObject final : public ObjectBase<HeadersFooters> {
public:
    using InterfaceType = HeadersFooters;
    HeadersFootersObject(Context context, std::shared_ptr<HeaderFooterSet> set)
        : ObjectBase(std::move(context)), set_(std::move(set))
    {
    }

    ComPtr<HeaderFooter> GetFooter() override
    {
        return com::guardMember("HeadersFooters.GetFooter", [&]() -> ComPtr<HeaderFooter> { return item(&HeaderFooterSet::footer); });
    }
    ComPtr<HeaderFooter> GetSlideNumber() override
    {
        return com::guardMember("HeadersFooters.GetSlideNumber", [&]() -> ComPtr<HeaderFooter> { return item(&HeaderFooterSet::slideNumber); });
    }
    ComPtr<HeaderFooter> GetDateAndTime() override
    {
        return com::guardMember("HeadersFooters.GetDateAndTime", [&]() -> ComPtr<HeaderFooter> { return item(&HeaderFooterSet::dateAndTime); });
    }

private:
    ComPtr<HeaderFooter> item(HeaderFooterState HeaderFooterSet::*which)
    {
        check();
        return makeObject<HeaderFooterObject>(context(), std::shared_ptr<HeaderFooterState>(set_, &((*set_).*which)));
    }

    std::shared_ptr<HeaderFooterSet> set_;
};

}  // namespace

ComPtr<HeadersFooters> makeHeadersFooters(const Context& context, std::shared_ptr<HeaderFooterSet> set)
{
    return makeObject<HeadersFootersObject>(context, std::move(set));
}

}  // namespace ppt
