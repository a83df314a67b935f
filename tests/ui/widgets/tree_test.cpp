// Trees and the lists with check boxes, driven by real messages: expanding and
// collapsing by button, double click and keys, check boxes that reach descendants
// and a header box that checks all, nodes removed while selected or hot, trees
// nested a thousand deep, and what a screen reader reads.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/ui/widgets/list_host.h"
#include "ui/core/accessible_model.h"
#include "ui/widgets/list/list_ex.h"
#include "ui/widgets/list/list_header.h"
#include "ui/widgets/list/tree_node.h"
#include "ui/widgets/list/tree_view.h"

using namespace SkinUI;
using namespace listtest;

namespace {

// ("rowcount" is ignored: a tree's rows are its nodes, never a data source's.)
const wchar_t kTree[] =
    L"<Window><VerticalLayout>"
    L"<TreeView name=\"list\" height=\"200\" itemheight=\"20\" checkboxes=\"true\" rowcount=\"9\">"
    L"<TreeNode text=\"Fruit\" expanded=\"true\">"
    L"<TreeNode text=\"Apple\"/>"
    L"<TreeNode text=\"Berries\"><TreeNode text=\"Blueberry\"/><TreeNode text=\"Raspberry\"/></TreeNode>"
    L"</TreeNode>"
    L"<TreeNode text=\"Roots\"><Label text=\"Roots\"/><TreeNode text=\"Carrot\"/></TreeNode>"
    L"</TreeView><Button name=\"below\" text=\"Below\"/>"
    L"</VerticalLayout></Window>";

class CTreeHost final : public INotifyUI {
public:
    bool Open(const wchar_t* markup, int percent = 100) {
        if (!list.Open(markup, percent)) return false;
        list.host.pm.AddNotifier(this);
        return true;
    }
    void ReceiveNotify(TUINotify& msg) override {
        for (const wchar_t* type : {L"itemexpand", L"itemcollapse", L"itemcheck"}) {
            if (msg.sType != type) continue;
            list.notes += layouttest::Narrow(type) + ":" + std::to_string(static_cast<int>(msg.wParam));
            if (msg.sType == L"itemcheck") list.notes += ":" + std::to_string(static_cast<int>(msg.lParam));
            list.notes += " ";
        }
    }
    CTreeViewUI* Tree() const { return static_cast<CTreeViewUI*>(list.List()->GetInterface(L"TreeView")); }
    // The rows' texts, as "Fruit,Apple,Berries,Roots".
    std::string Rows() const {
        std::string out;
        for (int row = 0; row < Tree()->GetRowCount(); ++row)
            out += (row == 0 ? "" : ",") + layouttest::Narrow(Tree()->GetRowText(row).GetData());
        return out;
    }
    // The check states of the nodes shown, as "1,1,0".
    std::string Checks() const {
        std::string out;
        for (int row = 0; row < Tree()->GetRowCount(); ++row)
            out += (row == 0 ? "" : ",") + std::to_string(Tree()->GetNodeAtRow(row)->GetCheckState());
        return out;
    }
    void PressAt(POINT pt, UINT msg = WM_LBUTTONDOWN) {
        list.Press(pt, kNone, msg);
        list.Release(pt);
    }

    CListHost list;
};

TEST(Tree, ButtonsDoubleClicksAndArrowsExpandCollapseAndMove) {
    CTreeHost t;
    ASSERT_TRUE(t.Open(kTree));
    CTreeViewUI* tree = t.Tree();
    EXPECT_EQ(t.Rows(), "Fruit,Apple,Berries,Roots");
    enum { kClick, kKey, kButton, kDouble };
    const struct {
        int how;
        int arg;  // row or key
        const char* rows;
        int caret;
        const char* notes;
    } kSteps[] = {
        {kClick, 2, "Fruit,Apple,Berries,Roots", 2, "itemselect:2:-1 itemclick:2 "},
        {kKey, VK_RIGHT, "Fruit,Apple,Berries,Blueberry,Raspberry,Roots", 2, "itemexpand:2 "},
        {kKey, VK_RIGHT, "Fruit,Apple,Berries,Blueberry,Raspberry,Roots", 3, "itemselect:3:2 "},
        {kKey, VK_RIGHT, "Fruit,Apple,Berries,Blueberry,Raspberry,Roots", 3, ""},  // a leaf
        {kKey, VK_LEFT, "Fruit,Apple,Berries,Blueberry,Raspberry,Roots", 2, "itemselect:2:3 "},
        {kKey, VK_LEFT, "Fruit,Apple,Berries,Roots", 2, "itemcollapse:2 "},
        {kKey, VK_LEFT, "Fruit,Apple,Berries,Roots", 0, "itemselect:0:2 "},
        {kKey, VK_LEFT, "Fruit,Roots", 0, "itemcollapse:0 "},
        {kKey, VK_DOWN, "Fruit,Roots", 1, "itemselect:1:0 "},
        {kDouble, 1, "Fruit,Roots,Carrot", 1, "itemclick:1 itemactivate:1 itemexpand:1 itemclick:1 "},
        {kKey, VK_END, "Fruit,Roots,Carrot", 2, "itemselect:2:1 "},
        {kButton, 1, "Fruit,Roots", 1, "itemselect:1:2 itemcollapse:1 "},  // the selection moves up
        {kButton, 0, "Fruit,Apple,Berries,Roots", 3, "itemexpand:0 "},      // the button does not select
        {kKey, VK_MULTIPLY, "Fruit,Apple,Berries,Roots,Carrot", 3, "itemexpand:3 "},
        {kKey, VK_BACK, "Fruit,Apple,Berries,Roots,Carrot", 3, ""},  // a top node has no parent
        {kKey, VK_SUBTRACT, "Fruit,Apple,Berries,Roots", 3, "itemcollapse:3 "},
    };
    int i = 0;
    for (const auto& step : kSteps) {
        SCOPED_TRACE("step " + std::to_string(i++));
        t.list.notes.clear();
        if (step.how == kClick) t.list.ClickRow(step.arg);
        if (step.how == kKey) t.list.Key(step.arg);
        if (step.how == kButton) t.PressAt(CListHost::Centre(tree->GetNodeAtRow(step.arg)->GetButtonRect()));
        if (step.how == kDouble) {
            const POINT pt = CListHost::Centre(tree->GetRowRect(step.arg));
            t.PressAt(pt);
            t.PressAt(pt, WM_LBUTTONDBLCLK);
        }
        EXPECT_EQ(t.Rows(), step.rows);
        EXPECT_EQ(tree->GetCaretRow(), step.caret);
        EXPECT_EQ(tree->GetCurSel(), step.caret);
        EXPECT_EQ(t.list.notes, step.notes);
        // Rows are placed at once, one under the other, indented by level.
        for (int row = 1; row < tree->GetRowCount(); ++row) {
            EXPECT_EQ(tree->GetRowRect(row).top, tree->GetRowRect(row - 1).bottom);
            CTreeNodeUI* node = tree->GetNodeAtRow(row);
            EXPECT_EQ(node->GetClientPos().left - node->GetPos().left, 16 * (node->GetLevel() + 1) + 20);
        }
    }
    // Type-ahead reaches the nodes shown by their texts, content or "text".
    t.list.Char(L'r');
    EXPECT_EQ(tree->GetCurSel(), 3);
    EXPECT_EQ(tree->GetSelectedNode()->GetRowText(), CUIString(L"Roots"));
    // Selecting a hidden node from code expands its ancestors.
    CTreeNodeUI* raspberry = tree->GetRootNode(0)->GetChildNode(1)->GetChildNode(1);
    EXPECT_TRUE(tree->SelectNode(raspberry));
    EXPECT_EQ(t.Rows(), "Fruit,Apple,Berries,Blueberry,Raspberry,Roots");
    EXPECT_EQ(tree->GetSelectedNode(), raspberry);
}

TEST(Tree, CheckBoxesReachDescendantsAndShowMixedParents) {
    CTreeHost t;
    ASSERT_TRUE(t.Open(kTree, 150));
    CTreeViewUI* tree = t.Tree();
    tree->ExpandSubtree(tree->GetRootNode(0), true);
    ASSERT_EQ(t.Rows(), "Fruit,Apple,Berries,Blueberry,Raspberry,Roots");
    // The indentation is scaled: 16 pixels per level at 100 %.
    EXPECT_EQ(tree->GetNodeAtRow(2)->GetButtonRect().left - tree->GetNodeAtRow(2)->GetPos().left, 24);
    EXPECT_EQ(tree->GetNodeAtRow(2)->GetButtonRect().GetWidth(), 24);
    const struct {
        int row;  // whose box is pressed, or -1 for Space on the caret row
        const char* checks;
        const char* notes;
    } kSteps[] = {
        {0, "1,1,1,1,1,0", "itemcheck:0:1 "},
        {3, "2,1,2,0,1,0", "itemcheck:3:0 "},
        {2, "1,1,1,1,1,0", "itemcheck:2:1 "},  // a mixed node is checked by a press
        {1, "2,0,1,1,1,0", "itemcheck:1:0 "},
        {-1, "2,0,1,1,1,1", "itemcheck:5:1 "},  // Space on "Roots" checks its hidden child too
        {-1, "2,0,1,1,1,0", "itemcheck:5:0 "},
    };
    tree->SelectItem(5);
    int i = 0;
    for (const auto& step : kSteps) {
        SCOPED_TRACE("step " + std::to_string(i++));
        t.list.notes.clear();
        if (step.row >= 0) t.PressAt(CListHost::Centre(tree->GetNodeAtRow(step.row)->GetCheckRect()));
        if (step.row < 0) t.list.Key(VK_SPACE);
        EXPECT_EQ(t.Checks(), step.checks);
        EXPECT_EQ(t.list.notes, step.notes);
        EXPECT_EQ(tree->GetCurSel(), 5);  // boxes do not select
    }
    t.list.Key(VK_SPACE);
    EXPECT_TRUE(tree->GetRootNode(1)->GetChildNode(0)->IsChecked());
}

TEST(Tree, RemovingSelectedOrHotNodesLeavesNothingDangling) {
    CTreeHost t;
    ASSERT_TRUE(t.Open(kTree));
    CTreeViewUI* tree = t.Tree();
    tree->ExpandSubtree(tree->GetRootNode(0), true);
    CTreeNodeUI* berries = tree->GetRootNode(0)->GetChildNode(1);
    tree->SelectNode(berries->GetChildNode(1));  // Raspberry, row 4
    t.list.Move(CListHost::Centre(tree->GetRowRect(3)));
    ASSERT_EQ(tree->GetHotRow(), 3);
    t.list.notes.clear();
    EXPECT_TRUE(tree->GetRootNode(0)->Remove(berries));  // with the hot and the selected node
    EXPECT_EQ(t.Rows(), "Fruit,Apple,Roots");
    EXPECT_EQ(tree->GetSelectedCount(), 0);
    EXPECT_EQ(tree->GetCurSel(), -1);
    EXPECT_EQ(tree->GetHotRow(), -1);
    EXPECT_EQ(t.list.notes, "itemselect:-1:4 ");
    EXPECT_EQ(tree->GetRootNode(0)->GetCheckState(), kCheckOff);
    t.list.Move(CListHost::Centre(tree->GetRowRect(2)));
    tree->SetFocus();
    t.list.Key(VK_DOWN);
    EXPECT_EQ(tree->GetCurSel(), 0);
    // A node that is hot, and one that is selected, each removed by its row's owner.
    EXPECT_TRUE(tree->Remove(tree->GetNodeAtRow(2)));
    EXPECT_EQ(tree->GetHotRow(), -1);
    EXPECT_TRUE(tree->RemoveAt(0));
    EXPECT_EQ(tree->GetCurSel(), -1);
    EXPECT_EQ(tree->GetRowCount(), 0);
    // Only nodes are rows of a tree; a node cannot become its own descendant's child.
    auto* label = new CListLabelElementUI;
    EXPECT_FALSE(tree->Add(label));
    delete label;
    auto* top = new CTreeNodeUI;
    auto* child = new CTreeNodeUI;
    EXPECT_TRUE(top->AddChildNode(child));
    EXPECT_FALSE(child->AddChildNode(top));
    EXPECT_TRUE(tree->Add(top));
    EXPECT_FALSE(tree->Add(child));  // already in the tree
    tree->RemoveAll();
    EXPECT_EQ(tree->GetRowCount(), 0);
    ::UpdateWindow(t.list.host.GetHWND());
}

TEST(Tree, NestedAThousandDeepStaysShallowOnTheStack) {
    // From markup: 250 levels build; past the builder's nesting limit (256) nothing is built,
    // and at 1,000 the parser refuses the text.
    for (const int depth : {250, 300, 1000}) {
        SCOPED_TRACE(depth);
        std::wstring markup = L"<Window><TreeView name=\"list\">";
        for (int i = 0; i < depth; ++i) markup += L"<TreeNode text=\"n\" expanded=\"true\">";
        for (int i = 0; i < depth; ++i) markup += L"</TreeNode>";
        markup += L"</TreeView></Window>";
        CTreeHost t;
        EXPECT_EQ(t.Open(markup.c_str()), depth == 250);
        if (depth == 250) {
            EXPECT_EQ(t.Tree()->GetRowCount(), 250);
        }
    }
    // From code: a chain of 1,000 nodes, expanded, walked, checked, collapsed and removed.
    CTreeHost t;
    ASSERT_TRUE(t.Open(L"<Window><TreeView name=\"list\" checkboxes=\"true\"/></Window>"));
    CTreeViewUI* tree = t.Tree();
    auto* top = new CTreeNodeUI;
    CTreeNodeUI* last = top;
    for (int i = 1; i < 1000; ++i) {
        auto* node = new CTreeNodeUI;
        node->SetText(std::to_wstring(i).c_str());
        ASSERT_TRUE(last->AddChildNode(node));
        last = node;
    }
    EXPECT_EQ(last->GetLevel(), 999);
    ASSERT_TRUE(tree->Add(top));
    tree->ExpandSubtree(top, true);
    EXPECT_EQ(tree->GetRowCount(), 1000);
    tree->SetFocus();
    t.list.Key(VK_END);
    EXPECT_EQ(tree->GetSelectedNode(), last);
    EXPECT_TRUE(tree->CheckNode(top, true));
    EXPECT_TRUE(last->IsChecked());
    last->SetChecked(false);  // a chain's only leaf: every node above it clears
    EXPECT_EQ(top->GetCheckState(), kCheckOff);
    ::UpdateWindow(t.list.host.GetHWND());
    EXPECT_TRUE(tree->ExpandNode(top, false));
    EXPECT_EQ(tree->GetRowCount(), 1);
    EXPECT_EQ(tree->GetSelectedNode(), top);
    // A chain outside any tree goes with its top node.
    auto* loose = new CTreeNodeUI;
    for (CTreeNodeUI* at = loose; at->GetLevel() < 999;) {
        auto* node = new CTreeNodeUI;
        at->AddChildNode(node);
        at = node;
    }
    delete loose;
    EXPECT_TRUE(tree->RemoveNode(top));
    EXPECT_EQ(tree->GetRowCount(), 0);
}

TEST(Tree, ScreenReadersSeeAnOutlineWithLevelsAndStates) {
    CTreeHost t;
    ASSERT_TRUE(t.Open(kTree));
    CTreeViewUI* tree = t.Tree();
    tree->SetFocus();
    t.list.ClickRow(2);
    t.PressAt(CListHost::Centre(tree->GetNodeAtRow(1)->GetCheckRect()));
    t.list.Move(CListHost::Centre(t.list.host.Find(L"below")->GetPos()));  // no row is hot
    EXPECT_EQ(Accessible::Describe(tree).role, ROLE_SYSTEM_OUTLINE);
    // Every node is an item, in display order; those under a collapsed node are invisible.
    std::vector<CControlUI*> items;
    Accessible::ChildrenOf(&t.list.host.pm, tree, items);
    ASSERT_EQ(items.size(), 7u + 2u);  // the nodes, then the bars
    const struct {
        size_t item;
        const wchar_t* name;
        const wchar_t* level;
        DWORD set;
        DWORD clear;
    } kItems[] = {
        {0, L"Fruit", L"0", STATE_SYSTEM_EXPANDED | STATE_SYSTEM_MIXED, STATE_SYSTEM_SELECTED | STATE_SYSTEM_COLLAPSED},
        {1, L"Apple", L"1", STATE_SYSTEM_CHECKED, STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED},
        {2, L"Berries", L"1", STATE_SYSTEM_COLLAPSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED,
         STATE_SYSTEM_CHECKED | STATE_SYSTEM_INVISIBLE},
        {3, L"Blueberry", L"2", STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED},
        {5, L"Roots", L"0", STATE_SYSTEM_COLLAPSED, STATE_SYSTEM_FOCUSED | STATE_SYSTEM_INVISIBLE},
    };
    for (const auto& item : kItems) {
        SCOPED_TRACE(item.item);
        const TUIAccessibleInfo info = Accessible::Describe(items[item.item]);
        EXPECT_EQ(info.role, ROLE_SYSTEM_OUTLINEITEM);
        EXPECT_EQ(std::wstring(info.name.GetData()), item.name);
        EXPECT_EQ(std::wstring(info.value.GetData()), item.level);
        EXPECT_EQ(info.state & item.set, item.set);
        EXPECT_EQ(info.state & item.clear, 0u);
    }
    EXPECT_EQ(std::wstring(Accessible::RoleText(ROLE_SYSTEM_OUTLINEITEM).GetData()), L"outline item");
}

const wchar_t kListEx[] =
    L"<Window><VerticalLayout>"
    L"<ListEx name=\"list\" height=\"200\" itemheight=\"20\">"
    L"<ListHeader height=\"24\"><ListContainerHeaderItem name=\"all\" checkbox=\"true\" width=\"120\" text=\"Name\"/>"
    L"<ListContainerHeaderItem name=\"size\" width=\"80\"><Label text=\"Size\"/></ListContainerHeaderItem>"
    L"</ListHeader>"
    L"<ListTextExtElement texts=\"Apple|1\"/><ListTextExtElement texts=\"Banana|2\" checked=\"true\"/>"
    L"<ListTextExtElement texts=\"Cherry|3\"/><ListLabelElement text=\"No box\"/>"
    L"</ListEx></VerticalLayout></Window>";

TEST(ListEx, RowBoxesSpaceAndTheHeaderBoxCheckAll) {
    CTreeHost checks;
    ASSERT_TRUE(checks.Open(kListEx));
    CListHost& t = checks.list;
    auto* list = static_cast<CListExUI*>(t.List()->GetInterface(L"ListEx"));
    ASSERT_NE(list, nullptr);
    auto* all = static_cast<CListContainerHeaderItemUI*>(t.host.Find(L"all"));
    auto row = [&](int r) { return static_cast<CListTextExtElementUI*>(list->GetRowControl(r)); };
    auto boxes = [&] {
        std::string out;
        for (int r = 0; r < list->GetRowCount(); ++r) out += std::to_string(list->GetRowCheck(r)) + " ";
        return out + "all:" + std::to_string(all->GetCheckBoxState());
    };
    EXPECT_EQ(boxes(), "0 1 0 -1 all:2");
    enum { kRowBox, kSpace, kAll };
    const struct {
        int how;
        int row;
        const char* boxes;
        int selected;
    } kSteps[] = {
        {kRowBox, 0, "1 1 0 -1 all:2", -1},  // the box does not select
        {kAll, 0, "1 1 1 -1 all:1", -1},
        {kAll, 0, "0 0 0 -1 all:0", -1},
        {kSpace, 2, "0 0 1 -1 all:2", 2},
        {kSpace, 3, "0 0 1 -1 all:2", 3},  // a row without a box: nothing to toggle
    };
    for (const auto& step : kSteps) {
        if (step.how == kRowBox) {
            const POINT pt = CListHost::Centre(row(step.row)->GetCheckRect());
            t.Press(pt);
            t.Release(pt);
        }
        if (step.how == kAll) {
            const POINT pt = CListHost::Centre(all->GetCheckRect());
            t.Press(pt);
            t.Release(pt);
        }
        if (step.how == kSpace) {
            t.ClickRow(step.row);
            t.Key(VK_SPACE);
        }
        EXPECT_EQ(boxes(), step.boxes);
        EXPECT_EQ(list->GetCurSel(), step.selected);
    }
    EXPECT_EQ(t.notes,
              "itemcheck:0:1 itemcheck:-1:1 itemcheck:-1:0 itemselect:2:-1 itemclick:2 itemcheck:2:1 "
              "itemselect:3:2 itemclick:3 ");
    // The container header item is a column: it places the first cells and resizes by its edge.
    const RECT edge = all->GetPos();
    t.Drag(POINT{edge.right - 1, (edge.top + edge.bottom) / 2}, POINT{edge.right + 29, (edge.top + edge.bottom) / 2});
    EXPECT_EQ(list->GetColumnSpan(0).y - list->GetColumnSpan(0).x, 150);
    EXPECT_EQ(row(0)->GetCheckRect().left, list->GetColumnSpan(0).x);
    EXPECT_EQ(list->GetColumnSpan(1).x, list->GetColumnSpan(0).y);
    // Screen readers: a checked row, and the header's box as a column header's state.
    EXPECT_NE(Accessible::Describe(row(2)).state & STATE_SYSTEM_CHECKED, 0u);
    EXPECT_EQ(Accessible::Describe(row(0)).state & STATE_SYSTEM_CHECKED, 0u);
    const TUIAccessibleInfo header = Accessible::Describe(all);
    EXPECT_EQ(header.role, ROLE_SYSTEM_COLUMNHEADER);
    EXPECT_NE(header.state & STATE_SYSTEM_MIXED, 0u);
    ::UpdateWindow(t.host.GetHWND());
}

}  // namespace
