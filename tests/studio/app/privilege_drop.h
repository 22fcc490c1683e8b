// File permissions do not hold for root, who runs these tests in containers:
// while it lives, this drops the process to the unprivileged user "nobody"
// (keeping root as the saved user, to come back to).
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>
#include <unistd.h>

namespace vantor::test {

class Unprivileged {
public:
    Unprivileged()
    {
        if (::getuid() != 0)
            return;
        dropped_ = ::setresgid(kNobody, kNobody, 0) == 0 && ::setresuid(kNobody, kNobody, 0) == 0;
        EXPECT_TRUE(dropped_) << "cannot become nobody";
    }
    ~Unprivileged()
    {
        if (!dropped_)
            return;
        EXPECT_EQ(::setresuid(0, 0, 0), 0);
        EXPECT_EQ(::setresgid(0, 0, 0), 0);
    }
    Unprivileged(const Unprivileged&) = delete;
    Unprivileged& operator=(const Unprivileged&) = delete;

private:
    static constexpr uid_t kNobody = 65534;
    bool dropped_ = false;
};

}  // namespace vantor::test
