// The launcher's windows at display scales other than 100 percent. The window's
// DPI comes through the framework's own query, replaced here, so that the rest of
// the prefix keeps its 96 DPI; the real system setting is checked end to end in
// tests/launcher_dpi.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "launcher/launcher_windows.h"
#include "tests/common/test_env.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/core/dpi_awareness.h"
#include "ui/core/dpi_query.h"
#include "ui/core/paint_manager.h"
#include "ui/core/shadow.h"

namespace SkinUI {
inline void PrintTo(const CUIRect& r, std::ostream* os) {
    *os << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}
}  // namespace SkinUI

using SkinUI::CDpiAwareness;
using SkinUI::CUIRect;

namespace {

void UseSkinArchive() {
    static const std::string archive = testenv::ReadFile(testenv::BinaryDir() + L"resources\\skin.zip");
    static const bool once = [] {
        SkinUI::CPaintManagerUI::SetInstance(GetModuleHandleW(nullptr));
        SkinUI::CPaintManagerUI::SetResourceArchive(archive.data(), static_cast<unsigned>(archive.size()));
        return true;
    }();
    (void)once;
    ASSERT_FALSE(archive.empty());
}

// The program opted in, on a monitor of the given DPI.
class MonitorDpi {
public:
    explicit MonitorDpi(UINT dpi) {
        s_dpi = dpi;
        m_previous = SkinUI::SetDpiQuery(&Query);
        CDpiAwareness::Enable(true);
    }
    ~MonitorDpi() {
        CDpiAwareness::Enable(false);
        SkinUI::SetDpiQuery(m_previous);
    }
    static UINT Query(HWND) { return s_dpi; }

private:
    static UINT s_dpi;
    SkinUI::DpiQueryFn m_previous;
};
UINT MonitorDpi::s_dpi = 96;

// Creates, shows and paints a launcher window (which lays it out), then delivers the
// framework's message that the first frame posted (the shadow comes on through it). Only
// that message: the progress bar's timer and paints would keep a general pump going.
template <class W>
bool Open(W& wnd) {
    if (wnd.CreateWnd(nullptr, L"Tavrel", WS_POPUP, 0, 0, 0, 800, 572) == nullptr) return false;
    ShowWindow(wnd.GetHWND(), SW_SHOWNOACTIVATE);
    UpdateWindow(wnd.GetHWND());
    MSG msg;
    for (int i = 0; i < 8 && PeekMessageW(&msg, wnd.GetHWND(), SkinUI::WM_SKINUI_ASYNC, SkinUI::WM_SKINUI_ASYNC,
                                          PM_REMOVE); ++i) {
        DispatchMessageW(&msg);
    }
    return true;
}

SIZE WindowSize(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void Collect(SkinUI::CControlUI* control, std::vector<CUIRect>& out) {
    out.push_back(control->GetPos());
    auto* container = static_cast<SkinUI::IContainerUI*>(control->GetInterface(L"IContainer"));
    if (container == nullptr) return;
    for (int i = 0; i < container->GetCount(); ++i) Collect(container->GetItemAt(i), out);
}

std::vector<CUIRect> Tree(SkinUI::WindowImplBase& wnd) {
    std::vector<CUIRect> rects;
    if (wnd.GetPaintManager().GetRoot() != nullptr) Collect(wnd.GetPaintManager().GetRoot(), rects);
    return rects;
}

CUIRect RectOf(SkinUI::WindowImplBase& wnd, const wchar_t* name) {
    SkinUI::CControlUI* c = wnd.GetPaintManager().FindControlByName(name);
    return c != nullptr ? c->GetPos() : CUIRect(-1, -1, -1, -1);
}

LRESULT HitTest(HWND w, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(w, &pt);
    return SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
}

}  // namespace

TEST(LauncherDpi, RepairWindowIsBuiltAtTheMonitorsScale) {
    UseSkinArchive();
    struct Case {
        UINT dpi;
        int percent;
        SIZE size;
        CUIRect close, progress;
    };
    const Case cases[] = {
        {96, 100, {300, 100}, {270, 0, 300, 30}, {78, 55, 288, 73}},
        {120, 125, {375, 125}, {337, 0, 375, 38}, {98, 70, 361, 93}},
        {144, 150, {450, 150}, {405, 0, 450, 45}, {118, 83, 433, 110}},  // MulDiv rounds 22.5 up to 23
        {168, 175, {525, 175}, {472, 0, 525, 53}, {136, 97, 504, 129}},
        {192, 200, {600, 200}, {540, 0, 600, 60}, {156, 110, 576, 146}},
    };
    for (const Case& c : cases) {
        MonitorDpi monitor(c.dpi);
        CMainWnd wnd;
        ASSERT_TRUE(Open(wnd)) << c.dpi;
        EXPECT_EQ(wnd.GetPaintManager().GetDpiScale(), c.percent);
        const SIZE size = WindowSize(wnd.GetHWND());
        EXPECT_EQ(size.cx, c.size.cx) << c.dpi;
        EXPECT_EQ(size.cy, c.size.cy) << c.dpi;
        EXPECT_EQ(RectOf(wnd, L"sysclosebutton"), c.close) << c.dpi;
        EXPECT_EQ(RectOf(wnd, L"progress_doing"), c.progress) << c.dpi;
        DestroyWindow(wnd.GetHWND());
    }
}

TEST(LauncherDpi, EveryRectangleOfBothWindowsFollowsTheLayoutRulesAt150Percent) {
    UseSkinArchive();
    MonitorDpi monitor(144);
    const std::vector<CUIRect> repair = {
        {0, 0, 450, 150},     {0, 0, 450, 45},     {0, 0, 405, 45},     {405, 0, 450, 45},
        {0, 45, 450, 150},    {0, 45, 23, 150},    {23, 45, 95, 117},   {95, 45, 118, 150},
        {118, 45, 450, 150},  {118, 45, 450, 68},  {118, 45, 450, 68},  {118, 68, 450, 83},
        {118, 83, 450, 110},  {118, 83, 433, 110},
    };
    CMainWnd fix;
    ASSERT_TRUE(Open(fix));
    EXPECT_EQ(Tree(fix), repair);
    DestroyWindow(fix.GetHWND());

    // Title row 45 high: spacer 15, the 36 x 36 icon centred (4.5 rounds down), the name
    // label measured in the scaled font (165 x 17 at 100 percent) below its scaled top
    // padding, the stretching spacer, the close button; the 2-pixel rule; the message
    // row; the 210 x 60 exit button centred 30 above the bottom.
    const std::vector<CUIRect> notice = {
        {0, 0, 600, 300},     {0, 0, 600, 45},      {0, 0, 15, 45},       {15, 4, 51, 40},
        {59, 10, 307, 35},    {307, 0, 555, 45},    {555, 0, 600, 45},    {0, 45, 600, 47},
        {0, 47, 600, 300},    {0, 47, 600, 300},    {0, 47, 600, 106},    {0, 106, 600, 151},
        {0, 106, 600, 151},   {0, 151, 600, 210},   {0, 210, 600, 270},   {195, 210, 405, 270},
        {0, 270, 600, 300},
    };
    CNoTipsWnd tips;
    ASSERT_TRUE(Open(tips));
    EXPECT_EQ(Tree(tips), notice);
    DestroyWindow(tips.GetHWND());
}

// Everything that is not a control answering to the mouse drags the window, at
// every scale the same places as at 100 percent, the lower third included.
TEST(LauncherDpi, WindowDragsFromTheSamePlacesAtEveryScale) {
    UseSkinArchive();
    std::vector<LRESULT> at100;
    for (UINT dpi : {96u, 120u, 144u, 168u, 192u}) {
        MonitorDpi monitor(dpi);
        CMainWnd wnd;
        ASSERT_TRUE(Open(wnd)) << dpi;
        const int percent = wnd.GetPaintManager().GetDpiScale();
        std::vector<LRESULT> answers;
        for (int y = 7; y < 100; y += 10) {
            for (int x = 7; x < 300; x += 10) {
                answers.push_back(HitTest(wnd.GetHWND(), MulDiv(x, percent, 100), MulDiv(y, percent, 100)));
            }
        }
        if (dpi == 96) {
            at100 = answers;
            EXPECT_EQ(HitTest(wnd.GetHWND(), 150, 95), HTCAPTION);   // the lower edge
            EXPECT_EQ(HitTest(wnd.GetHWND(), 285, 15), HTCLIENT);    // the close button
            EXPECT_EQ(HitTest(wnd.GetHWND(), 150, 60), HTCLIENT);    // the progress bar
        } else {
            EXPECT_EQ(answers, at100) << dpi;
        }
        EXPECT_EQ(HitTest(wnd.GetHWND(), MulDiv(150, percent, 100), MulDiv(95, percent, 100)), HTCAPTION) << dpi;
        DestroyWindow(wnd.GetHWND());
    }
}

// Each common scale draws its own bitmaps; 175 percent has none and draws every
// image through the fall-back, none missing. The shadow, on screen around the window,
// draws the scale's own shadow bitmap.
TEST(LauncherDpi, ImagesComeFromTheScalesOwnBitmapsOrTheFallBack) {
    UseSkinArchive();
    struct Case {
        UINT dpi;
        const wchar_t* suffix;
        int logo;  // soft_logo's side
    };
    const Case cases[] = {{120, L"@125.png", 60}, {144, L"@150.png", 72}, {168, L"@175.png", 84},
                          {192, L"@200.png", 96}};
    for (const Case& c : cases) {
        MonitorDpi monitor(c.dpi);
        CMainWnd wnd;
        ASSERT_TRUE(Open(wnd)) << c.dpi;
        SkinUI::CPaintManagerUI& pm = wnd.GetPaintManager();
        for (const wchar_t* base : {L"soft_logo", L"progress_bar", L"btn_close"}) {
            EXPECT_NE(pm.GetImage((std::wstring(base) + c.suffix).c_str()), nullptr) << c.dpi << " " << base;
        }
        const SkinUI::TUIImage* logo = pm.GetImage((std::wstring(L"soft_logo") + c.suffix).c_str());
        ASSERT_NE(logo, nullptr);
        EXPECT_EQ(logo->nWidth, c.logo) << c.dpi;
        EXPECT_EQ(pm.GetImage(L"soft_logo.png"), nullptr) << c.dpi;  // the 100 percent one is not used
        ASSERT_NE(pm.GetShadow(), nullptr);
        ASSERT_NE(pm.GetShadow()->GetHWND(), nullptr) << c.dpi;
        // The shadow shows once the messages of its own window and the framework's are
        // delivered; on a loaded machine that can take a few rounds.
        HWND shadow = pm.GetShadow()->GetHWND();
        const bool shown = testenv::WaitFor(
            [&] {
                MSG msg;
                while (PeekMessageW(&msg, shadow, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
                while (PeekMessageW(&msg, wnd.GetHWND(), SkinUI::WM_SKINUI_ASYNC, SkinUI::WM_SKINUI_ASYNC, PM_REMOVE))
                    DispatchMessageW(&msg);
                return IsWindowVisible(shadow) != FALSE;
            },
            3000);
        EXPECT_TRUE(shown) << c.dpi;
        EXPECT_NE(pm.GetImage((std::wstring(L"Shadow") + c.suffix).c_str()), nullptr) << c.dpi;
        DestroyWindow(wnd.GetHWND());
    }
}

TEST(LauncherDpi, MovingToAMonitorOfAnotherScaleRescalesAndTakesTheSuggestedRectangle) {
    UseSkinArchive();
    MonitorDpi monitor(96);
    CMainWnd wnd;
    ASSERT_TRUE(Open(wnd));
    SkinUI::CPaintManagerUI& pm = wnd.GetPaintManager();
    LOGFONTW before{};
    GetObjectW(pm.GetFont(160), sizeof(before), &before);

    RECT suggested{100, 80, 550, 230};
    SendMessageW(wnd.GetHWND(), SkinUI::kWmDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    UpdateWindow(wnd.GetHWND());
    RECT now{};
    GetWindowRect(wnd.GetHWND(), &now);
    EXPECT_EQ(CUIRect(now), CUIRect(suggested));
    EXPECT_EQ(pm.GetDpiScale(), 150);
    EXPECT_EQ(RectOf(wnd, L"sysclosebutton"), CUIRect(405, 0, 450, 45));
    EXPECT_EQ(RectOf(wnd, L"progress_doing"), CUIRect(118, 83, 433, 110));
    EXPECT_EQ(CUIRect(pm.GetCaptionRect()), CUIRect(0, 0, 0, 150));
    LOGFONTW after{};
    GetObjectW(pm.GetFont(160), sizeof(after), &after);
    EXPECT_EQ(before.lfHeight, -16);
    EXPECT_EQ(after.lfHeight, -24);
    EXPECT_NE(pm.GetImage(L"btn_close@150.png"), nullptr);
    DestroyWindow(wnd.GetHWND());
}
