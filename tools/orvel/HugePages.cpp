// A long run builds a model of a hundred megabytes and more. In 4 KB pages
// the kernel faults each one in (31,000 faults for 10,000 report pages, a
// fifth of the run in a virtual machine); glibc's malloc asks for 2 MB pages
// when its hugetlb tunable is set, and then takes 5,000. glibc reads its
// tunables only when a program starts, so `run` starts itself once more.
#include "HugePages.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace orvel_cli {
namespace {

constexpr const char* kTunables = "GLIBC_TUNABLES";
constexpr const char* kHugeHeap = "glibc.malloc.hugetlb=1";

// Huge pages are given where asked for ("[madvise]"); with "[always]" the
// heap has them already, with "[never]" asking is no use.
bool hugePagesOnRequest()
{
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string line;
    return std::getline(mode, line) && line.find("[madvise]") != std::string::npos;
}

}  // namespace

void restartWithHugePages(char** argv)
{
    const char* before = std::getenv(kTunables);
    std::string tunables = before ? before : "";
    // Set already: by the user, or by this very function before the restart.
    if (tunables.find("glibc.malloc.hugetlb") != std::string::npos || !hugePagesOnRequest()) return;
    tunables += tunables.empty() ? kHugeHeap : std::string(":") + kHugeHeap;
    if (::setenv(kTunables, tunables.c_str(), 1) != 0) return;
    ::execv("/proc/self/exe", argv);
    // Not restarted (no /proc): the run goes on in small pages.
    if (before)
        ::setenv(kTunables, before, 1);
    else
        ::unsetenv(kTunables);
}

}  // namespace orvel_cli
