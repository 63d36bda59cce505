#include "support/SysFileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>
#include <tuple>

#include "NoDestructor.h"
#include "support/SysFile.h"

namespace {

// The folders whose lock a thread of this process holds. flock() makes the
// threads of one process wait for each other like processes do, but a thread
// asking again for a lock it holds would wait for itself.
struct Holder {
    dev_t device;
    ino_t inode;
    std::thread::id thread;
    bool operator<(const Holder& other) const
    {
        return std::tie(device, inode, thread) < std::tie(other.device, other.inode, other.thread);
    }
};

struct Holders {
    std::mutex mutex;
    std::set<Holder> held;
};

Holders& holders()
{
    static platform_detail::NoDestructor<Holders> all;
    return all.get();
}

Holder holderOf(int folder)
{
    struct stat info {};
    fstat(folder, &info);
    return Holder{info.st_dev, info.st_ino, std::this_thread::get_id()};
}

}  // namespace

SysFileLock::SysFileLock(const KestString& path)
{
    KestString native = SysFile::nativePath(path);
    KestString dir = SysFile::getDir(native);
    if (dir.isEmpty()) dir = KestString(".");
    int folder = ::open(dir.str().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        failure_ = KestString("cannot lock " + native.str() + ": " + std::strerror(errno));
        return;
    }
    Holder me = holderOf(folder);
    {
        std::lock_guard lock(holders().mutex);
        if (!holders().held.insert(me).second) {
            ::close(folder);
            failure_ = KestString(native.str() + " is in use by another document of this program");
            return;
        }
    }
    int rc;
    do {
        rc = flock(folder, LOCK_EX);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        failure_ = KestString("cannot lock " + native.str() + ": " + std::strerror(errno));
        std::lock_guard lock(holders().mutex);
        holders().held.erase(me);
        ::close(folder);
        return;
    }
    folder_ = folder;
}

SysFileLock::~SysFileLock()
{
    if (folder_ < 0) return;
    Holder me = holderOf(folder_);
    {
        std::lock_guard lock(holders().mutex);
        holders().held.erase(me);
    }
    // Closing the folder releases the lock.
    ::close(folder_);
}
