#include "ui/widgets/list/tree_view.h"

#include <oleacc.h>

#include <algorithm>
#include <cstdlib>

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/list/list_body.h"
#include "ui/widgets/list/tree_node.h"

namespace SkinUI {

namespace {

CTreeNodeUI* AsNode(CControlUI* control) {
    return control != nullptr ? static_cast<CTreeNodeUI*>(control->GetInterface(L"TreeNode")) : nullptr;
}

// The node and its descendants in display order.
std::vector<CTreeNodeUI*> Subtree(CTreeNodeUI* node) {
    std::vector<CTreeNodeUI*> out;
    std::vector<CTreeNodeUI*> pending(1, node);
    while (!pending.empty()) {
        CTreeNodeUI* n = pending.back();
        pending.pop_back();
        out.push_back(n);
        for (int i = n->GetChildCount() - 1; i >= 0; --i) pending.push_back(n->GetChildNode(i));
    }
    return out;
}

}  // namespace

CTreeViewUI::CTreeViewUI() : m_nIndent(kDefaultIndent), m_bCheckBoxes(false) {}

// The body deletes the nodes; they never call back into the tree.
CTreeViewUI::~CTreeViewUI() = default;

const wchar_t* CTreeViewUI::GetClass() const { return L"TreeViewUI"; }

void* CTreeViewUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"TreeView") == 0) return static_cast<CTreeViewUI*>(this);
    return CListUI::GetInterface(name);
}

// ---- children ----

bool CTreeViewUI::Add(CControlUI* control) { return AddAt(control, -1); }

bool CTreeViewUI::AddAt(CControlUI* control, int index) {
    if (CTreeNodeUI* node = AsNode(control)) return InsertNode(nullptr, node, index);
    // A header is the list's; other rows are refused, as every row of a tree is a node.
    if (control != nullptr && control->GetInterface(L"ListHeader") != nullptr) return CListUI::AddAt(control, index);
    return false;
}

bool CTreeViewUI::Remove(CControlUI* control) {
    if (CTreeNodeUI* node = AsNode(control)) return RemoveNode(node);
    if (control != nullptr && control->GetInterface(L"ListHeader") != nullptr) return CListUI::Remove(control);
    return false;
}

bool CTreeViewUI::RemoveAt(int index) { return RemoveNode(GetRootNode(index)); }

void CTreeViewUI::RemoveAll() {
    TKept kept = Keep();
    kept.selected.clear();
    kept.hot = nullptr;
    kept.before = nullptr;  // every node goes
    for (int i = 0; i < GetBody()->GetCount(); ++i) {
        if (CTreeNodeUI* node = AsNode(GetBody()->GetItemAt(i))) {
            node->m_children.clear();
            node->m_pParentNode = nullptr;
            node->m_pTree = nullptr;
        }
    }
    m_roots.clear();
    m_rows.clear();
    GetBody()->RemoveAll();
    Rebuild(kept, true);
}

CTreeNodeUI* CTreeViewUI::GetRootNode(int index) const {
    return index >= 0 && index < GetRootCount() ? m_roots[static_cast<size_t>(index)] : nullptr;
}

int CTreeViewUI::SubtreeEnd(const CTreeNodeUI* node) const {
    while (!node->m_children.empty()) node = node->m_children.back();
    return GetBody()->GetItemIndex(const_cast<CTreeNodeUI*>(node)) + 1;
}

bool CTreeViewUI::InsertNode(CTreeNodeUI* parent, CTreeNodeUI* node, int index) {
    if (node == nullptr || node->m_pTree != nullptr || node->m_pParentNode != nullptr) return false;
    if (parent != nullptr && parent->m_pTree != this) return false;
    std::vector<CTreeNodeUI*>& siblings = parent != nullptr ? parent->m_children : m_roots;
    const int count = static_cast<int>(siblings.size());
    if (index < 0 || index > count) index = count;
    int at = index < count ? GetBody()->GetItemIndex(siblings[static_cast<size_t>(index)])
                           : (parent != nullptr ? SubtreeEnd(parent) : GetBody()->GetCount());
    const TKept kept = Keep();
    siblings.insert(siblings.begin() + index, node);
    node->m_pParentNode = parent;
    for (CTreeNodeUI* n : Subtree(node)) {
        n->m_pTree = this;
        GetBody()->AddAt(n, at++);
    }
    CTreeNodeUI::FixAncestorChecks(node);
    Rebuild(kept, true);
    return true;
}

bool CTreeViewUI::RemoveNode(CTreeNodeUI* node) {
    if (node == nullptr || node->m_pTree != this) return false;
    TKept kept = Keep();
    const std::vector<CTreeNodeUI*> gone = Subtree(node);
    CTreeNodeUI* parent = node->m_pParentNode;
    std::vector<CTreeNodeUI*>& siblings = parent != nullptr ? parent->m_children : m_roots;
    siblings.erase(std::find(siblings.begin(), siblings.end(), node));
    if (parent != nullptr && !parent->m_children.empty()) {
        parent->m_nCheck = parent->ChildrenCheck();
        CTreeNodeUI::FixAncestorChecks(parent);
    }
    // Unlinked first: a node outside a tree with no children deletes nothing else.
    for (CTreeNodeUI* n : gone) {
        n->m_children.clear();
        n->m_pParentNode = nullptr;
        n->m_pTree = nullptr;
    }
    // Nothing kept may point at a node that goes.
    kept.selected.erase(std::remove_if(kept.selected.begin(), kept.selected.end(),
                                       [](const CTreeNodeUI* n) { return n->m_pTree == nullptr; }),
                        kept.selected.end());
    if (kept.hot != nullptr && kept.hot->m_pTree == nullptr) kept.hot = nullptr;
    if (kept.before != nullptr && kept.before->m_pTree == nullptr) kept.before = nullptr;
    // The subtree lies together in the body, from the node on.
    const int first = GetBody()->GetItemIndex(node);
    for (size_t i = 0; i < gone.size() && first >= 0; ++i) GetBody()->RemoveAt(first);
    Rebuild(kept, true);
    return true;
}

// ---- rows ----

int CTreeViewUI::GetRowCount() const { return static_cast<int>(m_rows.size()); }

CControlUI* CTreeViewUI::GetRowControl(int row) const { return GetNodeAtRow(row); }

CTreeNodeUI* CTreeViewUI::GetNodeAtRow(int row) const {
    return row >= 0 && row < GetRowCount() ? m_rows[static_cast<size_t>(row)] : nullptr;
}

int CTreeViewUI::GetNodeRow(const CTreeNodeUI* node) const {
    return node != nullptr && node->m_pTree == this ? node->GetRowIndex() : -1;
}

CTreeViewUI::TKept CTreeViewUI::Keep() const {
    TKept kept;
    for (int row = GetNextSelected(-1); row >= 0; row = GetNextSelected(row)) kept.selected.push_back(GetNodeAtRow(row));
    kept.hot = GetNodeAtRow(GetHotRow());
    kept.before = GetNodeAtRow(GetCurSel());
    kept.beforeRow = GetCurSel();
    return kept;
}

void CTreeViewUI::Rebuild(const TKept& kept, bool notify) {
    m_rows.clear();
    // Every node in display order, with whether its parent's children are rows.
    std::vector<std::pair<CTreeNodeUI*, bool>> pending;
    for (auto it = m_roots.rbegin(); it != m_roots.rend(); ++it) pending.emplace_back(*it, true);
    while (!pending.empty()) {
        CTreeNodeUI* node = pending.back().first;
        const bool open = pending.back().second;
        pending.pop_back();
        node->m_nLevel = node->m_pParentNode != nullptr ? node->m_pParentNode->m_nLevel + 1 : 0;
        // A node hidden by its "visible" hides its descendants too.
        const bool shown = open && node->m_bVisible;
        node->SetRowShown(shown);
        node->SetRowIndex(shown ? GetRowCount() : -1);
        if (shown) m_rows.push_back(node);
        for (auto it = node->m_children.rbegin(); it != node->m_children.rend(); ++it)
            pending.emplace_back(*it, shown && node->m_bExpanded);
    }
    ResetRows(GetRowCount());
    // A selected node that is no longer a row hands the selection to its nearest shown ancestor.
    bool first = true;
    for (CTreeNodeUI* node : kept.selected) {
        while (node != nullptr && GetNodeRow(node) < 0) node = node->m_pParentNode;
        if (node == nullptr) continue;
        if (first) SelectItem(GetNodeRow(node), false);
        else SetItemSelected(GetNodeRow(node), true, false);
        first = false;
    }
    if (GetNodeRow(kept.hot) >= 0) SetHotRow(GetNodeRow(kept.hot));
    if (GetManager() != nullptr && !GetPos().IsEmpty()) Relayout();
    CTreeNodeUI* now = GetSelectedNode();
    // The current node moved, or went (with the node removed).
    const bool changed = now != kept.before || (now == nullptr && kept.beforeRow >= 0);
    if (!changed || GetManager() == nullptr) return;
    if (now != nullptr) GetManager()->NotifyAccessible(EVENT_OBJECT_SELECTION, now);
    GetManager()->NotifyAccessible(EVENT_OBJECT_SELECTIONWITHIN, this);
    if (notify) GetManager()->SendNotify(this, L"itemselect", static_cast<WPARAM>(GetNodeRow(now)), kept.beforeRow);
}

// ---- expanding, checking, selecting ----

bool CTreeViewUI::ExpandNode(CTreeNodeUI* node, bool expand, bool notify) {
    if (node == nullptr || node->m_pTree != this || node->m_bExpanded == expand) return false;
    const TKept kept = Keep();
    node->m_bExpanded = expand;
    Rebuild(kept, notify);
    if (node->m_children.empty()) return true;
    if (GetManager() != nullptr) GetManager()->NotifyAccessible(EVENT_OBJECT_STATECHANGE, node);
    if (notify) Notify(expand ? L"itemexpand" : L"itemcollapse", node);
    return true;
}

void CTreeViewUI::ExpandSubtree(CTreeNodeUI* node, bool expand) {
    if (node == nullptr || node->m_pTree != this) return;
    const TKept kept = Keep();
    const bool was = node->m_bExpanded;
    for (CTreeNodeUI* n : Subtree(node)) n->m_bExpanded = expand;
    Rebuild(kept, true);
    if (was != expand && !node->m_children.empty()) Notify(expand ? L"itemexpand" : L"itemcollapse", node);
}

bool CTreeViewUI::CheckNode(CTreeNodeUI* node, bool checked, bool notify) {
    if (node == nullptr || node->m_pTree != this) return false;
    const int state = checked ? kCheckOn : kCheckOff;
    // On and off hold for the whole subtree: nothing below can differ.
    if (node->m_nCheck == state) return false;
    CTreeNodeUI::ApplyCheck(node, state);
    GetBody()->Repaint();
    if (GetManager() != nullptr) GetManager()->NotifyAccessible(EVENT_OBJECT_STATECHANGE, node);
    if (notify) Notify(L"itemcheck", node, checked ? 1 : 0);
    return true;
}

bool CTreeViewUI::SelectNode(CTreeNodeUI* node, bool notify) {
    if (node == nullptr) {
        ClearSelection(notify);
        return true;
    }
    if (node->m_pTree != this) return false;
    if (GetNodeRow(node) < 0) {
        const TKept kept = Keep();
        for (CTreeNodeUI* p = node->m_pParentNode; p != nullptr; p = p->m_pParentNode) p->m_bExpanded = true;
        Rebuild(kept, notify);
    }
    const int row = GetNodeRow(node);
    if (row < 0 || !SelectItem(row, notify)) return false;
    ShowRow(row);
    return true;
}

bool CTreeViewUI::MoveTo(CTreeNodeUI* node) {
    const int row = GetNodeRow(node);
    if (row < 0 || !SelectItem(row, true)) return false;
    ShowRow(row);
    if (IsFocused() && GetManager() != nullptr) GetManager()->NotifyAccessible(EVENT_OBJECT_FOCUS, node);
    return true;
}

void CTreeViewUI::NodePressedButton(CTreeNodeUI* node) {
    if (!node->m_children.empty()) ExpandNode(node, !node->m_bExpanded, true);
}

void CTreeViewUI::NodePressedBox(CTreeNodeUI* node) {
    if (m_bCheckBoxes) CheckNode(node, node->m_nCheck != kCheckOn, true);
}

void CTreeViewUI::NodeDoubleClicked(CTreeNodeUI* node) {
    RowActivated(GetNodeRow(node));
    // A listener may have removed the node.
    if (node->m_pTree == this && !node->m_children.empty()) ExpandNode(node, !node->m_bExpanded, true);
}

void CTreeViewUI::Notify(const wchar_t* type, const CTreeNodeUI* node, LPARAM lParam) {
    if (GetManager() != nullptr) GetManager()->SendNotify(this, type, static_cast<WPARAM>(GetNodeRow(node)), lParam);
}

// ---- moving ----

bool CTreeViewUI::MoveNode(CTreeNodeUI* node, int index) {
    if (node == nullptr || node->m_pTree != this) return false;
    std::vector<CTreeNodeUI*>& siblings = node->m_pParentNode != nullptr ? node->m_pParentNode->m_children : m_roots;
    const int count = static_cast<int>(siblings.size());
    const int current = static_cast<int>(std::find(siblings.begin(), siblings.end(), node) - siblings.begin());
    if (index < 0 || index >= count) index = count - 1;
    if (index == current) return false;
    const TKept kept = Keep();
    // The subtree lies together in the body; it goes before the sibling that will follow
    // it, or after the one that will precede it.
    const int first = GetBody()->GetItemIndex(node);
    const int size = SubtreeEnd(node) - first;
    siblings.erase(siblings.begin() + current);
    siblings.insert(siblings.begin() + index, node);
    int to = index + 1 < count ? GetBody()->GetItemIndex(siblings[static_cast<size_t>(index) + 1])
                               : SubtreeEnd(siblings[static_cast<size_t>(index) - 1]);
    if (to > first) to -= size;
    GetBody()->MoveRows(first, size, to);
    Rebuild(kept, false);
    if (GetManager() != nullptr) GetManager()->NotifyAccessible(EVENT_OBJECT_REORDER, this);
    return true;
}

int CTreeViewUI::DragGapAt(int from, POINT pt) const {
    const CTreeNodeUI* node = GetNodeAtRow(from);
    if (node == nullptr) return -1;
    const std::vector<CTreeNodeUI*>& siblings =
        node->m_pParentNode != nullptr ? node->m_pParentNode->m_children : m_roots;
    // The gaps before each sibling shown, and after the last one's rows; the nearest wins.
    int best = -1;
    long long bestDistance = 0;
    int end = -1;
    for (const CTreeNodeUI* sibling : siblings) {
        const int row = GetNodeRow(sibling);
        if (row < 0) continue;
        end = row + 1;
        while (end < GetRowCount() && sibling->IsAncestorOf(GetNodeAtRow(end))) ++end;
        for (int gap : {row, end}) {
            const long long distance = std::llabs(static_cast<long long>(GapY(gap)) - pt.y);
            if (best < 0 || distance < bestDistance) {
                best = gap;
                bestDistance = distance;
            }
        }
    }
    return best;
}

bool CTreeViewUI::MoveRowToGap(int from, int gap) {
    CTreeNodeUI* node = GetNodeAtRow(from);
    if (node == nullptr || gap < 0) return false;
    const std::vector<CTreeNodeUI*>& siblings =
        node->m_pParentNode != nullptr ? node->m_pParentNode->m_children : m_roots;
    // The sibling the gap is before (none: after the last).
    const int count = static_cast<int>(siblings.size());
    int before = count;
    int current = 0;
    for (int i = 0; i < count; ++i) {
        if (GetNodeRow(siblings[static_cast<size_t>(i)]) == gap) before = i;
        if (siblings[static_cast<size_t>(i)] == node) current = i;
    }
    if (before == current || before == current + 1) return false;
    if (!MoveNode(node, before > current ? before - 1 : before)) return false;
    if (GetManager() != nullptr)
        GetManager()->SendNotify(this, L"itemmove", static_cast<WPARAM>(from), static_cast<LPARAM>(GetNodeRow(node)));
    return true;
}

// ---- keys and attributes ----

bool CTreeViewUI::KeyDown(UINT vk) {
    CTreeNodeUI* node = GetNodeAtRow(GetCaretRow());
    if (node == nullptr) return false;
    const bool parentNode = !node->m_children.empty();
    switch (vk) {
        case VK_LEFT:
            if (parentNode && node->m_bExpanded) ExpandNode(node, false);
            else MoveTo(node->m_pParentNode);
            return true;
        case VK_RIGHT:
            if (!parentNode) return true;
            if (!node->m_bExpanded) {
                ExpandNode(node, true);
            } else {
                for (CTreeNodeUI* child : node->m_children) {
                    if (MoveTo(child)) break;
                }
            }
            return true;
        case VK_BACK:
            MoveTo(node->m_pParentNode);
            return true;
        case VK_ADD:
            ExpandNode(node, true);
            return true;
        case VK_SUBTRACT:
            ExpandNode(node, false);
            return true;
        case VK_MULTIPLY:
            ExpandSubtree(node, true);
            return true;
        case VK_SPACE:
            if (!m_bCheckBoxes) return false;
            NodePressedBox(node);
            return true;
        default:
            return false;
    }
}

void CTreeViewUI::HandleEvent(TUIEvent& event) {
    if (event.Type == UIEVENT_KEYDOWN && IsEnabled() && KeyDown(event.chKey)) return;
    CListUI::HandleEvent(event);
}

void CTreeViewUI::SetCheckBoxes(bool show) {
    if (m_bCheckBoxes == show) return;
    m_bCheckBoxes = show;
    MarkDirty();
}

int CTreeViewUI::GetIndent() const { return Scale(m_nIndent); }

void CTreeViewUI::SetIndent(int indent) {
    indent = indent < 0 ? 0 : indent > kMaxIndent ? int(kMaxIndent) : indent;
    if (m_nIndent == indent) return;
    m_nIndent = indent;
    MarkDirty();
}

void CTreeViewUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (m_checkLooks.Apply(name, value)) {
        Repaint();
    } else if (NameIs(name, L"indent")) {
        SetIndent(ToInt(value));
    } else if (NameIs(name, L"checkboxes")) {
        SetCheckBoxes(IsTrue(value));
    } else if (NameIs(name, L"expandedimage")) {
        m_sExpandedImage = ImageDesc(value);
        Repaint();
    } else if (NameIs(name, L"collapsedimage")) {
        m_sCollapsedImage = ImageDesc(value);
        Repaint();
    } else if (NameIs(name, L"multiselect") || NameIs(name, L"rowcount") || NameIs(name, L"rowformat")) {
        // A tree selects one node at a time, and its rows are its nodes, never a data source's.
    } else {
        CListUI::ApplyAttribute(name, value);
    }
}

}  // namespace SkinUI
