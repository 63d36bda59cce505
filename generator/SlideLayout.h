// The geometry of a generated slide, in points on a 720 x 540 point slide.
#pragma once

namespace slidelayout {

struct Box {
    float left, top, width, height;
};

constexpr Box headerLabel{75.0f, 10.0f, 101.0f, 36.0f};
constexpr Box bodyLabel{75.0f, 55.0f, 600.0f, 420.0f};
constexpr int notesPlaceholder = 2;  // the notes body on the notes page

// Body text this high at a line end continues on a new slide.
constexpr double overflowLimit = 420.0;

// Pictures placed in the body.
constexpr short pictureWidth = 600;
constexpr short pictureHeight = 350;
constexpr int pictureLeft = 75;
constexpr int pictureCentre = 380;
constexpr int pictureRight = 680;
constexpr int belowTextOffset = 65;  // Top = body text height + this
constexpr double pictureFitLimit = 440.0;

// Tables embedded from the Word back-end.
constexpr float tableLeft = 80.0f;
constexpr double tablePageLimit = 420.0;
constexpr short tableStartFontSize = 16;
constexpr int rowHeightMargin = 4;

}  // namespace slidelayout
