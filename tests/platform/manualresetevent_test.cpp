#include "platform/manualresetevent.h"

#include <gtest/gtest.h>
#include <thread>

TEST(ManualResetEvent, staysSetUntilReset)
{
    ManualResetEvent e;
    EXPECT_FALSE(e.IsSet());
    e.Set();
    EXPECT_EQ(WaitForAny({&e}, 0), 0);
    EXPECT_EQ(WaitForAny({&e}, 10), 0);
    e.Reset();
    EXPECT_EQ(WaitForAny({&e}, 0), kWaitTimeout);
}

TEST(ManualResetEvent, waitForAnyAnswersTheLowestSetIndex)
{
    ManualResetEvent a, b, c;
    c.Set();
    b.Set();
    EXPECT_EQ(WaitForAny({&a, &b, &c}, 10), 1);
}

TEST(ManualResetEvent, waitForAnyTimesOutWhenNothingIsSet)
{
    ManualResetEvent a, b;
    EXPECT_EQ(WaitForAny({&a, &b}, 10), kWaitTimeout);
}

TEST(ManualResetEvent, oneSetWakesEveryWaiterOfAnotherThread)
{
    ManualResetEvent stop, other;
    int results[3] = {-2, -2, -2};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 3; ++i)
        waiters.emplace_back([&, i] { results[i] = WaitForAny({&other, &stop}, kInfinite); });
    stop.Set();
    for (auto &t : waiters)
        t.join();
    for (int r : results)
        EXPECT_EQ(r, 1);
}
