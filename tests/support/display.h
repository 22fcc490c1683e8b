// Tests that need the real X11 desktop (Xvfb in CI) skip without one.
#pragma once

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace tavix::test {

inline bool onX11()
{
    return qGuiApp && QGuiApplication::platformName() == QLatin1String("xcb");
}

}  // namespace tavix::test

#define TAVIX_REQUIRE_X11()                                                        \
    do {                                                                           \
        if (!::tavix::test::onX11())                                               \
            GTEST_SKIP() << "needs an X11 display (run under Xvfb, see .ci/run)";  \
    } while (0)
