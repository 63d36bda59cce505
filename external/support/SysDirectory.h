#pragma once

#include "support/KestString.h"

class SysDirectory {
public:
    static KestString getCurrentDir();
};
