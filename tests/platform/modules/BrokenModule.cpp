// A shared library that loads but is no COM module: it lacks DllGetClassObject.
#include "com/ComTypes.h"

COM_EXPORT int notAComModule()
{
    return 42;
}
