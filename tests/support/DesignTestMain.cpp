// The main of the engine's test programs.

#include <gtest/gtest.h>

#include "FreshDesign.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    test_support::StartEveryTestOnAFreshDesign();
    return RUN_ALL_TESTS();
}
