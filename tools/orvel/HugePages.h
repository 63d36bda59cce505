// The heap in 2 MB pages for a long run (see HugePages.cpp).
#pragma once

namespace orvel_cli {

// Starts this program again, with the same arguments, asking glibc's malloc
// for transparent huge pages; returns when it cannot, or need not.
void restartWithHugePages(char** argv);

}  // namespace orvel_cli
