// Registration is atomic and safe to run concurrently.
#include <gtest/gtest.h>
