// Nothing of the user's is touched: trace files, the table document, special targets, the registry file.
#include <gtest/gtest.h>
