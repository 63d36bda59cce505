// Turns the hyperlinks of one shape tree into relationships of the part
// being written: external targets, or slide jumps to slides of the
// presentation (resolved now, when the file is written). A link whose target
// slide does not exist is dropped; its text stays.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "model/PresentationModel.h"
#include "office/package/Relationships.h"

namespace ppt {

// Where each slide goes in the package: slide n (1-based position) is
// "slide<n>.xml"; ids and indexes are looked up here.
class SlideDirectory {
public:
    explicit SlideDirectory(const PresentationModel& model);
    SlideDirectory() = default;  // no slides: a jump goes nowhere
    // 1-based position of the slide a sub-address names, 0 when none.
    int resolve(std::u16string_view subAddress) const;
    int count() const { return count_; }

private:
    std::unordered_map<int, int> positionById_;
    int count_ = 0;
};

class PartLinks {
public:
    struct Ref {
        std::string id;  // relationship id; empty = no link
        bool slideJump = false;
    };

    // slidesFolder: how the part reaches ppt/slides ("" from a slide, "../slides/" elsewhere).
    PartLinks(const ShapeTree& tree, office::Relationships& rels, const SlideDirectory& slides, std::string slidesFolder);
    const Ref& resolve(std::uint32_t link);
    // The part's relationships, for what its shapes refer to besides links.
    office::Relationships& relationships() { return rels_; }

private:
    const ShapeTree& tree_;
    office::Relationships& rels_;
    const SlideDirectory& slides_;
    std::string slidesFolder_;
    std::vector<Ref> cache_;
    std::vector<bool> known_;
    Ref none_;
};

}  // namespace ppt
