// CControlUI: state, geometry, placement, search, events and invalidation.
#include "ui/controls/control.h"

#include <cstdlib>

#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_catalog.h"

namespace SkinUI {

// ---- listener lists ----

CListenerList::~CListenerList() {
    for (int i = 0; i < m_delegates.GetSize(); ++i) delete static_cast<CDelegateBase*>(m_delegates.GetAt(i));
}

void CListenerList::operator+=(const CDelegateBase& d) {
    CDelegateBase* copy = d.Copy();
    if (!m_delegates.Add(copy)) delete copy;
}

void CListenerList::operator-=(const CDelegateBase& d) {
    for (int i = 0; i < m_delegates.GetSize(); ++i) {
        CDelegateBase* entry = static_cast<CDelegateBase*>(m_delegates.GetAt(i));
        if (entry != nullptr && entry->Equals(d)) {
            m_delegates.Remove(i);
            delete entry;
            return;
        }
    }
}

bool CListenerList::operator()(void* param) {
    for (int i = 0; i < m_delegates.GetSize(); ++i) {
        CDelegateBase* entry = static_cast<CDelegateBase*>(m_delegates.GetAt(i));
        if (entry != nullptr && !(*entry)(param)) return false;
    }
    return true;
}

// ---- construction ----

CControlUI::CControlUI()
    : m_pManager(nullptr),
      m_pParent(nullptr),
      m_cXY{0, 0},
      m_cxyFixed{0, 0},
      m_cxyMin{0, 0},
      m_cxyMax{9999, 9999},
      m_uFloatAlign(0),
      m_pTag(0),
      m_pTag2(0),
      m_dwBackColor(0),
      m_dwBackColor2(0),
      m_dwBackColor3(0),
      m_dwForeColor(0),
      m_dwBorderColor(0),
      m_dwFocusBorderColor(0),
      m_nBorderSize(0),
      m_nBorderStyle(PS_SOLID),
      m_nTooltipWidth(300),
      m_cxyBorderRound{0, 0},
      m_hInstance(nullptr),
      m_mCustomAttrs(83),
      m_chShortcut(0),
      m_wCursor(0),
      m_bUpdateNeeded(true),
      m_bMenuUsed(false),
      m_bVisible(true),
      m_bInternVisible(true),
      m_bEnabled(true),
      m_bMouseEnabled(true),
      m_bKeyboardEnabled(true),
      m_bFocused(false),
      m_bFloat(false),
      m_bSetPos(false),
      m_bRichEvent(false),
      m_bDragEnabled(false),
      m_bDropEnabled(false),
      m_bResourceText(false),
      m_bColorHSL(false) {}

CControlUI::~CControlUI() {
    OnDestroy(this);
    for (int i = 0; i < m_mCustomAttrs.GetSize(); ++i) {
        const wchar_t* key = m_mCustomAttrs.GetAt(i);
        if (key != nullptr) delete static_cast<CUIString*>(m_mCustomAttrs.Find(key, false));
    }
    m_mCustomAttrs.RemoveAll();
    if (m_pManager != nullptr) m_pManager->ReapObjects(this);
    m_pTag = 0;
}

// ---- identity ----

CUIString CControlUI::GetName() const { return m_sName; }
void CControlUI::SetName(const wchar_t* name) { m_sName = name; }
const wchar_t* CControlUI::GetClass() const { return L"ControlUI"; }

void* CControlUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"Control") == 0) return this;
    return nullptr;
}

UINT CControlUI::GetControlFlags() const { return 0; }
bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }
CPaintManagerUI* CControlUI::GetManager() const { return m_pManager; }

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    m_pManager = manager;
    m_pParent = parent;
    if (init && m_pParent != nullptr) Initialize();
}

CControlUI* CControlUI::GetParent() const { return m_pParent; }

// ---- text ----

namespace {

// With resource text on, text and tooltip are ids into the text resource
// table; an id without an entry reads as empty.
CUIString ResolveResourceText(const CUIString& id) {
    return CUIString(CUIResourceCatalog::Instance().GetText(id));
}

}  // namespace

CUIString CControlUI::GetText() const { return m_bResourceText ? ResolveResourceText(m_sText) : m_sText; }

void CControlUI::SetText(const wchar_t* text) {
    CUIString value(text);
    value.Replace(L"{\\n}", L"\n");
    if (value == m_sText) return;
    m_sText = value;
    Repaint();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_NAMECHANGE, this);
}

bool CControlUI::IsResourceText() const { return m_bResourceText; }

void CControlUI::SetResourceText(bool resource) {
    if (m_bResourceText == resource) return;
    m_bResourceText = resource;
    Repaint();
}

bool CControlUI::IsDragEnabled() const { return m_bDragEnabled; }
void CControlUI::SetDragEnabled(bool enable) { m_bDragEnabled = enable; }
bool CControlUI::IsDropEnabled() const { return m_bDropEnabled; }
void CControlUI::SetDropEnabled(bool enable) {
    m_bDropEnabled = enable;
    // A control of the tree (not one being built) makes its window a drop target.
    if (enable && m_pManager != nullptr && (m_pParent != nullptr || m_pManager->GetRoot() == this))
        m_pManager->EnableDropTarget(this);
}
bool CControlUI::IsRichEvent() const { return m_bRichEvent; }
void CControlUI::SetRichEvent(bool enable) { m_bRichEvent = enable; }

// ---- geometry ----

int CControlUI::Scale(int v) const { return m_pManager != nullptr ? m_pManager->ScaleValue(v) : v; }

CUIRect CControlUI::ScaleRect(const RECT& rc) const {
    return m_pManager != nullptr ? CUIRect(m_pManager->ScaleRect(rc)) : CUIRect(rc);
}

SIZE CControlUI::ScaleSize(SIZE sz) const { return m_pManager != nullptr ? m_pManager->ScaleSize(sz) : sz; }

CUIRect CControlUI::GetRelativePos() const {
    if (m_pParent == nullptr) return CUIRect();
    CUIRect rc = m_rcItem;
    const CUIRect& parent = m_pParent->GetPos();
    rc.Offset(-parent.left, -parent.top);
    return rc;
}

CUIRect CControlUI::GetClientPos() const { return m_rcItem; }
const CUIRect& CControlUI::GetPos() const { return m_rcItem; }

void CControlUI::PlaceAt(CUIRect rc, bool invalidate) {
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    CUIRect area = m_rcItem.IsEmpty() ? rc : m_rcItem;
    m_rcItem = rc;
    if (m_pManager == nullptr) return;
    if (!m_bSetPos) {
        m_bSetPos = true;
        OnSize(this);
        m_bSetPos = false;
    }
    m_bUpdateNeeded = false;
    if (invalidate && IsVisible()) {
        area.Join(m_rcItem);
        for (CControlUI* p = m_pParent; p != nullptr; p = p->GetParent()) {
            if (!p->IsVisible()) return;
            if (!area.Intersect(p->GetPos())) return;
        }
        m_pManager->Invalidate(area);
    }
}

void CControlUI::MoveBy(int dx, int dy) {
    m_cXY.cx += dx;
    m_cXY.cy += dy;
    MarkParentDirty();
}

int CControlUI::GetWidth() const { return m_rcItem.right - m_rcItem.left; }
int CControlUI::GetHeight() const { return m_rcItem.bottom - m_rcItem.top; }
int CControlUI::GetX() const { return m_rcItem.left; }
int CControlUI::GetY() const { return m_rcItem.top; }

CUIRect CControlUI::GetPadding() const { return ScaleRect(m_rcPadding); }

void CControlUI::SetPadding(CUIRect padding) {
    m_rcPadding = padding;
    MarkParentDirty();
}

SIZE CControlUI::GetFixedXY() const { return ScaleSize(m_cXY); }

void CControlUI::SetFixedXY(SIZE xy) {
    m_cXY = xy;
    MarkParentDirty();
}

SIZE CControlUI::GetFixedSize() const { return ScaleSize(m_cxyFixed); }
int CControlUI::GetFixedWidth() const { return Scale(m_cxyFixed.cx); }

void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) return;
    m_cxyFixed.cx = cx;
    MarkParentDirty();
}

int CControlUI::GetFixedHeight() const { return Scale(m_cxyFixed.cy); }

void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) return;
    m_cxyFixed.cy = cy;
    MarkParentDirty();
}

int CControlUI::GetMinWidth() const { return Scale(m_cxyMin.cx); }

void CControlUI::SetMinWidth(int cx) {
    if (cx < 0 || m_cxyMin.cx == cx) return;
    m_cxyMin.cx = cx;
    MarkParentDirty();
}

int CControlUI::GetMaxWidth() const { return Scale(m_cxyMax.cx); }

void CControlUI::SetMaxWidth(int cx) {
    if (cx < 0 || m_cxyMax.cx == cx) return;
    m_cxyMax.cx = cx;
    MarkParentDirty();
}

int CControlUI::GetMinHeight() const { return Scale(m_cxyMin.cy); }

void CControlUI::SetMinHeight(int cy) {
    if (cy < 0 || m_cxyMin.cy == cy) return;
    m_cxyMin.cy = cy;
    MarkParentDirty();
}

int CControlUI::GetMaxHeight() const { return Scale(m_cxyMax.cy); }

void CControlUI::SetMaxHeight(int cy) {
    if (cy < 0 || m_cxyMax.cy == cy) return;
    m_cxyMax.cy = cy;
    MarkParentDirty();
}

TUIFloatPercent CControlUI::GetFloatPercent() const { return m_piFloatPercent; }

void CControlUI::SetFloatPercent(TUIFloatPercent percent) {
    m_piFloatPercent = percent;
    MarkParentDirty();
}

void CControlUI::SetFloatAlign(UINT align) {
    m_uFloatAlign = align;
    MarkParentDirty();
}

UINT CControlUI::GetFloatAlign() const { return m_uFloatAlign; }

// ---- tooltip, cursor and small values ----

CUIString CControlUI::GetToolTip() const {
    return m_bResourceText ? ResolveResourceText(m_sToolTip) : m_sToolTip;
}

void CControlUI::SetToolTip(const wchar_t* text) {
    CUIString value(text);
    value.Replace(L"<n>", L"\r\n");
    m_sToolTip = value;
}

void CControlUI::SetToolTipWidth(int width) { m_nTooltipWidth = width; }
int CControlUI::GetToolTipWidth() const { return Scale(m_nTooltipWidth); }
WORD CControlUI::GetCursor() const { return m_wCursor; }

void CControlUI::SetCursor(WORD cursor) {
    if (m_wCursor == cursor) return;
    m_wCursor = cursor;
    Repaint();
}

wchar_t CControlUI::GetShortcut() const { return m_chShortcut; }
void CControlUI::SetShortcut(wchar_t ch) { m_chShortcut = ch; }
bool CControlUI::IsContextMenuUsed() const { return m_bMenuUsed; }
void CControlUI::SetContextMenuUsed(bool menu) { m_bMenuUsed = menu; }
CUIString CControlUI::GetUserData() const { return m_sUserData; }
void CControlUI::SetUserData(const wchar_t* text) { m_sUserData = text; }
UINT_PTR CControlUI::GetTag2() const { return m_pTag2; }
void CControlUI::SetTag2(UINT_PTR tag) { m_pTag2 = tag; }
UINT_PTR CControlUI::GetTag() const { return m_pTag; }
void CControlUI::SetTag(UINT_PTR tag) { m_pTag = tag; }

// ---- visibility, enabling, focus ----

bool CControlUI::IsVisible() const { return m_bVisible && m_bInternVisible; }

void CControlUI::SetVisible(bool visible) {
    if (m_bVisible == visible) return;
    const bool wasVisible = IsVisible();
    m_bVisible = visible;
    m_bFocused = false;
    if (!visible && m_pManager != nullptr && m_pManager->GetFocus() == this) m_pManager->SetFocusControl(nullptr);
    if (IsVisible() != wasVisible) MarkParentDirty();
}

void CControlUI::SetInternVisible(bool visible) {
    m_bInternVisible = visible;
    if (!visible && m_pManager != nullptr && m_pManager->GetFocus() == this) m_pManager->SetFocusControl(nullptr);
}

bool CControlUI::IsEnabled() const { return m_bEnabled; }

void CControlUI::SetEnabled(bool enable) {
    if (m_bEnabled == enable) return;
    m_bEnabled = enable;
    Repaint();
}

bool CControlUI::IsMouseEnabled() const { return m_bMouseEnabled; }
void CControlUI::SetMouseEnabled(bool enable) { m_bMouseEnabled = enable; }
bool CControlUI::IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
void CControlUI::SetKeyboardEnabled(bool enable) { m_bKeyboardEnabled = enable; }
bool CControlUI::IsFocused() const { return m_bFocused; }

void CControlUI::SetFocus() {
    if (m_pManager != nullptr) m_pManager->SetFocusControl(this);
}

bool CControlUI::IsFloat() const { return m_bFloat; }

void CControlUI::SetFloat(bool floating) {
    if (m_bFloat == floating) return;
    m_bFloat = floating;
    MarkParentDirty();
}

// ---- search, initialisation, events ----

CControlUI* CControlUI::FindMatching(FindControlProc proc, void* data, UINT flags) {
    if ((flags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((flags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if ((flags & UIFIND_HITTEST) != 0 &&
        (!m_bMouseEnabled || data == nullptr || !m_rcItem.PtInRect(*static_cast<POINT*>(data)))) {
        return nullptr;
    }
    return proc != nullptr ? proc(this, data) : nullptr;
}

void CControlUI::Initialize() {
    InitializeSelf();
    OnInit(this);
}

void CControlUI::InitializeSelf() {}

void CControlUI::RaiseEvent(TUIEvent& event) {
    if (OnEvent(&event)) HandleEvent(event);
}

void CControlUI::HandleEvent(TUIEvent& event) {
    switch (event.Type) {
        case UIEVENT_SETCURSOR:
            ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(m_wCursor != 0 ? m_wCursor : 32512)));
            return;
        case UIEVENT_SETFOCUS:
            m_bFocused = true;
            Repaint();
            return;
        case UIEVENT_KILLFOCUS:
            m_bFocused = false;
            Repaint();
            return;
        case UIEVENT_TIMER:
            if (m_pManager != nullptr) m_pManager->SendNotify(this, L"timer", event.wParam, event.lParam);
            return;
        case UIEVENT_CONTEXTMENU:
            if (m_bMenuUsed) {
                if (m_pManager != nullptr) m_pManager->SendNotify(this, L"menu", event.wParam, event.lParam);
                return;
            }
            break;
        default:
            break;
    }
    if (m_pParent != nullptr) m_pParent->HandleEvent(event);
}

SIZE CControlUI::MeasureDesired(SIZE /*available*/) { return GetFixedSize(); }

// ---- invalidation and layout requests ----

void CControlUI::InvalidateClipped(CUIRect rc) {
    if (m_pManager == nullptr) return;
    for (CControlUI* p = m_pParent; p != nullptr; p = p->GetParent()) {
        if (!rc.Intersect(p->GetPos())) return;
    }
    if (rc.IsEmpty()) return;
    m_pManager->Invalidate(rc);
}

void CControlUI::Repaint() {
    if (m_pManager == nullptr || !IsVisible()) return;
    InvalidateClipped(m_rcItem);
}

void CControlUI::MarkDirty() {
    if (!IsVisible()) return;
    m_bUpdateNeeded = true;
    Repaint();
    if (m_pManager != nullptr) m_pManager->NeedUpdate();
}

void CControlUI::MarkParentDirty() {
    if (m_pParent != nullptr) {
        m_pParent->MarkDirty();
        m_pParent->Repaint();
    } else {
        MarkDirty();
    }
    if (m_pManager != nullptr) m_pManager->NeedUpdate();
}

// ---- extra attributes, virtual window, colours ----

void CControlUI::StoreExtraAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr || *name == 0 || value == nullptr || *value == 0) return;
    if (m_mCustomAttrs.Find(name) != nullptr) return;
    CUIString* copy = new CUIString(value);
    if (!m_mCustomAttrs.Insert(name, copy)) delete copy;
}

const wchar_t* CControlUI::GetExtraAttribute(const wchar_t* name) const {
    if (name == nullptr || *name == 0) return nullptr;
    const CUIString* value = static_cast<const CUIString*>(m_mCustomAttrs.Find(name));
    return value != nullptr ? value->GetData() : nullptr;
}

bool CControlUI::DrawImageSpec(HDC dc, const wchar_t* description, const wchar_t* modifier) {
    if (m_pManager == nullptr || dc == nullptr) return false;
    return CUIRender::PaintImageSpec(dc, m_pManager, m_rcItem, m_rcPaint, description, modifier, m_hInstance);
}

DWORD CControlUI::ApplyHsl(DWORD color) const {
    if (!m_bColorHSL) return color;
    short h = 180, s = 100, l = 100;
    CPaintManagerUI::GetHSL(&h, &s, &l);
    return CUIRender::TintHsl(color, h, s, l);
}

CUIString CControlUI::GetVirtualWnd() const { return m_sVirtualWnd; }

void CControlUI::SetVirtualWnd(const wchar_t* name) {
    m_sVirtualWnd = name;
    if (m_pManager != nullptr) m_pManager->UsedVirtualWnd(true);
}

// ---- looks ----

void CControlUI::SetBkColor(DWORD color) {
    if (m_dwBackColor == color) return;
    m_dwBackColor = color;
    Repaint();
}

void CControlUI::SetBkColor2(DWORD color) {
    if (m_dwBackColor2 == color) return;
    m_dwBackColor2 = color;
    Repaint();
}

void CControlUI::SetBkColor3(DWORD color) {
    if (m_dwBackColor3 == color) return;
    m_dwBackColor3 = color;
    Repaint();
}

void CControlUI::SetForeColor(DWORD color) {
    if (m_dwForeColor == color) return;
    m_dwForeColor = color;
    Repaint();
}

void CControlUI::SetBkImage(const wchar_t* description) {
    if (m_sBkImage == description) return;
    m_sBkImage = description;
    Repaint();
}

void CControlUI::SetForeImage(const wchar_t* description) {
    if (m_sForeImage == description) return;
    m_sForeImage = description;
    Repaint();
}

void CControlUI::SetBorderColor(DWORD color) {
    if (m_dwBorderColor == color) return;
    m_dwBorderColor = color;
    Repaint();
}

void CControlUI::SetFocusBorderColor(DWORD color) {
    if (m_dwFocusBorderColor == color) return;
    m_dwFocusBorderColor = color;
    Repaint();
}

void CControlUI::SetColorHSL(bool hsl) {
    if (m_bColorHSL == hsl) return;
    m_bColorHSL = hsl;
    Repaint();
}

int CControlUI::GetBorderSize() const { return Scale(m_nBorderSize); }

void CControlUI::SetBorderSize(int size) {
    m_nBorderSize = size;
    m_rcBorderSize.Empty();
    Repaint();
}

CUIRect CControlUI::GetBorderSizes() const { return ScaleRect(m_rcBorderSize); }

void CControlUI::SetBorderSize(CUIRect sizes) {
    m_rcBorderSize = sizes;
    Repaint();
}

void CControlUI::SetLeftBorderSize(int size) {
    m_rcBorderSize.left = size;
    Repaint();
}

void CControlUI::SetTopBorderSize(int size) {
    m_rcBorderSize.top = size;
    Repaint();
}

void CControlUI::SetRightBorderSize(int size) {
    m_rcBorderSize.right = size;
    Repaint();
}

void CControlUI::SetBottomBorderSize(int size) {
    m_rcBorderSize.bottom = size;
    Repaint();
}

void CControlUI::SetBorderStyle(int style) {
    m_nBorderStyle = style;
    Repaint();
}

SIZE CControlUI::GetBorderRound() const { return ScaleSize(m_cxyBorderRound); }

void CControlUI::SetBorderRound(SIZE round) {
    m_cxyBorderRound = round;
    Repaint();
}

void CControlUI::SetGradient(const wchar_t* direction) {
    if (m_sGradient == direction) return;
    m_sGradient = direction;
    Repaint();
}

}  // namespace SkinUI
