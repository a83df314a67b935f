// CTreeViewUI (<TreeView>): a list whose rows are nodes that nest (tree_node.h).
//
// Rows are the nodes shown: the top nodes and the children of every expanded node
// whose own row is shown, in display order. Selection, keys, type-ahead and hot
// tracking are the list's, on those rows; a tree selects one node at a time.
//
// Markup: the tree's children are its top <TreeNode> elements (a <ListHeader> is
// taken as a list's). Add and AddAt take top nodes (AddAt at that place among them),
// Remove takes any node with its descendants, RemoveAt a top node and RemoveAll
// every node; removed nodes are deleted.
//
// Mouse: a press on a node's button expands or collapses it, a press on its box
// checks or clears it; a press elsewhere selects it and a double click activates it
// and expands or collapses it. Keys: those of the list, and Left (collapses an
// expanded node, else goes to the parent), Right (expands a collapsed node, else goes
// to the first child), Backspace (to the parent), numpad + and - (expand, collapse),
// numpad * (expands the node and all below it) and Space (checks or clears the node's
// box, with "checkboxes").
//
// Collapsing a node that holds the selection selects the node; removing the selected
// node leaves nothing selected. Each such change sends "itemselect".
//
// Notifications (sent by the tree; wParam the node's row): "itemselect" (lParam the
// row before), "itemclick", "itemactivate", "itemexpand", "itemcollapse" and
// "itemcheck" (lParam 1 when checked, 0 when cleared).
//
// Dragging (the list's "itemdrag", or "drag" on nodes) moves a node with its descendants
// among its siblings: the insertion mark goes only between them, and "itemmove" gives the
// node's row before and after.
//
// A tree is never fed by data: "rowcount" and "rowformat" are ignored, and SetDataSource
// must not be called on one (it would take the nodes away under the tree).
//
// Attributes: the list's, and "indent" (pixels per level, 16), "checkboxes",
// "expandedimage" and "collapsedimage" (the button; else a drawn square with - or +),
// "checkedimage", "uncheckedimage" and "mixedimage" (the box; else a drawn box).
#pragma once

#include <vector>

#include "ui/widgets/list/list.h"
#include "ui/widgets/list/list_check.h"

namespace SkinUI {

class CTreeNodeUI;

class CTreeViewUI : public CListUI {
public:
    enum { kDefaultIndent = 16, kMaxIndent = 256 };
    CTreeViewUI();
    ~CTreeViewUI() override;

    const wchar_t* GetClass() const override;          // "TreeViewUI"
    void* GetInterface(const wchar_t* name) override;  // "TreeView"
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;

    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control) override;
    bool RemoveAt(int index) override;
    void RemoveAll() override;

    // The list's hooks: rows are the nodes shown.
    int GetRowCount() const override;
    CControlUI* GetRowControl(int row) const override;

    // ---- nodes ----
    int GetRootCount() const { return static_cast<int>(m_roots.size()); }
    CTreeNodeUI* GetRootNode(int index) const;
    // Inserts a node without parent or tree (with its descendants) under `parent`
    // (null: at the top), at `index` among its siblings (-1: last).
    bool InsertNode(CTreeNodeUI* parent, CTreeNodeUI* node, int index = -1);
    // Removes and deletes a node of this tree with its descendants.
    bool RemoveNode(CTreeNodeUI* node);
    CTreeNodeUI* GetNodeAtRow(int row) const;
    // The node's row, or -1 when it is not shown.
    int GetNodeRow(const CTreeNodeUI* node) const;
    CTreeNodeUI* GetSelectedNode() const { return GetNodeAtRow(GetCurSel()); }
    // Selects a node of this tree, expanding its ancestors first; null clears.
    bool SelectNode(CTreeNodeUI* node, bool notify = true);
    // Expands or collapses a node; false when nothing changed.
    bool ExpandNode(CTreeNodeUI* node, bool expand, bool notify = true);
    // Expands or collapses a node and every node below it.
    void ExpandSubtree(CTreeNodeUI* node, bool expand);
    // Checks or clears a node with its descendants; false when nothing changed.
    bool CheckNode(CTreeNodeUI* node, bool checked, bool notify = true);
    // Moves a node with its descendants to `index` among its siblings (past the last: last);
    // false when it stays. Its selection and expansion go with it.
    bool MoveNode(CTreeNodeUI* node, int index);

    bool HasCheckBoxes() const { return m_bCheckBoxes; }
    void SetCheckBoxes(bool show);
    int GetIndent() const;  // scaled
    void SetIndent(int indent);  // unscaled, within 0..kMaxIndent
    const TListCheckLooks& GetCheckLooks() const { return m_checkLooks; }
    const CUIString& GetButtonImage(bool expanded) const { return expanded ? m_sExpandedImage : m_sCollapsedImage; }

    // What nodes report.
    void NodePressedButton(CTreeNodeUI* node);
    void NodePressedBox(CTreeNodeUI* node);
    void NodeDoubleClicked(CTreeNodeUI* node);

protected:
    int DragGapAt(int from, POINT pt) const override;
    bool MoveRowToGap(int from, int gap) override;

private:
    // The selected and hot nodes, kept across a change of the rows.
    struct TKept {
        std::vector<CTreeNodeUI*> selected;
        CTreeNodeUI* hot = nullptr;
        CTreeNodeUI* before = nullptr;  // the node that was current (GetCurSel); null when it went
        int beforeRow = -1;
    };
    TKept Keep() const;
    // Recounts the rows after a change and puts the kept selection back: a selected
    // node that is no longer shown passes the selection to its nearest shown ancestor.
    void Rebuild(const TKept& kept, bool notify);
    // The body index after the last node of `node`'s subtree.
    int SubtreeEnd(const CTreeNodeUI* node) const;
    bool MoveTo(CTreeNodeUI* node);
    bool KeyDown(UINT vk);
    void Notify(const wchar_t* type, const CTreeNodeUI* node, LPARAM lParam = 0);

    std::vector<CTreeNodeUI*> m_roots;
    std::vector<CTreeNodeUI*> m_rows;
    TListCheckLooks m_checkLooks;
    CUIString m_sExpandedImage;
    CUIString m_sCollapsedImage;
    int m_nIndent;  // unscaled
    bool m_bCheckBoxes;
};

}  // namespace SkinUI
