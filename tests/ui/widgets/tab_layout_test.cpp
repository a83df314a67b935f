// Tab layouts in a real window: pages chosen by markup, by code and by the
// buttons bound to the layout (clicked with mouse messages), "tabselect", what
// a screen reader sees, and the sliding tab layout ending exactly where the
// plain one is, with no timer while nobody can see it.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <cstdlib>
#include <vector>

#include "tests/ui/widgets/layout_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/layout/animation_tab_layout.h"

using namespace SkinUI;
using layouttest::CHost;

namespace {

const wchar_t kBoundTabs[] =
    L"<Window><VerticalLayout><HorizontalLayout height=\"30\">"
    L"<Button name=\"b0\" text=\"0\" width=\"40\" bindtablayoutname=\"tabs\" bindtabindex=\"0\"/>"
    L"<Button name=\"b1\" text=\"1\" width=\"40\" bindtablayoutname=\"tabs\" bindtabindex=\"1\"/>"
    L"<Button name=\"b2\" text=\"2\" width=\"40\" bindtablayoutname=\"tabs\" bindtabindex=\"2\"/>"
    L"<Button name=\"b7\" text=\"7\" width=\"40\" bindtablayoutname=\"tabs\" bindtabindex=\"7\"/>"
    L"<Button name=\"bx\" text=\"x\" width=\"40\" bindtablayoutname=\"nosuch\" bindtabindex=\"0\"/>"
    L"</HorizontalLayout><TabLayout name=\"tabs\" selectedid=\"1\">"
    L"<VerticalLayout name=\"p0\"/><VerticalLayout name=\"p1\"/><Label name=\"p2\" text=\"two\"/>"
    L"</TabLayout></VerticalLayout></Window>";

CTabLayoutUI* Tabs(CHost& host, const wchar_t* name) {
    return static_cast<CTabLayoutUI*>(host.Find(name)->GetInterface(L"TabLayout"));
}

TEST(TabLayout, BoundButtonsShowTheirPagesAndEachChangeIsNotified) {
    CHost host;
    ASSERT_TRUE(host.Open(kBoundTabs, 300, 200, true));
    const struct {
        const wchar_t* click;
        int shown;
        const char* notes;
    } kSteps[] = {
        {nullptr, 1, ""},  // the skin's choice sends nothing
        {L"b2", 2, "tabs:2:1 "}, {L"b2", 2, ""}, {L"b0", 0, "tabs:0:2 "},
        {L"b7", 0, ""},  // there is no page 7
        {L"bx", 0, ""},  // bound to a layout that is not there
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(layouttest::Narrow(step.click));
        host.notes.clear();
        if (step.click != nullptr) host.Click(step.click);
        host.Place();
        EXPECT_EQ(host.notes, step.notes);
        EXPECT_EQ(Tabs(host, L"tabs")->GetCurSel(), step.shown);
        for (int i = 0; i < 3; ++i) {
            CControlUI* page = host.Find((L"p" + std::to_wstring(i)).c_str());
            EXPECT_EQ(page->IsVisible(), i == step.shown) << i;
            EXPECT_EQ((Accessible::Describe(page).state & STATE_SYSTEM_INVISIBLE) != 0, i != step.shown) << i;
            const TUIAccessibleInfo tab = Accessible::Describe(host.Find((L"b" + std::to_wstring(i)).c_str()));
            EXPECT_EQ(tab.role, ROLE_SYSTEM_PAGETAB);
            EXPECT_EQ((tab.state & STATE_SYSTEM_SELECTED) != 0, i == step.shown) << i;
        }
        EXPECT_EQ(host.Find((L"p" + std::to_wstring(step.shown)).c_str())->GetPos(), host.Find(L"tabs")->GetPos());
    }
    EXPECT_EQ(Accessible::RoleOf(host.Find(L"b0")->GetParent()), ROLE_SYSTEM_PAGETABLIST);
}

TEST(TabLayout, SelectionFollowsItsPageWhenTheListChanges) {
    CHost host;
    ASSERT_TRUE(host.Open(kBoundTabs, 300, 200, false));
    CTabLayoutUI* tabs = Tabs(host, L"tabs");
    CControlUI* p1 = host.Find(L"p1");
    tabs->AddAt(new CControlUI, 0);  // before the page shown: the index moves with it
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_FALSE(tabs->GetItemAt(0)->IsVisible());
    tabs->SetItemIndex(p1, 3);
    EXPECT_EQ(tabs->GetCurSel(), 3);
    EXPECT_TRUE(tabs->Remove(p1));  // the page that takes its place shows
    EXPECT_EQ(tabs->GetCurSel(), 2);
    EXPECT_TRUE(tabs->GetItemAt(2)->IsVisible());
    EXPECT_TRUE(tabs->SelectPage(host.Find(L"p0")));
    EXPECT_EQ(host.notes, "tabs:1:2 ");
    EXPECT_FALSE(tabs->SelectItem(-1));
    tabs->RemoveAll();
    EXPECT_EQ(tabs->GetCurSel(), -1);
    EXPECT_FALSE(tabs->SelectItem(0));
}

DWORD g_now = 1000;
DWORD FakeClock() { return g_now; }
struct FakeClockScope {
    FakeClockScope() { CFrameAnimation::SetClock(&FakeClock); }
    ~FakeClockScope() { CFrameAnimation::SetClock(nullptr); }
};

// A plain and a sliding tab layout of the same size, with the same pages.
const wchar_t kTwins[] =
    L"<Window><HorizontalLayout><TabLayout name=\"plain\" inset=\"2,3,4,5\"><Control/><VerticalLayout>"
    L"<Control height=\"20\"/><Control/></VerticalLayout><Control/></TabLayout>"
    L"<AnimationTabLayout name=\"slide\" inset=\"2,3,4,5\" %s><Control/><VerticalLayout><Control height=\"20\"/>"
    L"<Control/></VerticalLayout><Control/></AnimationTabLayout></HorizontalLayout></Window>";

// Every rectangle and visibility of a subtree, relative to its top-left corner.
void Shape(CControlUI* control, const CUIRect& origin, std::vector<CUIRect>& out) {
    CUIRect rc = control->GetPos();
    if (!rc.IsNull()) rc.Offset(-origin.left, -origin.top);  // a page never shown was never placed
    out.push_back(rc);
    out.push_back(CUIRect(control->IsVisible(), 0, 0, 0));
    auto* container = static_cast<IContainerUI*>(control->GetInterface(L"IContainer"));
    for (int i = 0; container != nullptr && i < container->GetCount(); ++i) Shape(container->GetItemAt(i), origin, out);
}
std::vector<CUIRect> Shape(CControlUI* layout) {
    std::vector<CUIRect> out;
    Shape(layout, layout->GetPos(), out);
    return out;
}

TEST(AnimationTabLayout, SlidesInAndEndsInThePlainState) {
    FakeClockScope clock;
    const struct {
        const wchar_t* direction;
        int from, to, dx, dy;  // where the new page starts, in content widths and heights
    } kCases[] = {{L"", 0, 2, 1, 0},
                  {L"animationdirection=\"horizontal\"", 2, 1, -1, 0},
                  {L"animationdirection=\"vertical\"", 0, 1, 0, 1},
                  {L"animationdirection=\"vertical\"", 2, 0, 0, -1}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(layouttest::Narrow(c.direction));
        wchar_t markup[1024];
        ::wsprintfW(markup, kTwins, c.direction);
        CHost host;
        ASSERT_TRUE(host.Open(markup, 400, 200, true));
        CTabLayoutUI* plain = Tabs(host, L"plain");
        auto* slide = static_cast<CAnimationTabLayoutUI*>(Tabs(host, L"slide"));
        for (int index : {c.from, c.to}) {
            host.Place();
            host.notes.clear();
            plain->SelectItem(index);
            slide->SelectItem(index);
        }
        const std::string change = std::to_string(c.to) + ":" + std::to_string(c.from) + " ";
        EXPECT_EQ(host.notes, "plain:" + change + "slide:" + change);
        ASSERT_TRUE(slide->IsSliding());
        const CUIRect content = slide->GetClientPos();
        const SIZE way = {c.dx * content.GetWidth(), c.dy * content.GetHeight()};
        TUIEvent tick;
        tick.Type = UIEVENT_TIMER;
        tick.wParam = CAnimationTabLayoutUI::kSlideTimer;
        for (int step = 0; step < 3; ++step) {  // at 0, 100 and 200 ms
            if (step > 0) slide->HandleEvent(tick);
            host.Place();
            CUIRect home = plain->GetItemAt(c.to)->GetPos();
            home.Offset(slide->GetX() - plain->GetX(), 0);
            const CUIRect at = slide->GetItemAt(c.to)->GetPos();
            const LONG left = (at.left - home.left) + (at.top - home.top);  // of the way, along the axis
            const LONG whole = way.cx + way.cy;
            // All of it at first, less than half of it halfway through the time (eased), none at the end.
            const bool expected[] = {left == whole, std::abs(left) > 0 && std::abs(left) < std::abs(whole) / 2,
                                     left == 0};
            EXPECT_TRUE(expected[step]) << "step " << step << ": " << left << " of " << whole;
            EXPECT_EQ(slide->IsSliding(), step < 2);
            g_now += 100;
        }
        EXPECT_FALSE(host.pm.KillControlTimer(slide, CAnimationTabLayoutUI::kSlideTimer));  // none left
        EXPECT_EQ(Shape(slide), Shape(plain));
    }
}

TEST(AnimationTabLayout, NoTimerRunsWhileTheWindowIsNotSeen) {
    FakeClockScope clock;
    wchar_t markup[1024];
    ::wsprintfW(markup, kTwins, L"");
    const struct {
        bool shown, layoutShown;
        int then;  // a ShowWindow command, or -1
    } kCases[] = {{false, true, -1}, {true, false, -1}, {true, true, SW_MINIMIZE}, {true, true, SW_HIDE}};
    for (const auto& c : kCases) {
        CHost host;
        ASSERT_TRUE(host.Open(markup, 400, 200, c.shown));
        auto* slide = static_cast<CAnimationTabLayoutUI*>(Tabs(host, L"slide"));
        slide->GetParent()->SetVisible(c.layoutShown);
        slide->SelectItem(1);
        EXPECT_EQ(slide->IsSliding(), c.shown && c.layoutShown);
        if (c.then >= 0) ::ShowWindow(host.GetHWND(), c.then);
        EXPECT_FALSE(slide->IsSliding()) << c.then;
        EXPECT_FALSE(host.pm.KillControlTimer(slide, CAnimationTabLayoutUI::kSlideTimer)) << c.then;
        EXPECT_EQ(slide->GetCurSel(), 1);
    }
}

}  // namespace
