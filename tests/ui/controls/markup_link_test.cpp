// Links of "showhtml" labels and buttons, clicked with real mouse messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/controls/draw_canvas.h"
#include "tests/ui/skin_test_support.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;

namespace {

class CLinkLog : public INotifyUI {
public:
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"link") targets.push_back(reinterpret_cast<const wchar_t*>(msg.lParam));
        if (msg.sType == L"click") ++clicks;
    }
    std::vector<std::wstring> targets;
    int clicks = 0;
};

struct LinkCase {
    const char* name;
    CLabelUI* (*make)();
};

class MarkupLinks : public ::testing::TestWithParam<LinkCase> {
protected:
    void SetUp() override {
        manager.Init(host.hwnd());
        manager.AddNotifier(&log);
        control = GetParam().make();
        ASSERT_TRUE(manager.AttachRoot(control));
        control->ApplyAttribute(L"showhtml", L"true");
        control->ApplyAttribute(L"align", L"left");
        control->ApplyAttribute(L"linkhovercolor", L"#FF00FF00");
        control->SetText(L"read <a faq>the FAQ</a> now");
        control->PlaceAt(CUIRect(0, 0, 300, 30), false);
        Paint();
    }
    void TearDown() override { CUIResourceSettings::Reset(); }
    void Paint() {
        drawtest::CCanvas canvas(300, 30);
        control->DrawLabelText(canvas.dc());
        greenPixels = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 300; ++x) greenPixels += canvas.Rgb(x, y) == 0x00FF00;
        }
    }
    void Mouse(UINT msg, POINT pt) {
        LRESULT res = 0;
        manager.MessageHandler(msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(pt.x, pt.y), res);
    }

    skintest::CHostWindow host;
    CPaintManagerUI manager;
    CLinkLog log;
    CLabelUI* control = nullptr;
    int greenPixels = 0;
};

TEST_P(MarkupLinks, ClickSendsTheTargetAndHoverRecolours) {
    ASSERT_EQ(control->GetLinkCount(), 1);
    const RECT rc = control->GetLinkRect(0);
    const POINT on = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    const POINT off = {rc.left - 3, on.y};
    EXPECT_EQ(greenPixels, 0);
    Mouse(WM_MOUSEMOVE, on);
    EXPECT_EQ(control->GetHotLink(), 0);
    Paint();
    EXPECT_GT(greenPixels, 0);
    Mouse(WM_LBUTTONDOWN, on);
    Mouse(WM_LBUTTONUP, on);
    ASSERT_EQ(log.targets.size(), 1u);
    EXPECT_EQ(log.targets[0], L"faq");
    EXPECT_EQ(log.clicks, 0);
    // Pressed on the link and released beside it: nothing; off the link a button clicks.
    Mouse(WM_LBUTTONDOWN, on);
    Mouse(WM_MOUSEMOVE, off);
    EXPECT_EQ(control->GetHotLink(), -1);
    Mouse(WM_LBUTTONUP, off);
    EXPECT_EQ(log.targets.size(), 1u);
    Mouse(WM_LBUTTONDOWN, off);
    Mouse(WM_LBUTTONUP, off);
    EXPECT_EQ(log.targets.size(), 1u);
    EXPECT_EQ(log.clicks, control->GetInterface(L"Button") != nullptr ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Controls, MarkupLinks,
                         ::testing::Values(LinkCase{"Label", []() -> CLabelUI* { return new CLabelUI; }},
                                           LinkCase{"Button", []() -> CLabelUI* { return new CButtonUI; }}),
                         [](const ::testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.name); });

}  // namespace
