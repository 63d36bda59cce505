// A presentation in memory: slides with their shapes, notes pages and
// header/footer settings, one slide master with its layout, and what the
// package writer needs to name parts. Media and embedded packages are kept
// once per distinct content (MediaStore) for the picture and OLE shapes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "com/ComTypes.h"
#include "model/ShapeModel.h"

namespace pptmedia {
struct ImportedTemplate;
}

namespace ppt {

struct HeaderFooterState {
    bool visible = false;
    std::u16string text;
    bool useFormat = true;  // date: PowerPoint keeps it current
    int format = 1;         // ppDateTimeMdyy
};

struct HeaderFooterSet {
    HeaderFooterState footer;
    HeaderFooterState slideNumber;
    HeaderFooterState dateAndTime;
};

struct NotesPageModel {
    ShapeTree shapes;  // slide image (placeholder 1), notes body (placeholder 2)
};

struct SlideModel {
    int id = 0;  // 256 and up, never reused in one presentation
    PartGuard guard;  // for its shapes, footers and notes page
    ShapeTree shapes;
    HeaderFooterSet headersFooters;
    std::unique_ptr<NotesPageModel> notes;  // made when first asked for

    NotesPageModel& notesPage();
};

struct MasterModel {
    ShapeTree shapes;  // date, footer and slide-number placeholders
    HeaderFooterSet headersFooters;
};

// A picture or embedded file stored in the package, once per content.
struct MediaItem {
    std::string bytes;
    std::string extension;    // "png", "jpeg", "emf", "bin", "docx" ...
    std::string contentType;  // "image/png" ...
};

class MediaStore {
public:
    // The id of the item with these bytes, stored now when new.
    std::uint32_t add(std::string bytes, std::string extension, std::string contentType);
    const MediaItem& item(std::uint32_t id) const { return items_[id - 1]; }
    std::size_t count() const { return items_.size(); }

private:
    std::vector<MediaItem> items_;
};

struct PresentationModel {
    std::u16string name;      // "Presentation1" until saved
    std::u16string fullName;  // as given to SaveAs / Open, made absolute; "" when never saved
    std::string nativePath;   // the file on this machine
    bool open = true;
    std::vector<std::shared_ptr<SlideModel>> slides;
    int nextSlideId = 256;
    MasterModel master;
    MediaStore media;
    MediaStore embeddings;  // files embedded by AddOLEObject
    // The theme, master and layouts of an applied template; null: the
    // built-in design.
    std::shared_ptr<const pptmedia::ImportedTemplate> design;
    DWORD runningCookie = 0;
    bool savedAsTemplate = false;  // how the last SaveAs wrote it, for Save
    bool savedAsBinary = false;    // the .ppt format, for Save of a name whose extension does not say
    bool embedFonts = false;
    // Declared last, so that its thread stops before the slides go.
    std::unique_ptr<BackgroundWork> background;

    PresentationModel();
    SlideModel& addSlide(int index);  // 0-based position
    int indexOf(const SlideModel& slide) const;  // 0-based, -1 when gone
    SlideModel* slideById(int id) const;
};

// Geometry of the built-in design, in points.
namespace design {
constexpr float slideWidth = 720, slideHeight = 540;
constexpr float notesWidth = 540, notesHeight = 720;
constexpr Box date{36, 500.5f, 168, 28.75f};
constexpr Box footer{246, 500.5f, 228, 28.75f};
constexpr Box slideNumber{516, 500.5f, 168, 28.75f};
constexpr Box notesSlideImage{90, 54, 360, 270};
constexpr Box notesBody{54, 342, 432, 324};
}  // namespace design

}  // namespace ppt
