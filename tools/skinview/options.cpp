#include "options.h"

#include <cwchar>

namespace skinview {

namespace {

bool ParseSize(const std::wstring& text, int& width, int& height) {
    wchar_t* end = nullptr;
    const long w = std::wcstol(text.c_str(), &end, 10);
    if (end == text.c_str() || (*end != L'x' && *end != L'X')) return false;
    const wchar_t* second = end + 1;
    const long h = std::wcstol(second, &end, 10);
    if (end == second || *end != L'\0') return false;
    if (w <= 0 || h <= 0 || w > 10000 || h > 10000) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

const wchar_t* UsageText() {
    return L"usage: skinview --skin FILE [--archive ZIP | --dir DIR] [--size WxH] [--png OUT.png]\n"
           L"                [--dump-tree] [--dump-accessible] [--wait MS] [--dpi PERCENT]\n"
           L"  --skin FILE     the skin markup; a path, or a name inside --archive / --dir\n"
           L"  --archive ZIP   read the skin and its images from this ZIP archive\n"
           L"  --dir DIR       read the skin and its images from this directory\n"
           L"  --size WxH      window size instead of the skin's \"size\"\n"
           L"  --png OUT.png   write a picture of the laid-out client area\n"
           L"  --dump-tree     print one line per control: class, name, visibility, rectangle\n"
           L"  --dump-accessible  print what a screen reader reads: role, name, value, state, rectangle\n"
           L"  --wait MS       keep the window on screen this long before exiting\n"
           L"  --dpi PERCENT   build and draw at this DPI scale (100 = 96 DPI, 150 = 144 DPI)\n";
}

bool ParseOptions(int argc, wchar_t** argv, Options& options, std::wstring& error) {
    for (int i = 0; i < argc; ++i) {
        const std::wstring arg = argv[i];
        auto value = [&](std::wstring& out) {
            if (i + 1 >= argc) {
                error = arg + L" needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        if (arg == L"--skin") {
            if (!value(options.skin)) return false;
        } else if (arg == L"--archive") {
            if (!value(options.archive)) return false;
        } else if (arg == L"--dir") {
            if (!value(options.dir)) return false;
        } else if (arg == L"--png") {
            if (!value(options.png)) return false;
        } else if (arg == L"--dump-tree") {
            options.dumpTree = true;
        } else if (arg == L"--dump-accessible") {
            options.dumpAccessible = true;
        } else if (arg == L"--size") {
            std::wstring size;
            if (!value(size)) return false;
            if (!ParseSize(size, options.width, options.height)) {
                error = L"--size wants WIDTHxHEIGHT, for example 300x100, not \"" + size + L"\"";
                return false;
            }
        } else if (arg == L"--wait") {
            std::wstring ms;
            if (!value(ms)) return false;
            wchar_t* end = nullptr;
            const long v = std::wcstol(ms.c_str(), &end, 10);
            if (end == ms.c_str() || *end != L'\0' || v < 0 || v > 3600000) {
                error = L"--wait wants milliseconds, not \"" + ms + L"\"";
                return false;
            }
            options.waitMs = static_cast<int>(v);
        } else if (arg == L"--dpi") {
            std::wstring percent;
            if (!value(percent)) return false;
            wchar_t* end = nullptr;
            const long v = std::wcstol(percent.c_str(), &end, 10);
            if (end == percent.c_str() || *end != L'\0' || v < 25 || v > 500) {
                error = L"--dpi wants a percentage from 25 to 500, not \"" + percent + L"\"";
                return false;
            }
            options.dpiPercent = static_cast<int>(v);
        } else if (arg == L"-h" || arg == L"--help") {
            error.clear();
            return false;
        } else {
            error = L"unknown argument \"" + arg + L"\"";
            return false;
        }
    }
    if (options.skin.empty()) {
        error = L"--skin is required";
        return false;
    }
    if (!options.archive.empty() && !options.dir.empty()) {
        error = L"--archive and --dir exclude each other";
        return false;
    }
    return true;
}

}  // namespace skinview
