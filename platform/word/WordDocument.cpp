#include "WordDocument.h"

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>

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

// Tables -------------------------------------------------------------------

HRESULT WordDocument::startTable()
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->startTable();
        return S_OK;
    });
}

HRESULT WordDocument::endTable()
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->endTable();
        return S_OK;
    });
}

HRESULT WordDocument::addRow()
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->addRow();
        return S_OK;
    });
}

HRESULT WordDocument::addCell()
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->addCell();
        return S_OK;
    });
}

HRESULT WordDocument::setTableRowHeight(LONG points)
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->setRowHeight(points);
        return S_OK;
    });
}

HRESULT WordDocument::setOrientation(SHORT docorient)
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) {
            if (docorient == 0) d->setOrientation(Orientation::Portrait);
            if (docorient == 1) d->setOrientation(Orientation::Landscape);
        }
        return S_OK;
    });
}

// Text and formatting --------------------------------------------------------

HRESULT WordDocument::insertText(BSTR value)
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->insertText(text(value));
        return S_OK;
    });
}

HRESULT WordDocument::insertEndl()
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->insertEndl();
        return S_OK;
    });
}

HRESULT WordDocument::insertPageBreak()
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->insertPageBreak();
        return S_OK;
    });
}

HRESULT WordDocument::setFontName(BSTR name)
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->setFontName(text(name));
        return S_OK;
    });
}

HRESULT WordDocument::setFontSize(SHORT size)
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->setFontSize(size);
        return S_OK;
    });
}

HRESULT WordDocument::setFontAttribute(SHORT att, BOOL value)
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->setFontAttribute(att, value != 0);
        return S_OK;
    });
}

HRESULT WordDocument::setTextAlign(SHORT textAlign)
{
    return com::guardHresult(__func__, [&] {
        if (auto* d = document()) d->setAlignment(textAlign);
        return S_OK;
    });
}

HRESULT WordDocument::insertXref(BSTR value, BSTR tagName)
{
    return com::guardHresult(__func__, [&] {
        auto* d = document();
        if (!d) return S_OK;
        std::string shown = text(value), tag = text(tagName);
        // Only web and mail addresses can be followed from a document on its own.
        if (!tag.empty() && SysFile::isHyperLink(KestString(tag)))
            d->insertText(shown.empty() ? tag : shown, tag);
        else
            d->insertText(shown);
        return S_OK;
    });
}

HRESULT WordDocument::insertField(SHORT field)
{
    return com::guardHresult(__func__, [&] {
        auto* d = document();
        if (!d) return S_OK;
        switch (field) {
        case 1: d->insertField("DATE", SysTime::currentDate().str()); break;
        case 2: d->insertField("TIME", SysTime::currentTime().str()); break;
        case 3: d->insertField("FILENAME", std::filesystem::path(path_).filename().string()); break;
        case 4: d->insertField("PAGE", "1"); break;
        default: break;
        }
        return S_OK;
    });
}

// Pictures and files -----------------------------------------------------------

HRESULT WordDocument::insertImage(BSTR imageFileName, BSTR fileOrUrl)
{
    return com::guardHresult(__func__, [&] {
        auto* d = document();
        if (!d) return S_OK;
        std::string name = text(imageFileName);
        if (name.empty()) return S_OK;
        if (!usableName(name)) return E_INVALIDARG;
        std::filesystem::path path = resolveFile(name);
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) return HR_FILE_NOT_FOUND;
        std::optional<Image> image = loadImage(path);
        if (!image) return HR_BAD_FORMAT;  // skipped: the document is unchanged
        d->insertPicture(std::move(*image), linkAddress(text(fileOrUrl)));
        return S_OK;
    });
}

HRESULT WordDocument::insertFile(BSTR fileName, SHORT insertAsType)
{
    return com::guardHresult(__func__, [&] {
        auto* d = document();
        if (!d) return S_OK;
        std::string name = text(fileName);
        if (name.empty()) return S_OK;
        if (!usableName(name)) return E_INVALIDARG;
        if (SysFile::isHyperLink(KestString(name))) {
            d->insertText(name, name);
            return S_OK;
        }
        std::filesystem::path path = resolveFile(name);
        std::error_code error;
        if (!std::filesystem::is_regular_file(path, error)) return HR_FILE_NOT_FOUND;
        std::string shortName = SysFile::stripDir(KestString(name)).str();
        if (insertAsType == 2) {  // a link to the file, not its content
            d->insertText(shortName, "file://" + path.string());
            return S_OK;
        }
        if (std::optional<Image> image = loadImage(path)) {
            d->insertPicture(std::move(*image));
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
