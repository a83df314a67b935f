// skinfuzz: generates hostile inputs for the skin framework's paths and the
// configuration store, and reports what crashed or hung.
//
//   skinfuzz [--seeds DIR] [--seed N] [--inputs N] [--from N] [--target NAME]
//            [--out DIR] [--hang-ms N] [--cpu-ms N] [--batch N] [--inline]
//   skinfuzz --replay FILE --target NAME [--seeds DIR] [--hang-ms N] [--cpu-ms N]
//
// An input running longer than --hang-ms (wall clock), or taking more processor
// time than --cpu-ms, counts as a hang.
//
// A replay runs one saved input under the same watchdog as a run. The last
// line reads "N inputs, C crashes, H hangs, slowest X ms"; the exit code is 0
// only when nothing crashed or hung.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "tools/fuzz/fuzz_targets.h"
#include "tools/fuzz/input_source.h"
#include "tools/fuzz/supervisor.h"

namespace {

std::wstring ExeDir() {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir = exe;
    const size_t slash = dir.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : dir.substr(0, slash);
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += static_cast<char>(c < 128 ? c : '?');
    return out;
}

int Usage() {
    fprintf(stderr,
            "usage: skinfuzz [--seeds DIR] [--seed N] [--inputs N] [--from N] [--target "
            "markup|zip|image|imagedesc|ini|gif] [--out DIR] [--hang-ms N] [--cpu-ms N] [--batch N] [--inline]\n"
            "       skinfuzz --replay FILE --target NAME [--seeds DIR] [--hang-ms N] [--cpu-ms N]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    fuzz::TRunOptions options;
    options.seedDir = ExeDir() + L"\\seeds";
    options.outDir = L"fuzz-findings";
    bool inlineRun = false;
    unsigned long long child = 0;
    bool isChild = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--inline") {
            inlineRun = true;
            continue;
        }
        if (!hasValue) return Usage();
        const wchar_t* value = argv[++i];
        const unsigned long long number = wcstoull(value, nullptr, 10);
        if (arg == L"--seeds") {
            options.seedDir = value;
        } else if (arg == L"--seed") {
            options.seed = number;
        } else if (arg == L"--inputs") {
            options.inputs = number;
        } else if (arg == L"--from") {
            options.from = number;
        } else if (arg == L"--out") {
            options.outDir = value;
        } else if (arg == L"--hang-ms") {
            options.hangMs = static_cast<DWORD>(number);
        } else if (arg == L"--cpu-ms") {
            options.cpuMs = static_cast<DWORD>(number);
        } else if (arg == L"--batch") {
            options.batch = number > 0 ? number : 1;
        } else if (arg == L"--replay") {
            options.replay = value;
        } else if (arg == L"--child") {
            child = number;
            isChild = true;
        } else if (arg == L"--target") {
            options.target = (value[0] == L'-' || iswdigit(value[0])) ? static_cast<int>(wcstol(value, nullptr, 10))
                                                                      : fuzz::TargetFromName(Narrow(value));
            if (options.target < -1 || options.target >= fuzz::kTargetCount) return Usage();
        } else {
            return Usage();
        }
    }

    fuzz::TSeeds seeds;
    std::string error;
    if (!fuzz::LoadSeeds(options.seedDir, seeds, error)) {
        fprintf(stderr, "skinfuzz: %s (%s)\n", error.c_str(), Narrow(options.seedDir).c_str());
        return 2;
    }
    if (isChild) {
        return fuzz::RunChild(options, seeds, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(child)),
                              options.inputs);
    }
    if (!options.replay.empty()) {
        std::string input;
        if (options.target < 0 || !fuzz::ReadInputFile(options.replay, input)) return Usage();
        options.from = 0;
        options.inputs = 1;
        inlineRun = false;
    }

    const DWORD start = ::GetTickCount();
    const fuzz::TRunResult result = inlineRun ? fuzz::RunInline(options, seeds) : fuzz::Supervise(options, seeds);
    const char* target =
        options.target < 0 ? "all targets" : fuzz::TargetName(static_cast<fuzz::ETarget>(options.target));
    if (options.replay.empty()) {
        fprintf(stderr, "seed %llu, inputs %llu..%llu, %s, %.1f s\n", static_cast<unsigned long long>(options.seed),
                static_cast<unsigned long long>(options.from),
                static_cast<unsigned long long>(options.from + options.inputs), target,
                (::GetTickCount() - start) / 1000.0);
    } else {
        fprintf(stderr, "replay of %s, %s, limits %lu ms and %lu ms of processor time, %.1f s\n",
                Narrow(options.replay).c_str(), target, static_cast<unsigned long>(options.hangMs),
                static_cast<unsigned long>(options.cpuMs), (::GetTickCount() - start) / 1000.0);
    }
    if (!inlineRun) {
        fprintf(stderr, "slowest: iteration %llu, %.1f ms; most processor time: iteration %llu, %.1f ms\n",
                static_cast<unsigned long long>(result.slowestIteration), result.slowestMs,
                static_cast<unsigned long long>(result.slowestCpuIteration), result.slowestCpuMs);
        fprintf(stderr, "%d stalls (an input overran the limit once, then finished in a fresh child)\n",
                result.stalls);
    }
    printf("%llu inputs, %d crashes, %d hangs, slowest %.1f ms\n", static_cast<unsigned long long>(result.inputs),
           result.crashes, result.hangs, result.slowestMs);
    fflush(stdout);
    return result.crashes == 0 && result.hangs == 0 && result.inputs == options.inputs ? 0 : 1;
}
