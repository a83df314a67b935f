// CTreeNodeUI (<TreeNode>): one node of a tree view, a row that holds its child
// nodes.
//
// Markup: a node's child <TreeNode> elements are its child nodes; its other child
// elements are the row's content, laid side by side after the node's indentation,
// button and check box. A node without content shows its "text". Attributes:
// "expanded" (false by default) and "checked", besides a row's ("height") and a
// horizontal layout's.
//
// Ownership: a node in a tree belongs to the tree's body, which holds every node of
// the tree in display order (child nodes are not the node's container children).
// A node outside a tree owns its child nodes and deletes them with itself. Walks over
// the nodes are iterative, so that a tree nested thousands deep needs no deep stack.
//
// Check states: a node's box is on, off or mixed. Checking a node checks its
// descendants; a node with children shows what they hold: on when all are on, off
// when all are off, else mixed.
#pragma once

#include <vector>

#include "ui/widgets/list/list_check.h"
#include "ui/widgets/list/list_element.h"

namespace SkinUI {

class CTreeViewUI;

class CTreeNodeUI : public CListContainerElementUI {
public:
    CTreeNodeUI();
    ~CTreeNodeUI() override;
    CTreeNodeUI(const CTreeNodeUI&) = delete;
    CTreeNodeUI& operator=(const CTreeNodeUI&) = delete;

    const wchar_t* GetClass() const override;          // "TreeNodeUI"
    void* GetInterface(const wchar_t* name) override;  // "TreeNode"
    // A node given to Add or AddAt becomes a child node (AddAt: at that place among
    // them); other controls are the row's content.
    bool Add(CControlUI* control) override;
    bool AddAt(CControlUI* control, int index) override;
    // A child node goes with its descendants (and is deleted).
    bool Remove(CControlUI* control) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    CUIRect GetInset() const override;  // the indentation, button and box come first
    void SetInternVisible(bool visible = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawStateImage(HDC dc) override;
    void DrawLabelText(HDC dc) override;
    CUIString GetRowText() const override;

    // ---- nesting ----
    CTreeViewUI* GetTree() const { return m_pTree; }
    CTreeNodeUI* GetParentNode() const { return m_pParentNode; }
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    CTreeNodeUI* GetChildNode(int index) const;
    int GetChildIndex(const CTreeNodeUI* child) const;
    // Adds a node that has no parent and no tree (index -1: last); false for any other
    // (a node cannot hold one of its ancestors).
    bool AddChildNode(CTreeNodeUI* node, int index = -1);
    // Removes and deletes a child node with its descendants.
    bool RemoveChildNode(CTreeNodeUI* node);
    // Levels below the tree's top (0 for a top node); outside a tree, below the top node.
    int GetLevel() const;
    bool IsAncestorOf(const CTreeNodeUI* node) const;

    // ---- state ----
    bool IsExpanded() const { return m_bExpanded; }
    // Expands or collapses (in a tree through the tree, which tells its listeners).
    void SetExpanded(bool expanded);
    int GetCheckState() const { return m_nCheck; }  // ECheckState
    bool IsChecked() const { return m_nCheck == kCheckOn; }
    // Checks or clears the node and its descendants (in a tree through the tree).
    void SetChecked(bool checked);
    // The button's and the box's cells in window pixels (empty when not shown).
    CUIRect GetButtonRect() const;
    CUIRect GetCheckRect() const;

private:
    friend class CTreeViewUI;
    // Sets the state of the node and its descendants, then fixes its ancestors'.
    static void ApplyCheck(CTreeNodeUI* node, int state);
    // The state a node with children shows for them; its own when it has none.
    int ChildrenCheck() const;
    // Brings the ancestors' states in line with their children, from `node` up.
    static void FixAncestorChecks(CTreeNodeUI* node);
    // Whether the tree shows the node as a row.
    void SetRowShown(bool shown);
    // Deletes every descendant without recursion (the node outside a tree).
    void DeleteDescendants();
    int LeftWidth() const;  // indentation, button and box, in pixels

    CTreeViewUI* m_pTree;
    CTreeNodeUI* m_pParentNode;
    std::vector<CTreeNodeUI*> m_children;
    int m_nLevel;
    int m_nCheck;
    bool m_bExpanded;
    bool m_bRowShown;    // a row of its tree (every ancestor expanded)
    bool m_bOuterShown;  // what the body last passed to SetInternVisible
};

}  // namespace SkinUI
