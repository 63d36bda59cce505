// ActionSettings, ActionSetting and Hyperlink: the click and hover actions of
// a shape or of the characters of a text range. A hyperlink keeps its
// address and sub-address as given; they become package relationships (and
// slide jumps) when the file is written.
#include <array>
#include <string>

#include "com/ErrorInfo.h"
#include "com/ComError.h"
#include "objects/ObjectBase.h"
#include "objects/Objects.h"

namespace ppt {
namespace {

using namespace PowerPoint;

struct LinkHostView {
    LinkHost host_;
    PartGuard* partGuard() const { return host_.tree->guard; }
};
// The host's click or hover action.
struct LinkView {
    LinkHost host_;
    PpMouseActivation activation_;
    PartGuard* partGuard() const { return host_.tree->guard; }
};

class HyperlinkObject final : public ObjectBase<Hyperlink, LinkView> {
public:
    using ObjectBase::ObjectBase;

    std::u16string GetAddress() override { return get("Hyperlink.GetAddress", &LinkTarget::address); }
    void PutAddress(const std::u16string& address) override
    {
        put("Hyperlink.PutAddress", &LinkTarget::address, address);
    }
    std::u16string GetSubAddress() override { return get("Hyperlink.GetSubAddress", &LinkTarget::subAddress); }
    void PutSubAddress(const std::u16string& subAddress) override
    {
        put("Hyperlink.PutSubAddress", &LinkTarget::subAddress, subAddress);
    }

private:
    std::u16string get(const char* what, std::u16string LinkTarget::*part) const
    {
        return member(what, [&] { return current().*part; });
    }
    void put(const char* what, std::u16string LinkTarget::*part, const std::u16string& value)
    {
        member(what, [&] {
            LinkTarget target = current();
            target.*part = value;
            assign(target);
        });
    }

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

};

class ActionSettingObject final : public ObjectBase<ActionSetting, LinkView> {
public:
    using ObjectBase::ObjectBase;

    ComPtr<Hyperlink> GetHyperlink() override
    {
        return member("ActionSetting.GetHyperlink", [&]() -> ComPtr<Hyperlink> {
            return makeObject<HyperlinkObject>(context(), host_, activation_);
        });
    }
};

class ActionSettingsObject final : public ObjectBase<ActionSettings, LinkHostView> {
public:
    using ObjectBase::ObjectBase;

    ComPtr<ActionSetting> Item(PpMouseActivation index) override
    {
        return member("ActionSettings.Item", [&]() -> ComPtr<ActionSetting> {
            static constexpr std::array activations{ppMouseClick, ppMouseOver};
            return makeObject<ActionSettingObject>(context(), host_, itemAt("ActionSettings", activations, index));
        });
    }
};

}  // namespace

ComPtr<ActionSettings> makeActionSettings(const Context& context, LinkHost host)
{
    return makeObject<ActionSettingsObject>(context, std::move(host));
}

}  // namespace ppt
