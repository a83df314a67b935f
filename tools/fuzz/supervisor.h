// Runs the inputs of a fuzz run in child processes of this exe and watches
// them: a child that dies in an input (a structured exception, a trap of the
// undefined-behaviour checks, an abort) or stays in one input longer than the
// hang limit (or past its processor-time limit) is a failure of that input. The input is made again from its
// seed and iteration and saved; the run goes on with the next input.
//
// Before a stuck child is ended, the watchdog records where its thread is
// (the program counter and the code addresses found on its stack, as module
// offsets) and how much processor time it used. The input is then run once
// more in a fresh child: only an input that overruns the limit again is a
// hang. One that finishes was a stall of the machine, not of the input; it is
// counted and reported apart, with the same record.
//
// A replay of a saved input goes the same way: one input, read from its file,
// under the same watchdog. Nothing is saved for it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "tools/fuzz/input_source.h"

namespace fuzz {

struct TRunOptions {
    std::wstring seedDir;
    std::wstring outDir;
    std::uint64_t seed = 1;
    std::uint64_t from = 0;
    std::uint64_t inputs = 10000;
    int target = -1;           // -1: the mix of all targets
    DWORD hangMs = 5000;       // one input longer than this is a hang
    DWORD cpuMs = 0;           // so is one taking more processor time than this (0: no limit)
    std::uint64_t batch = 20000;  // inputs per child process
    std::wstring replay;       // when set, the one input is this saved file, for `target`
};

struct TRunResult {
    std::uint64_t inputs = 0;
    int crashes = 0;
    int hangs = 0;
    int stalls = 0;                  // overran once, then finished in a fresh child
    double slowestMs = 0;            // wall-clock time of the slowest input
    std::uint64_t slowestIteration = 0;
    double slowestCpuMs = 0;         // processor time of the input that took the most
    std::uint64_t slowestCpuIteration = 0;
};

// What a child shares with its parent (a mapping the child inherits).
struct TChildState {
    volatile LONG current;      // iteration being run, minus the batch start
    volatile LONG busy;         // 1 while an input runs
    volatile LONG startTick;    // GetTickCount() when it began
    volatile LONG startCpuMs;   // the processor time of its thread then
    volatile LONG finished;     // inputs done
    volatile LONG slowestUs;
    volatile LONG slowestAt;    // its iteration, minus the batch start
    volatile LONG slowestCpuUs; // the most processor time one input took
    volatile LONG slowestCpuAt;
    volatile LONG done;         // 1 when the batch ended normally
    volatile LONG failure;      // exception code of a crash, else 0
};

// The parent side: the whole run.
TRunResult Supervise(const TRunOptions& options, const TSeeds& seeds);

// The child side: runs iterations [from, from + count) and reports through the
// inherited mapping `mapping`. Returns the exit code.
int RunChild(const TRunOptions& options, const TSeeds& seeds, HANDLE mapping, std::uint64_t count);

// Makes a crash in this process print its code and place and end it with exit code 3.
void InstallCrashHandlers();

// Runs inputs in this process, without a watchdog (for debugging).
TRunResult RunInline(const TRunOptions& options, const TSeeds& seeds);

}  // namespace fuzz
