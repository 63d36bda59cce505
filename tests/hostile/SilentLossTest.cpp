// Exit status 0 means the deck was written: no exception lost, no save elsewhere, no partial deck.
#include <gtest/gtest.h>
