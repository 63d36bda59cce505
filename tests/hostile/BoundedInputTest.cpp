// No input hangs or grows without bound: special files, endless lines, huge scripts, many links.
#include <gtest/gtest.h>
