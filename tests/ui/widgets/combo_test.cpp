// Combos in a real window, driven by window messages: opening and closing with the
// mouse and the keys, picking rows in the drop-down, presses outside it, the window
// losing activation, and what a screen reader reads. Bad input: an empty combo, an
// index out of range, thousands of items, a combo or window destroyed while open.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widgets/layout_host.h"
#include "ui/controls/label.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/common/popup_window.h"
#include "ui/widgets/input/combo_box.h"
#include "ui/widgets/input/combo_list.h"

using namespace SkinUI;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout>"
    L"<Combo name=\"c\" height=\"24\" dropboxsize=\"0,60\" itemheight=\"20\">"
    L"<Label name=\"i0\" text=\"Zero\"/><Label text=\"One\"/><Label text=\"Two\" enabled=\"false\"/>"
    L"<Label text=\"Three\"/><Label text=\"Four\"/></Combo>"
    L"<ComboBox name=\"empty\" height=\"24\" arrowimage=\"missing.png\" selectedid=\"3\"/>"
    L"<Button name=\"other\" height=\"24\" text=\"Other\"/>"
    L"</VerticalLayout></Window>";

// The host, writing down the combos' notifications.
class CComboHost final : public SkinUI::INotifyUI {
public:
    bool Open(int percent = 100) {
        if (!host.Open(kSkin, 200, 120, true, percent)) return false;
        host.pm.AddNotifier(this);
        ::SetActiveWindow(host.GetHWND());
        return true;
    }
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType == L"itemselect")
            notes += "itemselect:" + std::to_string(static_cast<int>(msg.wParam)) + ":" +
                     std::to_string(static_cast<int>(msg.lParam)) + " ";
        if (msg.sType == L"dropdown") notes += "dropdown ";
        if (msg.sType == L"dropup") notes += "dropup:" + std::to_string(msg.wParam) + " ";
    }
    CComboUI* Combo(const wchar_t* name = L"c") {
        return static_cast<CComboUI*>(host.Find(name)->GetInterface(L"Combo"));
    }
    void Key(UINT vk, UINT msg = WM_KEYDOWN) { ::SendMessageW(host.GetHWND(), msg, vk, 1); }
    // A click on row `row` of the open drop-down.
    void ClickRow(int row) {
        CComboUI* combo = Combo();
        const RECT rc = combo->GetDropList()->RowRect(row);
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        HWND popup = combo->GetDropWindow();
        ::SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(popup, WM_LBUTTONUP, 0, at);
    }

    layouttest::CHost host;
    std::string notes;
};

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

TEST(Combo, MouseAndKeysOpenCloseAndSelect) {
    CComboHost t;
    ASSERT_TRUE(t.Open());
    CComboUI* combo = t.Combo();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->GetCount(), 5);
    enum { kClick, kRow, kKey, kAlt };
    const struct {
        int how;
        const wchar_t* name;  // clicked control
        int arg;              // row or key
        bool dropped;
        int selected;
        const char* notes;
    } kSteps[] = {
        {kClick, L"c", 0, true, -1, "dropdown "},
        {kRow, nullptr, 2, true, -1, ""},  // a disabled row is not picked
        {kRow, nullptr, 1, false, 1, "itemselect:1:-1 dropup:0 "},
        {kKey, nullptr, VK_F4, true, 1, "dropdown "},
        {kKey, nullptr, VK_DOWN, true, 3, "itemselect:3:1 "},  // over the disabled item
        {kKey, nullptr, VK_ESCAPE, false, 1, "itemselect:1:3 dropup:0 "},
        {kKey, nullptr, VK_DOWN, false, 3, "itemselect:3:1 "},  // closed too
        {kAlt, nullptr, VK_DOWN, true, 3, "dropdown "},
        {kKey, nullptr, VK_UP, true, 1, "itemselect:1:3 "},
        {kKey, nullptr, VK_RETURN, false, 1, "dropup:0 "},
        {kKey, nullptr, VK_END, false, 4, "itemselect:4:1 "},
        {kKey, nullptr, VK_DOWN, false, 4, ""},
        {kKey, nullptr, VK_HOME, false, 0, "itemselect:0:4 "},
        {kKey, nullptr, VK_UP, false, 0, ""},
        {kClick, L"c", 0, true, 0, "dropdown "},
        {kClick, L"c", 0, false, 0, "dropup:0 "},  // the field toggles
        {kClick, L"c", 0, true, 0, "dropdown "},
        {kClick, L"other", 0, false, 0, "dropup:1 "},  // a press outside
    };
    int i = 0;
    for (const auto& step : kSteps) {
        SCOPED_TRACE("step " + std::to_string(i++));
        t.notes.clear();
        HWND popup = combo->GetDropWindow();
        if (step.how == kClick) t.host.Click(step.name);
        if (step.how == kRow) t.ClickRow(step.arg);
        if (step.how == kKey) t.Key(step.arg);
        if (step.how == kAlt) t.Key(step.arg, WM_SYSKEYDOWN);
        EXPECT_EQ(combo->IsDropped(), step.dropped);
        EXPECT_EQ(combo->GetCurSel(), step.selected);
        EXPECT_EQ(t.notes, step.notes);
        // A closed drop-down leaves no window behind, even when it closed from inside its own handling.
        if (popup != nullptr && !step.dropped) {
            EXPECT_FALSE(::IsWindow(popup));
        }
    }
}

TEST(Combo, DropDownNeitherActivatesNorOutlivesTheWindowsActivation) {
    CComboHost t;
    ASSERT_TRUE(t.Open());
    CComboUI* combo = t.Combo();
    ASSERT_TRUE(combo->OpenDropDown());
    HWND popup = combo->GetDropWindow();
    EXPECT_EQ(::GetActiveWindow(), t.host.GetHWND());
    EXPECT_NE(::GetWindowLongW(popup, GWL_EXSTYLE) & WS_EX_NOACTIVATE, 0);
    EXPECT_EQ(::SendMessageW(popup, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(t.host.GetHWND()),
                             MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);
    // Below the field, as wide as it.
    RECT field = combo->GetPos();
    ::MapWindowPoints(t.host.GetHWND(), HWND_DESKTOP, reinterpret_cast<POINT*>(&field), 2);
    RECT shown = {};
    ::GetWindowRect(popup, &shown);
    EXPECT_EQ(shown.top, field.bottom);
    EXPECT_EQ(shown.left, field.left);
    EXPECT_EQ(shown.right - shown.left, field.right - field.left);
    EXPECT_EQ(shown.bottom - shown.top, 60);  // five rows of 20 exceed the drop height: it scrolls
    EXPECT_GT(combo->GetDropList()->GetScrollRange().cy, 0);
    // The wheel goes to the focused window, and scrolls the list.
    ::SendMessageW(t.host.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                   MAKELPARAM(shown.left + 5, shown.top + 5));
    EXPECT_GT(combo->GetDropList()->GetScrollPos().cy, 0);

    // Another window takes the activation: the drop-down closes.
    t.notes.clear();
    HWND other = ::CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 300, 300, 50, 50, nullptr, nullptr,
                                   nullptr, nullptr);
    ::SetActiveWindow(other);
    if (::GetActiveWindow() != other) ::SendMessageW(t.host.GetHWND(), WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_FALSE(combo->IsDropped());
    EXPECT_FALSE(::IsWindow(popup));
    EXPECT_EQ(t.notes, "dropup:2 ");
    ::DestroyWindow(other);
}

TEST(Combo, PopupPlacementKeepsToTheWorkArea) {
    const RECT work = {0, 0, 800, 600};
    const struct {
        RECT anchor;
        SIZE size;
        EPopupSide side;
        RECT expected;
    } kCases[] = {
        {{100, 100, 200, 124}, {100, 200}, EPopupSide::kBelow, {100, 124, 200, 324}},
        {{100, 500, 200, 524}, {100, 200}, EPopupSide::kBelow, {100, 300, 200, 500}},  // above: no room below
        {{100, 250, 200, 274}, {100, 400}, EPopupSide::kBelow, {100, 274, 200, 600}},  // neither: the roomier, cut
        {{750, 100, 800, 124}, {120, 50}, EPopupSide::kBelow, {680, 124, 800, 174}},   // moved back left
        {{-50, 100, 10, 124}, {120, 50}, EPopupSide::kBelow, {0, 124, 120, 174}},
        {{600, 100, 700, 120}, {150, 80}, EPopupSide::kRight, {450, 100, 600, 180}},   // a submenu flips left
        {{100, 560, 200, 580}, {150, 80}, EPopupSide::kRight, {200, 520, 350, 600}},
        {{100, 100, 200, 124}, {-5, -5}, EPopupSide::kBelow, {100, 124, 100, 124}},
    };
    for (const auto& c : kCases) {
        const RECT rc = CPopupWindow::Place(c.anchor, c.size, work, c.side);
        EXPECT_TRUE(::EqualRect(&rc, &c.expected))
            << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << " for anchor " << c.anchor.left
            << "," << c.anchor.top;
    }
}

TEST(Combo, BadInputNeitherCrashesNorLeaksAWindow) {
    CComboHost t;
    ASSERT_TRUE(t.Open(150));
    CComboUI* empty = t.Combo(L"empty");
    EXPECT_EQ(empty->GetCurSel(), -1);  // selectedid out of range
    EXPECT_FALSE(empty->SelectItem(0));
    EXPECT_FALSE(t.Combo()->SelectItem(-2));
    EXPECT_FALSE(t.Combo()->SelectItem(5));
    EXPECT_FALSE(t.Combo()->SelectItem(2));  // disabled
    t.host.Click(L"empty");
    EXPECT_TRUE(empty->IsDropped());
    for (UINT key : {VK_DOWN, VK_UP, VK_END, VK_NEXT, VK_PRIOR, VK_RETURN}) t.Key(key);
    EXPECT_FALSE(empty->IsDropped());
    EXPECT_EQ(empty->GetCurSel(), -1);

    // Thousands of items: the end is reached and shown, the field's arrow drawn scaled.
    for (int i = 0; i < 5000; ++i) {
        auto* item = new CLabelUI;
        item->SetText((L"Item " + std::to_wstring(i)).c_str());
        empty->Add(item);
    }
    t.host.Click(L"empty");
    t.Key(VK_END);
    EXPECT_EQ(empty->GetCurSel(), 4999);
    CComboListUI* list = empty->GetDropList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetScrollPos().cy, list->GetScrollRange().cy);
    EXPECT_EQ(list->RowAt(POINT{10, list->RowRect(4999).top + 1}), 4999);
    ::UpdateWindow(empty->GetDropWindow());

    // Destroyed while open: the popup goes with it.
    HWND popup = empty->GetDropWindow();
    auto* parent = static_cast<IContainerUI*>(empty->GetParent()->GetInterface(L"IContainer"));
    ASSERT_TRUE(parent->Remove(empty));
    Pump();
    EXPECT_FALSE(::IsWindow(popup));

    // The window destroyed while a drop-down is open.
    t.host.Click(L"c");
    popup = t.Combo()->GetDropWindow();
    ASSERT_NE(popup, nullptr);
    ::DestroyWindow(t.host.GetHWND());
    EXPECT_FALSE(::IsWindow(popup));
}

TEST(Combo, ScreenReadersSeeACollapsingComboBoxOfListItems) {
    CComboHost t;
    ASSERT_TRUE(t.Open());
    CComboUI* combo = t.Combo();
    combo->SelectItem(1);
    CControlUI* first = t.host.Find(L"i0");
    TUIAccessibleInfo info = Accessible::Describe(combo);
    EXPECT_EQ(info.role, ROLE_SYSTEM_COMBOBOX);
    EXPECT_EQ(std::wstring(info.value.GetData()), L"One");
    EXPECT_NE(info.state & STATE_SYSTEM_COLLAPSED, 0u);
    EXPECT_NE(info.state & STATE_SYSTEM_FOCUSABLE, 0u);
    EXPECT_EQ(Accessible::RoleOf(first), ROLE_SYSTEM_LISTITEM);
    EXPECT_NE(Accessible::Describe(first).state & STATE_SYSTEM_INVISIBLE, 0u);
    std::vector<CControlUI*> items;
    Accessible::ChildrenOf(&t.host.pm, combo, items);
    EXPECT_EQ(items.size(), 5u);

    // The default action (performed through Activate, as for a button) opens the list.
    EXPECT_TRUE(Accessible::HasDefaultAction(combo));
    EXPECT_FALSE(Accessible::HasDefaultAction(first));
    EXPECT_TRUE(combo->Activate());
    info = Accessible::Describe(combo);
    EXPECT_NE(info.state & STATE_SYSTEM_EXPANDED, 0u);
    const TUIAccessibleInfo row = Accessible::Describe(first);
    EXPECT_EQ(row.state & STATE_SYSTEM_INVISIBLE, 0u);
    EXPECT_EQ(row.location.top, combo->GetPos().bottom + 1);  // below the field, inside the list's border
    EXPECT_NE(Accessible::Describe(items[1]).state & STATE_SYSTEM_SELECTED, 0u);
    EXPECT_NE(Accessible::Describe(items[4]).state & STATE_SYSTEM_OFFSCREEN, 0u);
    combo->CloseDropDown();
}

}  // namespace
