// Smaller promises: relative names after showLast, number syntax, no temporary file left by a kill.
#include <gtest/gtest.h>
