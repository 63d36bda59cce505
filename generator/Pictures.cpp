// Pictures, files and diagrams: finding a picture (also in the install
// directory's "pix" folder), placing it below the body text or recording it
// for the header or footer, and inserting files by kind.
#include <ostream>
#include <string>

#include "generator/AutomationGuard.h"
#include "generator/CallEcho.h"
#include "generator/CaptureTarget.h"
#include "generator/SlideLayout.h"
#include "generator/TextFileReader.h"
#include "support/SysFile.h"
#include "text/ClickAddress.h"
#include "text/TextConversion.h"

using namespace PowerPoint;

namespace {

constexpr const char* pictureExtensions[] = {".gif", ".jpg", ".jpeg", ".emf"};

}  // namespace

bool Orvel::isImageFile(const KestString& fileName) const
{
    KestString extension = SysFile::getExtension(fileName);
    for (const char* picture : pictureExtensions)
        if (extension == KestString(picture)) return true;
    return false;
}

bool Orvel::resolveImagePath(KestString& fileName)
{
    if (fileName.isEmpty()) return false;
    if (SysFile::exists(fileName)) return true;
    const KestString asGiven = fileName;
    bool found = false;
    // Only a bare picture name is looked for in the picture folder.
    if (isImageFile(fileName) && SysFile::getDir(fileName).isEmpty()) {
        KestString inPictureFolder("pix\\");
        inPictureFolder.append(fileName);
        KestString path = SysFile::appendToDir(state_->installDir, inPictureFolder);
        if (SysFile::exists(path)) fileName = path;
        found = SysFile::exists(fileName);
    }
    Trace& log = state_->traceLog;
    if (!found && log.isTrace(errorLevel)) log << "ERR File not found: " << asGiven << std::endl;
    return found;
}

HRESULT Orvel::insertImage(BSTR imageFileName, BSTR fileOrUrl)
{
    KestString file = fromBstr(imageFileName);
    KestString link = fromBstr(fileOrUrl);
    CallEcho(state_->traceLog, "orvel->insertImage(").quoted(file).comma().quoted(link).end();
    insertPicture(file, link, slidelayout::pictureWidth, slidelayout::pictureHeight);
    return S_OK;
}

void Orvel::insertPicture(const KestString& fileName, const KestString& link, short width, short height)
{
    KestString resolved = fileName;
    if (!resolveImagePath(resolved)) return;
    placePicture(resolved, link, width, height);
}

void Orvel::placePicture(const KestString& fileName, const KestString& link, short width, short height)
{
    GeneratorState& s = *state_;
    KestString resolved = fileName;
    resolveImagePath(resolved);
    CaptureTarget target(s);
    if (!target.isBody()) {
        target.insertImage(resolved, link, width, height);
        return;
    }
    if (s.tableOpen) {
        com::BStr file = toBstr(resolved);
        com::BStr address = toBstr(link);
        toTable([&](IDocument& table) { table.insertImage(file.get(), address.get()); });
    } else {
        placeInBody(resolved, link, width, height);
    }
    s.slideUsed = true;
}

void Orvel::placeInBody(const KestString& fileName, const KestString& link, short width, short height)
{
    GeneratorState& s = *state_;
    if (width == 0) width = slidelayout::pictureWidth;
    if (height == 0) height = slidelayout::pictureHeight;
    int left = slidelayout::pictureLeft;
    switch (s.bodyText.getTextAlign()) {
    case 2:
        left = slidelayout::pictureCentre - width / 2;
        break;
    case 3:
        left = slidelayout::pictureRight - width;
        break;
    default:
        break;
    }
    double h0 = s.bodyRange->GetBoundHeight();
    // A picture that does not fit below the text goes to a new slide.
    if (height + h0 > slidelayout::pictureFitLimit) {
        startNewSlide();
        h0 = 0.0;
    }
    int top = static_cast<int>(h0) + slidelayout::belowTextOffset;
    ComPtr<Shape> picture = s.slide->GetShapes()->AddPicture(toWide(fileName), msoFalse, msoTrue,
                                                             static_cast<float>(left), static_cast<float>(top),
                                                             static_cast<float>(width), static_cast<float>(height));
    if (!picture) return;
    if (!link.isEmpty()) setClickAddress(picture, link);
    pushTextBelow(h0, height);
}

// Line ends until the text has grown by height since h0, so that the next
// text starts below what was placed. A back-end whose text does not grow
// would loop forever; it is left after a generous number of line ends.
void Orvel::pushTextBelow(double h0, double height)
{
    GeneratorState& s = *state_;
    constexpr int patience = 1000;
    double highest = h0;
    int withoutGrowth = 0;
    double h = h0;
    do {
        s.bodyText.insertEndl();
        h = s.bodyRange->GetBoundHeight();
        if (h > highest) {
            highest = h;
            withoutGrowth = 0;
        } else if (++withoutGrowth >= patience) {
            return;
        }
    } while (height > h - h0);
}

HRESULT Orvel::insertFile(BSTR fileName, SHORT insertAsType)
{
    GeneratorState& s = *state_;
    KestString name = fromBstr(fileName);
    CallEcho(s.traceLog, "orvel->insertFile(").quoted(name).comma().number(insertAsType).end();
    if (name.isEmpty()) return S_OK;
    if (s.tableOpen) {
        com::BStr file = toBstr(name);
        toTable([&](IDocument& table) { table.insertFile(file.get(), insertAsType); });
        return S_OK;
    }
    PptText* writer = currentWriter();
    if (!writer) return S_OK;
    if (SysFile::isHyperLink(name)) {
        writer->insertHyperLink(name, name);
        markUsedBy(*writer);
        return S_OK;
    }
    if (!resolveImagePath(name)) return S_OK;

    bool link = insertAsType == 2;
    if (SysFile::getExtension(name) == KestString(".ppt")) {
        writer->insertFile(name, KestString("PowerPoint.Show"), KestString("PowerPnt.exe"), link, false);
        markUsedBy(*writer);
    } else if (link) {
        writer->insertHyperLink(SysFile::stripDir(name), name);
        markUsedBy(*writer);
    } else if (isImageFile(name)) {
        insertPicture(name, KestString(), slidelayout::pictureWidth, slidelayout::pictureHeight);
    } else {
        insertTextFile(*writer, name);
    }
    return S_OK;
}

// Content written on the slide body makes the slide count as used, so that
// a full body or a page break after it goes on on a new slide.
void Orvel::markUsedBy(const PptText& writer)
{
    if (&writer == &state_->bodyText) state_->slideUsed = true;
}

bool Orvel::insertTextFile(PptText& writer, const KestString& fileName)
{
    TextFileReader reader(fileName);
    if (!reader.isOpen()) return false;
    bool wrote = false;
    std::string piece;
    bool endsLine = false;
    while (reader.next(piece, endsLine)) {
        writer.insertText(KestString(std::move(piece)));
        wrote = true;
        markUsedBy(writer);
        if (endsLine) {
            writer.insertEndl();
            checkBodyOverflow();
        }
    }
    // What was read stays written; the caller learns that the rest is missing.
    if (reader.failed())
        com::throwComError(E_FAIL, "insertFile : the text file '" + fileName.str() + "' could not be read completely");
    return wrote;
}

HRESULT Orvel::insertDiagram(LONG, SHORT, SHORT)
{
    return S_OK;
}
