// Tables: composed by the Word back-end in a temporary document, embedded
// below the body text when they end, cut onto a new slide when they grow
// beyond the room left.
#include <memory>

#include "com/ComRuntime.h"
#include "generator/AutomationGuard.h"
#include "generator/CallEcho.h"
#include "generator/OrvelSettings.h"
#include "generator/SlideLayout.h"
#include "support/SysFile.h"
#include "support/SysFileLock.h"
#include "text/TextConversion.h"

using namespace PowerPoint;

namespace {

constexpr const char* tableDocumentName = "abctabxyz.doc";
constexpr SHORT tableOrientation = 1;

// Removes the temporary table document however the embedding ends.
class TemporaryFile {
public:
    explicit TemporaryFile(KestString path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() { SysFile::deleteFile(path_); }

private:
    KestString path_;
};

}  // namespace

KestString Orvel::tableDocumentPath() const
{
    return SysFile::appendToDir(state_->workingDir, KestString(tableDocumentName));
}

void Orvel::ensureTableDocument()
{
    GeneratorState& s = *state_;
    if (s.tableDocumentStarted) return;
    KestString classId = OrvelSettings::wordBackEnd();
    if (classId.isEmpty()) return;  // no table support
    HRESULT hr = S_OK;
    ComPtr<IDocument> document = com::createInstance<IDocument>(classId.view(), &hr, CLSCTX_ALL);
    if (!document) return;  // a later startTable tries again
    s.tableDocument = document;
    toTable([](IDocument& table) { table.start(); });
    s.tableDocumentStarted = true;
    // The back-end makes its documents without a Word template.
    com::BStr group("Word"), name("WordTemplateName"), none("");
    toTable([&](IDocument& table) { table.overrideRegistry(group.get(), name.get(), none.get(), 1); });
}

HRESULT Orvel::startTable()
{
    GeneratorState& s = *state_;
    CallEcho::line(s.traceLog, "orvel->startTable();");
    ensureTableDocument();
    s.tableFont.clear();
    beginTablePart();
    setFontSize(slidelayout::tableStartFontSize);
    return S_OK;
}

// Every run in a folder writes its tables under the same name: runs take
// turns with it, and a file of that name that this run did not write is
// neither overwritten nor deleted.
void Orvel::lockTableDocument()
{
    GeneratorState& s = *state_;
    KestString path = tableDocumentPath();
    if (!s.tableLock) {
        auto lock = std::make_unique<SysFileLock>(path);
        if (!lock->held()) {
            KestString reason("The table document cannot be used.\n");
            reason.append(lock->failure());
            raise(reason);
        }
        s.tableLock = std::move(lock);
    }
    if (SysFile::exists(path)) {
        s.tableLock.reset();
        KestString reason("The table document is in the way.\n");
        reason.append(path);
        reason.append(" exists and was not written by this run; it is left as it is.");
        raise(reason);
    }
}

void Orvel::beginTablePart()
{
    GeneratorState& s = *state_;
    if (!s.tableDocument) return;
    lockTableDocument();
    com::BStr path = toBstr(tableDocumentPath());
    toTable([&](IDocument& table) {
        table.create(path.get());
        table.setOrientation(tableOrientation);
        table.startTable();
    });
    s.tableHeight = 0;
    s.rowCount = 0;
    s.cellCount = 0;
    s.tableOpen = true;
    applyTableFont();
    toTable([&](IDocument& table) { table.setTableRowHeight(s.rowHeight); });
}

// The table's font goes to every part of it through this object's own font
// calls, which pass it on to the back-end while the table is open.
void Orvel::applyTableFont()
{
    const FontData font = state_->tableFont;
    if (!font.name.isEmpty()) {
        com::BStr name = toBstr(font.name);
        setFontName(name.get());
    }
    if (font.size > 0) setFontSize(font.size);
    if (font.bold) setFontAttribute(1, TRUE_BOOL);
    if (font.italic) setFontAttribute(2, TRUE_BOOL);
    if (font.underline) setFontAttribute(4, TRUE_BOOL);
    if (font.strike) setFontAttribute(8, TRUE_BOOL);
}

HRESULT Orvel::addRow()
{
    GeneratorState& s = *state_;
    CallEcho::line(s.traceLog, "orvel->addRow();");
    // A row that has received no cell yet is not ended by another row.
    if (s.rowCount == 1 && s.cellCount == 0) return S_OK;
    if (!s.tableDocument) return S_OK;
    double h = s.bodyRange->GetBoundHeight();
    // The table part would reach below the body: embed it, continue on a new slide.
    if (s.tableOpen && static_cast<double>(s.tableHeight) + h > slidelayout::tablePageLimit) {
        endTablePart();
        startNewSlide();
        beginTablePart();
    }
    s.tableHeight += s.rowHeight;
    toTable([](IDocument& table) { table.addRow(); });
    ++s.rowCount;
    return S_OK;
}

HRESULT Orvel::addCell()
{
    GeneratorState& s = *state_;
    CallEcho::line(s.traceLog, "orvel->addCell();");
    if (!s.tableDocument) return S_OK;
    toTable([](IDocument& table) { table.addCell(); });
    ++s.cellCount;
    return S_OK;
}

HRESULT Orvel::endTable()
{
    CallEcho::line(state_->traceLog, "orvel->endTable();");
    endTablePart();
    return S_OK;
}

void Orvel::endTablePart()
{
    GeneratorState& s = *state_;
    // Without an open table there is nothing written to embed.
    if (!s.tableDocument || !s.tableOpen) return;
    toTable([](IDocument& table) {
        table.endTable();
        table.close();
    });
    s.tableOpen = false;

    // However the embedding ends, the document goes, then the folder is free again.
    std::unique_ptr<SysFileLock> turn = std::move(s.tableLock);
    KestString path = tableDocumentPath();
    TemporaryFile written(path);
    ComPtr<Shapes> shapes = s.slide->GetShapes();
    double h0 = s.bodyRange->GetBoundHeight();
    // Width and height 0: the object takes the natural size of the table.
    ComPtr<Shape> table = shapes->AddOLEObject(slidelayout::tableLeft,
                                               static_cast<float>(h0 + slidelayout::belowTextOffset), 0.0f, 0.0f,
                                               u"", toWide(path), msoFalse, u"", 0, u"", msoFalse);
    double height = table->GetHeight();
    pushTextBelow(h0, height);
}
