#include "package/PartLinks.h"

#include "office/package/OpcNames.h"
#include "package/LinkTargets.h"

namespace ppt {

namespace opc = office::opc;

SlideDirectory::SlideDirectory(const PresentationModel& model) : count_(static_cast<int>(model.slides.size()))
{
    positionById_.reserve(model.slides.size());
    for (std::size_t i = 0; i < model.slides.size(); ++i)
        positionById_.emplace(model.slides[i]->id, static_cast<int>(i + 1));
}

int SlideDirectory::resolve(std::u16string_view subAddress) const
{
    const SlideReference ref = parseSubAddress(subAddress);
    if (ref.id) {
        auto it = positionById_.find(ref.id);
        if (it != positionById_.end()) return it->second;
    }
    // No such id (or none given): PowerPoint falls back on the index.
    if (ref.index >= 1 && ref.index <= count_) return ref.index;
    return 0;
}

PartLinks::PartLinks(const ShapeTree& tree, office::Relationships& rels, const SlideDirectory& slides,
                     std::string slidesFolder)
    : tree_(tree), rels_(rels), slides_(slides), slidesFolder_(std::move(slidesFolder)),
      cache_(tree.links.size()), known_(tree.links.size(), false)
{
}

const PartLinks::Ref& PartLinks::resolve(std::uint32_t link)
{
    if (link == 0 || link > tree_.links.size()) return none_;
    const std::size_t i = link - 1;
    if (known_[i]) return cache_[i];
    known_[i] = true;
    const LinkTarget& target = tree_.links[i];
    Ref ref;
    if (!target.address.empty()) {
        ref.id = rels_.add(opc::relHyperlink, externalLinkTarget(target.address, target.subAddress), true);
    } else if (int position = slides_.resolve(target.subAddress)) {
        ref.id = rels_.add(opc::relSlide, slidesFolder_ + "slide" + std::to_string(position) + ".xml");
        ref.slideJump = true;
    }
    cache_[i] = ref;
    return cache_[i];
}

}  // namespace ppt
