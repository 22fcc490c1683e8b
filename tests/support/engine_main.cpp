// Test main for programs that host the engine the way the demos do: the
// engine builds the application object itself in TX_api_initialize.
#include <gtest/gtest.h>

#include "tavix.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    TX_api_initialize();
    return RUN_ALL_TESTS();
}
