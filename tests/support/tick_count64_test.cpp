// The 64-bit tick that stands in for GetTickCount64 where the system lacks it.
#include <gtest/gtest.h>

#include "support/xp/tick_count64.h"

TEST(TickCount64, ExtendsThe32BitTickPastItsWraps) {
    const struct {
        ULONGLONG previous;
        DWORD now;
        ULONGLONG expected;
    } cases[] = {
        {0, 0, 0},                                              // first call at boot
        {0, 5000, 5000},                                        // plain advance
        {0xFFFFFF00ull, 0x100, 0x100000100ull},                 // the 32-bit tick wrapped
        {0x2FFFFFFF0ull, 0x10, 0x300000010ull},                 // later wraps add up
        {0x100000100ull, 0x100, 0x100000100ull},                // same tick: no wrap counted
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, ExtendTickCount(c.previous, c.now)) << c.previous;
}

TEST(TickCount64, NeverGoesBackwards) {
    // The system's tick may stand still for a while on a loaded machine; it never falls.
    ULONGLONG last = TickCount64();
    for (int i = 0; i < 50; ++i) {
        Sleep(1);
        const ULONGLONG now = TickCount64();
        EXPECT_GE(now, last);
        last = now;
    }
}
