// ActionSettings, ActionSetting and Hyperlink: the click and hover actions of
// a shape or of the characters of a text range. A hyperlink keeps its
// address and sub-address as given; they become package relationships (and
// slide jumps) when the file is written.
#include <string>

#include "com/ErrorInfo.h"
#include "com/ComError.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"

namespace ppt {
namespace {

using namespace PowerPoint;

class HyperlinkObject final : public ObjectBase<Hyperlink> {
public:
    using InterfaceType = Hyperlink;
    HyperlinkObject(Context context, LinkHost host, PpMouseActivation activation)
        : ObjectBase(std::move(context)), host_(std::move(host)), activation_(activation)
    {
    }

    std::u16string GetAddress() override
    {
        return com::guardMember("Hyperlink.GetAddress", [&]() -> std::u16string {
            check();
            return current().address;
        });
    }
    void PutAddress(const std::u16string& address) override
    {
        return com::guardMember("Hyperlink.PutAddress", [&]() -> void {
            check();
            LinkTarget target = current();
            target.address = address;
            assign(target);
        });
    }
    std::u16string GetSubAddress() override
    {
        return com::guardMember("Hyperlink.GetSubAddress", [&]() -> std::u16string {
            check();
            return current().subAddress;
        });
    }
    void PutSubAddress(const std::u16string& subAddress) override
    {
        return com::guardMember("Hyperlink.PutSubAddress", [&]() -> void {
            check();
            LinkTarget target = current();
            target.subAddress = subAddress;
            assign(target);
        });
    }

private:
    std::uint32_t CharFormat::*textField() const
    {
        return activation_ == ppMouseClick ? &CharFormat::clickLink : &CharFormat::overLink;
    }
    std::uint32_t ShapeModel::*shapeField() const
    {
        return activation_ == ppMouseClick ? &ShapeModel::clickLink : &ShapeModel::overLink;
    }

    LinkTarget current() const
    {
        std::uint32_t id = 0;
        if (host_.onText) {
            const TextBody& body = *host_.shape->text;
            id = body.chars().at(host_.range.resolve(body).first).*textField();
        } else {
            id = (*host_.shape).*shapeField();
        }
        return id && id <= host_.tree->links.size() ? host_.tree->links[id - 1] : LinkTarget{};
    }

    void assign(const LinkTarget& target)
    {
        const std::uint32_t id = target.address.empty() && target.subAddress.empty() ? 0 : host_.tree->addLink(target);
        if (!host_.onText) {
            (*host_.shape).*shapeField() = id;
            return;
        }
        TextBody& body = *host_.shape->text;
        auto [from, to] = host_.range.resolve(body);
        auto field = textField();
        // Only these characters: text appended later is not part of the link.
        body.changeChars(from, to, [field, id](CharFormat& f) { f.*field = id; }, false);
    }

    LinkHost host_;
    PpMouseActivation activation_;
};

class ActionSettingObject final : public ObjectBase<ActionSetting> {
public:
    using InterfaceType = ActionSetting;
    ActionSettingObject(Context context, LinkHost host, PpMouseActivation activation)
        : ObjectBase(std::move(context)), host_(std::move(host)), activation_(activation)
    {
    }

    ComPtr<Hyperlink> GetHyperlink() override
    {
        return com::guardMember("ActionSetting.GetHyperlink", [&]() -> ComPtr<Hyperlink> {
            check();
            return makeObject<HyperlinkObject>(context(), host_, activation_);
        });
    }

private:
    LinkHost host_;
    PpMouseActivation activation_;
};

class ActionSettingsObject final : public ObjectBase<ActionSettings> {
public:
    using InterfaceType = ActionSettings;
    ActionSettingsObject(Context context, LinkHost host) : ObjectBase(std::move(context)), host_(std::move(host)) {}

    ComPtr<ActionSetting> Item(PpMouseActivation index) override
    {
        return com::guardMember("ActionSettings.Item", [&]() -> ComPtr<ActionSetting> {
            check();
            if (index != ppMouseClick && index != ppMouseOver)
                com::throwComError(E_INVALIDARG, "ActionSettings.Item : Integer out of range. " +
                                                     std::to_string(static_cast<int>(index)) +
                                                     " is not in the valid range of 1 to 2.");
            return makeObject<ActionSettingObject>(context(), host_, index);
        });
    }

private:
    LinkHost host_;
};

}  // namespace

ComPtr<ActionSettings> makeActionSettings(const Context& context, LinkHost host)
{
    return makeObject<ActionSettingsObject>(context, std::move(host));
}

}  // namespace ppt
