// Test main for programs that host the engine the way the studio does: the
// host owns a QApplication before the engine is initialised.
#include <QApplication>
#include <gtest/gtest.h>

#include "tavix.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    TX_api_initialize();
    return RUN_ALL_TESTS();
}
