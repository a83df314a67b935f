// List columns: dragging a header edge resizes the column and moves the cells, a
// click on a column is told (for both kinds of header item), the header scrolls sideways with the rows, sizes
// follow the DPI; and bad input: zero, negative and thousands of columns, and rows
// removed while selected or hot.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/widgets/list_host.h"
#include "ui/widgets/list/list_element.h"
#include "ui/widgets/list/list_header.h"

using namespace SkinUI;
using namespace listtest;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout>"
    L"<List name=\"list\" itemheight=\"20\" hscrollbar=\"true\">"
    L"<ListHeader height=\"24\"><ListHeaderItem name=\"h0\" text=\"Name\" width=\"100\" minwidth=\"30\"/>"
    L"<ListHeaderItem name=\"h1\" text=\"Size\" width=\"80\" sepwidth=\"6\"/></ListHeader>"
    L"<ListContainerElement><Label name=\"c0\" text=\"Elder\"/><Button name=\"c1\" text=\"go\"/>"
    L"<Label name=\"c2\" text=\"past the columns\"/></ListContainerElement>"
    L"<ListTextElement name=\"t\" texts=\"a\\|b|c|d\"/>"
    L"</List></VerticalLayout></Window>";

LONG Left(CListHost& t, const wchar_t* name) { return t.host.Find(name)->GetPos().left; }
LONG Right(CListHost& t, const wchar_t* name) { return t.host.Find(name)->GetPos().right; }

// The skin with its header items of another kind.
std::wstring SkinWith(const wchar_t* item) {
    std::wstring skin = kSkin;
    const std::wstring from = L"<ListHeaderItem ";
    const std::wstring to = L"<" + std::wstring(item) + L" ";
    for (size_t at = skin.find(from); at != std::wstring::npos; at = skin.find(from, at + to.size())) {
        skin.replace(at, from.size(), to);
    }
    return skin;
}

TEST(ListColumns, DraggingAnEdgeResizesTheColumnAndMovesTheCells) {
    for (const wchar_t* kind : {L"ListHeaderItem", L"ListContainerHeaderItem"}) {
        for (int percent : {100, 150}) {
            SCOPED_TRACE(testing::Message() << kind << " " << percent);
            CListHost t;
            ASSERT_TRUE(t.Open(SkinWith(kind).c_str(), percent));
            auto px = [percent](int v) { return ::MulDiv(v, percent, 100); };
            const struct {
                int fromX, toX;  // unscaled, from the list's left
                const wchar_t* column;
                LONG h1Left;     // unscaled
                const char* notes;
            } kSteps[] = {
                {99, 149, L"h0", 150, "columnresize:0:" },
                {149, -200, L"h0", 30, "columnresize:0:"},  // no narrower than minwidth
                {75, 75, L"h1", 30, "headerclick:1 "},      // a click off the edge
                {10, 10, L"h0", 30, "headerclick:0 "},
            };
            for (const auto& step : kSteps) {
                t.notes.clear();
                const LONG y = (t.host.Find(L"h0")->GetPos().top + t.host.Find(L"h0")->GetPos().bottom) / 2;
                t.Drag(POINT{px(step.fromX), y}, POINT{px(step.toX), y});
                EXPECT_EQ(Left(t, L"h1"), px(step.h1Left));
                std::string expected = step.notes;
                if (expected.back() == ':') expected += std::to_string(px(step.h1Left)) + " ";
                EXPECT_EQ(t.notes, expected);
                // The cells follow their columns; a control past the last column gets no room.
                EXPECT_EQ(Right(t, L"c0"), Left(t, L"h1"));
                EXPECT_EQ(Left(t, L"c1"), Left(t, L"h1"));
                EXPECT_EQ(Right(t, L"c1"), Right(t, L"h1"));
                EXPECT_EQ(t.host.Find(L"c2")->GetPos().GetWidth(), 0);
            }
            // The texts, with an escaped bar.
            auto* texts = static_cast<CListTextElementUI*>(t.host.Find(L"t")->GetInterface(L"ListTextElement"));
            ASSERT_NE(texts, nullptr);
            EXPECT_EQ(texts->GetColumnTextCount(), 3);
            EXPECT_EQ(std::wstring(texts->GetColumnText(0).GetData()), L"a|b");
            EXPECT_EQ(std::wstring(texts->GetText().GetData()), L"a|b");

            // Columns wider than the list: the header scrolls sideways with the rows.
            auto* h1 = static_cast<CListHeaderItemUI*>(t.host.Find(L"h1")->GetInterface(L"ListHeaderItem"));
            if (h1 == nullptr) continue;  // the items that hold controls are sized by dragging only
            h1->SetColumnWidth(1000);
            t.List()->Relayout();
            ASSERT_GT(t.List()->GetScrollRange().cx, 0);
            const LONG before = Left(t, L"h1");
            t.List()->SetScrollPos(SIZE{px(50), 0});
            EXPECT_EQ(Left(t, L"h1"), before - px(50));
            EXPECT_EQ(Left(t, L"c1"), Left(t, L"h1"));
            t.Key(VK_RIGHT);
            EXPECT_GT(t.List()->GetScrollPos().cx, px(50));
            EXPECT_EQ(Left(t, L"c1"), Left(t, L"h1"));
            ::UpdateWindow(t.host.GetHWND());
        }
    }
}

TEST(ListColumns, BadInputNeitherCrashesNorLeavesADanglingSelection) {
    CListHost t;
    ASSERT_TRUE(t.Open(L"<Window><VerticalLayout><List name=\"list\" itemheight=\"-5\">"
                       L"<ListHeader><ListHeaderItem name=\"z\" width=\"0\"/><ListHeaderItem name=\"n\" width=\"-7\"/>"
                       L"<ListHeaderItem name=\"w\" width=\"99999999\"/></ListHeader>"
                       L"<ListTextElement texts=\"|||\"/><ListLabelElement text=\"x\"/><ListTextElement/>"
                       L"</List></VerticalLayout></Window>"));
    CListUI* list = t.List();
    EXPECT_EQ(t.host.Find(L"z")->GetPos().GetWidth(), 0);
    EXPECT_EQ(t.host.Find(L"n")->GetPos().GetWidth(), CListHeaderItemUI::kDefaultWidth);  // ignored
    EXPECT_EQ(t.host.Find(L"w")->GetPos().GetWidth(), CListHeaderItemUI::kMaxWidth);
    EXPECT_GT(list->GetDefaultRowHeight(), 0);

    // Thousands of columns and of texts.
    std::wstring many;
    for (int i = 0; i < 3000; ++i) {
        auto* column = new CListHeaderItemUI;
        column->SetColumnWidth(i % 3 == 0 ? 0 : 40);
        list->GetHeader()->Add(column);
        many += L"cell|";
    }
    auto* row = new CListTextElementUI;
    row->SetTexts(many.c_str());
    EXPECT_FALSE(row->SetColumnText(CListTextElementUI::kMaxColumns, L"far"));
    list->Add(row);
    list->Relayout();
    EXPECT_EQ(list->GetColumnCount(), 3003);
    ::RedrawWindow(t.host.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    t.List()->SetScrollPos(SIZE{1 << 30, 0});
    ::RedrawWindow(t.host.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

    // Rows removed while selected, hot or holding the caret.
    list->SetMultiSelect(true);
    for (int i = 0; i < 20; ++i) list->Add(new CListLabelElementUI);
    list->SelectRange(2, 5, false);
    list->SetHotRow(4);
    const struct {
        int remove;
        int selected;
        int caret;
        int hot;
    } kSteps[] = {
        {4, 3, 4, -1},  // the hot row and a selected one
        {0, 3, 3, -1},  // the ones after it follow
        {3, 2, -1, -1}, // the caret row
        {-1, 0, -1, -1},  // all
    };
    for (const auto& step : kSteps) {
        if (step.remove >= 0) {
            EXPECT_TRUE(list->RemoveAt(step.remove));
        } else {
            list->RemoveAll();
        }
        EXPECT_EQ(list->GetSelectedCount(), step.selected);
        EXPECT_EQ(list->GetCaretRow(), step.caret);
        EXPECT_EQ(list->GetHotRow(), step.hot);
        EXPECT_LT(list->GetCurSel(), list->GetRowCount());
    }
    for (UINT key : {VK_DOWN, VK_UP, VK_END, VK_NEXT, VK_PRIOR, VK_RETURN, VK_SPACE}) t.Key(key);
    t.Char(L'a');
    EXPECT_FALSE(list->SelectItem(0));
    EXPECT_FALSE(list->RemoveAt(0));
    // The header removed: an empty one takes its place, and rows draw without columns.
    list->Add(new CListTextElementUI);
    EXPECT_TRUE(list->Remove(list->GetHeader()));
    EXPECT_EQ(list->GetColumnCount(), 0);
    ::RedrawWindow(t.host.GetHWND(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

}  // namespace
