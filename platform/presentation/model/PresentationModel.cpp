#include "model/PresentationModel.h"

#include <algorithm>

namespace ppt {
namespace {

void addFooterPlaceholders(ShapeTree& tree)
{
    tree.add(PlaceholderShape{PlaceholderType::Date, 10}, ShapeName(u"Date Placeholder ", 1), design::date);
    tree.add(PlaceholderShape{PlaceholderType::Footer, 11}, ShapeName(u"Footer Placeholder ", 2), design::footer);
    tree.add(PlaceholderShape{PlaceholderType::SlideNumber, 12}, ShapeName(u"Slide Number Placeholder ", 3),
             design::slideNumber);
    for (auto& shape : tree.shapes) {
        shape->text = std::make_unique<TextBody>();
        shape->updateFrame();
    }
}

}  // namespace

NotesPageModel& SlideModel::notesPage()
{
    if (!notes) {
        notes = std::make_unique<NotesPageModel>();
        notes->shapes.guard = &guard;
        notes->shapes.add(PlaceholderShape{PlaceholderType::SlideImage, 0}, ShapeName(u"Slide Image Placeholder ", 1),
                          design::notesSlideImage);
        ShapeModel& body =
            notes->shapes.add(PlaceholderShape{PlaceholderType::NotesBody, 1}, ShapeName(u"Notes Placeholder ", 2),
                              design::notesBody);
        // Notes are 12 point text, as PowerPoint's notes master has them.
        CharFormat notesText;
        notesText.size = 12.0f;
        body.text = std::make_unique<TextBody>(notesText);
        body.updateFrame();
    }
    return *notes;
}

PresentationModel::PresentationModel()
{
    addFooterPlaceholders(master.shapes);
}

SlideModel& PresentationModel::addSlide(int index)
{
    auto slide = std::make_shared<SlideModel>();
    slide->id = nextSlideId++;
    slide->shapes.guard = &slide->guard;
    // New slides start with the footers as the master shows them.
    slide->headersFooters = master.headersFooters;
    slides.insert(slides.begin() + index, slide);
    return *slide;
}

int PresentationModel::indexOf(const SlideModel& slide) const
{
    // Slides are nearly always appended and asked for near the end.
    for (std::size_t i = slides.size(); i-- > 0;)
        if (slides[i].get() == &slide) return static_cast<int>(i);
    return -1;
}

SlideModel* PresentationModel::slideById(int id) const
{
    auto it = std::find_if(slides.begin(), slides.end(), [id](const auto& s) { return s->id == id; });
    return it == slides.end() ? nullptr : it->get();
}

std::uint32_t MediaStore::add(std::string bytes, std::string extension, std::string contentType)
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].bytes.size() == bytes.size() && items_[i].bytes == bytes) return static_cast<std::uint32_t>(i + 1);
    items_.push_back({std::move(bytes), std::move(extension), std::move(contentType)});
    return static_cast<std::uint32_t>(items_.size());
}

}  // namespace ppt
