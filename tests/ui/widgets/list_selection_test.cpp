// Lists driven by real messages: selection with the mouse and the keys (Ctrl and
// Shift), type-ahead, hot tracking, the wheel, and what a screen reader reads.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/widgets/list_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/list/list_body.h"
#include "ui/widgets/list/list_element.h"

using namespace SkinUI;
using namespace listtest;

namespace {

// 26 rows of 20 pixels under a 24-pixel header: a page is 8 rows.
const wchar_t kSkin[] =
    L"<Window><VerticalLayout>"
    L"<List name=\"list\" height=\"200\" itemheight=\"20\" multiselect=\"true\" itemselectedbkcolor=\"#FF3060C0\""
    L" itemhotbkcolor=\"#FFE0E0FF\" itemaltbkcolor=\"#FFF0F0F0\" itemlinecolor=\"#FFCCCCCC\">"
    L"<ListHeader height=\"24\"><ListHeaderItem name=\"h0\" text=\"Name\" width=\"100\"/>"
    L"<ListHeaderItem text=\"Size\" width=\"80\"/></ListHeader>"
    L"<ListTextElement texts=\"Apple|1\"/><ListTextElement texts=\"Banana|2\"/>"
    L"<ListTextElement texts=\"Blueberry|3\"/><ListTextElement texts=\"Cherry|4\" enabled=\"false\"/>"
    L"<ListLabelElement text=\"Date\"/>"
    L"<ListContainerElement><Label name=\"c0\" text=\"Elder\"/><Button name=\"c1\" text=\"go\"/></ListContainerElement>"
    L"</List><Button name=\"below\" text=\"Below\"/>"
    L"</VerticalLayout></Window>";

bool OpenWithRows(CListHost& t) {
    if (!t.Open(kSkin)) return false;
    for (int i = 6; i < 26; ++i) {
        auto* row = new CListTextElementUI;
        row->SetTexts((L"Row " + std::to_wstring(i) + L"|" + std::to_wstring(i)).c_str());
        t.List()->Add(row);
    }
    t.host.Place();
    return t.List()->GetRowCount() == 26;
}

TEST(ListSelection, MouseAndKeysSelectWithCtrlAndShift) {
    CListHost t;
    ASSERT_TRUE(OpenWithRows(t));
    CListUI* list = t.List();
    enum { kClick, kKey, kDouble };
    const struct {
        int how;
        int arg;  // row or key
        WORD keys;
        const char* selected;
        int caret;
        const char* notes;
    } kSteps[] = {
        {kClick, 1, kNone, "1", 1, "itemselect:1:-1 itemclick:1 "},
        {kClick, 4, kShift, "1,2,4", 4, "itemselect:4:1 itemclick:4 "},  // the disabled row stays out
        {kClick, 2, kCtrl, "1,4", 2, "itemselect:1:4 itemclick:2 "},
        {kClick, 3, kNone, "1,4", 2, ""},                               // disabled: not selected
        {kKey, VK_DOWN, kNone, "4", 4, "itemselect:4:1 "},              // over the disabled row
        {kKey, VK_DOWN, kShift, "4,5", 5, "itemselect:5:4 "},
        {kKey, VK_HOME, kNone, "0", 0, "itemselect:0:5 "},
        {kKey, VK_END, kNone, "25", 25, "itemselect:25:0 "},
        {kKey, VK_PRIOR, kNone, "18", 18, "itemselect:18:25 "},
        {kKey, VK_NEXT, kNone, "25", 25, "itemselect:25:18 "},
        {kKey, VK_DOWN, kNone, "25", 25, ""},
        {kKey, VK_UP, kCtrl, "25", 24, ""},                              // the caret alone
        {kKey, VK_SPACE, kCtrl, "24,25", 24, "itemselect:24:25 "},
        {kKey, VK_RETURN, kNone, "24,25", 24, "itemactivate:24 "},
        {kDouble, 20, kNone, "20", 20, "itemselect:20:24 itemclick:20 itemactivate:20 itemclick:20 "},
        {kKey, VK_DOWN, kShift, "20,21", 21, "itemselect:21:20 "},
        {kKey, VK_UP, kShift, "20", 20, "itemselect:20:21 "},       // the range shrinks back to the anchor
    };
    int i = 0;
    for (const auto& step : kSteps) {
        SCOPED_TRACE("step " + std::to_string(i++));
        t.notes.clear();
        if (step.how == kClick) t.ClickRow(step.arg, step.keys);
        if (step.how == kKey) t.Key(step.arg, step.keys);
        if (step.how == kDouble) {
            const POINT pt = CListHost::Centre(list->GetRowRect(step.arg));
            t.Press(pt);
            t.Release(pt);
            t.Press(pt, kNone, WM_LBUTTONDBLCLK);
            t.Release(pt);
        }
        EXPECT_EQ(t.Selected(), step.selected);
        EXPECT_EQ(list->GetCaretRow(), step.caret);
        EXPECT_EQ(t.notes, step.notes);
        // The caret row is always in view.
        RECT shown;
        const RECT view = list->GetBody()->GetClientPos();
        const RECT row = list->GetRowRect(step.caret);
        EXPECT_TRUE(::IntersectRect(&shown, &row, &view));
    }
    // Ctrl+A selects every row that can be; a single-select list keeps one.
    t.Key('A', kCtrl);
    EXPECT_EQ(list->GetSelectedCount(), 25);
    list->SetMultiSelect(false);
    EXPECT_EQ(list->GetSelectedCount(), 1);
    t.ClickRow(22, kShift);
    EXPECT_EQ(t.Selected(), "22");
}

TEST(ListSelection, TypeAheadFindsRowsByTheirFirstLetters) {
    CListHost t;
    ASSERT_TRUE(OpenWithRows(t));
    CListUI* list = t.List();
    list->SetFocus();
    const struct {
        const wchar_t* typed;
        bool pause;  // a second without typing first
        int caret;
    } kSteps[] = {
        {L"b", false, 1}, {L"b", false, 2},  {L"b", false, 1},  // one letter again cycles
        {L"x", false, 1},                                       // "bbbx" matches nothing
        {L"BL", true, 2},                                       // letter case aside, from the caret on
        {L"c", true, 2},                                        // the only "c" row is disabled
        {L"d", true, 4},  {L"E", true, 5},  {L"row 1", true, 10},
    };
    int i = 0;
    for (const auto& step : kSteps) {
        SCOPED_TRACE("step " + std::to_string(i++));
        if (step.pause) ::Sleep(CListTypeAhead::kResetMs + 100);
        for (const wchar_t* p = step.typed; *p != 0; ++p) t.Char(*p);
        EXPECT_EQ(list->GetCaretRow(), step.caret);
        EXPECT_EQ(list->GetCurSel(), step.caret);
    }
}

TEST(ListSelection, HotTrackingFollowsThePointerAndTheWheelScrolls) {
    CListHost t;
    ASSERT_TRUE(OpenWithRows(t));
    CListUI* list = t.List();
    const struct {
        const wchar_t* over;  // a control's centre, or null for a row
        int row;
        int hot;
    } kSteps[] = {
        {nullptr, 1, 1},
        {nullptr, 4, 4},
        {L"c0", 0, 5},  // a label in a row: its row is hot
        {L"c1", 0, 5},  // a button in a row keeps it hot
        {L"below", 0, -1},
    };
    for (const auto& step : kSteps) {
        const POINT pt = step.over != nullptr ? CListHost::Centre(t.host.Find(step.over)->GetPos())
                                              : CListHost::Centre(list->GetRowRect(step.row));
        t.Move(pt);
        EXPECT_EQ(list->GetHotRow(), step.hot);
        if (step.hot >= 0) {
            EXPECT_EQ(list->GetRowState(step.hot), kRowHot);
        }
    }
    t.ClickRow(1);
    t.Move(CListHost::Centre(list->GetRowRect(1)));
    EXPECT_EQ(list->GetRowState(1), kRowSelected);  // selected wins over hot

    POINT at = CListHost::Centre(list->GetRowRect(2));
    ::ClientToScreen(t.host.GetHWND(), &at);
    ::SendMessageW(t.host.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                   MAKELPARAM(at.x, at.y));
    EXPECT_GT(list->GetScrollPos().cy, 0);
    EXPECT_EQ(list->GetRowRect(0).top, list->GetBody()->GetPos().top - list->GetScrollPos().cy);
    ::UpdateWindow(t.host.GetHWND());
}

TEST(ListSelection, ScreenReadersSeeAListOfSelectableItemsUnderColumnHeaders) {
    CListHost t;
    ASSERT_TRUE(OpenWithRows(t));
    CListUI* list = t.List();
    t.ClickRow(1);
    t.ClickRow(2, kCtrl);
    const TUIAccessibleInfo info = Accessible::Describe(list);
    EXPECT_EQ(info.role, ROLE_SYSTEM_LIST);
    EXPECT_NE(info.state & STATE_SYSTEM_MULTISELECTABLE, 0u);
    EXPECT_NE(info.state & STATE_SYSTEM_FOCUSABLE, 0u);

    std::vector<CControlUI*> children;
    Accessible::ChildrenOf(&t.host.pm, list, children);
    ASSERT_EQ(children.size(), 1u + 26u + 2u);  // the header, the rows, the bars
    EXPECT_EQ(Accessible::RoleOf(children[0]), ROLE_SYSTEM_GROUPING);
    EXPECT_EQ(Accessible::RoleOf(children.back()), ROLE_SYSTEM_SCROLLBAR);
    std::vector<CControlUI*> columns;
    Accessible::ChildrenOf(&t.host.pm, children[0], columns);
    ASSERT_EQ(columns.size(), 2u);
    EXPECT_EQ(Accessible::Describe(columns[1]).role, ROLE_SYSTEM_COLUMNHEADER);
    EXPECT_EQ(std::wstring(Accessible::Describe(columns[1]).name.GetData()), L"Size");
    EXPECT_TRUE(Accessible::HasDefaultAction(columns[1]));

    const DWORD kBoth = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    const struct {
        int row;
        const wchar_t* name;
        DWORD set;
        DWORD clear;
    } kRows[] = {
        {0, L"Apple", kBoth, STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED},
        {1, L"Banana", kBoth | STATE_SYSTEM_SELECTED, STATE_SYSTEM_FOCUSED},
        {2, L"Blueberry", kBoth | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED, 0},
        {3, L"Cherry", STATE_SYSTEM_UNAVAILABLE, kBoth},
        {5, L"Elder", kBoth, STATE_SYSTEM_SELECTED},  // a row of controls is named by its first text
        {25, L"Row 25", STATE_SYSTEM_OFFSCREEN, STATE_SYSTEM_SELECTED},
    };
    for (const auto& r : kRows) {
        SCOPED_TRACE(r.row);
        const TUIAccessibleInfo row = Accessible::Describe(children[1 + r.row]);
        EXPECT_EQ(row.role, ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ(std::wstring(row.name.GetData()), r.name);
        EXPECT_EQ(row.state & r.set, r.set);
        EXPECT_EQ(row.state & r.clear, 0u);
    }
    // The default action selects the row and activates it.
    t.notes.clear();
    EXPECT_TRUE(children[1]->Activate());
    EXPECT_EQ(t.Selected(), "0");
    EXPECT_EQ(t.notes, "itemselect:0:2 itemactivate:0 ");
}

}  // namespace
