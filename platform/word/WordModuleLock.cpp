#include "WordModuleLock.h"

namespace word {

com::ModuleLock& wordModuleLock()
{
    static com::ModuleLock lock;
    return lock;
}

}  // namespace word
