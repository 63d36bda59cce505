#include "objects/EmbeddedShapes.h"

#include <string>

#include "binary/BinaryPresentation.h"
#include "com/ComError.h"
#include "com/ComString.h"
#include "office/package/FileBytes.h"
#include "media/ObjectPreview.h"
#include "media/PictureSniffer.h"
#include "media/Preview.h"
#include "objects/InputFile.h"

namespace ppt {
namespace {

std::string toString(const pptmedia::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

ShapeName numbered(const char16_t* stem, const ShapeTree& tree) { return ShapeName(stem, tree.nextId - 1); }

std::u16string fileNameOnly(const std::u16string& path)
{
    const auto slash = path.find_last_of(u"/\\");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace

Box withNaturalSize(Box box, bool naturalWidth, bool naturalHeight, double widthPt, double heightPt)
{
    if (widthPt <= 0 || heightPt <= 0) return box;
    if (naturalWidth && naturalHeight) {
        box.width = static_cast<float>(widthPt);
        box.height = static_cast<float>(heightPt);
    } else if (naturalWidth) {
        box.width = static_cast<float>(box.height * widthPt / heightPt);
    } else if (naturalHeight) {
        box.height = static_cast<float>(box.width * heightPt / widthPt);
    }
    return box;
}

ShapeModel& addPictureShape(PresentationModel& presentation, ShapeTree& tree, const PictureRequest& request)
{
    constexpr const char* member = "Shapes.AddPicture";
    if (!request.linkToFile && !request.saveWithDocument)
        com::throwComError(E_INVALIDARG, std::string(member) +
                                             " : a picture neither linked nor saved with the document would show "
                                             "nothing (set LinkToFile or SaveWithDocument to msoTrue).");
    const InputFile file = resolveInputFile(request.fileName, member);
    pptmedia::LoadedPicture picture =
        readMedia(member, [&] { return pptmedia::loadPicture(file.nativePath, file.displayName); });

    PictureShape kind;
    if (request.linkToFile) {
        kind.linked = true;
        kind.linkTarget = com::utf8ToUtf16(file.nativePath);
    }
    const Box box = withNaturalSize(request.box, request.naturalWidth, request.naturalHeight,
                                    picture.info.naturalWidthPt(), picture.info.naturalHeightPt());
    // Stored last: nothing above may leave an unused media item behind.
    if (request.saveWithDocument)
        kind.media = presentation.media.add(toString(picture.bytes), std::string(picture.info.extension()),
                                            std::string(picture.info.contentType()));
    return tree.add(kind, numbered(u"Picture ", tree), box);
}

ShapeModel& addOleObjectShape(PresentationModel& presentation, ShapeTree& tree, const OleObjectRequest& request)
{
    constexpr const char* member = "Shapes.AddOLEObject";
    if (request.fileName.empty() && !request.className.empty())
        com::throwComError(E_INVALIDARG, std::string(member) + " : a new object of the class \"" +
                                             com::utf16ToUtf8(request.className) +
                                             "\" cannot be created here; give the file to make it from.");
    const InputFile file = resolveInputFile(request.fileName, member);
    pptmedia::EmbeddedObject object =
        readMedia(member, [&] { return pptmedia::describeEmbeddedFile(file.nativePath, file.displayName, describeLegacyDocument); });
    if (request.asIcon) {
        const std::u16string label = request.iconLabel.empty() ? fileNameOnly(request.fileName) : request.iconLabel;
        object.preview = pptmedia::drawFilePreview(com::utf16ToUtf8(label));
    }
    pptmedia::Bytes content;
    if (!request.link)
        content = readMedia(member, [&] { return office::readFileBytes(file.nativePath, file.displayName); });

    OleShape kind;
    kind.progId = com::utf8ToUtf16(object.progId);
    kind.asIcon = request.asIcon;
    const Box box = withNaturalSize(request.box, request.naturalWidth, request.naturalHeight, object.preview.widthPt,
                                    object.preview.heightPt);
    if (request.link) {
        kind.linked = true;
        kind.linkTarget = com::utf8ToUtf16(file.nativePath);
    } else {
        kind.embedding = presentation.embeddings.add(toString(content), object.extension, object.contentType);
    }
    kind.preview = presentation.media.add(toString(object.preview.emf), "emf", "image/x-emf");
    ShapeModel& shape = tree.add(kind, numbered(u"Object ", tree), box);
    // The preview picture inside the object is a shape of the part too.
    ++tree.nextId;
    return shape;
}

}  // namespace ppt
