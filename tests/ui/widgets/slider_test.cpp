// Sliders in a real window, driven by window messages: dragging the thumb, presses on
// the rail, the keys and the wheel, each stopping at the ends of the range; the thumb
// scaled with the window; what a screen reader reads.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widgets/layout_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/input/slider.h"

using namespace SkinUI;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout>"
    L"<Slider name=\"h\" height=\"20\" width=\"200\" min=\"0\" max=\"100\" value=\"0\" step=\"5\" thumbsize=\"10,10\"/>"
    L"<Slider name=\"v\" height=\"110\" width=\"20\" hor=\"false\" min=\"-50\" max=\"50\" value=\"0\" step=\"10\"/>"
    L"<Slider name=\"odd\" height=\"20\" min=\"10\" max=\"5\" step=\"-3\" thumbsize=\"-4,99999999\"/>"
    L"</VerticalLayout></Window>";

class CSliderHost final : public INotifyUI {
public:
    bool Open(int percent = 100) {
        if (!host.Open(kSkin, 220, 160, true, percent)) return false;
        host.pm.AddNotifier(this);
        return true;
    }
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"valuechanged" || msg.sType == L"movevaluechanged")
            notes += layouttest::Narrow(msg.sType) + ":" + std::to_string(static_cast<int>(msg.wParam)) + " ";
    }
    CSliderUI* Slider(const wchar_t* name) { return static_cast<CSliderUI*>(host.Find(name)->GetInterface(L"Slider")); }
    void Mouse(UINT msg, POINT pt, WPARAM keys = 0) {
        ::SendMessageW(host.GetHWND(), msg, keys, MAKELPARAM(pt.x, pt.y));
    }
    // Presses the thumb's centre, moves by each offset in turn, and lets go at the last.
    void Drag(const wchar_t* name, std::initializer_list<POINT> moves) {
        const RECT thumb = Slider(name)->GetThumbRect();
        POINT at = {(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
        const POINT start = at;
        Mouse(WM_LBUTTONDOWN, at, MK_LBUTTON);
        for (POINT d : moves) {
            at = POINT{start.x + d.x, start.y + d.y};
            Mouse(WM_MOUSEMOVE, at, MK_LBUTTON);
        }
        Mouse(WM_LBUTTONUP, at);
    }

    layouttest::CHost host;
    std::string notes;
};

TEST(Slider, DraggingTheThumbSnapsToStepsAndStopsAtTheEnds) {
    CSliderHost t;
    ASSERT_TRUE(t.Open());
    CSliderUI* h = t.Slider(L"h");
    // 200 pixels less a 10-pixel thumb: 190 pixels for 100, so 1.9 pixels a unit.
    t.Drag(L"h", {{40, 0}, {95, 3}, {95, 30}});
    EXPECT_EQ(h->GetValue(), 50);
    EXPECT_EQ(t.notes, "movevaluechanged:20 movevaluechanged:50 valuechanged:50 ");
    t.notes.clear();
    t.Drag(L"h", {{500, 0}});
    EXPECT_EQ(h->GetValue(), 100);
    t.Drag(L"h", {{-1000, 0}, {2, 0}});  // back and forth to where it began: no release notification
    t.notes.clear();
    t.Drag(L"h", {{1, 0}});
    EXPECT_EQ(t.notes, "");
    // Vertical: up increases.
    CSliderUI* v = t.Slider(L"v");
    t.notes.clear();
    t.Drag(L"v", {{0, -25}});
    EXPECT_EQ(v->GetValue(), 30);
    EXPECT_EQ(t.notes, "movevaluechanged:30 valuechanged:30 ");
}

TEST(Slider, RailKeysAndWheelStepAndClamp) {
    CSliderHost t;
    ASSERT_TRUE(t.Open());
    CSliderUI* h = t.Slider(L"h");
    h->SetValue(92);
    h->SetFocus();
    const RECT rc = h->GetPos();
    enum { kKey, kWheel, kRail };
    const struct {
        int how;
        int arg;  // key, wheel delta, or the rail's x
        int value;
        const char* notes;
    } kSteps[] = {
        {kKey, VK_RIGHT, 97, "valuechanged:97 "},
        {kKey, VK_UP, 100, "valuechanged:100 "},  // a step past the maximum stops there
        {kKey, VK_RIGHT, 100, ""},
        {kWheel, -WHEEL_DELTA, 95, "valuechanged:95 "},
        {kWheel, WHEEL_DELTA, 100, "valuechanged:100 "},
        {kKey, VK_HOME, 0, "valuechanged:0 "},
        {kKey, VK_LEFT, 0, ""},
        {kRail, 150, 5, "valuechanged:5 "},
        {kRail, 2, 0, "valuechanged:0 "},
        {kKey, VK_END, 100, "valuechanged:100 "},
        {kKey, VK_DOWN, 95, "valuechanged:95 "},
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(std::to_string(step.how) + " " + std::to_string(step.arg));
        t.notes.clear();
        if (step.how == kKey) ::SendMessageW(t.host.GetHWND(), WM_KEYDOWN, step.arg, 1);
        if (step.how == kWheel) {
            POINT at = {rc.left + 100, rc.top + 10};
            ::ClientToScreen(t.host.GetHWND(), &at);
            t.Mouse(WM_MOUSEWHEEL, at, MAKEWPARAM(0, static_cast<WORD>(step.arg)));
        }
        if (step.how == kRail) {
            t.Mouse(WM_LBUTTONDOWN, POINT{rc.left + step.arg, rc.top + 10}, MK_LBUTTON);
            t.Mouse(WM_LBUTTONUP, POINT{rc.left + step.arg, rc.top + 10});
        }
        EXPECT_EQ(h->GetValue(), step.value);
        EXPECT_EQ(t.notes, step.notes);
    }
    // Steps that would overflow an int clamp too.
    h->SetStep(2147483647);
    h->SetMinValue(-2147483647 - 1);
    h->SetMaxValue(2147483647);
    EXPECT_TRUE(h->StepBy(3));
    EXPECT_EQ(h->GetValue(), 2147483647);
    EXPECT_TRUE(h->StepBy(-5));
    EXPECT_EQ(h->GetValue(), -2147483647 - 1);
}

TEST(Slider, ThumbScalesAndOddMarkupStaysSane) {
    CSliderHost t;
    ASSERT_TRUE(t.Open(150));
    const CUIRect thumb = t.Slider(L"h")->GetThumbRect();
    EXPECT_EQ(thumb.GetWidth(), 15);
    EXPECT_EQ(thumb.GetHeight(), 15);
    EXPECT_EQ(thumb.left, t.Slider(L"h")->GetPos().left);
    CSliderUI* odd = t.Slider(L"odd");
    EXPECT_EQ(odd->GetStep(), 1);
    EXPECT_EQ(odd->GetThumbSize().cx, 0);
    odd->SetFocus();
    ::SendMessageW(t.host.GetHWND(), WM_KEYDOWN, VK_RIGHT, 1);  // an inverted range refuses values
    t.Drag(L"odd", {{50, 0}});
    ::UpdateWindow(t.host.GetHWND());

    const TUIAccessibleInfo info = Accessible::Describe(t.Slider(L"v"));
    EXPECT_EQ(info.role, ROLE_SYSTEM_SLIDER);
    EXPECT_EQ(std::wstring(info.value.GetData()), L"0");
    EXPECT_EQ(info.state & STATE_SYSTEM_READONLY, 0u);
    EXPECT_NE(info.state & STATE_SYSTEM_FOCUSABLE, 0u);
}

}  // namespace
