// Label, button and progress controls: the button's event state machine counted
// in "click" notifications, the state-image cells, label text styles and
// measurement, and the progress fill checked in pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/ui/controls/draw_canvas.h"
#include "tests/ui/skin_test_support.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/controls/render.h"
#include "ui/controls/vertical_layout.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;
using drawtest::CCanvas;

namespace {

class CNotifyLog : public INotifyUI {
public:
    void ReceiveNotify(TUINotify& msg) override { types.push_back(msg.sType.GetData()); }
    int Count(const wchar_t* type) const {
        int n = 0;
        for (const auto& t : types) n += t == type ? 1 : 0;
        return n;
    }
    std::vector<std::wstring> types;
};

// A container that counts the events its children pass up to it.
class CEventSink : public CVerticalLayoutUI {
public:
    void HandleEvent(TUIEvent& event) override {
        received.push_back(event.Type);
        CVerticalLayoutUI::HandleEvent(event);
    }
    std::vector<int> received;
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(host.hwnd(), nullptr);
        manager.Init(host.hwnd());
        manager.AddNotifier(&log);
    }
    void TearDown() override { CUIResourceSettings::Reset(); }

    // Makes `root` the manager's tree (the manager owns it) and places it.
    template <class T>
    T* Attach(T* root, const RECT& rc) {
        EXPECT_TRUE(manager.AttachRoot(root));
        root->PlaceAt(rc, false);
        return root;
    }

    static void Send(CControlUI* c, int type, int x, int y, wchar_t key = 0) {
        TUIEvent e;
        e.Type = type;
        e.pSender = c;
        e.ptMouse = POINT{x, y};
        e.chKey = key;
        e.dwTimestamp = ::GetTickCount();
        c->HandleEvent(e);
    }

    skintest::CHostWindow host;
    CPaintManagerUI manager;
    CNotifyLog log;
};

// ------------------------------------------------------------------ button events

TEST_F(ControlsTest, ButtonClicksOnlyWhenPressedAndReleasedInside) {
    auto* button = Attach(new CButtonUI, CUIRect(10, 10, 110, 40));
    Send(button, UIEVENT_BUTTONDOWN, 50, 20);
    EXPECT_EQ(button->GetButtonState() & (UISTATE_PUSHED | UISTATE_CAPTURED),
              static_cast<UINT>(UISTATE_PUSHED | UISTATE_CAPTURED));
    EXPECT_EQ(log.Count(L"click"), 0);
    Send(button, UIEVENT_BUTTONUP, 52, 21);
    EXPECT_EQ(log.Count(L"click"), 1);
    EXPECT_EQ(button->GetButtonState() & (UISTATE_PUSHED | UISTATE_CAPTURED), 0u);

    // Pressed, dragged out and released outside: no click.
    Send(button, UIEVENT_BUTTONDOWN, 50, 20);
    Send(button, UIEVENT_MOUSEMOVE, 200, 200);
    EXPECT_EQ(button->GetButtonState() & UISTATE_PUSHED, 0u);
    EXPECT_NE(button->GetButtonState() & UISTATE_CAPTURED, 0u);
    Send(button, UIEVENT_BUTTONUP, 200, 200);
    EXPECT_EQ(log.Count(L"click"), 1);

    // Dragged out and back in before the release: a click.
    Send(button, UIEVENT_BUTTONDOWN, 50, 20);
    Send(button, UIEVENT_MOUSEMOVE, 5, 5);
    Send(button, UIEVENT_MOUSEMOVE, 100, 39);
    EXPECT_NE(button->GetButtonState() & UISTATE_PUSHED, 0u);
    Send(button, UIEVENT_BUTTONUP, 100, 39);
    EXPECT_EQ(log.Count(L"click"), 2);

    // A release without a press, and a press outside the button, do nothing.
    Send(button, UIEVENT_BUTTONUP, 50, 20);
    Send(button, UIEVENT_BUTTONDOWN, 110, 40);  // right and bottom edges are outside
    Send(button, UIEVENT_BUTTONUP, 50, 20);
    EXPECT_EQ(log.Count(L"click"), 2);

    // A double click counts as a press.
    Send(button, UIEVENT_DBLCLICK, 50, 20);
    Send(button, UIEVENT_BUTTONUP, 50, 20);
    EXPECT_EQ(log.Count(L"click"), 3);
    EXPECT_EQ(log.Count(L"buttondown"), 0);  // rich events are off
}

TEST_F(ControlsTest, SpaceOrReturnOnAKeyboardEnabledButtonClicks) {
    auto* button = Attach(new CButtonUI, CUIRect(0, 0, 80, 30));
    Send(button, UIEVENT_KEYDOWN, 0, 0, VK_SPACE);
    Send(button, UIEVENT_KEYDOWN, 0, 0, VK_RETURN);
    Send(button, UIEVENT_KEYDOWN, 0, 0, L'A');
    EXPECT_EQ(log.Count(L"click"), 2);
    button->ApplyAttribute(L"keyboard", L"false");
    Send(button, UIEVENT_KEYDOWN, 0, 0, VK_SPACE);
    EXPECT_EQ(log.Count(L"click"), 2);
    EXPECT_EQ(button->GetControlFlags(), static_cast<UINT>(UIFLAG_SETCURSOR));
}

TEST_F(ControlsTest, DisabledOrHiddenButtonsDoNotClick) {
    auto* button = Attach(new CButtonUI, CUIRect(0, 0, 80, 30));
    Send(button, UIEVENT_MOUSEENTER, 5, 5);
    EXPECT_NE(button->GetButtonState() & UISTATE_HOT, 0u);
    button->SetEnabled(false);
    EXPECT_EQ(button->GetButtonState(), static_cast<UINT>(UISTATE_DISABLED));
    Send(button, UIEVENT_BUTTONDOWN, 5, 5);
    EXPECT_EQ(button->GetButtonState(), static_cast<UINT>(UISTATE_DISABLED));
    Send(button, UIEVENT_BUTTONUP, 5, 5);
    Send(button, UIEVENT_KEYDOWN, 0, 0, VK_SPACE);
    EXPECT_FALSE(button->Activate());
    EXPECT_EQ(log.Count(L"click"), 0);
    EXPECT_EQ(button->GetControlFlags(), static_cast<UINT>(UIFLAG_TABSTOP));

    button->SetEnabled(true);
    EXPECT_EQ(button->GetButtonState(), 0u);
    button->SetVisible(false);
    EXPECT_FALSE(button->Activate());
    EXPECT_EQ(log.Count(L"click"), 0);
}

TEST_F(ControlsTest, RichEventsAndHover) {
    auto* button = Attach(new CButtonUI, CUIRect(0, 0, 80, 30));
    button->ApplyAttribute(L"richevent", L"true");
    Send(button, UIEVENT_MOUSEENTER, 5, 5);
    Send(button, UIEVENT_BUTTONDOWN, 5, 5);
    Send(button, UIEVENT_BUTTONUP, 5, 5);
    Send(button, UIEVENT_MOUSELEAVE, 500, 5);
    EXPECT_EQ(log.types, (std::vector<std::wstring>{L"mouseenter", L"buttondown", L"click", L"mouseleave"}));
    EXPECT_EQ(button->GetButtonState() & UISTATE_HOT, 0u);
}

TEST_F(ControlsTest, MouseDisabledButtonPassesMouseEventsToItsParent) {
    auto* sink = Attach(new CEventSink, CUIRect(0, 0, 100, 100));
    auto* button = new CButtonUI;
    ASSERT_TRUE(sink->Add(button));
    sink->PlaceAt(CUIRect(0, 0, 100, 100), false);
    button->SetMouseEnabled(false);
    Send(button, UIEVENT_BUTTONDOWN, 5, 5);
    Send(button, UIEVENT_BUTTONUP, 5, 5);
    EXPECT_EQ(sink->received, (std::vector<int>{UIEVENT_BUTTONDOWN, UIEVENT_BUTTONUP}));
    EXPECT_EQ(log.Count(L"click"), 0);
    Send(button, UIEVENT_KEYDOWN, 0, 0, VK_RETURN);  // keys still work
    EXPECT_EQ(log.Count(L"click"), 1);
}

TEST_F(ControlsTest, ButtonDefaultsAndAttributes) {
    CButtonUI button;
    EXPECT_EQ(button.GetTextStyle(), static_cast<UINT>(DT_SINGLELINE | DT_VCENTER | DT_CENTER));
    EXPECT_EQ(button.GetCursor(), 32649);
    EXPECT_STREQ(button.GetClass(), L"ButtonUI");
    EXPECT_EQ(button.GetInterface(L"button"), &button);
    EXPECT_NE(button.GetInterface(L"Label"), nullptr);
    button.ApplyAttribute(L"focuedfont", L"5");
    button.ApplyAttribute(L"focusedfont", L"6");  // not this button's attribute
    button.ApplyAttribute(L"hotfont", L"7");
    button.ApplyAttribute(L"PushedTextColor", L"#FF00FF00");
    button.ApplyAttribute(L"bindtabindex", L"-3");
    button.ApplyAttribute(L"statecount", L"4");
    button.ApplyAttribute(L"statehor", L"FALSE");
    EXPECT_EQ(button.GetFocusedFont(), 5);
    EXPECT_STREQ(button.GetExtraAttribute(L"focusedfont"), L"6");
    EXPECT_EQ(button.GetHotFont(), 7);
    EXPECT_EQ(button.GetPushedTextColor(), 0xFF00FF00u);
    EXPECT_EQ(button.GetBindTabLayoutIndex(), -1);
    EXPECT_EQ(button.GetStateCount(), 4);
    EXPECT_FALSE(button.IsStateHorizontal());
}

// ------------------------------------------------------------------ state cells

TEST_F(ControlsTest, StateImageIsCutIntoCells) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    CCanvas canvas(200, 100);

    auto* close = Attach(new CButtonUI, CUIRect(0, 0, 30, 30));
    close->ApplyAttribute(L"stateimage", L"btn_close.png");
    close->ApplyAttribute(L"statecount", L"3");
    close->ApplyAttribute(L"statehor", L"false");
    close->DrawStateImage(canvas.dc());
    EXPECT_STREQ(close->GetNormalImage(), L"res='btn_close.png' restype='' dest='0,0,0,0' source='0,0,30,30'");
    EXPECT_STREQ(close->GetHotImage(), L"res='btn_close.png' restype='' dest='0,0,0,0' source='0,30,30,60'");
    EXPECT_STREQ(close->GetPushedImage(), L"res='btn_close.png' restype='' dest='0,0,0,0' source='0,60,30,90'");
    EXPECT_STREQ(close->GetDisabledImage(), L"");

    CButtonUI install;
    install.SetManager(&manager, nullptr, false);
    install.ApplyAttribute(L"stateimage", L"file='btn_install.png' dest='1,2,141,42'");
    install.ApplyAttribute(L"statecount", L"4");
    install.DrawStateImage(canvas.dc());
    EXPECT_STREQ(install.GetNormalImage(),
                 L"res='btn_install.png' restype='' dest='1,2,141,42' source='0,0,140,40'");
    EXPECT_STREQ(install.GetHotImage(), L"res='btn_install.png' restype='' dest='1,2,141,42' source='140,0,280,40'");
    EXPECT_STREQ(install.GetPushedImage(),
                 L"res='btn_install.png' restype='' dest='1,2,141,42' source='280,0,420,40'");
    EXPECT_STREQ(install.GetDisabledImage(),
                 L"res='btn_install.png' restype='' dest='1,2,141,42' source='420,0,560,40'");

    // Two states: hot and pushed share the second cell.
    CButtonUI two;
    two.SetManager(&manager, nullptr, false);
    two.ApplyAttribute(L"stateimage", L"btn_install.png");
    two.ApplyAttribute(L"statecount", L"2");
    two.DrawStateImage(canvas.dc());
    EXPECT_STREQ(two.GetNormalImage(), L"res='btn_install.png' restype='' dest='0,0,0,0' source='0,0,280,40'");
    EXPECT_STREQ(two.GetHotImage(), L"res='btn_install.png' restype='' dest='0,0,0,0' source='280,0,560,40'");
    EXPECT_STREQ(two.GetPushedImage(), two.GetHotImage());

    // Writing the state image again cuts again at the next paint.
    two.SetStateImage(L"btn_close.png");
    EXPECT_STREQ(two.GetNormalImage(), L"");
    two.SetStateHorizontal(false);
    two.DrawStateImage(canvas.dc());
    EXPECT_STREQ(two.GetNormalImage(), L"res='btn_close.png' restype='' dest='0,0,0,0' source='0,0,30,45'");
    install.SetManager(nullptr, nullptr, false);
    two.SetManager(nullptr, nullptr, false);
}

// At other scales each state shows its own cell, edge to edge: the cell is the same
// share of the bitmap drawn (the scale's own, or one made for it) as at 100 percent.
TEST_F(ControlsTest, StateCellsAtOtherScalesAreTheSameShareOfTheScaledBitmap) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    struct Case {
        int percent;
        const wchar_t* image;
        int count;
        bool horizontal;
        int width, height;  // the button at 100 percent
    };
    const Case cases[] = {
        {150, L"btn_close.png", 3, false, 30, 30}, {150, L"btn_install.png", 4, true, 140, 40},
        {125, L"btn_close.png", 3, false, 30, 30}, {175, L"btn_close.png", 3, false, 30, 30},
        {175, L"btn_install.png", 4, true, 140, 40}, {200, L"btn_close.png", 3, false, 30, 30},
    };
    for (const Case& c : cases) {
        CPaintManagerUI pm;
        pm.SetDpiScale(c.percent);
        pm.Init(host.hwnd());
        auto* button = new CButtonUI;
        ASSERT_TRUE(pm.AttachRoot(button));
        const int w = MulDiv(c.width, c.percent, 100), h = MulDiv(c.height, c.percent, 100);
        button->PlaceAt(CUIRect(0, 0, w, h), false);
        button->ApplyAttribute(L"stateimage", c.image);
        button->ApplyAttribute(L"statecount", std::to_wstring(c.count).c_str());
        button->ApplyAttribute(L"statehor", c.horizontal ? L"true" : L"false");
        CUIString scaledName(c.image);
        scaledName.Replace(L".", (L"@" + std::to_wstring(c.percent) + L".").c_str());
        for (int cell = 0; cell < c.count; ++cell) {
            if (cell == 1) Send(button, UIEVENT_MOUSEENTER, 1, 1);
            if (cell == 2) Send(button, UIEVENT_BUTTONDOWN, 1, 1);
            if (cell == 3) button->SetEnabled(false);
            CCanvas canvas(w, h);
            ASSERT_TRUE(button->PaintClipped(canvas.dc(), CUIRect(0, 0, w, h), nullptr));
            const TUIImage* bitmap = pm.GetImage(scaledName);
            ASSERT_NE(bitmap, nullptr) << c.percent;
            const int cw = c.horizontal ? bitmap->nWidth / c.count : bitmap->nWidth;
            const int ch = c.horizontal ? bitmap->nHeight : bitmap->nHeight / c.count;
            const int cx = c.horizontal ? cell * cw : 0, cy = c.horizontal ? 0 : cell * ch;
            // The middle of each edge and the centre, against the cell's pixel over white.
            const POINT probes[] = {{w / 2, 0}, {w / 2, h - 1}, {0, h / 2}, {w - 1, h / 2}, {w / 2, h / 2}};
            for (const POINT& at : probes) {
                const int bx = cx + std::min(static_cast<int>(at.x) * cw / w, cw - 1);
                const int by = cy + std::min(static_cast<int>(at.y) * ch / h, ch - 1);
                const BYTE* p = bitmap->pBits + (static_cast<size_t>(by) * bitmap->nWidth + bx) * 4;
                const DWORD expected = (static_cast<DWORD>(p[2] + 255 - p[3]) << 16) |
                                       (static_cast<DWORD>(p[1] + 255 - p[3]) << 8) | (p[0] + 255 - p[3]);
                EXPECT_TRUE(drawtest::Near(canvas.Rgb(at.x, at.y), expected, 24))
                    << c.percent << "% " << scaledName.GetData() << " cell " << cell << " at " << at.x << ","
                    << at.y << ": " << std::hex << canvas.Rgb(at.x, at.y) << " not " << expected;
            }
        }
    }
}

TEST_F(ControlsTest, UnreadableStateImageLeavesTheCellsEmpty) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    CCanvas canvas(40, 40, 0xFF123456);
    auto* button = Attach(new CButtonUI, CUIRect(0, 0, 40, 40));
    button->ApplyAttribute(L"stateimage", L"no_such.png");
    button->ApplyAttribute(L"statecount", L"3");
    button->DrawStateImage(canvas.dc());
    EXPECT_STREQ(button->GetNormalImage(), L"");
    EXPECT_EQ(canvas.CountNot(0xFF123456), 0);
}

TEST_F(ControlsTest, DisabledInstallButtonShowsItsFourthCell) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    auto* button = Attach(new CButtonUI, CUIRect(0, 0, 140, 40));
    button->ApplyAttribute(L"stateimage", L"btn_install.png");
    button->ApplyAttribute(L"statecount", L"4");

    CCanvas normal(140, 40);
    ASSERT_TRUE(button->PaintClipped(normal.dc(), CUIRect(0, 0, 140, 40), nullptr));
    const DWORD gold = normal.Rgb(70, 20);
    EXPECT_GT(drawtest::R(gold), drawtest::B(gold) + 60) << std::hex << gold;

    button->SetEnabled(false);
    CCanvas disabled(140, 40);
    ASSERT_TRUE(button->PaintClipped(disabled.dc(), CUIRect(0, 0, 140, 40), nullptr));
    const DWORD grey = disabled.Rgb(70, 20);
    EXPECT_TRUE(drawtest::Near(grey, (grey & 0xFF) * 0x010101u, 3)) << std::hex << grey;

    // A disabled host window clears every state bit but "disabled": the hot button shows its normal cell.
    button->SetEnabled(true);
    Send(button, UIEVENT_MOUSEENTER, 5, 5);
    ::EnableWindow(host.hwnd(), FALSE);
    CCanvas hostDisabled(140, 40);
    ASSERT_TRUE(button->PaintClipped(hostDisabled.dc(), CUIRect(0, 0, 140, 40), nullptr));
    ::EnableWindow(host.hwnd(), TRUE);
    EXPECT_EQ(button->GetButtonState(), 0u);  // every bit but "disabled" cleared
    EXPECT_EQ(hostDisabled.Rgb(70, 20), gold);
}

// ------------------------------------------------------------------ label

TEST_F(ControlsTest, LabelTextStyleAttributes) {
    CLabelUI label;
    EXPECT_EQ(label.GetTextStyle(), static_cast<UINT>(DT_VCENTER | DT_SINGLELINE));
    label.ApplyAttribute(L"align", L"left");
    label.ApplyAttribute(L"valign", L"vcenter");
    EXPECT_EQ(label.GetTextStyle(), static_cast<UINT>(DT_VCENTER | DT_SINGLELINE));
    label.ApplyAttribute(L"align", L"right");
    EXPECT_EQ(label.GetTextStyle() & (DT_CENTER | DT_RIGHT), static_cast<UINT>(DT_RIGHT));
    label.ApplyAttribute(L"align", L"Center");  // values are matched case-sensitively
    EXPECT_EQ(label.GetTextStyle() & (DT_CENTER | DT_RIGHT), static_cast<UINT>(DT_RIGHT));
    label.ApplyAttribute(L"ALIGN", L"center");
    EXPECT_EQ(label.GetTextStyle() & (DT_CENTER | DT_RIGHT), static_cast<UINT>(DT_CENTER));

    label.ApplyAttribute(L"wordbreak", L"true");
    EXPECT_EQ(label.GetTextStyle(), static_cast<UINT>(DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EDITCONTROL));
    label.ApplyAttribute(L"valign", L"bottom");  // single line again
    EXPECT_EQ(label.GetTextStyle(), static_cast<UINT>(DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_EDITCONTROL));
    label.ApplyAttribute(L"wordbreak", L"false");
    label.ApplyAttribute(L"valign", L"top");
    label.ApplyAttribute(L"endellipsis", L"true");
    label.ApplyAttribute(L"noprefix", L"true");
    EXPECT_EQ(label.GetTextStyle(), static_cast<UINT>(DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX));

    label.ApplyAttribute(L"textcolor", L"#FF102030");
    label.ApplyAttribute(L"disabledtextcolor", L"FF405060");
    label.ApplyAttribute(L"textpadding", L"1,2,3,4");
    label.ApplyAttribute(L"font", L"9");
    EXPECT_EQ(label.GetTextColor(), 0xFF102030u);
    EXPECT_EQ(label.GetDisabledTextColor(), 0xFF405060u);
    EXPECT_EQ(label.GetTextPadding(), CUIRect(1, 2, 3, 4));
    EXPECT_EQ(label.GetFont(), 9);
}

// Bounding box of the pixels darker than mid-grey.
RECT DarkBox(const CCanvas& canvas) {
    RECT box = {canvas.width(), canvas.height(), -1, -1};
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            if (drawtest::G(canvas.At(x, y)) >= 128) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

TEST_F(ControlsTest, LabelDrawsLeftAlignedAndVerticallyCentred) {
    auto* label = Attach(new CLabelUI, CUIRect(0, 0, 240, 60));
    label->ApplyAttribute(L"text", L"Tavrel");
    label->ApplyAttribute(L"align", L"left");
    label->ApplyAttribute(L"valign", L"vcenter");
    label->ApplyAttribute(L"textpadding", L"6,0,0,0");

    CCanvas canvas(240, 60);
    label->DrawLabelText(canvas.dc());
    const RECT box = DarkBox(canvas);
    ASSERT_GE(box.right, 0) << "no text drawn";
    EXPECT_GE(box.left, 6);
    EXPECT_LE(box.left, 9);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 30.0, 3.0);
    // Colours left unset came from the manager and are kept.
    EXPECT_EQ(label->GetTextColor(), manager.GetDefaultFontColor());
    EXPECT_EQ(label->GetDisabledTextColor(), manager.GetDefaultDisabledColor());

    label->ApplyAttribute(L"align", L"right");
    CCanvas right(240, 60);
    label->DrawLabelText(right.dc());
    EXPECT_GE(DarkBox(right).right, 236);
}

TEST_F(ControlsTest, LabelMeasurement) {
    auto* parent = Attach(new CVerticalLayoutUI, CUIRect(0, 0, 400, 300));
    auto* label = new CLabelUI;
    ASSERT_TRUE(parent->Add(label));
    const int textHeight = manager.GetFontInfo(-1)->tm.tmHeight;
    ASSERT_GT(textHeight, 0);

    // Single line: the font height + 8 + the vertical text padding; width left to the parent.
    label->ApplyAttribute(L"textpadding", L"3,2,5,4");
    label->ApplyAttribute(L"text", L"Tavrel");
    SIZE sz = label->MeasureDesired(SIZE{400, 300});
    EXPECT_EQ(sz.cx, 0);
    EXPECT_EQ(sz.cy, textHeight + 8 + 6);

    // Auto width: the text's own width plus the side paddings.
    label->SetAutoCalcWidth(true);
    label->SetText(L"Tavrel!");  // any text change asks for a new measurement
    const SIZE text = CUIRender::MeasureText(manager.GetPaintDC(), &manager, L"Tavrel!", -1);
    sz = label->MeasureDesired(SIZE{400, 300});
    EXPECT_EQ(sz.cx, text.cx + 8);

    // Fixed width and height win.
    label->ApplyAttribute(L"width", L"70");
    label->ApplyAttribute(L"height", L"20");
    sz = label->MeasureDesired(SIZE{400, 300});
    EXPECT_EQ(sz.cx, 70);
    EXPECT_EQ(sz.cy, 20);

    // Multi-line auto height grows with the wrapped lines.
    CLabelUI wrapped;
    wrapped.SetManager(&manager, nullptr, false);
    wrapped.ApplyAttribute(L"wordbreak", L"true");
    wrapped.ApplyAttribute(L"autocalcheight", L"true");
    wrapped.ApplyAttribute(L"width", L"60");
    wrapped.ApplyAttribute(L"text", L"one two three four five six seven");
    sz = wrapped.MeasureDesired(SIZE{400, 300});
    EXPECT_EQ(sz.cx, 60);
    EXPECT_GE(sz.cy, 3 * text.cy);
    wrapped.SetManager(nullptr, nullptr, false);
}

TEST_F(ControlsTest, TextChangeWithAutoWidthLaysTheParentOutAgain) {
    auto* parent = Attach(new CVerticalLayoutUI, CUIRect(0, 0, 400, 300));
    auto* fixed = new CLabelUI;
    auto* autoWidth = new CLabelUI;
    ASSERT_TRUE(parent->Add(fixed));
    ASSERT_TRUE(parent->Add(autoWidth));
    autoWidth->SetAutoCalcWidth(true);
    parent->PlaceAt(CUIRect(0, 0, 400, 300), false);
    ASSERT_FALSE(parent->IsUpdateNeeded());

    fixed->SetText(L"changed");
    EXPECT_FALSE(parent->IsUpdateNeeded());
    autoWidth->SetText(L"changed");
    EXPECT_TRUE(parent->IsUpdateNeeded());
}

// ------------------------------------------------------------------ progress

TEST_F(ControlsTest, ProgressDefaultsAndValueRules) {
    CProgressUI progress;
    EXPECT_EQ(progress.GetFixedHeight(), 12);
    EXPECT_EQ(progress.GetTextStyle(), static_cast<UINT>(DT_SINGLELINE | DT_CENTER));
    EXPECT_STREQ(progress.GetClass(), L"ProgressUI");
    EXPECT_EQ(progress.GetInterface(L"Progress"), &progress);

    progress.ApplyAttribute(L"min", L"0");
    progress.ApplyAttribute(L"max", L"99");
    progress.ApplyAttribute(L"value", L"40");
    EXPECT_EQ(progress.GetValue(), 40);
    progress.SetValue(120);
    EXPECT_EQ(progress.GetValue(), 40);
    progress.SetValue(-1);
    EXPECT_EQ(progress.GetValue(), 40);
    progress.SetValue(99);
    EXPECT_EQ(progress.GetValue(), 99);

    // The value text, when shown, follows every change.
    progress.SetMaxValue(200);
    progress.SetShowText(true);
    progress.SetValue(50);
    EXPECT_STREQ(progress.GetText(), L"25%");
}

// Number of columns of row `y` whose pixel is `color`.
int Columns(const CCanvas& canvas, int y, DWORD color) {
    int n = 0;
    for (int x = 0; x < canvas.width(); ++x) n += canvas.Rgb(x, y) == (color & 0xFFFFFF) ? 1 : 0;
    return n;
}

TEST_F(ControlsTest, ProgressForeColourFillsTheValuesShare) {
    auto* bar = Attach(new CProgressUI, CUIRect(0, 0, 210, 18));
    bar->ApplyAttribute(L"max", L"99");
    bar->ApplyAttribute(L"forecolor", L"#FF00C000");
    const CUIRect all(0, 0, 210, 18);

    CCanvas empty(210, 18);
    ASSERT_TRUE(bar->PaintClipped(empty.dc(), all, nullptr));
    EXPECT_EQ(empty.CountNot(0xFFFFFFFF), 0);

    bar->SetValue(33);
    CCanvas third(210, 18);
    bar->PaintClipped(third.dc(), all, nullptr);
    EXPECT_EQ(Columns(third, 9, 0x00C000), 70);  // 33 * 210 / 99
    EXPECT_EQ(third.Rgb(69, 9), 0x00C000u);
    EXPECT_EQ(third.Rgb(70, 9), 0xFFFFFFu);

    bar->SetValue(99);
    CCanvas full(210, 18);
    bar->PaintClipped(full.dc(), all, nullptr);
    EXPECT_EQ(full.CountNot(0xFF00C000), 0);

    // Vertical: filled from the bottom up.
    auto* column = Attach(new CProgressUI, CUIRect(0, 0, 10, 100));
    column->ApplyAttribute(L"hor", L"false");
    column->ApplyAttribute(L"value", L"25");
    column->ApplyAttribute(L"forecolor", L"#FF0000FF");
    CCanvas vertical(10, 100);
    column->PaintClipped(vertical.dc(), CUIRect(0, 0, 10, 100), nullptr);
    EXPECT_EQ(vertical.Rgb(5, 74), 0xFFFFFFu);
    EXPECT_EQ(vertical.Rgb(5, 75), 0x0000FFu);
    EXPECT_EQ(vertical.Rgb(5, 99), 0x0000FFu);
}

TEST_F(ControlsTest, ProgressForeImageAtBothEnds) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    auto* bar = Attach(new CProgressUI, CUIRect(0, 0, 210, 18));
    bar->ApplyAttribute(L"max", L"99");
    bar->ApplyAttribute(L"foreimage", L"file='progress_bar.png' source='0,0,100,18' corner='10,2,22,2' ");
    const CUIRect all(0, 0, 210, 18);

    CCanvas empty(210, 18);
    bar->PaintClipped(empty.dc(), all, nullptr);
    EXPECT_STREQ(bar->GetForeImageModifier(), L"dest='0,0,0,18'");
    EXPECT_EQ(empty.CountNot(0xFFFFFFFF), 0);

    bar->SetValue(99);
    CCanvas full(210, 18);
    bar->PaintClipped(full.dc(), all, nullptr);
    EXPECT_STREQ(bar->GetForeImageModifier(), L"dest='0,0,210,18'");
    for (int x : {2, 105, 200}) {
        const DWORD c = full.Rgb(x, 9);
        EXPECT_GT(drawtest::G(c), drawtest::R(c) + 40) << "x=" << x << " " << std::hex << c;  // the green bar
    }

    // Not stretched: the image is cut at the filled width instead.
    bar->ApplyAttribute(L"isstretchfore", L"false");
    bar->SetValue(33);
    CCanvas cut(210, 18);
    bar->PaintClipped(cut.dc(), all, nullptr);
    EXPECT_STREQ(bar->GetForeImageModifier(), L"dest='0,0,70,18' source='0,0,70,18'");
    EXPECT_EQ(cut.Rgb(75, 9), 0xFFFFFFu);
    EXPECT_NE(cut.Rgb(60, 9), 0xFFFFFFu);
}

TEST_F(ControlsTest, ProgressRangeIsRepairedWhenPainted) {
    auto* bar = Attach(new CProgressUI, CUIRect(0, 0, 100, 12));
    bar->ApplyAttribute(L"min", L"10");
    bar->ApplyAttribute(L"max", L"10");
    bar->ApplyAttribute(L"forecolor", L"#FF000000");
    EXPECT_EQ(bar->GetMaxValue(), 10);
    CCanvas canvas(100, 12);
    bar->PaintClipped(canvas.dc(), CUIRect(0, 0, 100, 12), nullptr);
    EXPECT_EQ(bar->GetMaxValue(), 11);
    EXPECT_EQ(bar->GetValue(), 10);  // the value 0 was clamped into the range
}

}  // namespace
