// Menus in real windows, driven by window messages: keyboard navigation over
// separators and disabled rows, submenus by keys and by resting the pointer, the
// modal loop returning the chosen row, presses outside, placement at the work
// area's edges, what a screen reader reads of an open menu, and bad input (an
// empty menu, a menu opened while one is open, thousands of rows, rows removed
// while highlighted, the window or the menu destroyed while open).
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widgets/layout_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/menu/menu.h"
#include "ui/widgets/menu/menu_element.h"
#include "ui/widgets/menu/menu_level.h"

using namespace SkinUI;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout>"
    L"<Button name=\"open\" height=\"24\" text=\"Open menu\"/>"
    L"<Menu name=\"m\" trigger=\"open\" itemheight=\"20\" showdelay=\"30\">"
    L"<MenuElement name=\"new\" text=\"&amp;New\" shortcuttext=\"Ctrl+N\"/>"
    L"<MenuElement separator=\"true\"/>"
    L"<MenuElement name=\"save\" text=\"&amp;Save\" enabled=\"false\"/>"
    L"<MenuElement name=\"wrap\" text=\"&amp;Wrap\" checked=\"true\"/>"
    L"<MenuElement name=\"recent\" text=\"&amp;Recent\">"
    L"<MenuElement name=\"r1\" text=\"One\"/><MenuElement name=\"r2\" text=\"&amp;Two\"/></MenuElement>"
    L"<MenuElement name=\"exit\" text=\"E&amp;xit\"/>"
    L"</Menu><Menu name=\"empty\"/>"
    L"</VerticalLayout></Window>";

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

std::string Name(CControlUI* c) { return c != nullptr ? layouttest::Narrow(c->GetName().GetData()) : "-"; }

class CMenuHost final : public INotifyUI {
public:
    bool Open() {
        if (!host.Open(kSkin, 200, 120, true)) return false;
        host.pm.AddNotifier(this);
        Settle();
        return true;
    }
    // The display's late news of new windows (the window's move, activation going to a popup
    // under a display without a window manager) come now, not while a menu is open.
    void Settle() {
        for (int i = 0; i < 5; ++i) {
            ::SetActiveWindow(host.GetHWND());
            ::Sleep(10);
            Pump();
        }
    }
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"menuselect") notes += "menuselect:" + Name(msg.pSender) + ":" + std::to_string(msg.wParam) + " ";
    }
    CMenuUI* Menu(const wchar_t* name = L"m") { return static_cast<CMenuUI*>(host.Find(name)->GetInterface(L"Menu")); }
    void Send(UINT msg, WPARAM key) { ::SendMessageW(host.GetHWND(), msg, key, 1); }
    void Post(UINT msg, WPARAM key) { ::PostMessageW(host.GetHWND(), msg, key, 1); }
    // The highlighted row of the innermost level.
    std::string Hot() {
        CMenuUI* m = Menu();
        return Name(m->GetHotItem(m->GetLevelCount() - 1));
    }
    // A row of an open level, by name.
    CMenuElementUI* Row(int level, const wchar_t* name) {
        CMenuLevelUI* root = Menu()->GetLevelRoot(level);
        for (int i = 0; root != nullptr && i < root->GetCount(); ++i) {
            if (root->GetItemAt(i)->GetName() == name) return static_cast<CMenuElementUI*>(root->GetItemAt(i));
        }
        return nullptr;
    }
    void Mouse(int level, const wchar_t* name, UINT msg) {
        CMenuElementUI* row = Row(level, name);
        if (row == nullptr) {
            std::string have;
            CMenuLevelUI* root = Menu()->GetLevelRoot(level);
            for (int i = 0; root != nullptr && i < root->GetCount(); ++i) have += Name(root->GetItemAt(i)) + ",";
            ADD_FAILURE() << "no row " << layouttest::Narrow(name) << " in level " << level << " of "
                          << Menu()->GetLevelCount() << ": " << have << " closed " << static_cast<int>(Menu()->GetCloseReason());
            return;
        }
        const RECT rc = row->GetPos();
        ::SendMessageW(Menu()->GetLevelWindow(level), msg, msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                       MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
    }

    layouttest::CHost host;
    std::string notes;
};

TEST(Menu, KeysNavigateOpenSubmenusAndChoose) {
    CMenuHost t;
    ASSERT_TRUE(t.Open());
    CMenuUI* menu = t.Menu();
    ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
    EXPECT_FALSE(t.host.Find(L"m")->IsVisible());  // a definition, never shown in place
    const struct {
        UINT msg;
        WPARAM key;
        int levels;
        const char* hot;
        const char* notes;
    } kSteps[] = {
        {WM_KEYDOWN, VK_DOWN, 1, "new", ""},
        {WM_KEYDOWN, VK_DOWN, 1, "wrap", ""},  // over the separator and the disabled row
        {WM_KEYDOWN, VK_DOWN, 1, "recent", ""},
        {WM_KEYDOWN, VK_RIGHT, 2, "r1", ""},
        {WM_KEYDOWN, VK_UP, 2, "r2", ""},  // wraps
        {WM_KEYDOWN, VK_LEFT, 1, "recent", ""},
        {WM_KEYDOWN, VK_RETURN, 2, "r1", ""},
        {WM_KEYDOWN, VK_ESCAPE, 1, "recent", ""},
        {WM_KEYDOWN, VK_DOWN, 1, "exit", ""},
        {WM_KEYDOWN, VK_DOWN, 1, "new", ""},  // wraps
        {WM_KEYDOWN, VK_END, 1, "exit", ""},
        {WM_CHAR, 's', 1, "exit", ""},  // the disabled row's mnemonic does nothing
        {WM_CHAR, 'r', 2, "r1", ""},    // a mnemonic opens a submenu
        {WM_CHAR, 't', 0, "-", "menuselect:r2:1 "},
    };
    int i = 0;
    for (const auto& step : kSteps) {
        SCOPED_TRACE("step " + std::to_string(i++));
        t.notes.clear();
        t.Send(step.msg, step.key);
        EXPECT_EQ(menu->GetLevelCount(), step.levels);
        if (step.levels > 0) {
            EXPECT_EQ(t.Hot(), step.hot);
        }
        EXPECT_EQ(t.notes, step.notes);
    }
    // Closed, the rows are back in the definition, the submenu's in its row.
    EXPECT_EQ(menu->GetCount(), 6);
    EXPECT_EQ(static_cast<CMenuElementUI*>(menu->GetItemAt(4))->GetCount(), 2);
    EXPECT_EQ(CMenuUI::GetOpenMenu(), nullptr);
    // Esc at the top closes without a choice; so does F10.
    for (WPARAM key : {VK_ESCAPE, VK_F10}) {
        t.notes.clear();
        ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
        t.Send(WM_KEYDOWN, VK_RETURN);  // nothing highlighted: nothing happens
        t.Send(WM_KEYDOWN, key);
        EXPECT_FALSE(menu->IsOpen());
        EXPECT_EQ(t.notes, "");
    }
}

TEST(Menu, TrackPopupRunsUntilClosedAndReturnsTheChoice) {
    CMenuHost t;
    ASSERT_TRUE(t.Open());
    const struct {
        WPARAM keys[3];
        const char* chosen;
        const char* notes;
    } kCases[] = {
        {{VK_DOWN, VK_RETURN, 0}, "new", "menuselect:new:0 "},
        {{'w', 0, 0}, "wrap", "menuselect:wrap:3 "},
        {{VK_DOWN, VK_ESCAPE, 0}, "", ""},
    };
    for (const auto& c : kCases) {
        t.notes.clear();
        for (WPARAM key : c.keys) {
            if (key != 0) t.Post(key >= 'a' ? WM_CHAR : WM_KEYDOWN, key);
        }
        const CUIString chosen = t.Menu()->TrackPopup(&t.host.pm, POINT{50, 50});
        EXPECT_EQ(layouttest::Narrow(chosen.GetData()), c.chosen);
        EXPECT_EQ(t.notes, c.notes);
    }
    // The trigger button opens it below itself; the keys typed meanwhile drive it.
    t.notes.clear();
    t.Post(WM_KEYDOWN, VK_UP);
    t.Post(WM_KEYDOWN, VK_RETURN);
    t.host.Click(L"open");
    EXPECT_EQ(t.notes, "menuselect:exit:5 ");
    // From a menu file.
    t.Post(WM_KEYDOWN, VK_DOWN);
    t.Post(WM_KEYDOWN, VK_RETURN);
    const CUIString chosen = CMenuUI::TrackPopupFrom(
        &t.host.pm, L"<Window><Menu><MenuElement name=\"a\" text=\"A\"/></Menu></Window>", POINT{60, 60});
    EXPECT_EQ(std::wstring(chosen.GetData()), L"a");
    EXPECT_TRUE(CMenuUI::TrackPopupFrom(&t.host.pm, L"<Window><Label/></Window>", POINT{0, 0}).IsEmpty());
}

TEST(Menu, RestingOnASubmenuRowOpensItAfterTheDelay) {
    CMenuHost t;
    ASSERT_TRUE(t.Open());
    CMenuUI* menu = t.Menu();
    ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
    t.Mouse(0, L"recent", WM_MOUSEMOVE);
    EXPECT_EQ(t.Hot(), "recent");
    EXPECT_EQ(menu->GetLevelCount(), 1);  // not yet: the show delay
    // Only the menu's timer: under a display without a window manager, reading the display's
    // news would tell the test window it lost activation to the new submenu window, which
    // closes the menu as it should.
    HWND top = menu->GetLevelWindow(0);
    for (int i = 0; i < 100 && menu->GetLevelCount() < 2; ++i) {
        ::Sleep(10);
        MSG msg;
        while (::PeekMessageW(&msg, top, WM_TIMER, WM_TIMER, PM_REMOVE | PM_QS_POSTMESSAGE)) ::DispatchMessageW(&msg);
    }
    ASSERT_EQ(menu->GetLevelCount(), 2);
    EXPECT_EQ(t.Hot(), "-");  // opened by the pointer: nothing highlighted in it
    EXPECT_EQ(Name(menu->GetHotItem(0)), "recent");
    menu->Close();
    EXPECT_EQ(menu->GetCloseReason(), EPopupClose::kProgram);
}

// In a window of its own: under a display without a window manager, the submenu window shown
// above takes the activation from the test window once the display is read, which closes the
// menu as it should.
TEST(Menu, ClicksChooseOrOpenAndPressesOutsideClose) {
    CMenuHost t;
    ASSERT_TRUE(t.Open());
    CMenuUI* menu = t.Menu();
    // A click chooses a row.
    ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
    t.Mouse(0, L"wrap", WM_LBUTTONDOWN);
    t.Mouse(0, L"wrap", WM_LBUTTONUP);
    EXPECT_EQ(t.notes, "menuselect:wrap:3 ");
    EXPECT_FALSE(menu->IsOpen());

    // A click on a disabled row or a separator does nothing; a press in the window closes all levels.
    t.notes.clear();
    ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
    t.Mouse(0, L"save", WM_LBUTTONDOWN);
    t.Mouse(0, L"save", WM_LBUTTONUP);
    t.Mouse(0, L"recent", WM_LBUTTONDOWN);
    t.Mouse(0, L"recent", WM_LBUTTONUP);  // a click opens a submenu at once
    ASSERT_EQ(menu->GetLevelCount(), 2);
    HWND windows[] = {menu->GetLevelWindow(0), menu->GetLevelWindow(1)};
    ::SendMessageW(t.host.GetHWND(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 100));
    ::SendMessageW(t.host.GetHWND(), WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(menu->GetCloseReason(), EPopupClose::kOutsideClick);
    Pump();
    for (HWND w : windows) EXPECT_FALSE(::IsWindow(w));
    EXPECT_EQ(t.notes, "");
}

TEST(Menu, PlacementFlipsAtTheWorkAreasEdges) {
    const RECT work = {0, 0, 800, 600};
    const struct {
        POINT pt;
        SIZE size;
        RECT expected;
    } kCases[] = {
        {{100, 100}, {150, 200}, {100, 100, 250, 300}},
        {{700, 100}, {150, 200}, {550, 100, 700, 300}},  // left of the point
        {{100, 500}, {150, 200}, {100, 300, 250, 500}},  // above it
        {{700, 500}, {150, 200}, {550, 300, 700, 500}},  // both
        {{100, 300}, {150, 900}, {100, 300, 250, 600}},  // too tall anywhere: the roomier side, cut
    };
    for (const auto& c : kCases) {
        const RECT rc = CMenuUI::PlaceAtPoint(c.pt, c.size, work);
        EXPECT_TRUE(::EqualRect(&rc, &c.expected))
            << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << " at " << c.pt.x << "," << c.pt.y;
    }
    // A real menu at the screen's right edge: it and its submenu open to the left.
    CMenuHost t;
    ASSERT_TRUE(t.Open());
    const int right = ::GetSystemMetrics(SM_CXSCREEN);
    ASSERT_TRUE(t.Menu()->Popup(&t.host.pm, POINT{right - 10, 100}));
    t.Send(WM_CHAR, 'r');
    ASSERT_EQ(t.Menu()->GetLevelCount(), 2);
    RECT top = {}, sub = {};
    ::GetWindowRect(t.Menu()->GetLevelWindow(0), &top);
    ::GetWindowRect(t.Menu()->GetLevelWindow(1), &sub);
    EXPECT_EQ(top.right, right - 10);
    EXPECT_EQ(sub.right, top.left);
    t.Menu()->Close();
}

TEST(Menu, ScreenReadersSeeAMenuPopupOfMenuItems) {
    CMenuHost t;
    ASSERT_TRUE(t.Open());
    CMenuUI* menu = t.Menu();
    ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
    t.Send(WM_KEYDOWN, VK_DOWN);
    CPaintManagerUI* pm = menu->GetLevelRoot(0)->GetManager();
    std::vector<CControlUI*> top;
    Accessible::ChildrenOf(pm, nullptr, top);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(Accessible::RoleOf(top[0]), ROLE_SYSTEM_MENUPOPUP);
    std::vector<CControlUI*> rows;
    Accessible::ChildrenOf(pm, top[0], rows);
    ASSERT_EQ(rows.size(), 6u);
    const struct {
        LONG role;
        const wchar_t* name;
        DWORD on;
        DWORD off;
    } kRows[] = {
        {ROLE_SYSTEM_MENUITEM, L"New", STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED, STATE_SYSTEM_CHECKED},
        {ROLE_SYSTEM_SEPARATOR, L"", 0, STATE_SYSTEM_FOCUSABLE},
        {ROLE_SYSTEM_MENUITEM, L"Save", STATE_SYSTEM_UNAVAILABLE, STATE_SYSTEM_FOCUSABLE},
        {ROLE_SYSTEM_MENUITEM, L"Wrap", STATE_SYSTEM_CHECKED, STATE_SYSTEM_HASPOPUP},
        {ROLE_SYSTEM_MENUITEM, L"Recent", STATE_SYSTEM_HASPOPUP, STATE_SYSTEM_CHECKED},
        {ROLE_SYSTEM_MENUITEM, L"Exit", STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const TUIAccessibleInfo info = Accessible::Describe(rows[i]);
        EXPECT_EQ(info.role, kRows[i].role);
        EXPECT_EQ(std::wstring(info.name.GetData()), kRows[i].name);
        EXPECT_EQ(info.state & kRows[i].on, kRows[i].on);
        EXPECT_EQ(info.state & kRows[i].off, 0u);
    }
    EXPECT_EQ(std::wstring(Accessible::Describe(rows[0]).value.GetData()), L"Ctrl+N");
    // The default action opens a submenu, as for a click.
    EXPECT_TRUE(Accessible::HasDefaultAction(rows[4]));
    EXPECT_FALSE(Accessible::HasDefaultAction(rows[2]));
    EXPECT_TRUE(rows[4]->Activate());
    EXPECT_EQ(menu->GetLevelCount(), 2);
    menu->Close();
}

TEST(Menu, OnlyARealMoveOrLossOfActivationClosesIt) {
    CMenuHost t;
    ASSERT_TRUE(t.Open());
    CMenuUI* menu = t.Menu();
    const struct {
        const char* what;
        UINT msg;
        bool toSubmenu;  // WM_ACTIVATE's other window: the submenu, or none
        bool closes;
    } kCases[] = {
        {"the display's late report of where the window stands", WM_MOVE, false, false},
        {"activation handed to the submenu", WM_ACTIVATE, true, false},
        {"activation gone elsewhere", WM_ACTIVATE, false, true},
        {"cancelled", WM_CANCELMODE, false, true},
        {"the window moved", 0, false, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
        t.Send(WM_CHAR, 'r');
        ASSERT_EQ(menu->GetLevelCount(), 2);
        HWND owner = t.host.GetHWND();
        if (c.msg == 0) {
            RECT rc = {};
            ::GetWindowRect(owner, &rc);
            ::SetWindowPos(owner, nullptr, rc.left + 10, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        } else {
            const WPARAM w = c.msg == WM_ACTIVATE ? WA_INACTIVE : 0;
            ::SendMessageW(owner, c.msg, w, reinterpret_cast<LPARAM>(c.toSubmenu ? menu->GetLevelWindow(1) : nullptr));
        }
        EXPECT_EQ(menu->GetLevelCount(), c.closes ? 0 : 2);
        if (c.closes) {
            EXPECT_EQ(menu->GetCloseReason(), EPopupClose::kOwnerDeactivated);
        }
        menu->Close();
    }
}

TEST(Menu, BadInputNeitherCrashesNorLeavesADanglingRow) {
    CMenuHost t;
    ASSERT_TRUE(t.Open());
    CMenuUI* menu = t.Menu();
    // An empty menu does not open; nor does any while one is open (a menu that opens itself).
    EXPECT_FALSE(t.Menu(L"empty")->Popup(&t.host.pm, POINT{10, 10}));
    EXPECT_TRUE(t.Menu(L"empty")->TrackPopup(&t.host.pm, POINT{10, 10}).IsEmpty());
    EXPECT_FALSE(menu->Popup(nullptr, POINT{10, 10}));
    ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
    EXPECT_TRUE(menu->TrackPopup(&t.host.pm, POINT{10, 10}).IsEmpty());
    EXPECT_TRUE(menu->IsOpen());
    EXPECT_EQ(menu->GetLevelCount(), 1);

    // The highlighted row removed: no highlight is left, and the keys go on.
    t.Send(WM_KEYDOWN, VK_DOWN);
    CMenuElementUI* hot = menu->GetHotItem(0);
    ASSERT_NE(hot, nullptr);
    ASSERT_TRUE(menu->GetLevelRoot(0)->Remove(hot));
    EXPECT_EQ(menu->GetHotItem(0), nullptr);
    t.Send(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(t.Hot(), "wrap");
    // The row of an open submenu removed: the submenu closes with its rows.
    t.Send(WM_CHAR, 'r');
    ASSERT_EQ(menu->GetLevelCount(), 2);
    HWND sub = menu->GetLevelWindow(1);
    ASSERT_TRUE(menu->GetLevelRoot(0)->Remove(t.Row(0, L"recent")));
    Pump();
    EXPECT_EQ(menu->GetLevelCount(), 1) << "closed " << static_cast<int>(menu->GetCloseReason());
    EXPECT_FALSE(::IsWindow(sub));
    t.Send(WM_KEYDOWN, VK_ESCAPE);
    EXPECT_EQ(menu->GetCount(), 4);  // the two removed rows are gone for good

    // Thousands of rows: the last is reached and scrolled to.
    for (int i = 0; i < 3000; ++i) {
        auto* row = new CMenuElementUI;
        row->SetText((L"Row " + std::to_wstring(i)).c_str());
        menu->Add(row);
    }
    ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
    t.Send(WM_KEYDOWN, VK_END);
    CMenuLevelUI* root = menu->GetLevelRoot(0);
    EXPECT_EQ(menu->GetHotItem(0), root->GetItemAt(root->GetCount() - 1));
    EXPECT_GT(root->GetScrollPos().cy, 0);
    ::UpdateWindow(menu->GetLevelWindow(0));

    // The window destroyed while the menu is open: its windows go, the rows go home.
    t.Send(WM_CHAR, 'w');  // chooses "wrap"
    ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
    HWND level = menu->GetLevelWindow(0);
    ::DestroyWindow(t.host.GetHWND());
    EXPECT_FALSE(::IsWindow(level));
    EXPECT_FALSE(menu->IsOpen());
    EXPECT_EQ(CMenuUI::GetOpenMenu(), nullptr);
}

TEST(Menu, DestroyedWhileOpenLeavesNothingBehind) {
    CMenuHost t;
    ASSERT_TRUE(t.Open());
    auto* menu = new CMenuUI;
    auto* parent = new CMenuElementUI;
    parent->SetText(L"&Sub");
    auto* child = new CMenuElementUI;
    child->SetText(L"Child");
    parent->Add(child);
    menu->Add(parent);
    ASSERT_TRUE(menu->Popup(&t.host.pm, POINT{100, 100}));
    t.Send(WM_CHAR, 's');
    ASSERT_EQ(menu->GetLevelCount(), 2);
    HWND windows[] = {menu->GetLevelWindow(0), menu->GetLevelWindow(1)};
    delete menu;
    Pump();
    for (HWND w : windows) EXPECT_FALSE(::IsWindow(w));
    EXPECT_EQ(CMenuUI::GetOpenMenu(), nullptr);
    t.Send(WM_KEYDOWN, VK_DOWN);  // the window's keys are its own again
}

}  // namespace
