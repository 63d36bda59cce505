// Date and time of day as display text.
#pragma once

#include "support/KestString.h"

class SysTime {
public:
    static KestString currentDate();  // "12/06/2026" (month/day/year)
    static KestString currentTime();  // "14:05:09"
};
