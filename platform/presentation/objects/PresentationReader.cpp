#include "objects/PresentationReader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "binary/BinaryPresentation.h"
#include "com/ComString.h"
#include "media/PictureSniffer.h"
#include "objects/InputFile.h"
#include "office/package/PackageKind.h"
#include "package/SavePath.h"
#include "template/PptxReader.h"
#include "template/TemplateImport.h"

namespace ppt {
namespace {

using pptmedia::PptxShape;

constexpr const char* kMember = "Presentations.Open";

std::string bytesToString(const pptmedia::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

Box boxOf(const PptxShape& shape)
{
    return Box{static_cast<float>(shape.leftPt), static_cast<float>(shape.topPt),
               static_cast<float>(std::max(0.0, shape.widthPt)), static_cast<float>(std::max(0.0, shape.heightPt))};
}

std::uint32_t linkOf(ShapeTree& tree, const pptmedia::PptxHyperlink& link)
{
    if (!link.address.empty()) return tree.addLink(LinkTarget{com::utf8ToUtf16(link.address), {}});
    if (link.targetSlideId || link.targetSlideIndex) {
        const std::string sub = std::to_string(link.targetSlideId) + "," + std::to_string(link.targetSlideIndex) + ",";
        return tree.addLink(LinkTarget{{}, com::utf8ToUtf16(sub)});
    }
    return 0;
}

// Appends text with a run's formatting (and its link, when it has one); an
// empty text at the end formats the insertion point.
void appendRun(TextBody& body, std::u16string_view text, const pptmedia::PptxRun& run, std::uint32_t link)
{
    const int from = body.length();
    body.insert(from, text);
    body.changeChars(
        from, body.length(),
        [&](CharFormat& f) {
            if (run.sizePt > 0) f.size = static_cast<float>(run.sizePt);
            if (!run.fontName.empty()) f.font = FontNames::instance().intern(com::utf8ToUtf16(run.fontName));
            f.bold = run.bold;
            f.italic = run.italic;
            f.underline = run.underline;
            f.clickLink = link;
        },
        text.empty());
}

// The paragraphs and runs of a frame as they were saved.
void fillText(TextBody& body, ShapeTree& tree, const std::vector<pptmedia::PptxParagraph>& paragraphs)
{
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        const auto& paragraph = paragraphs[p];
        for (const auto& run : paragraph.runs)
            if (!run.text.empty()) appendRun(body, com::utf8ToUtf16(run.text), run, linkOf(tree, run.link));
        // The paragraph end is formatted as the reader tells, or as the text
        // before it, as the object model formats text appended after it.
        const pptmedia::PptxRun mark = paragraph.mark ? *paragraph.mark : paragraph.runs.empty() ? pptmedia::PptxRun{} : paragraph.runs.back();
        if (p + 1 < paragraphs.size()) appendRun(body, u"\r", mark, 0);
        else if (paragraph.mark) appendRun(body, u"", mark, 0);
        const int index = static_cast<int>(p);
        body.changeParagraphs(index, index + 1, [&](ParaFormat& f) {
            f.align = static_cast<Align>(std::clamp(paragraph.alignment, 1, 4));
            f.bullet = paragraph.bullet;
        });
    }
}

std::string pictureExtension(const pptmedia::Bytes& bytes, std::string* contentType)
{
    const pptmedia::PictureInfo info = pptmedia::sniffPicture(bytes, "picture");
    *contentType = std::string(info.contentType());
    return std::string(info.extension());
}

std::u16string linkedPath(const std::string& target)
{
    // The writer links files as file:// URLs.
    std::string path = target.rfind("file://", 0) == 0 ? target.substr(7) : target;
    std::string decoded;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '%' && i + 2 < path.size() && std::isxdigit(static_cast<unsigned char>(path[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(path[i + 2]))) {
            decoded += static_cast<char>(std::stoi(path.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += path[i];
        }
    }
    return com::utf8ToUtf16(decoded);
}

void addFooter(HeaderFooterState& state, const PptxShape& shape)
{
    state.visible = true;
    state.text = com::utf8ToUtf16(shape.text());
    state.useFormat = false;
    // A date field the reader names stays current.
    const std::string field = shape.paragraphs.empty() || shape.paragraphs[0].runs.empty() ? "" : shape.paragraphs[0].runs[0].field;
    if (field.starts_with("datetime")) {
        state.useFormat = true;
        state.format = std::clamp(std::atoi(field.c_str() + 8), 1, 13);
    }
}

void addShape(PresentationModel& model, SlideModel& slide, const PptxShape& shape)
{
    ShapeTree& tree = slide.shapes;
    const std::u16string name = com::utf8ToUtf16(shape.name);
    switch (shape.kind) {
    case pptmedia::PptxShapeKind::Placeholder:
        // Footers are drawn from the slide's HeadersFooters when it is written.
        if (shape.placeholderType == "ftr") return addFooter(slide.headersFooters.footer, shape);
        if (shape.placeholderType == "dt") return addFooter(slide.headersFooters.dateAndTime, shape);
        if (shape.placeholderType == "sldNum") {
            slide.headersFooters.slideNumber.visible = true;
            return;
        }
        [[fallthrough]];  // other placeholders keep their text as labels
    case pptmedia::PptxShapeKind::Text: {
        ShapeModel& label = tree.add(LabelShape{}, name, boxOf(shape));
        label.wordWrap = shape.wordWrap;
        label.autoSize = shape.autoSize == 1 ? AutoSize::ShapeToFitText : AutoSize::None;
        label.text = std::make_unique<TextBody>();
        fillText(*label.text, tree, shape.paragraphs);
        label.updateFrame();
        label.clickLink = linkOf(tree, shape.clickLink);
        return;
    }
    case pptmedia::PptxShapeKind::Picture: {
        if (shape.mediaBytes.empty()) return;
        std::string type;
        const std::string extension = pictureExtension(shape.mediaBytes, &type);
        PictureShape picture;
        picture.media = model.media.add(bytesToString(shape.mediaBytes), extension, type);
        ShapeModel& added = tree.add(picture, name, boxOf(shape));
        added.clickLink = linkOf(tree, shape.clickLink);
        return;
    }
    case pptmedia::PptxShapeKind::OleObject: {
        if (shape.mediaBytes.empty()) return;  // nothing to show it with
        OleShape object;
        object.progId = com::utf8ToUtf16(shape.progId);
        if (shape.linked) {
            object.linked = true;
            object.linkTarget = linkedPath(shape.linkTarget);
        } else {
            if (shape.embeddedBytes.empty()) return;
            const std::string extension = shape.progId == "Word.Document.12"     ? "docx"
                                          : shape.progId == "PowerPoint.Show.12" ? "pptx"
                                                                                 : "bin";
            object.embedding = model.embeddings.add(bytesToString(shape.embeddedBytes), extension, shape.embeddedContentType);
        }
        std::string type;
        const std::string extension = pictureExtension(shape.mediaBytes, &type);
        object.preview = model.media.add(bytesToString(shape.mediaBytes), extension, type);
        ShapeModel& added = tree.add(object, name, boxOf(shape));
        ++tree.nextId;  // the preview picture's id
        added.clickLink = linkOf(tree, shape.clickLink);
        return;
    }
    case pptmedia::PptxShapeKind::Other: return;
    }
}

// A design other than the built-in one ("Plain" theme) is kept.
std::shared_ptr<const pptmedia::ImportedTemplate> designOf(const InputFile& file)
{
    try {
        auto design = std::make_shared<const pptmedia::ImportedTemplate>(
            pptmedia::importTemplate(file.nativePath, file.displayName));
        const pptmedia::PackagePart* theme = design->find(design->themePart);
        const bool builtIn = theme && std::string(pptmedia::asText(theme->bytes)).find("name=\"Plain\"") != std::string::npos;
        return builtIn ? nullptr : design;
    } catch (const pptmedia::MediaError&) {
        return nullptr;  // the slides are what matters; the built-in design stands in
    }
}

}  // namespace

std::shared_ptr<PresentationModel> readPresentationFile(const std::u16string& fileName)
{
    const InputFile file = resolveInputFile(fileName, kMember);
    // Content decides: a 97-2003 presentation whatever its name.
    const bool binary = readMedia(kMember, [&] { return office::isLegacyBinaryFile(file.nativePath, file.displayName); });
    BinaryPresentation read;
    readMedia(kMember, [&] {
        if (binary) read = readBinaryPresentation(file.nativePath, file.displayName);
        else read.deck = pptmedia::readPresentation(file.nativePath, file.displayName);
        return 0;
    });
    const pptmedia::PptxDeck& deck = read.deck;

    auto model = std::make_shared<PresentationModel>();
    readMedia(kMember, [&] {
        for (const auto& saved : deck.slides) {
            SlideModel& slide = model->addSlide(static_cast<int>(model->slides.size()));
            // Keep the ids: slide jumps ("id,index,title") refer to them.
            if (saved.slideId >= 256 && !model->slideById(static_cast<int>(saved.slideId))) {
                slide.id = static_cast<int>(saved.slideId);
                model->nextSlideId = std::max(model->nextSlideId, slide.id + 1);
            }
            slide.headersFooters = HeaderFooterSet{};
            for (const auto& shape : saved.shapes) addShape(*model, slide, shape);
            if (!saved.notes.empty()) {
                ShapeModel& body = *slide.notesPage().shapes.shapes[1];
                fillText(*body.text, slide.notesPage().shapes, saved.notes);
            }
        }
        return 0;
    });
    model->design = binary ? read.design : designOf(file);
    model->savedAsBinary = binary;  // Save keeps the format it was read in when the name does not say

    const SavePath names = resolveSavePath(fileName);
    model->fullName = names.fullName;
    model->nativePath = names.nativePath;
    model->name = com::utf8ToUtf16(std::filesystem::path(names.nativePath).filename().string());
    const std::string lowerPath = [&] {
        std::string s = names.nativePath;
        for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return s;
    }();
    model->savedAsTemplate = lowerPath.size() > 5 && lowerPath.substr(lowerPath.size() - 5) == ".potx";
    return model;
}

}  // namespace ppt
