#include "tools/fuzz/supervisor.h"

#include <psapi.h>

#include <cstdio>
#include <vector>

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

// Processor time (user and kernel) of a thread so far.
double ThreadCpuMs(HANDLE thread = ::GetCurrentThread()) {
    FILETIME created, exited, kernel, user;
    if (!::GetThreadTimes(thread, &created, &exited, &kernel, &user)) return 0;
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
    if (!options.replay.empty()) {
        fprintf(stderr, "%s: %ls, code 0x%08lX\n", kind, options.replay.c_str(), static_cast<unsigned long>(code));
        return;
    }
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
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --seeds \"" + options.seedDir + L"\"" + numbers;
    if (!options.replay.empty()) command += L" --replay \"" + options.replay + L"\"";
    return command;
}

}  // namespace

namespace {

// One child's run of [from, from + count).
struct TBatch {
    std::uint64_t finished = 0;
    bool ok = false;       // every input finished
    bool hung = false;     // the watchdog ended it
    DWORD code = 0;        // exception or exit code of a crash
    std::string where;     // a hung child's thread, when it was ended
    double slowestMs = 0;
    std::uint64_t slowestAt = 0;
    double slowestCpuMs = 0;
    std::uint64_t slowestCpuAt = 0;
};

struct TModule {
    ULONG_PTR base;
    ULONG_PTR size;
    char name[64];
};

std::vector<TModule> ModulesOf(HANDLE process) {
    std::vector<TModule> modules;
    HMODULE handles[256];
    DWORD needed = 0;
    if (!::EnumProcessModules(process, handles, sizeof(handles), &needed)) return modules;
    const DWORD count = needed / sizeof(HMODULE) < 256 ? needed / sizeof(HMODULE) : 256;
    for (DWORD i = 0; i < count; ++i) {
        MODULEINFO info = {};
        TModule module = {};
        if (!::GetModuleInformation(process, handles[i], &info, sizeof(info))) continue;
        module.base = reinterpret_cast<ULONG_PTR>(info.lpBaseOfDll);
        module.size = info.SizeOfImage;
        if (::GetModuleBaseNameA(process, handles[i], module.name, sizeof(module.name)) == 0) {
            snprintf(module.name, sizeof(module.name), "?");
        }
        modules.push_back(module);
    }
    return modules;
}

// "module+0xoffset", or nothing when the address is in no module.
std::string Place(const std::vector<TModule>& modules, ULONG_PTR address) {
    for (const TModule& m : modules) {
        // The first page holds the headers: a value there is data, not code.
        if (address >= m.base + 0x1000 && address - m.base < m.size) {
            char text[96];
            snprintf(text, sizeof(text), "%s+0x%llx", m.name, static_cast<unsigned long long>(address - m.base));
            return text;
        }
    }
    return std::string();
}

// Where a stuck child's thread is: its processor time, its program counter,
// and the code addresses on the top of its stack (return addresses among them).
std::string DescribeStuck(HANDLE process, HANDLE thread) {
    std::string text;
    char line[128];
    FILETIME created, exited, kernel, user;
    if (::GetProcessTimes(process, &created, &exited, &kernel, &user)) {
        const auto value = [](const FILETIME& t) {
            return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
        };
        snprintf(line, sizeof(line), "processor time %.0f ms (user %.0f ms)",
                 static_cast<double>(value(kernel) + value(user)) / 10000.0, static_cast<double>(value(user)) / 10000.0);
        text += line;
    }
    if (::SuspendThread(thread) == static_cast<DWORD>(-1)) return text + "; thread not suspended";
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
    const bool haveContext = ::GetThreadContext(thread, &context) != FALSE;
    const std::vector<TModule> modules = ModulesOf(process);
    if (haveContext) {
#ifdef _WIN64
        const ULONG_PTR pc = context.Rip, sp = context.Rsp;
#else
        const ULONG_PTR pc = context.Eip, sp = context.Esp;
#endif
        const std::string at = Place(modules, pc);
        snprintf(line, sizeof(line), "; pc %s", at.empty() ? "outside every module" : at.c_str());
        text += line;
        // The top 16 KiB of the stack, page by page while it reads.
        std::vector<ULONG_PTR> words(4096 / sizeof(ULONG_PTR));
        int shown = 0;
        text += "; stack";
        for (ULONG_PTR page = sp; page < sp + 16384 && shown < 40; page += 4096) {
            SIZE_T read = 0;
            if (!::ReadProcessMemory(process, reinterpret_cast<const void*>(page), words.data(), 4096, &read)) break;
            for (size_t i = 0; i < read / sizeof(ULONG_PTR) && shown < 40; ++i) {
                const std::string place = Place(modules, words[i]);
                if (place.empty()) continue;
                text += " " + place;
                ++shown;
            }
        }
    } else {
        text += "; no thread context";
    }
    ::ResumeThread(thread);
    return text;
}

TBatch RunBatch(const TRunOptions& options, HANDLE mapping, TChildState* state, std::uint64_t from,
                std::uint64_t count) {
    TBatch batch;
    ZeroMemory(const_cast<TChildState*>(state), sizeof(TChildState));
    std::wstring command = ChildCommandLine(options, mapping, from, count);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    // Process creation can fail for a moment on a busy machine (Wine has answered
    // ERROR_INTERNAL_ERROR once in a million-input run): a few tries before giving up.
    bool started = false;
    for (int attempt = 0; attempt < 5 && !started; ++attempt) {
        if (attempt > 0) ::Sleep(200 * attempt);
        started = ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi) != FALSE;
        if (!started) fprintf(stderr, "cannot start a child process (error %lu)\n", ::GetLastError());
    }
    if (!started) {
        batch.code = 0xFFFFFFFF;
        return batch;
    }
    // The watchdog: one input running longer than the hang limit, or taking more processor
    // time than its limit, ends the child. The inputs run on the child's first thread.
    const auto overrun = [&] {
        if (!state->busy) return false;
        if (::GetTickCount() - static_cast<DWORD>(state->startTick) > options.hangMs) return true;
        return options.cpuMs != 0 && ThreadCpuMs(pi.hThread) - state->startCpuMs > options.cpuMs;
    };
    while (::WaitForSingleObject(pi.hProcess, 20) == WAIT_TIMEOUT) {
        if (overrun()) {
            batch.where = DescribeStuck(pi.hProcess, pi.hThread);
            ::TerminateProcess(pi.hProcess, 4);
            ::WaitForSingleObject(pi.hProcess, INFINITE);
            batch.hung = true;
            break;
        }
    }
    DWORD exitCode = 0;
    ::GetExitCodeProcess(pi.hProcess, &exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);

    batch.slowestMs = state->slowestUs / 1000.0;
    batch.slowestAt = from + static_cast<std::uint64_t>(state->slowestAt);
    batch.slowestCpuMs = state->slowestCpuUs / 1000.0;
    batch.slowestCpuAt = from + static_cast<std::uint64_t>(state->slowestCpuAt);
    batch.finished = static_cast<std::uint64_t>(state->finished);
    batch.ok = !batch.hung && state->done && exitCode == 0;
    batch.code = state->failure != 0 ? static_cast<DWORD>(state->failure) : exitCode;
    return batch;
}

void Account(TRunResult& result, const TBatch& batch) {
    if (batch.slowestMs > result.slowestMs) {
        result.slowestMs = batch.slowestMs;
        result.slowestIteration = batch.slowestAt;
    }
    if (batch.slowestCpuMs > result.slowestCpuMs) {
        result.slowestCpuMs = batch.slowestCpuMs;
        result.slowestCpuIteration = batch.slowestCpuAt;
    }
    result.inputs += batch.finished;
}

void NoteStuck(const TRunOptions& options, const char* kind, std::uint64_t iteration, const std::string& where) {
    fprintf(stderr, "%s at iteration %llu: %s\n", kind, static_cast<unsigned long long>(iteration), where.c_str());
    if (!options.replay.empty()) return;
    if (FILE* f = _wfopen((options.outDir + L"\\findings.txt").c_str(), L"a")) {
        fprintf(f, "%s iteration=%llu %s\n", kind, static_cast<unsigned long long>(iteration), where.c_str());
        fclose(f);
    }
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
    if (options.replay.empty()) ::CreateDirectoryW(options.outDir.c_str(), nullptr);
    const std::uint64_t end = options.from + options.inputs;
    std::uint64_t next = options.from;
    while (next < end) {
        const std::uint64_t count = end - next < options.batch ? end - next : options.batch;
        const TBatch batch = RunBatch(options, mapping, state, next, count);
        if (batch.code == 0xFFFFFFFF && batch.finished == 0 && !batch.hung) break;  // no child started
        Account(result, batch);
        if (batch.ok) {
            next += count;
            continue;
        }
        // The input that was running failed; the run goes on after it.
        const std::uint64_t failed = next + batch.finished;
        if (batch.hung) {
            NoteStuck(options, "overrun", failed, batch.where);
            // Once more, alone in a fresh child: a stall of the machine does not come back.
            const TBatch again = RunBatch(options, mapping, state, failed, 1);
            if (again.ok) {
                ++result.stalls;
                Account(result, again);
                next = failed + 1;
                continue;
            }
            if (again.hung) {
                NoteStuck(options, "overrun again", failed, again.where);
                ++result.hangs;
                SaveFailure(options, seeds, failed, "hang", 0);
            } else {
                ++result.crashes;
                SaveFailure(options, seeds, failed, "crash", again.code);
            }
        } else {
            ++result.crashes;
            SaveFailure(options, seeds, failed, "crash", batch.code);
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
    const bool replay = !options.replay.empty();
    if (replay && (options.target < 0 || !ReadInputFile(options.replay, input))) return 2;
    for (std::uint64_t i = 0; i < count; ++i) {
        const ETarget target = replay ? static_cast<ETarget>(options.target)
                                      : MakeInput(seeds, options.seed, options.from + i, options.target, input);
        ::InterlockedExchange(&g_state->current, static_cast<LONG>(i));
        const double cpuStart = ThreadCpuMs();
        ::InterlockedExchange(&g_state->startCpuMs, static_cast<LONG>(cpuStart));
        ::InterlockedExchange(&g_state->startTick, static_cast<LONG>(::GetTickCount()));
        ::InterlockedExchange(&g_state->busy, 1);
        LARGE_INTEGER start, stop;
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
