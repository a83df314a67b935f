// Layout and paint cost of the 300x100 repair window.
//
//   layout_paint_bench.exe [skin directory] [--frames N]
//
// Builds the repair window's control tree from its skin (msg_fix_tips.xml in the
// given skin directory; by hand, with the same tree and attributes, when no
// directory is given), attaches it to a paint manager of a hidden window,
// and then, per frame, lays the tree out at 300x100 and paints it into a
// 32-bit memory DC. The same run times a plain BitBlt of a 300x100 bitmap as
// the baseline and prints the ratio. With a skin directory (the folder of
// msg_fix_tips.xml and its PNG files) the images are drawn too; without one
// only colours and text are.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "ui/controls/button.h"
#include "ui/controls/control.h"
#include "ui/controls/horizontal_layout.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/controls/vertical_layout.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"

#include "bench/bench_clock.h"

using namespace SkinUI;

namespace {

template <class T>
T* Add(CContainerUI* parent, const wchar_t* attributes) {
    T* control = new T();
    control->ApplyAttributeString(attributes);
    parent->Add(control);
    return control;
}

// The repair window's tree (see resources/skin/msg_fix_tips.xml).
CControlUI* BuildRepairTree() {
    CVerticalLayoutUI* root = new CVerticalLayoutUI();
    root->ApplyAttributeString(L"bkcolor=\"#ffffffff\"");
    CHorizontalLayoutUI* top = Add<CHorizontalLayoutUI>(root, L"height=\"30\"");
    Add<CControlUI>(top, L"");
    Add<CButtonUI>(top, L"name=\"sysclosebutton\" width=\"30\" height=\"30\" textcolor=\"#ffffffff\" "
                        L"stateimage=\"btn_close.png\" statecount=\"3\" statehor=\"false\"");
    CHorizontalLayoutUI* body = Add<CHorizontalLayoutUI>(root, L"");
    Add<CControlUI>(body, L"width=\"15\"");
    Add<CLabelUI>(body, L"width=\"48\" height=\"48\" bkimage=\"soft_logo.png\"");
    Add<CControlUI>(body, L"width=\"15\"");
    CVerticalLayoutUI* text = Add<CVerticalLayoutUI>(body, L"");
    CHorizontalLayoutUI* titleRow = Add<CHorizontalLayoutUI>(text, L"height=\"15\"");
    Add<CLabelUI>(titleRow, L"text=\"Tavrel\x542F\x52A8\x4E2D\" height=\"15\" textcolor=\"#ff000000\" "
                            L"align=\"left\" valign=\"vcenter\" font=\"160\"");
    Add<CControlUI>(text, L"height=\"10\"");
    CHorizontalLayoutUI* barRow = Add<CHorizontalLayoutUI>(text, L"height=\"18\"");
    Add<CProgressUI>(barRow, L"name=\"progress_doing\" width=\"210\" height=\"18\" min=\"0\" max=\"99\" "
                             L"value=\"40\" foreimage=\"file='progress_bar.png' source='0,0,100,18' "
                             L"corner='10,2,22,2' \" bkimage=\"file='progress_bar.png' source='100,0,200,18' "
                             L"corner='5,2,5,2'\"");
    return root;
}

LRESULT CALLBACK BenchWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd, msg, wp, lp); }

// A 32-bit top-down DIB selected into its own memory DC.
struct TSurface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    TSurface(int w, int h) {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = w;
        bmi.bmiHeader.biHeight = -h;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~TSurface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring skinDir;
    int frames = 2000;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--frames") == 0 && i + 1 < argc) {
            frames = std::max(1, _wtoi(argv[++i]));
        } else {
            skinDir = argv[i];
        }
    }
    if (!skinDir.empty() && skinDir.back() != L'\\' && skinDir.back() != L'/') skinDir += L'\\';
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CPaintManagerUI::SetInstance(instance);
    if (!skinDir.empty()) CPaintManagerUI::SetResourcePath(skinDir.c_str());

    WNDCLASSW wc = {};
    wc.lpfnWndProc = BenchWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"LayoutPaintBench";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"bench", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr,
                                instance, nullptr);
    if (hwnd == nullptr) {
        std::printf("could not create the window\n");
        return 1;
    }

    const RECT rc = {0, 0, 300, 100};
    double perFrame = 0, layoutOnly = 0, paintOnly = 0, baseline = 0;
    bool imagesFound = false;
    {
        CPaintManagerUI pm;
        pm.Init(hwnd, L"bench");
        CControlUI* root = nullptr;
        if (!skinDir.empty()) {
            CSkinBuilder builder;
            root = builder.Create(L"msg_fix_tips.xml", nullptr, nullptr, &pm);
        }
        const bool fromSkin = root != nullptr;
        if (!fromSkin) {
            pm.AddFont(120, L"\x5FAE\x8F6F\x96C5\x9ED1", 12, false, false, false);
            pm.AddFont(160, L"\x5FAE\x8F6F\x96C5\x9ED1", 16, true, false, false);
            root = BuildRepairTree();
        }
        std::printf("tree built %s\n", fromSkin ? "from msg_fix_tips.xml" : "by hand");
        pm.AttachRoot(root);
        imagesFound = pm.GetImageEx(L"progress_bar.png") != nullptr;

        TSurface target(300, 100);
        TSurface source(300, 100);
        PatBlt(source.dc, 0, 0, 300, 100, WHITENESS);

        // Warm-up: first layout measures fonts, first paint decodes the images.
        for (int i = 0; i < 50; ++i) {
            root->PlaceAt(rc, false);
            root->PaintClipped(target.dc, rc, nullptr);
            BitBlt(target.dc, 0, 0, 300, 100, source.dc, 0, 0, SRCCOPY);
        }
        GdiFlush();

        double t0 = Now();
        for (int i = 0; i < frames; ++i) {
            root->PlaceAt(rc, false);
            root->PaintClipped(target.dc, rc, nullptr);
        }
        GdiFlush();
        double t1 = Now();
        for (int i = 0; i < frames; ++i) root->PlaceAt(rc, false);
        double t2 = Now();
        for (int i = 0; i < frames; ++i) root->PaintClipped(target.dc, rc, nullptr);
        GdiFlush();
        double t3 = Now();
        for (int i = 0; i < frames; ++i) BitBlt(target.dc, 0, 0, 300, 100, source.dc, 0, 0, SRCCOPY);
        GdiFlush();
        double t4 = Now();

        perFrame = (t1 - t0) / frames;
        layoutOnly = (t2 - t1) / frames;
        paintOnly = (t3 - t2) / frames;
        baseline = (t4 - t3) / frames;
    }
    DestroyWindow(hwnd);

    std::printf("layout_paint_bench: repair window 300x100, %d frames, images %s\n", frames,
                imagesFound ? "drawn" : "not found (colours and text only)");
    std::printf("  layout + paint   %9.2f us/frame\n", perFrame * 1e6);
    std::printf("    layout only    %9.2f us/frame\n", layoutOnly * 1e6);
    std::printf("    paint only     %9.2f us/frame\n", paintOnly * 1e6);
    std::printf("  baseline BitBlt  %9.2f us/frame\n", baseline * 1e6);
    std::printf("  ratio (layout + paint) / BitBlt = %.1f\n", baseline > 0 ? perFrame / baseline : 0.0);
    return 0;
}
