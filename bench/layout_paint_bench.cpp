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
//
// The same run also issues the draw calls that the frame needs, each made directly
// with the cheapest primitive on the same memory bitmap (one fill, each image at its
// destination size, the nine-grid pieces one by one, the text): the primitive floor.
// A progress tick (one step of the repair window's 300 ms timer) is measured too: the
// area it invalidates against the bar's own, and its repaint against that area's floor.
// Lines starting with "table:" carry the figures that bench/run collects per build.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

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

// One draw call of the floor: a piece of a decoded image, already selected into
// its own memory DC, blended or copied to the target.
struct TPiece {
    HDC src;
    RECT dst;
    RECT from;
    bool alpha;
};

// The nine pieces of a nine-grid drawing (empty ones left out).
void AddNineGrid(std::vector<TPiece>& out, HDC src, bool alpha, const RECT& D, const RECT& S, const RECT& c) {
    const LONG dx[4] = {D.left, D.left + c.left, D.right - c.right, D.right};
    const LONG dy[4] = {D.top, D.top + c.top, D.bottom - c.bottom, D.bottom};
    const LONG sx[4] = {S.left, S.left + c.left, S.right - c.right, S.right};
    const LONG sy[4] = {S.top, S.top + c.top, S.bottom - c.bottom, S.bottom};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            TPiece p = {src, {dx[x], dy[y], dx[x + 1], dy[y + 1]}, {sx[x], sy[y], sx[x + 1], sy[y + 1]}, alpha};
            if (p.dst.right > p.dst.left && p.dst.bottom > p.dst.top && p.from.right > p.from.left &&
                p.from.bottom > p.from.top)
                out.push_back(p);
        }
    }
}

void DrawPieces(HDC dc, const std::vector<TPiece>& pieces) {
    for (const TPiece& p : pieces) {
        const int dw = p.dst.right - p.dst.left, dh = p.dst.bottom - p.dst.top;
        const int sw = p.from.right - p.from.left, sh = p.from.bottom - p.from.top;
        if (p.alpha) {
            BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(dc, p.dst.left, p.dst.top, dw, dh, p.src, p.from.left, p.from.top, sw, sh, bf);
        } else if (dw == sw && dh == sh) {
            BitBlt(dc, p.dst.left, p.dst.top, dw, dh, p.src, p.from.left, p.from.top, SRCCOPY);
        } else {
            StretchBlt(dc, p.dst.left, p.dst.top, dw, dh, p.src, p.from.left, p.from.top, sw, sh, SRCCOPY);
        }
    }
}

// A decoded skin image selected into a memory DC for the floor's draw calls.
struct TImageDC {
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
    bool alpha = false;
    int width = 0, height = 0;
    TImageDC(CPaintManagerUI& pm, const wchar_t* name) {
        const TUIImage* image = pm.GetImageEx(name);
        if (image == nullptr || image->hBitmap == nullptr) return;
        // A copy: the cache's own bitmap stays free for the framework.
        dc = CreateCompatibleDC(nullptr);
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = image->nWidth;
        bmi.bmiHeader.biHeight = -image->nHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP copy = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (copy == nullptr) return;
        memcpy(bits, image->pBits, static_cast<size_t>(image->nWidth) * image->nHeight * 4);
        old = SelectObject(dc, copy);
        alpha = image->bAlpha;
        width = image->nWidth;
        height = image->nHeight;
    }
    ~TImageDC() {
        if (dc == nullptr) return;
        if (old != nullptr) DeleteObject(SelectObject(dc, old));
        DeleteDC(dc);
    }
};

// The floor's calls for one paint rectangle: a fill, the pieces that meet it, the text.
struct TFloor {
    RECT fill = {0, 0, 0, 0};
    std::vector<TPiece> pieces;
    HFONT font = nullptr;
    std::wstring text;
    RECT textRect = {0, 0, 0, 0};
    UINT textFormat = 0;

    void Draw(HDC dc) const {
        FillRect(dc, &fill, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawPieces(dc, pieces);
        if (!text.empty()) {
            RECT rc = textRect;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, textFormat);
        }
    }

    // The part of this floor that a repaint of `area` needs.
    TFloor Within(const RECT& area) const {
        TFloor f;
        IntersectRect(&f.fill, &fill, &area);
        for (const TPiece& p : pieces) {
            RECT tmp;
            if (IntersectRect(&tmp, &p.dst, &area)) f.pieces.push_back(p);
        }
        RECT tmp;
        if (IntersectRect(&tmp, &textRect, &area)) {
            f.font = font;
            f.text = text;
            f.textRect = textRect;
            f.textFormat = textFormat;
        }
        return f;
    }
};

// Median over rounds of the per-call time of `fn`, in seconds.
template <class Fn>
double MedianTime(int rounds, int perRound, Fn fn) {
    std::vector<double> v;
    for (int r = 0; r < rounds; ++r) {
        GdiFlush();
        const double t0 = Now();
        for (int i = 0; i < perRound; ++i) fn(i);
        GdiFlush();
        v.push_back((Now() - t0) / perRound);
    }
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double RegionArea(HRGN rgn) {
    const DWORD size = GetRegionData(rgn, 0, nullptr);
    if (size == 0) return 0;
    std::vector<char> buffer(size);
    RGNDATA* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (GetRegionData(rgn, size, data) == 0) return 0;
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    double area = 0;
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        area += static_cast<double>(rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
    return area;
}

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
    // Visible, so that invalidation is recorded; nothing paints it but the bench.
    HWND hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100,
                                nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) {
        std::printf("could not create the window\n");
        return 1;
    }

    const RECT rc = {0, 0, 300, 100};
    const int rounds = 9;
    const int perRound = std::max(1, frames / rounds);
    double perFrame = 0, layoutOnly = 0, paintOnly = 0, baseline = 0, floor = 0;
    double tickArea = 0, barArea = 0, tick = 0, tickFloor = 0;
    RECT tickBox = {0, 0, 0, 0};
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
        root->PlaceAt(rc, false);
        // The window shows the bar part-way, as the launcher does after a few ticks.
        CControlUI* bar = pm.FindControlByName(L"progress_doing");
        CProgressUI* progress = bar ? static_cast<CProgressUI*>(bar->GetInterface(L"Progress")) : nullptr;
        if (progress) progress->SetValue(40);

        TSurface target(300, 100);
        TSurface source(300, 100);
        PatBlt(source.dc, 0, 0, 300, 100, WHITENESS);

        // Warm-up: first layout measures fonts, first paint decodes the images.
        for (int i = 0; i < 50; ++i) {
            root->PlaceAt(rc, false);
            root->PaintClipped(target.dc, rc, nullptr);
            BitBlt(target.dc, 0, 0, 300, 100, source.dc, 0, 0, SRCCOPY);
        }

        // The floor: the frame's draw calls made directly.
        TImageDC logo(pm, L"soft_logo.png"), close(pm, L"btn_close.png"), bars(pm, L"progress_bar.png");
        TFloor full;
        full.fill = rc;
        CControlUI* closeButton = pm.FindControlByName(L"sysclosebutton");
        CControlUI* logoLabel = pm.FindControlAt(POINT{39, 54});
        CControlUI* title = pm.FindControlAt(POINT{100, 37});
        const RECT none = {0, 0, 0, 0};
        if (logo.dc && logoLabel)
            AddNineGrid(full.pieces, logo.dc, logo.alpha, logoLabel->GetPos(), RECT{0, 0, logo.width, logo.height},
                        none);
        if (close.dc && closeButton) {
            const int cell = close.height / 3;
            AddNineGrid(full.pieces, close.dc, close.alpha, closeButton->GetPos(), RECT{0, 0, close.width, cell},
                        none);
        }
        if (bars.dc && progress) {
            const RECT pos = progress->GetPos();
            AddNineGrid(full.pieces, bars.dc, bars.alpha, pos, RECT{100, 0, 200, 18}, RECT{5, 2, 5, 2});
            RECT fore = pos;
            fore.right = pos.left + static_cast<LONG>((pos.right - pos.left) * (progress->GetValue() / 99.0f));
            AddNineGrid(full.pieces, bars.dc, bars.alpha, fore, RECT{0, 0, 100, 18}, RECT{10, 2, 22, 2});
        }
        if (title) {
            auto* label = static_cast<CLabelUI*>(title->GetInterface(L"Label"));
            full.font = pm.GetFont(label ? label->GetFont() : -1);
            full.text = title->GetText().GetData();
            full.textRect = title->GetPos();
            full.textFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        }
        SetBkMode(target.dc, TRANSPARENT);
        SetTextColor(target.dc, RGB(0, 0, 0));
        HGDIOBJ oldFont = full.font ? SelectObject(target.dc, full.font) : nullptr;

        // Frame, floor and plain copy, interleaved by rounds so that load on a shared
        // machine falls on all three alike.
        std::vector<double> vFrame, vLayout, vPaint, vFloor, vBlt;
        for (int r = 0; r < rounds; ++r) {
            vFrame.push_back(MedianTime(1, perRound, [&](int) {
                root->PlaceAt(rc, false);
                root->PaintClipped(target.dc, rc, nullptr);
            }));
            vLayout.push_back(MedianTime(1, perRound, [&](int) { root->PlaceAt(rc, false); }));
            vPaint.push_back(MedianTime(1, perRound, [&](int) { root->PaintClipped(target.dc, rc, nullptr); }));
            if (full.font) SelectObject(target.dc, full.font);
            vFloor.push_back(MedianTime(1, perRound, [&](int) { full.Draw(target.dc); }));
            vBlt.push_back(
                MedianTime(1, perRound, [&](int) { BitBlt(target.dc, 0, 0, 300, 100, source.dc, 0, 0, SRCCOPY); }));
        }
        auto median = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        perFrame = median(vFrame);
        layoutOnly = median(vLayout);
        paintOnly = median(vPaint);
        floor = median(vFloor);
        baseline = median(vBlt);

        // The progress tick: what one step invalidates, and the cost of repainting it.
        if (progress) {
            ValidateRect(hwnd, nullptr);
            progress->SetValue(43);
            HRGN rgn = CreateRectRgn(0, 0, 0, 0);
            GetUpdateRgn(hwnd, rgn, FALSE);
            tickArea = RegionArea(rgn);
            GetRgnBox(rgn, &tickBox);
            DeleteObject(rgn);
            ValidateRect(hwnd, nullptr);
            const RECT pos = progress->GetPos();
            barArea = static_cast<double>(pos.right - pos.left) * (pos.bottom - pos.top);
            // Steps as the timer makes them, 10 to 79 by 3, round and round.
            // Only the repaint is timed: the invalidation itself is the window system's.
            auto tickStep = [&](int i) {
                progress->SetValue(10 + (i % 24) * 3);
                GdiFlush();
                const double t0 = Now();
                root->PaintClipped(target.dc, tickBox, nullptr);
                GdiFlush();
                return Now() - t0;
            };
            for (int i = 0; i < 48; ++i) tickStep(i);
            ValidateRect(hwnd, nullptr);
            const TFloor barFloor = full.Within(tickBox);
            std::vector<double> vTick, vTickFloor;
            for (int r = 0; r < rounds; ++r) {
                double spent = 0;
                for (int i = 0; i < perRound; ++i) spent += tickStep(i);
                vTick.push_back(spent / perRound);
                vTickFloor.push_back(MedianTime(1, perRound, [&](int) { barFloor.Draw(target.dc); }));
            }
            ValidateRect(hwnd, nullptr);
            if (std::getenv("QVX_BENCH_DETAIL")) {  // where a frame's time goes, per control
                auto detail = [&](const char* what, CControlUI* control, const RECT& area) {
                    const double t = MedianTime(5, 200, [&](int) { control->PaintClipped(target.dc, area, nullptr); });
                    std::printf("detail: %-16s %8.2f us\n", what, t * 1e6);
                };
                const double set = MedianTime(5, 200, [&](int i) { progress->SetValue(10 + (i % 24) * 3); });
                std::printf("detail: %-16s %8.2f us\n", "step invalidation", set * 1e6);
                ValidateRect(hwnd, nullptr);
                detail("window, bar area", root, tickBox);
                detail("bar", progress, tickBox);
                if (logoLabel) detail("logo", logoLabel, rc);
                if (closeButton) detail("close button", closeButton, rc);
                if (title) detail("title", title, rc);
                // The floor's share of each: its calls within the control's rectangle.
                auto floorOf = [&](const char* what, CControlUI* control) {
                    if (control == nullptr) return;
                    TFloor part = full.Within(control->GetPos());
                    part.fill = RECT{0, 0, 0, 0};
                    const double t = MedianTime(5, 200, [&](int) { part.Draw(target.dc); });
                    std::printf("detail: floor %-10s %8.2f us\n", what, t * 1e6);
                };
                floorOf("bar", progress);
                floorOf("logo", logoLabel);
                floorOf("close", closeButton);
                floorOf("title", title);
                TFloor fillOnly;
                fillOnly.fill = rc;
                std::printf("detail: floor %-10s %8.2f us\n", "fill",
                            MedianTime(5, 200, [&](int) { fillOnly.Draw(target.dc); }) * 1e6);
                detail("root alone", root, RECT{0, 0, 1, 1});
            }
            tick = median(vTick);
            tickFloor = median(vTickFloor);
        }
        if (oldFont) SelectObject(target.dc, oldFont);
    }
    DestroyWindow(hwnd);

    std::printf("layout_paint_bench: repair window 300x100, %d frames, images %s\n", perRound * rounds,
                imagesFound ? "drawn" : "not found (colours and text only)");
    std::printf("  layout + paint   %9.2f us/frame\n", perFrame * 1e6);
    std::printf("    layout only    %9.2f us/frame\n", layoutOnly * 1e6);
    std::printf("    paint only     %9.2f us/frame\n", paintOnly * 1e6);
    std::printf("  primitive floor  %9.2f us/frame\n", floor * 1e6);
    std::printf("  baseline BitBlt  %9.2f us/frame\n", baseline * 1e6);
    std::printf("  ratio (layout + paint) / BitBlt = %.1f\n", baseline > 0 ? perFrame / baseline : 0.0);
    std::printf("  progress tick: invalidated %ld,%ld-%ld,%ld (%.0f px, bar %.0f px); repaint %.2f us, floor %.2f us\n",
                tickBox.left, tickBox.top, tickBox.right, tickBox.bottom, tickArea, barArea, tick * 1e6,
                tickFloor * 1e6);
    if (floor > 0) std::printf("table: full frame / primitive floor: %.2f\n", perFrame / floor);
    if (barArea > 0) std::printf("table: progress tick, repainted area / bar area: %.2f\n", tickArea / barArea);
    if (tickFloor > 0) std::printf("table: progress tick time / floor of that area: %.2f\n", tick / tickFloor);
    return 0;
}
