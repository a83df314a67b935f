// The stand-in for GetTickCount64 (Windows XP lacks it), driven by a 32-bit tick of the
// test's own that wraps past zero: the system under test has GetTickCount64, so nothing
// else would ever run it.
#include <gtest/gtest.h>

#include "support/xp/tick_count64.h"

namespace {

DWORD g_fakeTick = 0;
DWORD WINAPI FakeTick() { return g_fakeTick; }

}  // namespace

TEST(TickCount64, StandInKeepsCountingAcrossWraps) {
    const TickCountFn system = SetTickCountSource(&FakeTick);
    // Steps between calls: the tick stands still, crosses zero by one, lands on zero, and
    // wraps again and again in steps of up to just under 2^32.
    const DWORD steps[] = {0,          0xFFF,      1,          0,          0x7FFFFFFF, 0x80000000,
                           0xFFFFFFFF, 0x60000000, 0x60000000, 0x60000000, 0xFFFFFFFF, 2};
    ULONGLONG expected = 0xFFFFF000ull;
    for (DWORD step : steps) {
        expected += step;
        g_fakeTick = static_cast<DWORD>(expected);
        EXPECT_EQ(expected, ExtendedTickCount()) << std::hex << "step 0x" << step;
    }
    SetTickCountSource(system);
}
