// The running-object table of this process: active objects by class, and
// open documents by path. Objects are held with a reference until revoked.
#include <map>
#include <mutex>
#include <vector>

#include "NoDestructor.h"
#include "com/ComRuntime.h"

namespace {

struct Entry {
    CLSID clsid;          // for active objects
    std::string path;     // for running files
    bool isFile = false;
    ComPtr<IUnknown> object;
};

struct RunningObjects {
    std::mutex mutex;
    DWORD nextCookie = 1;
    std::map<DWORD, Entry> entries;  // by cookie: the oldest registration first

    DWORD add(Entry entry)
    {
        std::lock_guard lock(mutex);
        DWORD cookie = nextCookie++;
        if (nextCookie == 0) nextCookie = 1;
        entries.emplace(cookie, std::move(entry));
        return cookie;
    }

    // The reference is dropped outside the lock: the object's destructor may
    // call back into the table.
    bool remove(DWORD cookie, bool isFile)
    {
        ComPtr<IUnknown> dropped;
        {
            std::lock_guard lock(mutex);
            auto found = entries.find(cookie);
            if (found == entries.end() || found->second.isFile != isFile) return false;
            dropped = std::move(found->second.object);
            entries.erase(found);
        }
        return true;
    }
};

RunningObjects& table()
{
    static platform_detail::NoDestructor<RunningObjects> instance;
    return instance.get();
}

}  // namespace

HRESULT RegisterActiveObject(IUnknown* object, REFCLSID clsid, DWORD, DWORD* cookie)
{
    if (!object || !cookie) return E_INVALIDARG;
    *cookie = table().add(Entry{clsid, {}, false, ComPtr<IUnknown>(object)});
    return S_OK;
}

HRESULT RevokeActiveObject(DWORD cookie, void*)
{
    return table().remove(cookie, false) ? S_OK : E_INVALIDARG;
}

HRESULT GetActiveObject(REFCLSID clsid, void*, IUnknown** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    RunningObjects& t = table();
    std::lock_guard lock(t.mutex);
    for (auto& [cookie, entry] : t.entries) {
        if (!entry.isFile && entry.clsid == clsid) {
            entry.object.get()->AddRef();
            *object = entry.object.get();
            return S_OK;
        }
    }
    return MK_E_UNAVAILABLE;
}

namespace com {

DWORD registerRunningFile(std::string_view path, IUnknown* object)
{
    if (!object || path.empty()) return 0;
    return table().add(Entry{GUID_NULL, std::string(path), true, ComPtr<IUnknown>(object)});
}

void revokeRunningFile(DWORD cookie)
{
    table().remove(cookie, true);
}

bool isFileRunning(std::string_view path)
{
    RunningObjects& t = table();
    std::lock_guard lock(t.mutex);
    for (const auto& [cookie, entry] : t.entries)
        if (entry.isFile && entry.path == path) return true;
    return false;
}

}  // namespace com
