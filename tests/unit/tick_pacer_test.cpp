// tick_pacer_test.cpp -- ticks due at a steady rate from an injected clock
#include "flight/tick_pacer.h"

#include <gtest/gtest.h>

static const long long kSecond = 1000000000LL;

TEST(TickPacer, TicksDueFollowTheClockWithoutDriftAndStartAfreshAfterAJump)
{
    TickPacer pacer;
    startPacer(&pacer, 60, 5 * kSecond, 100);
    // {nanoseconds after the start, the flight's tick, the last tick due}.
    const long long cases[][3] = {
        {0, 100, 100},                 // the start tick is due at once
        {16666666, 100, 100},          // 1/60 s less a third of a nanosecond: not yet
        {16666667, 100, 101},
        {kSecond, 101, 160},           // behind: all 59 due at once
        {kSecond + 999, 160, 160},
        {3600 * kSecond, 216099, 216100},  // an hour: exactly 216,000 ticks on, no drift
    };
    for (const auto& c : cases)
        EXPECT_EQ(lastTickDue(&pacer, 5 * kSecond + c[0], c[1]), c[2]) << c[0];
    EXPECT_EQ(nextTickDueNs(pacer, 216100), 5 * kSecond + 3600 * kSecond + 16666667);

    // 30 ticks a second: tick 1 is due at 33,333,334 ns, tick 3 at exactly 0.1 s.
    startPacer(&pacer, 30, 0, 0);
    EXPECT_EQ(nextTickDueNs(pacer, 0), 33333334);
    EXPECT_EQ(nextTickDueNs(pacer, 2), 100000000);
    EXPECT_EQ(lastTickDue(&pacer, 99999999, 0), 2);

    // A clock that jumps a minute ahead (a stopped process) or goes back starts afresh from
    // there: the missed ticks are not flown in a rush.
    EXPECT_EQ(lastTickDue(&pacer, 60 * kSecond, 3), 3);
    EXPECT_EQ(nextTickDueNs(pacer, 3), 60 * kSecond + 33333334);
    EXPECT_EQ(lastTickDue(&pacer, 10 * kSecond, 3), 3);
    EXPECT_EQ(lastTickDue(&pacer, 10 * kSecond + 100000000, 3), 6);
}
