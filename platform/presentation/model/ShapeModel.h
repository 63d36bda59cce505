// The shapes of a slide, master or notes page. A shape is one of a few kinds
// (label, placeholder, picture, OLE object); the kinds share the box, the
// name, the click/hover hyperlinks and, where they have one, the text body.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <type_traits>
#include <variant>
#include <vector>

#include "model/Boxed.h"
#include "model/PartGuard.h"
#include "model/ShapeName.h"
#include "model/TextBody.h"

namespace ppt {

// PowerPoint's default text insets: 0.1" left and right, 0.05" top and bottom.
constexpr float kInsetX = 7.2f;
constexpr float kInsetY = 3.6f;

struct Box {
    float left = 0, top = 0, width = 0, height = 0;
};

enum class AutoSize : std::int8_t { None = 0, ShapeToFitText = 1 };

// A text box as AddLabel makes it.
struct LabelShape {};

enum class PlaceholderType : std::uint8_t { Date, Footer, SlideNumber, SlideImage, NotesBody, Body };

struct PlaceholderShape {
    PlaceholderType type = PlaceholderType::Body;
    int index = 0;  // the idx attribute of the placeholder
};

// A picture stored in the package (content kept once per distinct media, see
// MediaStore); filled by AddPicture.
struct PictureShape {
    std::uint32_t media = 0;  // 1-based media id, 0 = none
    bool linked = false;
    std::u16string linkTarget;
};

// An embedded or linked object with its preview picture.
struct OleShape {
    std::uint32_t embedding = 0;  // 1-based embedding id
    std::uint32_t preview = 0;    // media id of the preview picture
    std::u16string progId;
    bool linked = false;
    bool asIcon = false;
    std::u16string linkTarget;
};

// Pictures and objects are few: their data is boxed, so that the many text
// shapes do not carry room for it.
using ShapeKind = std::variant<LabelShape, PlaceholderShape, Boxed<PictureShape>, Boxed<OleShape>>;

struct ShapeModel {
    int id = 0;
    ShapeName name;
    Box box;
    ShapeKind kind;
    std::unique_ptr<TextBody> text;  // labels and text placeholders
    AutoSize autoSize = AutoSize::None;
    bool wordWrap = true;
    std::uint32_t clickLink = 0;  // 1-based into the tree's link table
    std::uint32_t overLink = 0;

    bool isLabel() const { return std::holds_alternative<LabelShape>(kind); }
    // The kind's data, or null for a shape of another kind.
    template <class Kind>
    const Kind* as() const
    {
        if constexpr (std::is_same_v<Kind, PictureShape> || std::is_same_v<Kind, OleShape>) {
            const auto* boxed = std::get_if<Boxed<Kind>>(&kind);
            return boxed ? boxed->get() : nullptr;
        } else {
            return std::get_if<Kind>(&kind);
        }
    }
    // Tells the text body the width it lays out in.
    void updateFrame();
    // The box as it stands: a label that sizes itself follows its text.
    Box effectiveBox();
};

// A hyperlink target as the object model took it.
struct LinkTarget {
    std::u16string address;
    std::u16string subAddress;
    friend bool operator==(const LinkTarget&, const LinkTarget&) = default;
};

struct LinkTargetHash {
    std::size_t operator()(const LinkTarget& target) const noexcept
    {
        std::hash<std::u16string> hash;
        return hash(target.address) * 31 + hash(target.subAddress);
    }
};

// The shapes of one part, with what the part's shapes refer to.
struct ShapeTree {
    std::vector<std::shared_ptr<ShapeModel>> shapes;
    std::vector<LinkTarget> links;  // filled by addLink only
    int nextId = 2;  // 1 is the tree's own group
    PartGuard* guard = nullptr;  // the slide's, for the shapes of a slide or its notes page

    ShapeModel& add(ShapeKind kind, ShapeName name, Box box);
    // The 1-based id of the target in `links`, added when it is new.
    std::uint32_t addLink(LinkTarget target);

private:
    // Finds an equal target without scanning, so that a text with many links
    // stays linear; keyed by hash, as the targets themselves are in `links`.
    // Made with the first link: most trees have none.
    std::unique_ptr<std::unordered_multimap<std::size_t, std::uint32_t>> linkIds_;
};

}  // namespace ppt
