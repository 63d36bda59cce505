// The design a .ppt or .pot master carries, as read from its records:
// what a template gives a deck, before it is turned into the parts a
// PresentationML package holds. Colours are "RRGGBB".
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/ShapeModel.h"

namespace ppt::binary {

// A picture from the picture store, as its content type knows it.
struct StoredPicture {
    std::string bytes;
    std::string extension;  // "png", "jpeg", "emf", "wmf"
    std::string contentType;
};

struct MasterFill {
    enum class Kind { None, Solid, Gradient, Picture } kind = Kind::None;
    std::string colour, secondColour;  // a gradient runs from colour to secondColour
    // A linear gradient's direction in degrees, clockwise from left to right
    // (90: top to bottom); a radial one runs from the centre out.
    double angle = 90;
    bool radial = false;
    int picture = -1;  // index into MasterDesign::pictures
};

// One text style level; unset members follow the level above.
struct TextLevelStyle {
    std::string font;
    float size = 0;  // points; 0: not given
    std::optional<bool> bold, italic, bullet;
    std::string colour;
    std::optional<int> align;  // 0 left, 1 centre, 2 right, 3 justify
    std::optional<float> leftMargin, indent;  // points, from the box edge
};

struct MasterShape {
    enum class Kind { Picture, Rectangle, Ellipse } kind = Kind::Picture;
    Box box;
    MasterFill fill;  // a picture's is Kind::Picture
};

// Master placeholder boxes (title, body, date, footer, slide number) when given.
struct MasterPlaceholders {
    std::optional<Box> title, body, date, footer, slideNumber;
};

struct MasterFooters {
    bool date = false, footer = false, slideNumber = false;
    std::string footerText, dateText;
};

struct MasterDesign {
    float slideWidth = 720, slideHeight = 540;  // points
    // Background, text, shadow, title, fill, accent, hyperlink, followed hyperlink.
    std::array<std::string, 8> scheme{"FFFFFF", "000000", "808080", "000000", "4F81BD", "C0504D", "0000FF", "800080"};
    MasterFill background;
    std::vector<TextLevelStyle> title, body;  // up to 5 levels
    std::vector<MasterShape> shapes;
    MasterPlaceholders placeholders;
    MasterFooters footers;
    std::vector<StoredPicture> pictures;
};

}  // namespace ppt::binary
