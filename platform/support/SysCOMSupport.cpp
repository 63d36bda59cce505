#include "support/SysCOMSupport.h"

#include <filesystem>

#include "com/ComRuntime.h"
#include "support/SysFile.h"

ComPtr<IUnknown> SysCOMSupport::getRunningIUnknown(const KestString& clsid)
{
    GUID id;
    if (!com::guidFromString(clsid.view(), id)) return nullptr;
    ComPtr<IUnknown> object;
    if (FAILED(GetActiveObject(id, nullptr, object.put()))) return nullptr;
    return object;
}

bool SysCOMSupport::isFileRunning(const KestString& path)
{
    if (path.isEmpty()) return false;
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path native(SysFile::nativePath(path).str());
    fs::path absolute = fs::absolute(native, error);
    if (error) return false;
    // Registrations use the absolute path; accept its normal and canonical forms too.
    if (com::isFileRunning(absolute.string())) return true;
    std::string normal = absolute.lexically_normal().string();
    if (com::isFileRunning(normal)) return true;
    fs::path canonical = fs::weakly_canonical(absolute, error);
    return !error && canonical.string() != normal && com::isFileRunning(canonical.string());
}
