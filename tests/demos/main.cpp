// The demo tests drive separate processes; this one needs an application
// object for its clipboard and pictures, and the X display the demos use.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
