// A process that never used the sqlite family: close has no open connection.
#include <gtest/gtest.h>

#include "tavix.h"

TEST(SqliteFresh, CloseBeforeAnyUseIsFalse)
{
    EXPECT_FALSE(TX_sqlite_close("/nonexistent/never.db"));
    EXPECT_FALSE(TX_sqlite_close(nullptr));
}
