#include "ui/widgets/list/tree_node.h"

#include <algorithm>

#include "ui/controls/attribute_values.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/list/tree_view.h"

namespace SkinUI {

namespace {

CTreeNodeUI* AsNode(CControlUI* control) {
    return control != nullptr ? static_cast<CTreeNodeUI*>(control->GetInterface(L"TreeNode")) : nullptr;
}

const long long kMaxLeft = 1 << 20;  // the widest indentation, in pixels

}  // namespace

CTreeNodeUI::CTreeNodeUI()
    : m_pTree(nullptr),
      m_pParentNode(nullptr),
      m_nLevel(0),
      m_nCheck(kCheckOff),
      m_bExpanded(false),
      m_bRowShown(true),
      m_bOuterShown(true) {}

CTreeNodeUI::~CTreeNodeUI() {
    // In a tree the body deletes every node; outside one the node owns its children.
    if (m_pTree == nullptr) DeleteDescendants();
}

void CTreeNodeUI::DeleteDescendants() {
    std::vector<CTreeNodeUI*> pending;
    pending.swap(m_children);
    while (!pending.empty()) {
        CTreeNodeUI* node = pending.back();
        pending.pop_back();
        pending.insert(pending.end(), node->m_children.begin(), node->m_children.end());
        node->m_children.clear();
        node->m_pParentNode = nullptr;
        delete node;
    }
}

const wchar_t* CTreeNodeUI::GetClass() const { return L"TreeNodeUI"; }

void* CTreeNodeUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"TreeNode") == 0) return static_cast<CTreeNodeUI*>(this);
    return CListContainerElementUI::GetInterface(name);
}

// ---- children ----

bool CTreeNodeUI::Add(CControlUI* control) {
    if (CTreeNodeUI* node = AsNode(control)) return AddChildNode(node);
    return CListContainerElementUI::Add(control);
}

bool CTreeNodeUI::AddAt(CControlUI* control, int index) {
    if (CTreeNodeUI* node = AsNode(control)) return AddChildNode(node, index);
    return CListContainerElementUI::AddAt(control, index);
}

bool CTreeNodeUI::Remove(CControlUI* control) {
    if (CTreeNodeUI* node = AsNode(control)) return RemoveChildNode(node);
    return CListContainerElementUI::Remove(control);
}

CTreeNodeUI* CTreeNodeUI::GetChildNode(int index) const {
    return index >= 0 && index < GetChildCount() ? m_children[static_cast<size_t>(index)] : nullptr;
}

int CTreeNodeUI::GetChildIndex(const CTreeNodeUI* child) const {
    const auto found = std::find(m_children.begin(), m_children.end(), child);
    return found != m_children.end() ? static_cast<int>(found - m_children.begin()) : -1;
}

bool CTreeNodeUI::IsAncestorOf(const CTreeNodeUI* node) const {
    for (const CTreeNodeUI* p = node != nullptr ? node->m_pParentNode : nullptr; p != nullptr; p = p->m_pParentNode) {
        if (p == this) return true;
    }
    return false;
}

bool CTreeNodeUI::AddChildNode(CTreeNodeUI* node, int index) {
    if (node == nullptr || node == this || node->m_pTree != nullptr || node->m_pParentNode != nullptr) return false;
    if (node->IsAncestorOf(this)) return false;
    if (m_pTree != nullptr) return m_pTree->InsertNode(this, node, index);
    if (index < 0 || index > GetChildCount()) index = GetChildCount();
    m_children.insert(m_children.begin() + index, node);
    node->m_pParentNode = this;
    FixAncestorChecks(node);
    return true;
}

bool CTreeNodeUI::RemoveChildNode(CTreeNodeUI* node) {
    if (node == nullptr || node->m_pParentNode != this) return false;
    if (m_pTree != nullptr) return m_pTree->RemoveNode(node);
    m_children.erase(std::find(m_children.begin(), m_children.end(), node));
    node->m_pParentNode = nullptr;
    delete node;  // with its descendants
    if (!m_children.empty()) {
        m_nCheck = ChildrenCheck();
        FixAncestorChecks(this);
    }
    return true;
}

int CTreeNodeUI::GetLevel() const {
    if (m_pTree != nullptr) return m_nLevel;
    int level = 0;
    for (const CTreeNodeUI* p = m_pParentNode; p != nullptr; p = p->m_pParentNode) ++level;
    return level;
}

// ---- state ----

void CTreeNodeUI::SetExpanded(bool expanded) {
    if (m_pTree != nullptr) {
        m_pTree->ExpandNode(this, expanded, false);
    } else {
        m_bExpanded = expanded;
    }
}

void CTreeNodeUI::SetChecked(bool checked) {
    if (m_pTree != nullptr) {
        m_pTree->CheckNode(this, checked, false);
    } else {
        ApplyCheck(this, checked ? kCheckOn : kCheckOff);
    }
}

int CTreeNodeUI::ChildrenCheck() const {
    if (m_children.empty()) return m_nCheck;
    bool on = false;
    bool off = false;
    for (const CTreeNodeUI* child : m_children) {
        if (child->m_nCheck == kCheckMixed) return kCheckMixed;
        (child->m_nCheck == kCheckOn ? on : off) = true;
    }
    return on && off ? kCheckMixed : on ? kCheckOn : kCheckOff;
}

void CTreeNodeUI::FixAncestorChecks(CTreeNodeUI* node) {
    for (CTreeNodeUI* p = node->m_pParentNode; p != nullptr; p = p->m_pParentNode) {
        const int state = p->ChildrenCheck();
        if (state == p->m_nCheck) break;  // the ones above see no change either
        p->m_nCheck = state;
    }
}

void CTreeNodeUI::ApplyCheck(CTreeNodeUI* node, int state) {
    std::vector<CTreeNodeUI*> pending(1, node);
    while (!pending.empty()) {
        CTreeNodeUI* n = pending.back();
        pending.pop_back();
        n->m_nCheck = state;
        pending.insert(pending.end(), n->m_children.begin(), n->m_children.end());
    }
    FixAncestorChecks(node);
}

// ---- placement ----

int CTreeNodeUI::LeftWidth() const {
    if (m_pTree == nullptr) return 0;
    long long width = static_cast<long long>(m_pTree->GetIndent()) * (m_nLevel + 1LL);
    if (m_pTree->HasCheckBoxes()) width += ListCheck::Scaled(this, TListCheckLooks::kCellWidth);
    return static_cast<int>(width > kMaxLeft ? kMaxLeft : width);
}

CUIRect CTreeNodeUI::GetButtonRect() const {
    if (m_pTree == nullptr || m_children.empty()) return CUIRect();
    const long long indent = m_pTree->GetIndent();
    long long left = m_rcItem.left + indent * m_nLevel;
    if (left > m_rcItem.left + kMaxLeft) left = m_rcItem.left + kMaxLeft;
    return CUIRect(static_cast<LONG>(left), m_rcItem.top, static_cast<LONG>(left + indent), m_rcItem.bottom);
}

CUIRect CTreeNodeUI::GetCheckRect() const {
    if (m_pTree == nullptr || !m_pTree->HasCheckBoxes()) return CUIRect();
    const int cell = ListCheck::Scaled(this, TListCheckLooks::kCellWidth);
    const LONG right = m_rcItem.left + LeftWidth();
    return CUIRect(right - cell, m_rcItem.top, right, m_rcItem.bottom);
}

CUIRect CTreeNodeUI::GetInset() const {
    CUIRect inset = CListContainerElementUI::GetInset();
    inset.left += LeftWidth();
    return inset;
}

void CTreeNodeUI::PlaceAt(CUIRect rc, bool invalidate) {
    // Content sits side by side after the indentation, whatever columns the tree has.
    CHorizontalLayoutUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call)
}

void CTreeNodeUI::SetInternVisible(bool visible) {
    m_bOuterShown = visible;
    CListContainerElementUI::SetInternVisible(visible && m_bRowShown);
}

void CTreeNodeUI::SetRowShown(bool shown) {
    if (m_bRowShown == shown) return;
    m_bRowShown = shown;
    CListContainerElementUI::SetInternVisible(m_bOuterShown && shown);
}

// ---- input ----

void CTreeNodeUI::HandleEvent(TUIEvent& event) {
    if (m_pTree != nullptr && m_row.owner != nullptr && IsEnabled() && IsMouseEnabled()) {
        const bool press = event.Type == UIEVENT_BUTTONDOWN || event.Type == UIEVENT_DBLCLICK;
        const bool onButton = GetButtonRect().PtInRect(event.ptMouse);
        const bool onBox = GetCheckRect().PtInRect(event.ptMouse);
        if (press && onButton) {
            m_pTree->NodePressedButton(this);
            return;
        }
        if (press && onBox) {
            m_pTree->NodePressedBox(this);
            return;
        }
        if (event.Type == UIEVENT_DBLCLICK) {
            m_pTree->NodeDoubleClicked(this);
            return;
        }
        // A release on the button or the box is no click on the row.
        if (event.Type == UIEVENT_BUTTONUP && (onButton || onBox)) return;
    }
    CListContainerElementUI::HandleEvent(event);
}

void CTreeNodeUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    if (name == nullptr) return;
    if (NameIs(name, L"expanded")) {
        SetExpanded(IsTrue(value));
    } else if (NameIs(name, L"checked")) {
        SetChecked(IsTrue(value));
    } else {
        CListContainerElementUI::ApplyAttribute(name, value);
    }
}

// ---- painting ----

void CTreeNodeUI::DrawStateImage(HDC dc) {
    CListContainerElementUI::DrawStateImage(dc);
    if (m_pTree == nullptr) return;
    const DWORD color = ListPaint::TextColor(this, m_pTree->GetItemLooks(), m_row.State(this));
    if (!m_children.empty())
        ListCheck::PaintExpander(dc, this, GetButtonRect(), m_bExpanded, m_pTree->GetButtonImage(m_bExpanded), color);
    if (m_pTree->HasCheckBoxes())
        ListCheck::PaintBox(dc, this, GetCheckRect(), m_nCheck, m_pTree->GetCheckLooks(), color);
}

void CTreeNodeUI::DrawLabelText(HDC dc) {
    if (m_pTree == nullptr || GetCount() > 0) return;
    ListPaint::Text(dc, this, m_pTree->GetItemLooks(), m_row.State(this), GetClientPos(), GetText());
}

CUIString CTreeNodeUI::GetRowText() const {
    const CUIString text = GetText();
    return text.IsEmpty() ? CListContainerElementUI::GetRowText() : text;
}

}  // namespace SkinUI
