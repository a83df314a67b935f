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
           L"                [--dump-tree] [--dump-accessible] [--wait MS] [--dpi PERCENT] [--click NAME]...\n"
           L"                [--lint] [--watch]\n"
           L"                [--compare REFERENCE.png [--tolerance N] [--diff OUT.png]]\n"
           L"       skinview --reference [FILE]\n"
           L"  --skin FILE     the skin markup; a path, or a name inside --archive / --dir\n"
           L"  --archive ZIP   read the skin and its images from this ZIP archive\n"
           L"  --dir DIR       read the skin and its images from this directory\n"
           L"  --size WxH      window size instead of the skin's \"size\"\n"
           L"  --png OUT.png   write a picture of the laid-out client area\n"
           L"  --dump-tree     print one line per control: class, name, visibility, rectangle\n"
           L"  --dump-accessible  print what a screen reader reads: role, name, value, state, rectangle\n"
           L"  --wait MS       keep the window on screen this long before exiting\n"
           L"  --dpi PERCENT   build and draw at this DPI scale (100 = 96 DPI, 150 = 144 DPI)\n"
           L"  --click NAME    activate the control of that name, as a click would, before the\n"
           L"                  picture and the dumps (a page button, an option); may be repeated\n"
           L"  --lint          check the skin without showing it: file:line: severity: message;\n"
           L"                  exit 0 clean, 1 warnings, 2 errors\n"
           L"  --watch         keep the window open and rebuild it whenever the skin, an include\n"
           L"                  or an image changes; close the window to end\n"
           L"  --compare REF   compare the picture with REF; exit 1 when more than N pixels differ\n"
           L"  --tolerance N   differing pixels allowed by --compare (default 0)\n"
           L"  --diff OUT.png  with --compare: write the differing pixels in red over a faded copy\n"
           L"  --reference [FILE]  write the skin reference (default docs/skin-reference.md); exit 7\n"
           L"                  when an applied attribute or a known element has no description\n";
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
        } else if (arg == L"--lint") {
            options.lint = true;
        } else if (arg == L"--watch") {
            options.watch = true;
        } else if (arg == L"--compare") {
            if (!value(options.compare)) return false;
        } else if (arg == L"--diff") {
            if (!value(options.diff)) return false;
        } else if (arg == L"--tolerance") {
            std::wstring n;
            if (!value(n)) return false;
            wchar_t* end = nullptr;
            const long v = std::wcstol(n.c_str(), &end, 10);
            if (end == n.c_str() || *end != L'\0' || v < 0 || v > 100000000) {
                error = L"--tolerance wants a number of pixels, not \"" + n + L"\"";
                return false;
            }
            options.tolerance = static_cast<int>(v);
        } else if (arg == L"--click") {
            std::wstring name;
            if (!value(name)) return false;
            options.clicks.push_back(name);
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
        } else if (arg == L"--reference") {
            options.reference = true;
            if (i + 1 < argc && argv[i + 1][0] != L'-') options.referenceFile = argv[++i];
        } else if (arg == L"-h" || arg == L"--help") {
            error.clear();
            return false;
        } else {
            error = L"unknown argument \"" + arg + L"\"";
            return false;
        }
    }
    if (options.reference) {
        if (!options.skin.empty() || options.lint || options.watch) {
            error = L"--reference stands alone";
            return false;
        }
        return true;
    }
    if (options.skin.empty()) {
        error = L"--skin is required";
        return false;
    }
    if (!options.diff.empty() && options.compare.empty()) {
        error = L"--diff needs --compare";
        return false;
    }
    if (!options.clicks.empty() && (options.lint || options.watch)) {
        error = L"--click needs a window that is shown once (not --lint or --watch)";
        return false;
    }
    if (options.lint && options.watch) {
        error = L"--lint and --watch exclude each other (--watch prints the findings on each rebuild)";
        return false;
    }
    if (!options.archive.empty() && !options.dir.empty()) {
        error = L"--archive and --dir exclude each other";
        return false;
    }
    return true;
}

}  // namespace skinview
