// Test main for programs that host the engine the way the studio does: the
// host owns a QApplication before the engine is initialised.
#include <QApplication>
#include <gtest/gtest.h>

#include "tavix.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // A host without a display picks the headless platform itself.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TX_api_initialize();
    return RUN_ALL_TESTS();
}
