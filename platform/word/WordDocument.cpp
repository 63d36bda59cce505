#include "WordDocument.h"

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>
#include <type_traits>

#include "DocxWriter.h"
#include "ImageFile.h"
#include "WordIds.h"
#include "WordModuleLock.h"
#include "com/ComError.h"
#include "com/ErrorInfo.h"
#include "com/ComString.h"
#include "document/DocumentTypeLib.h"
#include "support/SysFile.h"
#include "support/SysTime.h"

namespace word {
namespace {

constexpr std::uintmax_t largestTextFile = 64u << 20;  // bytes; larger files are named, not read

std::string text(BSTR value)
{
    return com::bstrToUtf8(value);  // a null BSTR is the empty string
}

// A file name with a NUL inside would name a different file once passed on.
bool usableName(const std::string& name)
{
    return !name.empty() && name.find('\0') == std::string::npos;
}

// The file a name stands for on this machine, as an absolute path so that a
// later change of directory does not move it.
std::filesystem::path resolveFile(const std::string& name)
{
    std::filesystem::path native(SysFile::nativePath(KestString(name)).str());
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(native, error);
    return error ? native : absolute.lexically_normal();
}

HRESULT saveFailure(const std::error_code& error)
{
    switch (error.value()) {
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return E_ACCESSDENIED;
    case ENOENT:
    case ENOTDIR: return HR_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return HR_DISK_FULL;
    case ENOMEM: return E_OUTOFMEMORY;
    case ENAMETOOLONG: return HRESULT_FROM_WIN32(206);  // ERROR_FILENAME_EXCED_RANGE
    case EINVAL: return E_INVALIDARG;
    default: return E_FAIL;
    }
}

// The address a link names: web and mail addresses as given, anything else
// taken for a file.
std::string linkAddress(const std::string& link)
{
    if (link.empty() || SysFile::isHyperLink(KestString(link))) return link;
    return "file://" + resolveFile(link).string();
}

}  // namespace

WordDocument::WordDocument() : moduleLock_(wordModuleLock()) {}

HRESULT WordDocument::createInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return com::createObject(riid, object, [] { return new WordDocument(); });
}

HRESULT WordDocument::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!(riid == GUID_NULL)) return DISP_E_UNKNOWNINTERFACE;  // reserved, as IDispatch defines it
    return doctypelib::getIDsOfNames(names, count, ids);
}

HRESULT WordDocument::Invoke(DISPID member, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO* exception, UINT* argumentError)
{
    if (!(riid == GUID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return com::guardHresult(__func__, [&] {
        return doctypelib::invoke(this, member, flags, params, result, exception, argumentError);
    });
}

// Lifecycle -------------------------------------------------------------

HRESULT WordDocument::start()
{
    started_ = true;
    return S_OK;
}

HRESULT WordDocument::stop()
{
    document_.reset();  // as quitting Word without saving
    started_ = false;
    return S_OK;
}

HRESULT WordDocument::create(BSTR fileName)
{
    return com::guardHresult(__func__, [&] {
        if (!started_) return E_UNEXPECTED;
        std::string name = text(fileName);
        if (!usableName(name)) return E_INVALIDARG;
        // A second create drops the unsaved document, as opening a new one over it would.
        document_.emplace();
        path_ = resolveFile(name).string();
        return S_OK;
    });
}

HRESULT WordDocument::close()
{
    return com::guardHresult(__func__, [&] {
        if (!document_) return S_OK;
        // Resolved again: folders made since create are matched by their real case.
        std::filesystem::path target(SysFile::nativePath(KestString(path_)).str());
        std::error_code error = saveDocx(document_->content(), target, std::time(nullptr));
        if (error) {  // the document stays open: nothing is lost
            com::setErrorInfo("cannot write '" + target.string() + "': " + error.message());
            return saveFailure(error);
        }
        document_.reset();
        return S_OK;
    });
}

HRESULT WordDocument::showLast()
{
    return S_OK;
}

HRESULT WordDocument::overrideRegistry(BSTR group, BSTR name, BSTR value, SHORT valueType)
{
    return com::guardHresult(__func__, [&] {
        int type = valueType == 1 ? RegEntry::Text : valueType == 2 ? RegEntry::Number : RegEntry::Flag;
        settings_.override(RegEntry(KestString(text(group)), KestString(text(name)), KestString(text(value)), type));
        return S_OK;
    });
}

template <class Edit>
HRESULT WordDocument::onDocument(const char* what, Edit&& edit)
{
    return com::guardHresult(what, [&]() -> HRESULT {
        DocumentBuilder* d = document();
        if (!d) return S_OK;
        if constexpr (std::is_void_v<decltype(edit(*d))>) {
            edit(*d);
            return S_OK;
        } else {
            return edit(*d);
        }
    });
}

// Tables -------------------------------------------------------------------

HRESULT WordDocument::startTable()
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.startTable(); });
}

HRESULT WordDocument::endTable()
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.endTable(); });
}

HRESULT WordDocument::addRow()
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.addRow(); });
}

HRESULT WordDocument::addCell()
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.addCell(); });
}

HRESULT WordDocument::setTableRowHeight(LONG points)
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.setRowHeight(points); });
}

HRESULT WordDocument::setOrientation(SHORT docorient)
{
    return onDocument(__func__, [&](DocumentBuilder& d) {
        if (docorient == 0) d.setOrientation(Orientation::Portrait);
        if (docorient == 1) d.setOrientation(Orientation::Landscape);
    });
}

// Text and formatting --------------------------------------------------------

HRESULT WordDocument::insertText(BSTR value)
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.insertText(text(value)); });
}

HRESULT WordDocument::insertEndl()
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.insertEndl(); });
}

HRESULT WordDocument::insertPageBreak()
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.insertPageBreak(); });
}

HRESULT WordDocument::setFontName(BSTR name)
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.setFontName(text(name)); });
}

HRESULT WordDocument::setFontSize(SHORT size)
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.setFontSize(size); });
}

HRESULT WordDocument::setFontAttribute(SHORT att, BOOL value)
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.setFontAttribute(att, value != 0); });
}

HRESULT WordDocument::setTextAlign(SHORT textAlign)
{
    return onDocument(__func__, [&](DocumentBuilder& d) { d.setAlignment(textAlign); });
}

HRESULT WordDocument::insertXref(BSTR value, BSTR tagName)
{
    return onDocument(__func__, [&](DocumentBuilder& d) {
        std::string shown = text(value), tag = text(tagName);
        // Only web and mail addresses can be followed from a document on its own.
        if (!tag.empty() && SysFile::isHyperLink(KestString(tag)))
            d.insertText(shown.empty() ? tag : shown, tag);
        else
            d.insertText(shown);
    });
}

HRESULT WordDocument::insertField(SHORT field)
{
    return onDocument(__func__, [&](DocumentBuilder& d) {
        switch (field) {
        case 1: d.insertField("DATE", SysTime::currentDate().str()); break;
        case 2: d.insertField("TIME", SysTime::currentTime().str()); break;
        case 3: d.insertField("FILENAME", std::filesystem::path(path_).filename().string()); break;
        case 4: d.insertField("PAGE", "1"); break;
        default: break;
        }
    });
}

// Pictures and files -----------------------------------------------------------

HRESULT WordDocument::insertImage(BSTR imageFileName, BSTR fileOrUrl)
{
    return onDocument(__func__, [&](DocumentBuilder& d) -> HRESULT {
        std::string name = text(imageFileName);
        if (name.empty()) return S_OK;
        if (!usableName(name)) return E_INVALIDARG;
        std::filesystem::path path = resolveFile(name);
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) return HR_FILE_NOT_FOUND;
        std::optional<Image> image = loadImage(path);
        if (!image) return HR_BAD_FORMAT;  // skipped: the document is unchanged
        d.insertPicture(std::move(*image), linkAddress(text(fileOrUrl)));
        return S_OK;
    });
}

HRESULT WordDocument::insertFile(BSTR fileName, SHORT insertAsType)
{
    return onDocument(__func__, [&](DocumentBuilder& d) -> HRESULT {
        std::string name = text(fileName);
        if (name.empty()) return S_OK;
        if (!usableName(name)) return E_INVALIDARG;
        if (SysFile::isHyperLink(KestString(name))) {
            d.insertText(name, name);
            return S_OK;
        }
        std::filesystem::path path = resolveFile(name);
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) return HR_FILE_NOT_FOUND;
        std::string shortName = SysFile::stripDir(KestString(name)).str();
        if (insertAsType == 2) {  // a link to the file, not its content
            d.insertText(shortName, "file://" + path.string());
            return S_OK;
        }
        if (std::optional<Image> image = loadImage(path)) {
            d.insertPicture(std::move(*image));
            return S_OK;
        }
        insertTextFile(path.string(), shortName);
        return S_OK;
    });
}

// A text file's lines become paragraphs; a file that is not text is named.
void WordDocument::insertTextFile(const std::string& path, const std::string& name)
{
    std::error_code error;
    std::uintmax_t size = std::filesystem::file_size(path, error);
    std::string content;
    if (!error && size <= largestTextFile) {
        std::ifstream in(path, std::ios::binary);
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (!in && !in.eof()) content.clear();
    }
    bool isText = !error && size <= largestTextFile && content.size() == size &&
                  content.find('\0') == std::string::npos;
    if (!isText) {
        document_->insertText(name);
        return;
    }
    if (!content.empty() && content.back() == '\n') content.pop_back();  // the last line's end
    if (!content.empty() && content.back() == '\r') content.pop_back();
    document_->insertText(content);
}

HRESULT WordDocument::insertDiagram(LONG, SHORT, SHORT)
{
    return S_OK;
}

// Questions about the back-end -------------------------------------------------

HRESULT WordDocument::getPropPages(BSTR* bstrCLSID)
{
    if (!bstrCLSID) return E_POINTER;
    *bstrCLSID = com::allocBstr(std::string_view());  // no property page
    return *bstrCLSID ? S_OK : E_OUTOFMEMORY;
}

HRESULT WordDocument::getDocType(BSTR* value)
{
    if (!value) return E_POINTER;
    *value = com::allocBstr(std::string_view(docType));
    return *value ? S_OK : E_OUTOFMEMORY;
}

}  // namespace word
