// Reordering by dragging, with real mouse and key messages: rows of a list (row controls
// and a list fed by data) and nodes of a tree move where the insertion mark shows; Esc,
// a short press and a release in place move nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/widgets/list_host.h"
#include "ui/widgets/list/tree_node.h"
#include "ui/widgets/list/tree_view.h"

using namespace SkinUI;
using namespace listtest;

namespace {

const wchar_t kList[] =
    L"<Window><VerticalLayout>"
    L"<List name=\"list\" height=\"200\" itemheight=\"20\" itemdrag=\"true\" insertmarkcolor=\"#ffff0000\">"
    L"<ListLabelElement text=\"A\"/><ListLabelElement text=\"B\"/><ListLabelElement text=\"C\"/>"
    L"<ListLabelElement text=\"D\"/><ListLabelElement text=\"E\"/><ListLabelElement text=\"F\"/>"
    L"</List></VerticalLayout></Window>";

// Only the rows with "drag" move in a list without "itemdrag".
const wchar_t kSomeRows[] =
    L"<Window><VerticalLayout><List name=\"list\" height=\"200\" itemheight=\"20\">"
    L"<ListLabelElement text=\"A\" drag=\"true\"/><ListLabelElement text=\"B\"/><ListLabelElement text=\"C\"/>"
    L"</List></VerticalLayout></Window>";

const wchar_t kTree[] =
    L"<Window><VerticalLayout><TreeView name=\"list\" height=\"200\" itemheight=\"20\" itemdrag=\"true\">"
    L"<TreeNode text=\"Fruit\" expanded=\"true\"><TreeNode text=\"Apple\"/>"
    L"<TreeNode text=\"Berries\"><TreeNode text=\"Blueberry\"/><TreeNode text=\"Raspberry\"/></TreeNode></TreeNode>"
    L"<TreeNode text=\"Roots\"><TreeNode text=\"Carrot\"/></TreeNode>"
    L"</TreeView></VerticalLayout></Window>";

class CMoveHost final : public INotifyUI {
public:
    bool Open(const wchar_t* markup) {
        if (!list.Open(markup)) return false;
        list.host.pm.AddNotifier(this);
        return true;
    }
    void ReceiveNotify(TUINotify& msg) override {
        if (msg.sType != L"itemmove") return;
        list.notes += "itemmove:" + std::to_string(static_cast<int>(msg.wParam)) + ":" +
                      std::to_string(static_cast<int>(msg.lParam)) + " ";
        if (onMove) onMove(static_cast<int>(msg.wParam), static_cast<int>(msg.lParam));
    }
    std::string Rows() const {
        std::string out;
        for (int row = 0; row < list.List()->GetRowCount(); ++row)
            out += (row == 0 ? "" : ",") + layouttest::Narrow(list.List()->GetRowText(row).GetData());
        return out;
    }
    // Presses on a row, moves to `y` (a pixel below the top of row `toRow`, or `dy` pixels
    // from the press), optionally presses Esc, and releases there.
    void DragRow(int row, int toRow, int dy, bool escape = false) {
        CListUI* l = list.List();
        const POINT from = CListHost::Centre(l->GetRowRect(row));
        const int y = toRow >= 0 ? (toRow < l->GetRowCount() ? l->GetRowRect(toRow).top + 1
                                                               : l->GetRowRect(l->GetRowCount() - 1).bottom - 1)
                                 : from.y + dy;
        const POINT to = {from.x, y};
        list.Press(from);
        list.Move(to, MK_LBUTTON);
        markWhileDragging = l->GetDragGap();
        if (escape) list.Key(VK_ESCAPE);
        list.Release(to);
    }

    CListHost list;
    void (*onMove)(int, int) = nullptr;
    int markWhileDragging = -1;
};

TEST(ListReorder, DraggedRowsMoveWhereTheMarkShows) {
    const struct {
        const char* what;
        const wchar_t* markup;
        int row, toRow, dy;
        bool escape;
        int mark;
        const char* rows;
        const char* notes;     // after the press's selection
        const char* selected;  // the moved row keeps its selection
    } kCases[] = {
        {"down past three rows", kList, 0, 4, 0, false, 4, "B,C,D,A,E,F", "itemmove:0:3 ", "3"},
        {"up to the second place", kList, 5, 1, 0, false, 1, "A,F,B,C,D,E", "itemmove:5:1 ", "1"},
        {"after the last row", kList, 1, 6, 0, false, 6, "A,C,D,E,F,B", "itemmove:1:5 ", "5"},
        {"dropped where it was", kList, 2, 2, 0, false, 2, "A,B,C,D,E,F", "", "2"},
        {"within the drag distance: a click", kList, 2, -1, 1, false, -1, "A,B,C,D,E,F", "itemclick:2 ", "2"},
        {"Esc cancels", kList, 0, 4, 0, true, 4, "A,B,C,D,E,F", "", "0"},
        {"a row without drag stays (released elsewhere: no click)", kSomeRows, 1, 3, 0, false, -1, "A,B,C", "", "1"},
        {"a row with drag moves", kSomeRows, 0, 3, 0, false, 3, "B,C,A", "itemmove:0:2 ", "2"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        CMoveHost h;
        ASSERT_TRUE(h.Open(c.markup));
        h.DragRow(c.row, c.toRow, c.dy, c.escape);
        EXPECT_EQ(h.markWhileDragging, c.mark);
        EXPECT_FALSE(h.list.List()->IsRowDragging());
        EXPECT_EQ(h.Rows(), c.rows);
        const std::string press = "itemselect:" + std::to_string(c.row) + ":-1 ";
        EXPECT_EQ(h.list.notes, press + c.notes);
        EXPECT_EQ(h.list.Selected(), c.selected);
    }
}

// A list fed by data moves nothing itself: the program reorders its rows in "itemmove".
class CVectorSource final : public IListDataSource {
public:
    std::vector<std::wstring> rows = {L"one", L"two", L"three", L"four"};
    int GetRowCount() override { return static_cast<int>(rows.size()); }
    void GetText(int row, int, CUIString& out) override { out = rows[static_cast<size_t>(row)].c_str(); }
};
CVectorSource g_source;

TEST(ListReorder, ADataFedListLetsTheProgramMoveItsRows) {
    CMoveHost h;
    ASSERT_TRUE(h.Open(kList));
    h.list.List()->SetDataSource(&g_source);
    h.list.host.Place();
    h.onMove = [](int from, int to) {
        const std::wstring row = g_source.rows[static_cast<size_t>(from)];
        g_source.rows.erase(g_source.rows.begin() + from);
        g_source.rows.insert(g_source.rows.begin() + to, row);
    };
    h.list.notes.clear();
    h.DragRow(0, 3, 0);
    h.list.host.Place();
    EXPECT_EQ(h.list.notes, "itemselect:0:-1 itemmove:0:2 ");
    EXPECT_EQ(h.Rows(), "two,three,one,four");
    EXPECT_EQ(h.list.Selected(), "2");
    // Shown again from the program's new order.
    EXPECT_STREQ(h.list.List()->GetRowControl(2)->GetText().GetData(), L"one");
    h.list.List()->SetDataSource(nullptr);
}

TEST(TreeReorder, NodesMoveAmongTheirSiblingsWithTheirDescendants) {
    const struct {
        const char* what;
        const char* before;  // rows to expand first, as the texts shown
        int row, toRow;
        const char* rows;
        const char* notes;
    } kCases[] = {
        {"a top node above the first", "Fruit,Apple,Berries,Roots", 3, 0, "Roots,Fruit,Apple,Berries", "itemmove:3:0 "},
        {"a leaf after its sibling", "Fruit,Apple,Berries,Roots", 1, 3, "Fruit,Berries,Apple,Roots", "itemmove:1:2 "},
        // The mark between a node's children is no place for a top node: it goes to the nearest sibling gap.
        {"a top node over another's children", "Fruit,Apple,Berries,Roots", 3, 2, "Fruit,Apple,Berries,Roots", ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        CMoveHost h;
        ASSERT_TRUE(h.Open(kTree));
        auto* tree = static_cast<CTreeViewUI*>(h.list.List()->GetInterface(L"TreeView"));
        ASSERT_EQ(h.Rows(), c.before);
        CTreeNodeUI* node = tree->GetNodeAtRow(c.row);
        CTreeNodeUI* parent = node->GetParentNode();
        h.list.notes.clear();
        h.DragRow(c.row, c.toRow, 0);
        EXPECT_EQ(h.Rows(), c.rows);
        EXPECT_EQ(h.list.notes, "itemselect:" + std::to_string(c.row) + ":-1 " + c.notes);
        // The node keeps its parent and its selection.
        EXPECT_EQ(node->GetParentNode(), parent);
        EXPECT_EQ(tree->GetSelectedNode(), node);
    }
}

TEST(TreeReorder, AnExpandedNodeTakesItsSubtreeAndEscLeavesItAll) {
    CMoveHost h;
    ASSERT_TRUE(h.Open(kTree));
    auto* tree = static_cast<CTreeViewUI*>(h.list.List()->GetInterface(L"TreeView"));
    CTreeNodeUI* berries = tree->GetNodeAtRow(2);
    ASSERT_TRUE(tree->ExpandNode(berries, true, false));
    ASSERT_EQ(h.Rows(), "Fruit,Apple,Berries,Blueberry,Raspberry,Roots");
    h.DragRow(2, 1, 0, true);
    EXPECT_EQ(h.Rows(), "Fruit,Apple,Berries,Blueberry,Raspberry,Roots");
    h.DragRow(2, 1, 0);
    EXPECT_EQ(h.Rows(), "Fruit,Berries,Blueberry,Raspberry,Apple,Roots");
    EXPECT_TRUE(berries->IsExpanded());
    EXPECT_EQ(berries->GetParentNode()->GetChildIndex(berries), 0);
    // Moved back by code, past the end: last among its siblings.
    EXPECT_TRUE(tree->MoveNode(berries, 99));
    EXPECT_EQ(h.Rows(), "Fruit,Apple,Berries,Blueberry,Raspberry,Roots");
    EXPECT_FALSE(tree->MoveNode(berries, 1));
}

}  // namespace
