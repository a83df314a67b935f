// Probe tests that end in each way a test program can end under Wine. They fail on purpose and
// are kept out of the normal run: harness.verdicts (verdicts_test.sh) runs them through the
// Windows tests' own CTest settings and checks each verdict.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

namespace {

// Once armed, ends the process with an access violation's code after GoogleTest has printed its
// summary, as a crash in COM or static teardown does.
struct CrashAtExit {
    bool armed = false;
    ~CrashAtExit() {
        if (!armed) return;
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 0xC0000005u);
    }
} g_crashAtExit;

}  // namespace

TEST(Verdict, Passes) {}

TEST(Verdict, Skips) { GTEST_SKIP() << "skipped on purpose"; }

TEST(Verdict, CrashesAfterPassLine) { g_crashAtExit.armed = true; }

TEST(Verdict, CrashesAfterSkipLine) {
    g_crashAtExit.armed = true;
    GTEST_SKIP() << "skipped, then crashes";
}

// As a process that dies of a stack overflow under Wine may: exit code 0, no summary.
TEST(Verdict, ExitsZeroWithoutPassLine) {
    std::fflush(stdout);
    ExitProcess(0);
}
