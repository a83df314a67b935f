// Scrolling containers: the rectangles of scrolled layouts, and a real window
// scrolled with mouse, wheel and keyboard messages.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "tests/ui/controls/draw_canvas.h"
#include "tests/ui/skin_test_support.h"
#include "ui/controls/horizontal_layout.h"
#include "ui/controls/scroll_bar.h"
#include "ui/controls/vertical_layout.h"
#include "ui/core/accessible_model.h"
#include "ui/core/control_factory.h"
#include "ui/core/paint_manager.h"
#include "ui/core/skin_builder.h"
#include "ui/core/window_wnd.h"

using namespace SkinUI;

namespace {

// Containers make their bars through the factory, which knows the class once it is registered.
void RegisterScrollBar() {
    CControlFactory::Instance().RegisterControl(L"CScrollBarUI", []() -> CControlUI* { return new CScrollBarUI; });
}

CContainerUI* MakeBox(bool horizontal, const wchar_t* attributes, int children, const wchar_t* childAttributes) {
    CContainerUI* box = horizontal ? static_cast<CContainerUI*>(new CHorizontalLayoutUI)
                                   : static_cast<CContainerUI*>(new CVerticalLayoutUI);
    box->ApplyAttributeString(attributes);
    for (int i = 0; i < children; ++i) {
        auto* child = new CControlUI;
        child->ApplyAttributeString(childAttributes);
        box->Add(child);
    }
    return box;
}

TEST(ScrollContainer, RectanglesOfScrolledLayouts) {
    RegisterScrollBar();
    struct Case {
        const wchar_t* what;
        bool horizontal;
        const wchar_t* attributes;
        int children;
        const wchar_t* childAttributes;
        SIZE scrollTo;
        SIZE range;
        RECT vbar, hbar;  // all zeros: hidden
        RECT first, last;
    };
    const Case cases[] = {
        {L"vertical at the top", false, L"vscrollbar=\"true\"", 10, L"height=\"30\"", {0, 0}, {0, 200},
         {84, 0, 100, 100}, {}, {0, 0, 84, 30}, {0, 270, 84, 300}},
        {L"vertical part way", false, L"vscrollbar=\"true\"", 10, L"height=\"30\"", {0, 45}, {0, 200},
         {84, 0, 100, 100}, {}, {0, -45, 84, -15}, {0, 225, 84, 255}},
        {L"vertical past the end", false, L"vscrollbar=\"true\"", 10, L"height=\"30\"", {0, 1000}, {0, 200},
         {84, 0, 100, 100}, {}, {0, -200, 84, -170}, {0, 70, 84, 100}},
        {L"content that fits", false, L"vscrollbar=\"true\"", 3, L"height=\"30\"", {0, 50}, {0, 0}, {}, {},
         {0, 0, 100, 30}, {0, 60, 100, 90}},
        {L"horizontal at the end", true, L"hscrollbar=\"true\"", 5, L"width=\"50\"", {150, 0}, {150, 0}, {},
         {0, 84, 100, 100}, {-150, 0, -100, 84}, {50, 0, 100, 84}},
        {L"inset and gaps", false, L"vscrollbar=\"true\" inset=\"5,5,5,5\" childpadding=\"10\"", 4,
         L"height=\"30\"", {0, 60}, {0, 60}, {79, 5, 95, 95}, {}, {5, -55, 79, -25}, {5, 65, 79, 95}},
        {L"both bars", false, L"vscrollbar=\"true\" hscrollbar=\"true\"", 3, L"width=\"150\" height=\"60\"",
         {66, 96}, {66, 96}, {84, 0, 100, 84}, {0, 84, 84, 100}, {-66, -96, 84, -36}, {-66, 24, 84, 84}},
        {L"a bar nobody asked for", false, L"", 10, L"height=\"30\"", {0, 50}, {0, 0}, {}, {}, {0, 0, 100, 30},
         {0, 270, 100, 300}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.what)));
        CContainerUI* box = MakeBox(c.horizontal, c.attributes, c.children, c.childAttributes);
        box->PlaceAt(CUIRect(0, 0, 100, 100));
        box->SetScrollPos(c.scrollTo);
        const SIZE range = box->GetScrollRange();
        EXPECT_EQ(range.cx, c.range.cx);
        EXPECT_EQ(range.cy, c.range.cy);
        for (CScrollBarUI* bar : {box->GetVerticalScrollBar(), box->GetHorizontalScrollBar()}) {
            if (bar == nullptr) continue;
            const CUIRect expected(bar->IsHorizontal() ? c.hbar : c.vbar);
            EXPECT_EQ(bar->IsVisible(), !expected.IsEmpty());
            if (bar->IsVisible()) { EXPECT_EQ(bar->GetPos(), expected); }
        }
        EXPECT_EQ(box->GetItemAt(0)->GetPos(), CUIRect(c.first));
        EXPECT_EQ(box->GetItemAt(c.children - 1)->GetPos(), CUIRect(c.last));
        // Laying out again at the same position places every child where it is.
        box->PlaceAt(CUIRect(0, 0, 100, 100));
        EXPECT_EQ(box->GetItemAt(0)->GetPos(), CUIRect(c.first));
        delete box;
    }
}

TEST(ScrollContainer, ContentThatShrinksPullsThePositionBackAndHidesTheBar) {
    RegisterScrollBar();
    CContainerUI* box = MakeBox(false, L"vscrollbar=\"true\"", 10, L"height=\"30\"");
    box->PlaceAt(CUIRect(0, 0, 100, 100));
    box->EndDown();
    box->RemoveAt(9);
    box->RemoveAt(8);
    box->PlaceAt(CUIRect(0, 0, 100, 100));
    EXPECT_EQ(box->GetScrollPos().cy, 140);
    EXPECT_EQ(box->GetItemAt(7)->GetPos(), CUIRect(0, 70, 84, 100));
    while (box->GetCount() > 3) box->RemoveAt(0);
    box->PlaceAt(CUIRect(0, 0, 100, 100));
    EXPECT_FALSE(box->GetVerticalScrollBar()->IsVisible());
    EXPECT_EQ(box->GetScrollPos().cy, 0);
    EXPECT_EQ(box->GetItemAt(0)->GetPos(), CUIRect(0, 0, 100, 30));
    delete box;
}

// A manager's "VScrollBar" default list and the window's scale reach the bars.
TEST(ScrollContainer, BarsTakeTheDefaultListAndTheWindowScale) {
    RegisterScrollBar();
    skintest::CHostWindow host;
    CPaintManagerUI pm;
    pm.Init(host.hwnd());
    pm.SetDpiScale(150);
    pm.AddDefaultAttributeList(L"VScrollBar", L"width=\"10\" thumbnormalcolor=\"#FF00FF00\"");
    CContainerUI* box = MakeBox(false, L"", 10, L"height=\"30\"");
    ASSERT_TRUE(pm.AttachRoot(box));
    box->ApplyAttribute(L"vscrollbar", L"true");
    box->PlaceAt(CUIRect(0, 0, 100, 100), false);
    CScrollBarUI* bar = box->GetVerticalScrollBar();
    EXPECT_EQ(bar->GetPos(), CUIRect(85, 0, 100, 100));
    EXPECT_EQ(bar->GetPartRect(CScrollBarUI::kButton1), CUIRect(85, 0, 100, 15));
    EXPECT_EQ(bar->GetPartColor(CScrollBarUI::kThumb, CScrollBarUI::kNormal), 0xFF00FF00u);
    EXPECT_EQ(box->GetScrollRange().cy, 10 * 45 - 100);
}

// Hostile geometry and nesting: sizes at the edges, bars in bars, bars wider than their
// box. Positions stay in range and nothing is drawn outside the outer box.
TEST(ScrollContainer, HostileGeometryStaysInside) {
    RegisterScrollBar();
    const wchar_t* const boxes[] = {L"vscrollbar=\"true\" hscrollbar=\"true\"",
                                    L"vscrollbar=\"true\" childpadding=\"-32767\"",
                                    L"hscrollbar=\"true\" inset=\"32767,32767,32767,32767\"",
                                    L"vscrollbar=\"true\" scrollstepsize=\"2147483647\""};
    const wchar_t* const children[] = {L"height=\"32767\" width=\"32767\"", L"height=\"-5\"",
                                       L"minheight=\"32767\"", L"padding=\"-32767,-32767,32767,32767\""};
    for (const wchar_t* b : boxes) {
        for (const wchar_t* ch : children) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(b) + L" / " + ch));
            CContainerUI* outer = MakeBox(false, b, 0, L"");
            for (int i = 0; i < 3; ++i) {
                const std::wstring child = std::wstring(ch) + L" bkcolor=\"#FF0000FF\"";
                CContainerUI* inner = MakeBox(i % 2 == 1, b, 50, child.c_str());
                inner->ApplyAttribute(i == 0 ? L"vscrollbarstyle" : L"hscrollbarstyle", L"width=\"500\"");
                outer->Add(inner);
            }
            outer->PlaceAt(CUIRect(10, 10, 130, 100));
            for (void (CContainerUI::*op)() : {&CContainerUI::EndDown, &CContainerUI::EndRight, &CContainerUI::PageUp,
                                               &CContainerUI::LineDown, &CContainerUI::HomeLeft}) {
                (outer->*op)();
                const SIZE pos = outer->GetScrollPos();
                const SIZE range = outer->GetScrollRange();
                EXPECT_TRUE(pos.cx >= 0 && pos.cx <= range.cx && pos.cy >= 0 && pos.cy <= range.cy);
            }
            drawtest::CCanvas canvas(140, 110);
            outer->PaintClipped(canvas.dc(), RECT{0, 0, 140, 110}, nullptr);
            ::FillRect(canvas.dc(), &outer->GetPos(), static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            EXPECT_EQ(canvas.CountNot(0xFFFFFFFF), 0);  // nothing but the box itself was drawn
            delete outer;
        }
    }
}

// ---- a real window ----

class CScrollWindow final : public CWindowWnd, public INotifyUI {
public:
    ~CScrollWindow() { ::DestroyWindow(m_hWnd); }
    LPCWSTR ClassName() const override { return L"SkinUIScrollTest"; }
    LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (pm.MessageHandler(msg, wParam, lParam, result)) return result;
        return CWindowWnd::ProcessMessage(msg, wParam, lParam);
    }
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"scroll") ++scrolls;
        if (msg.sType == L"click") ++clicks;
    }
    bool Open(const wchar_t* markup) {
        if (CreateWnd(nullptr, L"scroll test", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 200, 200) == nullptr) return false;
        pm.Init(m_hWnd, L"scroll");
        pm.AddNotifier(this);
        CSkinBuilder builder;
        CControlUI* root = builder.Create(markup, nullptr, nullptr, &pm, nullptr);
        if (root == nullptr || !pm.AttachRoot(root)) return false;
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        ::UpdateWindow(m_hWnd);
        return true;
    }
    void Mouse(UINT msg, int x, int y, WPARAM wParam = 0) { ::SendMessageW(m_hWnd, msg, wParam, MAKELPARAM(x, y)); }
    void Wheel(int x, int y, int delta) {
        POINT screen = {x, y};
        ::ClientToScreen(m_hWnd, &screen);
        ::SendMessageW(m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
    }
    // Timer messages only: the pointer stays where the test put it.
    void PumpTimers(DWORD ms) {
        const DWORD start = ::GetTickCount();
        do {
            MSG msg;
            while (::PeekMessageW(&msg, m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE)) ::DispatchMessageW(&msg);
            ::Sleep(10);
        } while (::GetTickCount() - start < ms);
    }

    CPaintManagerUI pm;
    int scrolls = 0;
    int clicks = 0;
};

// A list 200 x 160 at y = 20 of eleven 40-pixel rows: 440 of content, a range of 280.
// The bar is 16 wide at x = 184; a line is 20.
std::wstring ListMarkup(const wchar_t* rowElement = L"Button") {
    std::wstring rows;
    for (int i = 0; i < 10; ++i) {
        rows += L"<" + std::wstring(rowElement) + L" name=\"b" + std::to_wstring(i) + L"\" height=\"40\" text=\"" +
                std::to_wstring(i) + L"\" bkcolor=\"#FFFF0000\"/>";
    }
    return L"<Window><VerticalLayout name=\"root\" bkcolor=\"#FFFFFFFF\"><Control name=\"header\" height=\"20\"/>"
           L"<VerticalLayout name=\"list\" vscrollbar=\"true\" scrollstepsize=\"20\" height=\"160\">" +
           rows + L"<HorizontalLayout name=\"row\" height=\"40\"><Label name=\"inner\" text=\"x\"/></HorizontalLayout>"
                  L"</VerticalLayout><Control name=\"footer\"/></VerticalLayout></Window>";
}

class ScrollWindow : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterScrollBar();
        ASSERT_TRUE(window.Open(ListMarkup().c_str()));
        list = static_cast<CContainerUI*>(window.pm.FindControlByName(L"list")->GetInterface(L"Container"));
        ASSERT_NE(list, nullptr);
        ASSERT_NE(list->GetVerticalScrollBar(), nullptr);
        ASSERT_EQ(list->GetScrollRange().cy, 280);
    }
    int Pos() const { return list->GetScrollPos().cy; }

    CScrollWindow window;
    CContainerUI* list = nullptr;
};

TEST_F(ScrollWindow, WheelScrollsTheContainerUnderThePointerAndRepaintsOnlyIt) {
    struct Case {
        POINT at;
        int delta;
        int pos;
    } const cases[] = {
        {{50, 50}, -120, 20},   // over a row: the row passes it up to the list
        {{190, 100}, -120, 40}, // over the bar
        {{50, 10}, -120, 40},   // over the header: nothing scrolls
        {{50, 190}, 120, 40},   // over the footer
        {{50, 60}, 120, 20},    // back toward the start
        {{50, 60}, 240, 0},     // one step per wheel message
        {{50, 60}, 120, 0},     // already at the start
    };
    for (const Case& c : cases) {
        ::ValidateRect(window.GetHWND(), nullptr);
        const int before = Pos();
        window.Wheel(c.at.x, c.at.y, c.delta);
        EXPECT_EQ(Pos(), c.pos) << c.at.x << "," << c.at.y;
        RECT dirty = {};
        ::GetUpdateRect(window.GetHWND(), &dirty, FALSE);
        if (c.pos != before) { EXPECT_EQ(CUIRect(dirty), CUIRect(0, 20, 200, 180)); }
    }
    EXPECT_EQ(window.scrolls, 4);
    // The nested row, scrolled into reach, hands the wheel up through its own container.
    list->EndDown();
    ::UpdateWindow(window.GetHWND());
    window.Wheel(50, 170, -120);
    EXPECT_EQ(Pos(), 280);
    window.Wheel(50, 170, 120);
    EXPECT_EQ(Pos(), 260);
    // A disabled bar takes nothing; the wheel goes on up.
    list->GetVerticalScrollBar()->SetEnabled(false);
    window.Wheel(50, 100, 120);
    EXPECT_EQ(Pos(), 260);
}

TEST_F(ScrollWindow, PressesOnTheBarRepeatWhileHeld) {
    // The lower arrow: a line at once, more while held, a pause while the pointer is off
    // it, none after the release.
    window.Mouse(WM_LBUTTONDOWN, 192, 175, MK_LBUTTON);
    EXPECT_EQ(Pos(), 20);
    window.PumpTimers(500);
    const int held = Pos();
    EXPECT_GT(held, 20);
    window.Mouse(WM_MOUSEMOVE, 50, 100, MK_LBUTTON);
    window.PumpTimers(200);
    EXPECT_EQ(Pos(), held);
    window.Mouse(WM_MOUSEMOVE, 192, 175, MK_LBUTTON);
    window.PumpTimers(200);
    const int resumed = Pos();
    EXPECT_GT(resumed, held);
    window.Mouse(WM_LBUTTONUP, 192, 175);
    window.PumpTimers(200);
    EXPECT_EQ(Pos(), resumed);

    // The rail below the thumb: pages until the thumb reaches the pointer.
    list->HomeUp();
    window.Mouse(WM_LBUTTONDOWN, 192, 120, MK_LBUTTON);
    EXPECT_EQ(Pos(), 160);
    window.PumpTimers(600);
    window.Mouse(WM_LBUTTONUP, 192, 120);
    EXPECT_EQ(Pos(), 160);
    EXPECT_TRUE(list->GetVerticalScrollBar()->GetPartRect(CScrollBarUI::kThumb).PtInRect(POINT{192, 120}));

    // The thumb (46 of a 128 track at the top) follows the pointer: 82 pixels cover the range.
    list->HomeUp();
    CControlUI* focus = window.pm.GetFocus();
    const std::pair<int, int> drags[] = {{50 + 41, 140}, {50, 0}, {50 + 500, 280}, {50 - 500, 0}, {50 + 82, 280}};
    window.Mouse(WM_LBUTTONDOWN, 192, 50, MK_LBUTTON);
    for (const auto& d : drags) {
        window.Mouse(WM_MOUSEMOVE, 192, d.first, MK_LBUTTON);
        EXPECT_EQ(Pos(), d.second) << d.first;
    }
    window.Mouse(WM_LBUTTONUP, 192, 50 + 82);
    EXPECT_EQ(window.pm.GetFocus(), focus);  // the bar leaves the focus alone
}

TEST_F(ScrollWindow, KeysAndFocusScrollTheList) {
    CControlUI* b0 = window.pm.FindControlByName(L"b0");
    window.pm.SetFocusControl(b0);
    const std::pair<WPARAM, int> keys[] = {{VK_NEXT, 160}, {VK_END, 280}, {VK_PRIOR, 120}, {VK_HOME, 0},
                                           {VK_DOWN, 20},  {VK_UP, 0},    {VK_LEFT, 0},    {VK_RIGHT, 0}};
    for (const auto& k : keys) {
        ::SendMessageW(window.GetHWND(), WM_KEYDOWN, k.first, 0);
        ::SendMessageW(window.GetHWND(), WM_KEYUP, k.first, 0);
        EXPECT_EQ(Pos(), k.second) << "key " << k.first;
    }
    // Focus moved by the program or by Tab brings the control into view, as little as needed.
    // (A null name is the Tab key.)
    const std::pair<const wchar_t*, int> moves[] = {{L"b9", 240},   {L"b0", 0},     {L"b5", 80},
                                                    {nullptr, 120}, {nullptr, 160}, {L"b4", 160}};
    for (const auto& m : moves) {
        LRESULT result = 0;
        if (m.first != nullptr) window.pm.SetFocusControl(window.pm.FindControlByName(m.first));
        if (m.first == nullptr) window.pm.PreMessageHandler(WM_KEYDOWN, VK_TAB, 0, result);
        EXPECT_EQ(Pos(), m.second) << (m.first != nullptr ? "focus" : "tab");
    }
    // A click on a row that shows only in part takes the focus where it is.
    list->SetScrollPos(SIZE{0, 10});
    window.Mouse(WM_LBUTTONDOWN, 50, 175, MK_LBUTTON);
    window.Mouse(WM_LBUTTONUP, 50, 175);
    EXPECT_EQ(window.pm.GetFocus(), window.pm.FindControlByName(L"b4"));
    EXPECT_EQ(Pos(), 10);
    EXPECT_EQ(window.clicks, 1);
}

TEST_F(ScrollWindow, ScreenReadersSeeTheBarAndItsPosition) {
    CControlUI* bar = list->GetVerticalScrollBar();
    std::vector<CControlUI*> top;
    Accessible::ChildrenOf(&window.pm, nullptr, top);
    EXPECT_EQ(top.back(), bar);  // after the rows of its list
    list->LineDown();
    const TUIAccessibleInfo info = Accessible::Describe(bar);
    EXPECT_EQ(info.role, ROLE_SYSTEM_SCROLLBAR);
    EXPECT_STREQ(info.value, L"20");
    EXPECT_EQ(info.state, 0u);
    bar->SetEnabled(false);
    EXPECT_EQ(Accessible::Describe(bar).state, DWORD(STATE_SYSTEM_UNAVAILABLE));
}

// Counts its own paints.
class CCountingUI : public CControlUI {
public:
    static int paints;
    bool PaintLayers(HDC dc, const RECT& paint, CControlUI* stop) override {
        ++paints;
        return CControlUI::PaintLayers(dc, paint, stop);
    }
};
int CCountingUI::paints = 0;

TEST(ScrollPaint, OnlyRowsInViewArePaintedAndNothingLeavesTheList) {
    RegisterScrollBar();
    CControlFactory::Instance().RegisterControl(L"CCountingUI", []() -> CControlUI* { return new CCountingUI; });
    CScrollWindow window;
    ASSERT_TRUE(window.Open(ListMarkup(L"Counting").c_str()));
    auto* list = static_cast<CContainerUI*>(window.pm.FindControlByName(L"list")->GetInterface(L"Container"));
    struct Case {
        int pos;
        const wchar_t* hide;  // a row made invisible first (the layout then no longer bisects)
        int painted;
    } const cases[] = {{0, nullptr, 4}, {20, nullptr, 5}, {280, nullptr, 3}, {20, L"b1", 5}, {0, L"b2", 4}};
    for (const Case& c : cases) {
        if (c.hide != nullptr) window.pm.FindControlByName(c.hide)->SetVisible(false);
        ::UpdateWindow(window.GetHWND());
        list->SetScrollPos(SIZE{0, c.pos});
        CCountingUI::paints = 0;
        drawtest::CCanvas canvas(200, 200);
        window.pm.GetRoot()->PaintClipped(canvas.dc(), RECT{0, 0, 200, 200}, nullptr);
        EXPECT_EQ(CCountingUI::paints, c.painted) << c.pos;
        // The rows' red never reaches the header or the footer.
        for (int x : {5, 100, 195}) EXPECT_TRUE(canvas.Rgb(x, 19) == 0xFFFFFF && canvas.Rgb(x, 180) == 0xFFFFFF);
        if (c.hide != nullptr) window.pm.FindControlByName(c.hide)->SetVisible(true);
    }
}

}  // namespace
