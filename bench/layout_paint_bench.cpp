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
// The same run also draws the frame's pixels with the cheapest direct GDI calls on the
// same memory bitmap: the primitive floor. After its first draw the framework keeps each
// image composed at its destination size, so the floor composes them once too and then
// issues one fill, one blit per composed image and the text. A progress tick (one step
// of the repair window's 300 ms timer) is measured too: the area it invalidates against
// the bar's own, and its repaint against the floor of that same clipped area, step by
// step with the same values. Both floors are checked to give the framework's pixels.
// Lines starting with "table:" carry the figures that bench/run collects per build.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
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
#include "bench/bench_window.h"

using namespace SkinUI;

namespace {

// Distinct values the progress tick steps through before it starts again.
constexpr int kSteps = 24;

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

LRESULT CALLBACK PlainWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd, msg, wp, lp); }

// One draw call of the floor: a piece of a bitmap, already selected into its own
// memory DC, blended or copied to the target.
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
    TImageDC(const TImageDC&) = delete;
    TImageDC& operator=(const TImageDC&) = delete;
};

// An image's nine-grid drawn once at its destination size onto transparent pixels, as
// the framework keeps it after the first draw: the floor then copies it in one blit.
struct TComposed {
    TSurface surface;
    RECT whole;
    bool alpha;
    TComposed(const TImageDC& image, const RECT& dest, const RECT& source, const RECT& corners)
        : surface(dest.right - dest.left, dest.bottom - dest.top),
          whole{0, 0, dest.right - dest.left, dest.bottom - dest.top},
          alpha(image.alpha) {
        if (surface.bits == nullptr) return;
        std::memset(surface.bits, 0, surface.pixels * 4);
        SetStretchBltMode(surface.dc, HALFTONE);
        std::vector<TPiece> pieces;
        AddNineGrid(pieces, image.dc, image.alpha, whole, source, corners);
        DrawPieces(surface.dc, pieces);
        GdiFlush();
    }
    TPiece At(const RECT& dest) const { return TPiece{surface.dc, dest, whole, alpha}; }
};

// The floor's calls for one paint rectangle: a white fill, the pieces, the text at its
// place within its clip, all inside `clipBox` when `clip` is set.
struct TFloor {
    RECT fill = {0, 0, 0, 0};
    std::vector<TPiece> pieces;
    std::wstring text;
    POINT textAt = {0, 0};
    RECT textClip = {0, 0, 0, 0};
    bool clip = false;
    RECT clipBox = {0, 0, 0, 0};

    void Draw(HDC dc) const {
        if (clip) IntersectClipRect(dc, clipBox.left, clipBox.top, clipBox.right, clipBox.bottom);
        if (!IsRectEmpty(&fill))
            PatBlt(dc, fill.left, fill.top, fill.right - fill.left, fill.bottom - fill.top, WHITENESS);
        DrawPieces(dc, pieces);
        if (!text.empty())
            ExtTextOutW(dc, textAt.x, textAt.y, ETO_CLIPPED, &textClip, text.c_str(), static_cast<UINT>(text.size()),
                        nullptr);
        if (clip) SelectClipRgn(dc, nullptr);
    }

    // This floor cut down to `area`, as a repaint of that area draws it: unscaled pieces
    // and the text are cut to it, and only a stretched piece that crosses its edge makes
    // the floor clip.
    TFloor Within(const RECT& area) const {
        TFloor f;
        f.clipBox = area;
        IntersectRect(&f.fill, &fill, &area);
        for (const TPiece& p : pieces) {
            RECT cut;
            if (!IntersectRect(&cut, &p.dst, &area)) continue;
            TPiece q = p;
            if (p.dst.right - p.dst.left == p.from.right - p.from.left &&
                p.dst.bottom - p.dst.top == p.from.bottom - p.from.top) {
                q.from = RECT{p.from.left + cut.left - p.dst.left, p.from.top + cut.top - p.dst.top,
                              p.from.left + cut.right - p.dst.left, p.from.top + cut.bottom - p.dst.top};
                q.dst = cut;
            } else if (!EqualRect(&cut, &p.dst)) {
                f.clip = true;
            }
            f.pieces.push_back(q);
        }
        if (!text.empty() && IntersectRect(&f.textClip, &textClip, &area)) {
            f.text = text;
            f.textAt = textAt;
        }
        return f;
    }
};

// Pixels of the surface that differ between drawing `a` and drawing `b` on black.
template <class A, class B>
size_t Differing(TSurface& s, A a, B b) {
    if (s.bits == nullptr) return 0;
    PatBlt(s.dc, 0, 0, s.width, s.height, BLACKNESS);
    a();
    GdiFlush();
    const std::vector<DWORD> first(s.bits, s.bits + s.pixels);
    PatBlt(s.dc, 0, 0, s.width, s.height, BLACKNESS);
    b();
    GdiFlush();
    size_t n = 0;
    for (size_t i = 0; i < s.pixels; ++i) n += first[i] != s.bits[i];
    return n;
}

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
    wc.lpfnWndProc = PlainWndProc;
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
    size_t frameDiffers = 0;
    int tickStepsDiffer = 0;
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

        // The floor: the frame's pixels by direct calls, each image composed once at its
        // destination size as the framework keeps it.
        TImageDC logo(pm, L"soft_logo.png"), close(pm, L"btn_close.png"), bars(pm, L"progress_bar.png");
        CControlUI* closeButton = pm.FindControlByName(L"sysclosebutton");
        CControlUI* logoLabel = pm.FindControlAt(POINT{39, 54});
        CControlUI* title = pm.FindControlAt(POINT{100, 37});
        const RECT none = {0, 0, 0, 0};
        const RECT barSource = {100, 0, 200, 18}, barCorners = {5, 2, 5, 2};
        const RECT foreSource = {0, 0, 100, 18}, foreCorners = {10, 2, 22, 2};
        // The bar's filled part at a value, as the bar itself works it out.
        auto foreAt = [&](int value) {
            RECT r = progress->GetPos();
            const float range = static_cast<float>(progress->GetMaxValue() - progress->GetMinValue());
            const float fraction = static_cast<float>(value - progress->GetMinValue()) / range;
            r.right = r.left + static_cast<LONG>(static_cast<float>(r.right - r.left) * fraction);
            return r;
        };
        std::vector<std::unique_ptr<TComposed>> composed;
        TFloor still;  // the frame without the bar's filled part
        still.fill = rc;
        auto compose = [&](const TImageDC& image, const RECT& dest, const RECT& from, const RECT& corners) {
            if (image.dc == nullptr || IsRectEmpty(&dest)) return static_cast<TComposed*>(nullptr);
            composed.push_back(std::make_unique<TComposed>(image, dest, from, corners));
            return composed.back().get();
        };
        if (logoLabel) {
            if (TComposed* c = compose(logo, logoLabel->GetPos(), RECT{0, 0, logo.width, logo.height}, none))
                still.pieces.push_back(c->At(logoLabel->GetPos()));
        }
        if (closeButton) {
            const RECT cell = {0, 0, close.width, close.height / 3};
            if (TComposed* c = compose(close, closeButton->GetPos(), cell, none))
                still.pieces.push_back(c->At(closeButton->GetPos()));
        }
        const TComposed* foreComposed = nullptr;
        RECT foreNow = none;
        if (progress) {
            if (TComposed* c = compose(bars, progress->GetPos(), barSource, barCorners))
                still.pieces.push_back(c->At(progress->GetPos()));
            foreNow = foreAt(progress->GetValue());
            foreComposed = compose(bars, foreNow, foreSource, foreCorners);
        }
        HFONT font = nullptr;
        if (title) {
            auto* label = static_cast<CLabelUI*>(title->GetInterface(L"Label"));
            font = pm.GetFont(label ? label->GetFont() : -1);
            const UINT style = label ? label->GetTextStyle() : DT_SINGLELINE | DT_VCENTER;
            still.text = title->GetText().GetData();
            still.textClip = title->GetPos();
            // Where the text call of a single line puts it within its rectangle.
            HGDIOBJ was = SelectObject(target.dc, font);
            SIZE size = {0, 0};
            GetTextExtentPoint32W(target.dc, still.text.c_str(), static_cast<int>(still.text.size()), &size);
            SelectObject(target.dc, was);
            const RECT& t = still.textClip;
            still.textAt.x = (style & DT_CENTER) ? (t.left + t.right - size.cx) / 2
                             : (style & DT_RIGHT) ? t.right - size.cx
                                                  : t.left;
            still.textAt.y = (style & DT_VCENTER) ? t.top + (t.bottom - t.top) / 2 - size.cy / 2
                             : (style & DT_BOTTOM) ? t.bottom - size.cy
                                                   : t.top;
        }
        TFloor full = still;
        if (foreComposed) full.pieces.push_back(foreComposed->At(foreNow));
        SetBkMode(target.dc, TRANSPARENT);
        SetTextColor(target.dc, RGB(0, 0, 0));
        SetStretchBltMode(target.dc, HALFTONE);
        HGDIOBJ oldFont = font ? SelectObject(target.dc, font) : nullptr;
        frameDiffers = Differing(
            target, [&] { root->PaintClipped(target.dc, rc, nullptr); },
            [&] {
                if (font) SelectObject(target.dc, font);
                full.Draw(target.dc);
            });

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
            if (font) SelectObject(target.dc, font);
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
            auto stepValue = [](int i) { return 10 + (i % kSteps) * 3; };
            auto timed = [](auto draw) {
                GdiFlush();
                const double t0 = Now();
                draw();
                GdiFlush();
                return Now() - t0;
            };
            auto tickStep = [&](int i) {
                progress->SetValue(stepValue(i));
                return timed([&] { root->PaintClipped(target.dc, tickBox, nullptr); });
            };
            for (int i = 0; i < 2 * kSteps; ++i) tickStep(i);
            ValidateRect(hwnd, nullptr);
            // The floor of each step: the same box with the bar filled to that step's value.
            // The framework keeps only the current frame's filled part composed (a part
            // that changes at every step is drawn as its pieces), and so does the floor.
            std::vector<TFloor> tickFloors;
            for (int k = 0; k < kSteps; ++k) {
                TFloor f = still;
                const RECT fore = foreAt(stepValue(k));
                if (foreComposed && EqualRect(&fore, &foreNow))
                    f.pieces.push_back(foreComposed->At(fore));
                else if (bars.dc)
                    AddNineGrid(f.pieces, bars.dc, bars.alpha, fore, foreSource, foreCorners);
                tickFloors.push_back(f.Within(tickBox));
            }
            for (int k = 0; k < kSteps; ++k) {
                const size_t n = Differing(
                    target,
                    [&] {
                        progress->SetValue(stepValue(k));
                        root->PaintClipped(target.dc, tickBox, nullptr);
                    },
                    [&] { tickFloors[k].Draw(target.dc); });
                if (n > 0) ++tickStepsDiffer;
            }
            // Step for step: a step of the framework, then the floor of the same step, so
            // that both follow the same call into the window system (the step's
            // invalidation) and a loaded machine falls on both alike.
            std::vector<double> vTick, vTickFloor;
            for (int r = 0; r < rounds; ++r) {
                double spent = 0, spentFloor = 0;
                for (int i = 0; i < perRound; ++i) {
                    spent += tickStep(i);
                    spentFloor += timed([&] { tickFloors[i % kSteps].Draw(target.dc); });
                }
                vTick.push_back(spent / perRound);
                vTickFloor.push_back(spentFloor / perRound);
            }
            ValidateRect(hwnd, nullptr);
            if (std::getenv("QVX_BENCH_DETAIL")) {  // where a frame's time goes, per control
                auto detail = [&](const char* what, CControlUI* control, const RECT& area) {
                    const double t = MedianTime(5, 200, [&](int) { control->PaintClipped(target.dc, area, nullptr); });
                    std::printf("detail: %-16s %8.2f us\n", what, t * 1e6);
                };
                const double set = MedianTime(5, 200, [&](int i) { progress->SetValue(stepValue(i)); });
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
    std::printf("  floor check: %lu px of the frame and %d of %d tick steps differ from the framework's\n",
                static_cast<unsigned long>(frameDiffers), tickStepsDiffer, kSteps);
    if (floor > 0) std::printf("table: full frame / primitive floor: %.2f\n", perFrame / floor);
    if (barArea > 0) std::printf("table: progress tick, repainted area / bar area: %.2f\n", tickArea / barArea);
    if (tickFloor > 0) std::printf("table: progress tick time / floor of that area: %.2f\n", tick / tickFloor);
    return 0;
}
