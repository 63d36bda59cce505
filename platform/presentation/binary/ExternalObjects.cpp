#include "binary/ExternalObjects.h"

#include <cctype>

#include "binary/RecordTypes.h"

namespace ppt::binary {
namespace {

constexpr std::uint8_t kLinkToSlide = 0x07, kLinkToUrl = 0x08, kLinkToFile = 0x0A;

bool startsWith(std::u16string_view text, std::u16string_view prefix)
{
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(text[i] < 0x80 ? static_cast<int>(text[i]) : 0) != prefix[i]) return false;
    return true;
}

// "scheme:" of two letters or more (one letter is a drive).
bool hasScheme(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] < 0x80 &&
           (std::isalnum(static_cast<int>(text[i])) || text[i] == u'+' || text[i] == u'-' || text[i] == u'.'))
        ++i;
    return i >= 2 && i < text.size() && text[i] == u':';
}

int number(std::u16string_view field)
{
    long value = 0;
    std::size_t i = 0;
    while (i < field.size() && field[i] == u' ') ++i;
    for (; i < field.size() && field[i] >= u'0' && field[i] <= u'9'; ++i) {
        value = value * 10 + (field[i] - u'0');
        if (value > 0x7fffffff) return 0;
    }
    return static_cast<int>(value);
}

std::u16string decimal(long n)
{
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

}  // namespace

ExternalObjects::ExternalObjects(const PresentationModel& model) : model_(model) {}

LinkAction ExternalObjects::hyperlink(const LinkTarget& target)
{
    const auto key = std::make_pair(target.address, target.subAddress);
    if (auto it = known_.find(key); it != known_.end()) return it->second;
    Hyperlink link{0, {}, {}, {}};
    LinkAction action;
    if (!target.address.empty()) {
        link.target = startsWith(target.address, u"www.") ? u"http://" + target.address : target.address;
        link.friendlyName = target.address;
        link.location = target.subAddress;
        const bool web = hasScheme(link.target) && !startsWith(link.target, u"file:");
        action.hyperlinkType = web ? kLinkToUrl : kLinkToFile;
    } else {
        // "slideId,slideIndex,title": the id wins, else the index (as PowerPoint resolves it).
        const std::u16string_view sub = target.subAddress;
        const std::size_t comma = sub.find(u',');
        const int id = number(sub.substr(0, comma));
        const int index = comma == std::u16string_view::npos ? 0 : number(sub.substr(comma + 1, sub.find(u',', comma + 1) - comma - 1));
        int position = 0;
        for (std::size_t i = 0; i < model_.slides.size() && id; ++i)
            if (model_.slides[i]->id == id) position = static_cast<int>(i + 1);
        if (!position && index >= 1 && static_cast<std::size_t>(index) <= model_.slides.size()) position = index;
        if (!position) return known_[key] = LinkAction{};
        const std::u16string title = u"Slide " + decimal(position);
        link.friendlyName = title;
        link.location = decimal(model_.slides[static_cast<std::size_t>(position - 1)]->id) + u"," + decimal(position) + u"," + title;
        action.hyperlinkType = kLinkToSlide;
    }
    link.id = ++seed_;
    action.hyperlinkId = link.id;
    hyperlinks_.push_back(std::move(link));
    return known_[key] = action;
}

std::uint32_t ExternalObjects::embed(const std::u16string& progId, bool asIcon, std::uint32_t storagePersistId)
{
    embeds_.push_back({++seed_, progId, asIcon, storagePersistId, false});
    return seed_;
}

std::uint32_t ExternalObjects::link(const std::u16string& progId, bool asIcon, std::uint32_t storagePersistId)
{
    embeds_.push_back({++seed_, progId, asIcon, storagePersistId, true});
    return seed_;
}

void ExternalObjects::write(RecordStream& out) const
{
    if (!seed_) return;
    auto list = out.container(rt::ExObjList);
    {
        auto atom = out.atom(rt::ExObjListAtom);
        out.u32(seed_);
    }
    for (const Hyperlink& link : hyperlinks_) {
        auto container = out.container(rt::ExHyperlink);
        {
            auto atom = out.atom(rt::ExHyperlinkAtom);
            out.u32(link.id);
        }
        writeCString(out, 0, link.friendlyName);
        if (!link.target.empty()) writeCString(out, 1, link.target);
        if (!link.location.empty()) writeCString(out, 3, link.location);
    }
    for (const Embed& embed : embeds_) {
        auto container = out.container(embed.linked ? rt::ExOleLink : rt::ExOleEmbed);
        if (embed.linked) {
            auto atom = out.atom(rt::ExOleLinkAtom);
            out.u32(0);  // no slide
            out.u32(1);  // updated always
            out.u32(0);
        } else {
            auto atom = out.atom(rt::ExOleEmbedAtom);
            out.u32(0);  // colours follow the scheme: none
            out.u8(0);
            out.u8(0);
            out.u8(0);
            out.u8(0);
        }
        {
            auto atom = out.atom(rt::ExOleObjAtom, 0, 1);
            out.u32(embed.asIcon ? 4 : 1);  // DVASPECT_ICON / DVASPECT_CONTENT
            out.u32(embed.linked ? 1 : 0);
            out.u32(embed.id);
            out.u32(0);  // subType: default
            out.u32(embed.persistId);
            out.u32(0);
        }
        const bool word = embed.progId.starts_with(u"Word.");
        const bool show = embed.progId.starts_with(u"PowerPoint.");
        writeCString(out, 1, word ? u"Document" : show ? u"Presentation" : u"Package");
        writeCString(out, 2, embed.progId);
        writeCString(out, 3, word ? u"Microsoft Word Document" : show ? u"Microsoft PowerPoint Presentation" : u"Package");
    }
}

}  // namespace ppt::binary
