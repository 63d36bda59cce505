// Pictures and embedded or linked objects made from files: the file is read
// and checked first, so that a failure (a COM error) leaves the slide and
// the presentation's stored media exactly as they were.
#pragma once

#include <string>

#include "model/PresentationModel.h"

namespace ppt {

struct PictureRequest {
    std::u16string fileName;
    bool linkToFile = false;
    bool saveWithDocument = true;
    Box box;
    // A size given as -1: the picture's own, or kept in proportion to the
    // other side when only one is.
    bool naturalWidth = false;
    bool naturalHeight = false;
};

// Shapes.AddPicture: the new picture shape, last in `tree`.
ShapeModel& addPictureShape(PresentationModel& presentation, ShapeTree& tree, const PictureRequest& request);

struct OleObjectRequest {
    std::u16string className;
    std::u16string fileName;
    bool link = false;
    bool asIcon = false;
    std::u16string iconLabel;
    Box box;
    // Width and height 0: the preview's natural size (one of them 0: kept
    // in proportion to the other).
    bool naturalWidth = false;
    bool naturalHeight = false;
};

// Shapes.AddOLEObject: the new object shape, last in `tree`.
ShapeModel& addOleObjectShape(PresentationModel& presentation, ShapeTree& tree, const OleObjectRequest& request);

// The box with the natural sizes put in where the request asks for them.
Box withNaturalSize(Box box, bool naturalWidth, bool naturalHeight, double widthPt, double heightPt);

}  // namespace ppt
