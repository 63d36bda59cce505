#include "registration/OrvelModule.h"

com::ModuleLock& orvelModuleLock()
{
    static com::ModuleLock lock;
    return lock;
}
