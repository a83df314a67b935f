#include "tools/fuzz/supervisor.h"

#include <cstdio>

#include "tools/fuzz/fuzz_targets.h"

namespace fuzz {

namespace {

TChildState* g_state = nullptr;

void ReportCrash(DWORD code) {
    if (g_state != nullptr) {
        ::InterlockedExchange(&g_state->failure, static_cast<LONG>(code == 0 ? 1 : code));
    }
    ::TerminateProcess(::GetCurrentProcess(), 3);
}

// Codes that never belong to an exception someone handles on purpose.
bool IsFatal(DWORD code) {
    switch (code) {
        case EXCEPTION_STACK_OVERFLOW:
        case EXCEPTION_ILLEGAL_INSTRUCTION:
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
        case EXCEPTION_INT_OVERFLOW:
        case EXCEPTION_PRIV_INSTRUCTION:
        case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
        case 0xC0000374:  // heap corruption
        case 0xC0000409:  // stack buffer overrun
            return true;
        default:
            return false;
    }
}

// Where it happened, as an offset into the exe (for addr2line).
void PrintPlace(const EXCEPTION_RECORD* record) {
    const uintptr_t at = reinterpret_cast<uintptr_t>(record->ExceptionAddress);
    const uintptr_t base = reinterpret_cast<uintptr_t>(::GetModuleHandleW(nullptr));
    fprintf(stderr, "exception 0x%08lX at exe+0x%llx\n", static_cast<unsigned long>(record->ExceptionCode),
            static_cast<unsigned long long>(at - base));
    fflush(stderr);
}

LONG CALLBACK FirstChance(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if (IsFatal(code)) {
        PrintPlace(info->ExceptionRecord);
        ReportCrash(code);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

LONG WINAPI Unhandled(EXCEPTION_POINTERS* info) {
    PrintPlace(info->ExceptionRecord);
    ReportCrash(info->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Processor time (user and kernel) of this thread so far.
double ThreadCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    const auto value = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(value(kernel) + value(user)) / 10000.0;
}

double Elapsed(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Saves the input of a failure and adds a line to findings.txt.
void SaveFailure(const TRunOptions& options, const TSeeds& seeds, std::uint64_t iteration, const char* kind,
                 DWORD code) {
    std::string input;
    const ETarget target = MakeInput(seeds, options.seed, iteration, options.target, input);
    ::CreateDirectoryW(options.outDir.c_str(), nullptr);
    wchar_t name[160];
    swprintf(name, 160, L"%hs-%hs-seed%llu-iter%llu.bin", kind, TargetName(target),
             static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(iteration));
    const std::wstring path = options.outDir + L"\\" + name;
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        fwrite(input.data(), 1, input.size(), f);
        fclose(f);
    }
    if (FILE* f = _wfopen((options.outDir + L"\\findings.txt").c_str(), L"a")) {
        fprintf(f, "%s target=%s seed=%llu iteration=%llu code=0x%08lX file=%ls\n", kind, TargetName(target),
                static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(iteration),
                static_cast<unsigned long>(code), name);
        fclose(f);
    }
    fprintf(stderr, "%s: target %s, seed %llu, iteration %llu, code 0x%08lX, saved as %ls\n", kind,
            TargetName(target), static_cast<unsigned long long>(options.seed),
            static_cast<unsigned long long>(iteration), static_cast<unsigned long>(code), path.c_str());
}

// Command line of a child for [from, from + count).
std::wstring ChildCommandLine(const TRunOptions& options, HANDLE mapping, std::uint64_t from, std::uint64_t count) {
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    wchar_t numbers[256];
    swprintf(numbers, 256, L" --child %llu --seed %llu --from %llu --inputs %llu --target %d", 
             static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(mapping)),
             static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(from),
             static_cast<unsigned long long>(count), options.target);
    return L"\"" + std::wstring(exe) + L"\" --seeds \"" + options.seedDir + L"\"" + numbers;
}

}  // namespace

TRunResult Supervise(const TRunOptions& options, const TSeeds& seeds) {
    TRunResult result;
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE mapping = ::CreateFileMappingW(INVALID_HANDLE_VALUE, &inherit, PAGE_READWRITE, 0, sizeof(TChildState),
                                          nullptr);
    if (mapping == nullptr) return result;
    auto* state = static_cast<TChildState*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(TChildState)));
    if (state == nullptr) {
        ::CloseHandle(mapping);
        return result;
    }
    const std::uint64_t end = options.from + options.inputs;
    std::uint64_t next = options.from;
    while (next < end) {
        const std::uint64_t count = end - next < options.batch ? end - next : options.batch;
        ZeroMemory(const_cast<TChildState*>(state), sizeof(TChildState));
        std::wstring command = ChildCommandLine(options, mapping, next, count);
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
            fprintf(stderr, "cannot start a child process (error %lu)\n", ::GetLastError());
            break;
        }
        ::CloseHandle(pi.hThread);
        // The watchdog: one input running longer than the hang limit ends the child.
        bool hung = false;
        while (::WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT) {
            if (state->busy && ::GetTickCount() - static_cast<DWORD>(state->startTick) > options.hangMs) {
                ::TerminateProcess(pi.hProcess, 4);
                ::WaitForSingleObject(pi.hProcess, INFINITE);
                hung = true;
                break;
            }
        }
        DWORD exitCode = 0;
        ::GetExitCodeProcess(pi.hProcess, &exitCode);
        ::CloseHandle(pi.hProcess);

        const double slowest = state->slowestUs / 1000.0;
        if (slowest > result.slowestMs) {
            result.slowestMs = slowest;
            result.slowestIteration = next + static_cast<std::uint64_t>(state->slowestAt);
        }
        const double slowestCpu = state->slowestCpuUs / 1000.0;
        if (slowestCpu > result.slowestCpuMs) {
            result.slowestCpuMs = slowestCpu;
            result.slowestCpuIteration = next + static_cast<std::uint64_t>(state->slowestCpuAt);
        }
        const std::uint64_t finished = static_cast<std::uint64_t>(state->finished);
        result.inputs += finished;
        if (!hung && state->done && exitCode == 0) {
            next += count;
            continue;
        }
        // The input that was running failed; the run goes on after it.
        const std::uint64_t failed = next + finished;
        if (hung) {
            ++result.hangs;
            SaveFailure(options, seeds, failed, "hang", 0);
        } else {
            ++result.crashes;
            SaveFailure(options, seeds, failed, "crash", state->failure != 0 ? state->failure : exitCode);
        }
        ++result.inputs;
        next = failed + 1;
    }
    ::UnmapViewOfFile(const_cast<TChildState*>(state));
    ::CloseHandle(mapping);
    return result;
}

void InstallCrashHandlers() {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::AddVectoredExceptionHandler(1, &FirstChance);
    ::SetUnhandledExceptionFilter(&Unhandled);
}

int RunChild(const TRunOptions& options, const TSeeds& seeds, HANDLE mapping, std::uint64_t count) {
    g_state = static_cast<TChildState*>(::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(TChildState)));
    if (g_state == nullptr) return 2;
    InstallCrashHandlers();

    CTargetContext context(seeds.skinArchive);
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::string input;
    for (std::uint64_t i = 0; i < count; ++i) {
        const ETarget target = MakeInput(seeds, options.seed, options.from + i, options.target, input);
        ::InterlockedExchange(&g_state->current, static_cast<LONG>(i));
        ::InterlockedExchange(&g_state->startTick, static_cast<LONG>(::GetTickCount()));
        ::InterlockedExchange(&g_state->busy, 1);
        LARGE_INTEGER start, stop;
        const double cpuStart = ThreadCpuMs();
        ::QueryPerformanceCounter(&start);
        context.Run(target, input);
        ::QueryPerformanceCounter(&stop);
        const LONG cpuUs = static_cast<LONG>((ThreadCpuMs() - cpuStart) * 1000.0);
        ::InterlockedExchange(&g_state->busy, 0);
        const LONG us = static_cast<LONG>(Elapsed(start, stop, frequency) * 1000.0);
        if (us > g_state->slowestUs) {
            ::InterlockedExchange(&g_state->slowestAt, static_cast<LONG>(i));
            ::InterlockedExchange(&g_state->slowestUs, us);
        }
        if (cpuUs > g_state->slowestCpuUs) {
            ::InterlockedExchange(&g_state->slowestCpuAt, static_cast<LONG>(i));
            ::InterlockedExchange(&g_state->slowestCpuUs, cpuUs);
        }
        ::InterlockedIncrement(&g_state->finished);
    }
    ::InterlockedExchange(&g_state->done, 1);
    return 0;
}

TRunResult RunInline(const TRunOptions& options, const TSeeds& seeds) {
    TRunResult result;
    CTargetContext context(seeds.skinArchive);
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::string input;
    for (std::uint64_t i = 0; i < options.inputs; ++i) {
        const ETarget target = MakeInput(seeds, options.seed, options.from + i, options.target, input);
        LARGE_INTEGER start, stop;
        ::QueryPerformanceCounter(&start);
        context.Run(target, input);
        ::QueryPerformanceCounter(&stop);
        const double ms = Elapsed(start, stop, frequency);
        if (ms > result.slowestMs) result.slowestMs = ms;
        ++result.inputs;
    }
    return result;
}

}  // namespace fuzz
