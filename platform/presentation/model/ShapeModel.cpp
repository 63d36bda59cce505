#include "model/ShapeModel.h"

#include <algorithm>
#include <cmath>

namespace ppt {

void ShapeModel::updateFrame()
{
    if (!text) return;
    FrameGeometry frame;
    frame.wrap = wordWrap;
    frame.wrapWidth = std::max(0.0f, box.width - 2 * kInsetX);
    text->setFrame(frame);
}

Box ShapeModel::effectiveBox()
{
    if (!text || autoSize == AutoSize::None) return box;
    Box b = box;
    b.height = text->totalHeight() + 2 * kInsetY;
    if (!wordWrap) b.width = text->widestLine() + 2 * kInsetX;
    return b;
}

ShapeModel& ShapeTree::add(ShapeKind kind, ShapeName name, Box box)
{
    auto shape = std::make_shared<ShapeModel>();
    shape->id = nextId++;
    shape->name = std::move(name);
    shape->box = box;
    shape->kind = std::move(kind);
    shapes.push_back(shape);
    return *shape;
}

std::uint32_t ShapeTree::addLink(LinkTarget target)
{
    // Links set again on the same text reuse an equal entry.
    const std::size_t hash = LinkTargetHash{}(target);
    if (!linkIds_) linkIds_ = std::make_unique<std::unordered_multimap<std::size_t, std::uint32_t>>();
    auto [first, last] = linkIds_->equal_range(hash);
    for (auto it = first; it != last; ++it)
        if (links[it->second - 1] == target) return it->second;
    links.push_back(std::move(target));
    const auto id = static_cast<std::uint32_t>(links.size());
    linkIds_->emplace(hash, id);
    return id;
}

}  // namespace ppt
