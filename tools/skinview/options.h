#pragma once
// Command line of skinview.

#include <string>
#include <vector>

namespace skinview {

struct Options {
    std::wstring skin;      // skin file name (or path in file mode)
    std::wstring archive;   // ZIP archive holding the skin and its images
    std::wstring dir;       // directory holding the skin and its images
    std::wstring png;       // where to write the picture of the client area
    bool dumpTree = false;  // print the control tree
    bool dumpAccessible = false;  // print the accessibility tree
    int width = 0;          // --size overrides the skin's window size
    int height = 0;
    int waitMs = 0;         // keep the window up (and the message loop running) this long
    bool lint = false;      // check the skin instead of showing it
    bool watch = false;     // keep the window and rebuild whenever a file of the skin changes
    std::wstring compare;   // reference picture to compare the client area with
    int tolerance = 0;      // differing pixels allowed by --compare
    std::wstring diff;      // where --compare writes the picture of the differences
    int dpiPercent = 100;   // --dpi: the DPI scale the skin is built and drawn at
    std::vector<std::wstring> clicks;  // --click: controls activated, in order, before the picture
    bool reference = false;     // --reference: write the skin reference instead of showing a skin
    std::wstring referenceFile; // where (default docs\skin-reference.md under the current directory)
};

// Parses argv (without argv[0]). On failure returns false and sets `error`.
bool ParseOptions(int argc, wchar_t** argv, Options& options, std::wstring& error);

const wchar_t* UsageText();

}  // namespace skinview
