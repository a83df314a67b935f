// Lists fed by data: a million rows through a few bound controls, driven by real
// messages; a source that gives fewer texts than rows; and the selection's runs as
// rows come and go.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/ui/widgets/list_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/list/list_body.h"
#include "ui/widgets/list/list_element.h"

using namespace SkinUI;
using namespace listtest;

namespace {

// A page is 8 rows of 20 pixels under a 24-pixel header.
const wchar_t kSkin[] =
    L"<Window><VerticalLayout>"
    L"<List name=\"list\" height=\"184\" itemheight=\"20\" multiselect=\"true\" rowcount=\"1000000\""
    L" rowformat=\"Row {n}|#{i}\"><ListHeader height=\"24\"><ListHeaderItem text=\"Name\" width=\"100\"/>"
    L"<ListHeaderItem text=\"Index\" width=\"80\"/></ListHeader>"
    L"<ListLabelElement text=\"refused: the rows are the data's\"/></List>"
    L"</VerticalLayout></Window>";

// Rows "a0", "b1", ... "z25", "a26": every text is one letter and the index; past
// `texts` it gives none. It counts what it was asked.
class CLetters final : public IListDataSource {
public:
    CLetters(int rows, int texts) : rows(rows), texts(texts) {}
    int GetRowCount() override { return rows; }
    void GetText(int row, int column, CUIString& out) override {
        ++asked;
        if (row >= texts || column > 0) return;
        out = (std::wstring(1, static_cast<wchar_t>(L'a' + row % 26)) + std::to_wstring(row)).c_str();
    }
    int rows;
    int texts;
    int asked = 0;
};

std::wstring Text(const CUIString& s) { return s.GetData(); }

TEST(ListData, AMillionRowsShowThroughTheControlsInView) {
    CListHost t;
    ASSERT_TRUE(t.Open(kSkin));
    CListUI* list = t.List();
    ASSERT_EQ(list->GetRowCount(), 1000000);
    EXPECT_EQ(list->GetBody()->GetCount(), 8 + 2);  // the page, and a row cut at each edge
    EXPECT_EQ(Text(list->GetRowText(999999)), L"Row 1000000");
    EXPECT_EQ(list->GetRowControl(500), nullptr);
    list->SetFocus();

    const struct {
        UINT vk;
        WORD keys;
        int caret;
        int selected;
        const wchar_t* second;  // the caret row's second column, as its control shows it
    } kSteps[] = {
        {VK_DOWN, kNone, 0, 1, L"#0"},
        {VK_END, kShift, 999999, 1000000, L"#999999"},
        {VK_PRIOR, kNone, 999992, 1, L"#999992"},
        {'A', kCtrl, 999999, 1000000, L"#999999"},
        {VK_HOME, kNone, 0, 1, L"#0"},
        {VK_NEXT, kShift, 7, 8, L"#7"},
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.caret);
        t.Key(step.vk, step.keys);
        t.host.Place();
        EXPECT_EQ(list->GetCaretRow(), step.caret);
        EXPECT_EQ(list->GetSelectedCount(), step.selected);
        auto* row = static_cast<CListTextElementUI*>(list->GetRowControl(step.caret));
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->GetRowIndex(), step.caret);
        EXPECT_EQ(Text(row->GetColumnText(1)), step.second);
        EXPECT_EQ(list->GetRowState(step.caret), kRowSelected);
        EXPECT_EQ(list->GetBody()->GetCount(), 10);
    }

    // The mouse: a click on a row selects it, Shift extends, the pointer makes rows hot.
    t.notes.clear();
    t.ClickRow(3);
    t.ClickRow(5, kShift);
    EXPECT_EQ(t.Selected(), "3,4,5");
    EXPECT_EQ(t.notes, "itemselect:3:7 itemclick:3 itemselect:5:3 itemclick:5 ");
    t.Move(CListHost::Centre(list->GetRowRect(6)));
    EXPECT_EQ(list->GetHotRow(), 6);

    // The wheel binds the controls to later rows.
    POINT at = CListHost::Centre(list->GetRowRect(2));
    ::ClientToScreen(t.host.GetHWND(), &at);
    ::SendMessageW(t.host.GetHWND(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)),
                   MAKELPARAM(at.x, at.y));
    const int scrolled = list->GetScrollPos().cy;
    ASSERT_GT(scrolled, 0);
    auto* top = static_cast<CListTextElementUI*>(list->GetBody()->GetItemAt(0));
    EXPECT_EQ(top->GetRowIndex(), scrolled / 20);
    EXPECT_EQ(Text(top->GetText()), L"Row " + std::to_wstring(scrolled / 20 + 1));
    EXPECT_EQ(list->GetRowRect(top->GetRowIndex()).top, top->GetPos().top);
    ::UpdateWindow(t.host.GetHWND());

    // Screen readers: the rows in view, each with its place among all of them.
    std::vector<CControlUI*> children;
    Accessible::ChildrenOf(&t.host.pm, list, children);
    int items = 0;
    for (CControlUI* child : children) items += Accessible::RoleOf(child) == ROLE_SYSTEM_LISTITEM ? 1 : 0;
    EXPECT_EQ(items, 10);
    ASSERT_EQ(Accessible::RoleOf(children[1]), ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(Text(Accessible::Describe(list).description), L"\u5171 1000000 \u9879");
    const TUIAccessibleInfo row = Accessible::Describe(children[1]);
    EXPECT_EQ(row.role, ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(Text(row.name), L"Row " + std::to_wstring(scrolled / 20 + 1));
    EXPECT_EQ(Text(row.description), std::to_wstring(scrolled / 20 + 1) + L" / 1000000");

    // Type-ahead reads the rows from the source: "row 99999" is found past the caret.
    for (const wchar_t* p = L"row 99999"; *p != 0; ++p) t.Char(*p);
    EXPECT_EQ(list->GetCaretRow(), 99998);
}

TEST(ListData, ASourceThatGivesFewerTextsThanRowsIsShownWithEmptyRows) {
    CListHost t;
    ASSERT_TRUE(t.Open(kSkin));
    CListUI* list = t.List();
    CLetters source(100, 10);
    list->SetDataSource(&source);
    t.host.Place();
    ::UpdateWindow(t.host.GetHWND());
    EXPECT_EQ(list->GetRowCount(), 100);
    // Only the rows in view were asked for (two columns each).
    EXPECT_LE(source.asked, 2 * 10);
    auto* refused = new CListLabelElementUI;
    if (list->AddAt(refused, 0)) {
        ADD_FAILURE() << "a list fed by data took a row control";
    } else {
        delete refused;
    }

    list->SetFocus();
    const struct {
        wchar_t ch;
        int caret;
    } kTyped[] = {{L'c', 2}, {L'c', 2}, {L'q', 2}};  // "c2" alone starts with c; rows past 10 are empty
    for (const auto& step : kTyped) {
        ::Sleep(CListTypeAhead::kResetMs + 50);
        t.Char(step.ch);
        EXPECT_EQ(list->GetCaretRow(), step.caret);
    }
    // What "q" did not find, "qq" and "qqz" do not look for again.
    const int asked = source.asked;
    t.Char(L'q');
    t.Char(L'z');
    EXPECT_EQ(source.asked, asked);
    t.Key(VK_END);
    t.host.Place();
    ::UpdateWindow(t.host.GetHWND());
    EXPECT_EQ(Text(list->GetRowText(99)), L"");
    EXPECT_EQ(Text(list->GetRowControl(99)->GetText()), L"");

    // The source shrinks: the list knows once told; its selection does not dangle.
    source.rows = 3;
    list->DataChanged();
    t.host.Place();
    EXPECT_EQ(list->GetRowCount(), 3);
    EXPECT_EQ(list->GetSelectedCount(), 0);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
    t.Key(VK_END);
    EXPECT_EQ(list->GetCaretRow(), 2);
    ::UpdateWindow(t.host.GetHWND());

    // Without a source the list takes row controls again.
    list->SetDataSource(nullptr);
    EXPECT_EQ(list->GetRowCount(), 0);
    EXPECT_TRUE(list->Add(new CListLabelElementUI));
    EXPECT_EQ(list->GetRowCount(), 1);
}

// The selection's runs: rows selected, then rows coming and going around them.
TEST(ListData, TheSelectionKeepsRunsAsRowsComeAndGo) {
    enum { kSel, kUnsel, kRange, kAdd, kIns, kDel };
    const struct {
        int op;
        int a;
        int b;
        const char* selected;
    } kSteps[] = {
        {kRange, 2, 5, "2-5"},      {kUnsel, 3, 0, "2,4-5"},    {kSel, 3, 0, "2-5"},
        {kAdd, 8, 9, "2-5,8-9"},    {kAdd, 6, 7, "2-9"},        {kIns, 4, 2, "2-3,6-11"},
        {kDel, 3, 4, "2,3-7"},      {kDel, 0, 3, "0-4"},        {kRange, 9, 1, "0-4"},  // 9 is past the rows
        {kRange, 6, 1, "1-6"},      {kUnsel, 1, 0, "2-6"},      {kDel, 5, 100, "2-4"},
        {kIns, 0, 1, "3-5"},
    };
    CListSelection sel;
    sel.Reset(12);
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.selected);
        switch (step.op) {
            case kSel: sel.Set(step.a, true); break;
            case kUnsel: sel.Set(step.a, false); break;
            case kRange: sel.SelectRange(step.a, step.b, false); break;
            case kAdd: sel.SelectRange(step.a, step.b, true); break;
            case kIns: sel.Inserted(step.a, step.b); break;
            default: sel.Removed(step.a, step.b); break;
        }
        // Written as runs of neighbours, "2-5" for 2,3,4,5 (a run may be written in two parts).
        std::vector<bool> want(static_cast<size_t>(sel.GetRowCount()), false);
        int count = 0;
        for (const char* p = step.selected; *p != 0;) {
            char* end = nullptr;
            const long lo = std::strtol(p, &end, 10);
            const long hi = *end == '-' ? std::strtol(end + 1, &end, 10) : lo;
            for (long r = lo; r <= hi; ++r, ++count) want[static_cast<size_t>(r)] = true;
            p = *end == ',' ? end + 1 : end;
        }
        EXPECT_EQ(sel.GetSelectedCount(), count);
        int next = sel.NextSelected(-1);
        for (int r = 0; r < sel.GetRowCount(); ++r) {
            EXPECT_EQ(sel.IsSelected(r), want[static_cast<size_t>(r)]) << r;
            if (!want[static_cast<size_t>(r)]) continue;
            EXPECT_EQ(next, r);
            next = sel.NextSelected(r);
        }
        EXPECT_EQ(next, -1);
    }
}

}  // namespace
