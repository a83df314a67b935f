// Text controls: links reached with Tab and Shift+Tab (each link a stop, then the
// focus moves on), followed with Enter and Space, drawn with a focus rectangle,
// and seen by screen readers as link elements below the text.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "tests/ui/widgets/layout_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/text/text.h"

using namespace SkinUI;
using layouttest::CHost;

namespace {

const wchar_t kPage[] =
    L"<Window><HorizontalLayout>"
    L"<Button name=\"ok\" text=\"ok\" width=\"60\"/>"
    L"<Text name=\"t\" showhtml=\"true\" width=\"160\" text=\"see &lt;a faq&gt;the FAQ&lt;/a&gt; or "
    L"&lt;a help&gt;the long help page that wraps&lt;/a&gt; now\"/>"
    L"<Label name=\"l\" text=\"label\" width=\"60\"/>"
    L"</HorizontalLayout></Window>";

class CLog : public INotifyUI {
public:
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"link") {
            notes += "link:" + layouttest::Narrow(reinterpret_cast<const wchar_t*>(msg.lParam)) + " ";
        }
        if (msg.sType == L"click") notes += "click ";
    }
    std::string notes;
};

class TextLinks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Open(kPage, 300, 60, true));
        host.pm.AddNotifier(&log);
        text = static_cast<CTextUI*>(host.Find(L"t")->GetInterface(L"Text"));
        ASSERT_NE(text, nullptr);
        Draw();
    }
    void TearDown() override { Shift(false); }
    // Draws the text as a paint would, which notes where its links went.
    void Draw() {
        layouttest::CCanvas canvas(300, 60);
        text->DrawLabelText(canvas.dc());
    }
    // The pixels along the edges of each link rectangle, as drawn now.
    std::vector<std::vector<DWORD>> Borders() {
        layouttest::CCanvas canvas(300, 60);
        text->DrawLabelText(canvas.dc());
        std::vector<std::vector<DWORD>> borders;
        for (int k = 0; k < text->GetLinkCount(); ++k) {
            const RECT rc = text->GetLinkRect(k);
            std::vector<DWORD> edge;
            for (int x = rc.left; x < rc.right; ++x) {
                edge.push_back(canvas.At(x, rc.top));
                edge.push_back(canvas.At(x, rc.bottom - 1));
            }
            for (int y = rc.top; y < rc.bottom; ++y) {
                edge.push_back(canvas.At(rc.left, y));
                edge.push_back(canvas.At(rc.right - 1, y));
            }
            borders.push_back(edge);
        }
        return borders;
    }
    static void Shift(bool down) {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = down ? 0x80 : 0;
        ::SetKeyboardState(keys);
    }
    void Tab(bool back) {
        Shift(back);
        LRESULT res = 0;
        MSG msg = {host.GetHWND(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
        if (!host.pm.PreMessageHandler(msg.message, msg.wParam, msg.lParam, res)) {
            host.pm.MessageHandler(msg.message, msg.wParam, msg.lParam, res);
        }
        Shift(false);
    }
    void Key(WPARAM vk) { ::SendMessageW(host.GetHWND(), WM_KEYDOWN, vk, 0); }
    // Where the focus is: "ok", "t0", "t1" (the text and its focused link) or "-".
    std::string Focus() const {
        CControlUI* focus = host.pm.GetFocus();
        if (focus == nullptr) return "-";
        if (focus == text) return "t" + std::to_string(text->GetFocusedLink());
        return layouttest::Narrow(focus->GetName());
    }

    CHost host;
    CLog log;
    CTextUI* text = nullptr;
};

TEST_F(TextLinks, TabVisitsEachLinkAndEnterOrSpaceFollowsIt) {
    EXPECT_EQ(text->GetTextStyle() & (DT_WORDBREAK | DT_SINGLELINE), static_cast<UINT>(DT_WORDBREAK));
    ASSERT_EQ(text->GetLinkCount(), 3);  // the second link wraps: two rectangles
    ASSERT_EQ(text->GetDrawnLinks(), (std::vector<int>{0, 1}));
    // The label is no tab stop; the button and each link are, and the focus goes round.
    const struct {
        bool back;
        const char* focus;
    } kSteps[] = {{false, "ok"}, {false, "t0"}, {false, "t1"}, {false, "ok"},
                  {true, "t1"},  {true, "t0"},  {true, "ok"},  {true, "t1"}};
    for (const auto& step : kSteps) {
        Tab(step.back);
        EXPECT_EQ(Focus(), step.focus) << (step.back ? "Shift+Tab" : "Tab");
    }
    Key(VK_RETURN);
    Tab(true);
    Key(VK_SPACE);
    EXPECT_EQ(log.notes, "link:help link:faq ");
    Tab(true);
    ASSERT_EQ(Focus(), "ok");
    Key(VK_RETURN);  // a button's Enter clicks the button
    EXPECT_EQ(log.notes, "link:help link:faq click ");
    // A click on a link gives it the focus and follows it.
    const RECT rc = text->GetLinkRect(0);
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageW(host.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(host.GetHWND(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Focus(), "t0");
    EXPECT_EQ(log.notes, "link:help link:faq click link:faq ");
}

TEST_F(TextLinks, FocusedLinkHasAFrameOnEachOfItsLines) {
    Tab(false);
    Tab(false);
    ASSERT_EQ(Focus(), "t0");
    const std::vector<std::vector<DWORD>> first = Borders();
    Tab(false);  // to the link that wraps
    const std::vector<std::vector<DWORD>> second = Borders();
    for (int k = 0; k < text->GetLinkCount(); ++k) {
        // Only the frame moves: off the first link's rectangle, onto each of the second's.
        EXPECT_NE(first[static_cast<size_t>(k)], second[static_cast<size_t>(k)]) << "rectangle " << k;
    }
    text->GetManager()->SetFocusControl(nullptr);
    const std::vector<std::vector<DWORD>> none = Borders();
    for (int k = 0; k < text->GetLinkCount(); ++k) {
        const std::vector<DWORD>& framed = text->GetLinkOrdinal(k) == 0 ? first[static_cast<size_t>(k)]
                                                                         : second[static_cast<size_t>(k)];
        EXPECT_NE(none[static_cast<size_t>(k)], framed) << "rectangle " << k;
    }
}

TEST_F(TextLinks, ScreenReadersSeeLinksBelowTheText) {
    EXPECT_EQ(Accessible::Describe(text).name, CUIString(L"see the FAQ or the long help page that wraps now"));
    std::vector<CControlUI*> links;
    Accessible::ChildrenOf(&host.pm, text, links);
    ASSERT_EQ(links.size(), 2u);
    const wchar_t* const kNames[] = {L"the FAQ", L"the long help page that wraps"};
    const wchar_t* const kTargets[] = {L"faq", L"help"};
    for (size_t k = 0; k < links.size(); ++k) {
        const TUIAccessibleInfo info = Accessible::Describe(links[k]);
        EXPECT_EQ(info.role, ROLE_SYSTEM_LINK);
        EXPECT_EQ(info.name, CUIString(kNames[k]));
        EXPECT_EQ(info.value, CUIString(kTargets[k]));
        EXPECT_NE(info.state & STATE_SYSTEM_LINKED, 0u);
        EXPECT_TRUE(Accessible::HasDefaultAction(links[k]));
        EXPECT_EQ(Accessible::ParentOf(links[k]), text);
        EXPECT_TRUE(Accessible::IsInTree(&host.pm, links[k]));
    }
    Tab(false);
    Tab(false);
    EXPECT_NE(Accessible::Describe(links[0]).state & STATE_SYSTEM_FOCUSED, 0u);
    EXPECT_EQ(Accessible::Describe(links[1]).state & STATE_SYSTEM_FOCUSED, 0u);
    // The default action follows the link, as a click does.
    EXPECT_TRUE(links[1]->Activate());
    EXPECT_EQ(log.notes, "link:help ");
    // Links no longer drawn are no longer elements.
    text->SetText(L"no links");
    Draw();
    Accessible::ChildrenOf(&host.pm, text, links);
    EXPECT_TRUE(links.empty());
    EXPECT_EQ(text->GetControlFlags() & UIFLAG_TABSTOP, 0u);
}

}  // namespace
