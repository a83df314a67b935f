#include "ui/widgets/menu/menu_element.h"

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/menu/menu.h"
#include "ui/widgets/menu/menu_level.h"

namespace SkinUI {

namespace {

const UINT kHoverTimer = 1;
const int kMaxRowHeight = 1024;  // unscaled
const int kTextGap = 24;        // unscaled, between the text and the shortcut text
const int kArrowWidth = 18;     // unscaled, the submenu arrow's column
const int kRightPadding = 8;    // unscaled

const TMenuLooks& DefaultLooks() {
    static const TMenuLooks looks;
    return looks;
}

// A pen or brush selected for the guard's lifetime, deleted after.
class CGdiGuard {
public:
    CGdiGuard(HDC dc, HGDIOBJ object) : m_dc(dc), m_object(object), m_old(::SelectObject(dc, object)) {}
    ~CGdiGuard() {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_object);
    }
    CGdiGuard(const CGdiGuard&) = delete;
    CGdiGuard& operator=(const CGdiGuard&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
};

// An image's "dest" modifier for `box` (pixels relative to the row), in the unscaled
// units image descriptions are written in.
CUIString Dest(const RECT& box, int percent) {
    if (percent <= 0) percent = 100;
    CUIString modifier;
    modifier.Format(L"dest='%d,%d,%d,%d'", ::MulDiv(box.left, 100, percent), ::MulDiv(box.top, 100, percent),
                    ::MulDiv(box.right, 100, percent), ::MulDiv(box.bottom, 100, percent));
    return modifier;
}

COLORREF Rgb(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

// The mark, as two strokes.
void DrawCheckMark(HDC dc, const RECT& box, DWORD color, int thickness) {
    const int w = box.right - box.left;
    const int h = box.bottom - box.top;
    const int side = (w < h ? w : h) / 2;
    if (side <= 2) return;
    const int x = box.left + (w - side) / 2;
    const int y = box.top + (h - side) / 2;
    CGdiGuard pen(dc, ::CreatePen(PS_SOLID, thickness, Rgb(color)));
    ::MoveToEx(dc, x, y + side / 2, nullptr);
    ::LineTo(dc, x + side / 3, y + side - side / 6);
    ::LineTo(dc, x + side, y + side / 6);
}

// A triangle pointing right, drawn as one column per pixel.
void DrawArrow(HDC dc, const RECT& box, DWORD color, int size) {
    const int cx = (box.left + box.right) / 2 - size / 2;
    const int cy = (box.top + box.bottom) / 2;
    for (int i = 0; i <= size; ++i) {
        const int reach = size - i;
        CUIRender::FillSolid(dc, CUIRect(cx + i, cy - reach, cx + i + 1, cy + reach + 1), color);
    }
}

}  // namespace

CMenuElementUI::CMenuElementUI()
    : m_pTracker(nullptr), m_chMnemonic(0), m_nSubmenuOut(0), m_bChecked(false), m_bSeparator(false), m_bHot(false) {}

CMenuElementUI::~CMenuElementUI() {
    if (m_pTracker != nullptr) m_pTracker->ItemGone(this);
}

const wchar_t* CMenuElementUI::GetClass() const { return L"MenuElementUI"; }

void* CMenuElementUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"MenuElement") == 0) return static_cast<CMenuElementUI*>(this);
    return CContainerUI::GetInterface(name);
}

UINT CMenuElementUI::GetControlFlags() const { return 0; }

bool CMenuElementUI::Activate() {
    if (!CControlUI::Activate() || m_pTracker == nullptr || !IsSelectable()) return false;
    m_pTracker->InvokeItem(this);
    return true;
}

CMenuUI* CMenuElementUI::FindMenu() const {
    if (m_pTracker != nullptr) return m_pTracker;
    for (CControlUI* p = m_pParent; p != nullptr; p = p->GetParent()) {
        if (auto* menu = static_cast<CMenuUI*>(p->GetInterface(L"Menu"))) return menu;
        if (auto* level = static_cast<CMenuLevelUI*>(p->GetInterface(L"MenuLevel"))) return level->GetMenu();
    }
    return nullptr;
}

// ---- text and kind ----

void CMenuElementUI::SetText(const wchar_t* text) {
    CContainerUI::SetText(text);
    m_chMnemonic = 0;
    for (const wchar_t* p = text; p != nullptr && *p != 0; ++p) {
        if (*p != L'&') continue;
        if (p[1] == L'&') {
            ++p;
            continue;
        }
        if (p[1] != 0) {
            wchar_t letter = p[1];
            ::CharUpperBuffW(&letter, 1);
            m_chMnemonic = letter;
        }
        break;
    }
}

CUIString CMenuElementUI::GetPlainText() const {
    CUIString plain;
    const CUIString text = GetText();
    for (const wchar_t* p = text.GetData(); *p != 0; ++p) {
        if (*p == L'&') {
            if (p[1] == 0) break;
            ++p;
        }
        plain += *p;
    }
    return plain;
}

void CMenuElementUI::SetChecked(bool checked) {
    if (m_bChecked == checked) return;
    m_bChecked = checked;
    Repaint();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_STATECHANGE, this);
}

void CMenuElementUI::SetSeparator(bool separator) {
    m_bSeparator = separator;
    MarkParentDirty();
}

void CMenuElementUI::SetShortcutText(const wchar_t* text) {
    m_sShortcutText = text != nullptr ? text : L"";
    Repaint();
}

bool CMenuElementUI::HasSubmenu() const {
    if (m_nSubmenuOut > 0) return true;
    for (int i = 0; i < GetCount(); ++i) {
        if (GetItemAt(i)->GetInterface(L"MenuElement") != nullptr) return true;
    }
    return false;
}

bool CMenuElementUI::IsSelectable() const { return IsVisible() && IsEnabled() && !m_bSeparator; }

void CMenuElementUI::SetHot(bool hot) {
    if (m_bHot == hot) return;
    m_bHot = hot;
    Repaint();
    if (hot && m_pManager != nullptr) m_pManager->NotifyAccessible(EVENT_OBJECT_FOCUS, this);
}

// ---- geometry: the submenu rows are neither placed, shown nor hit ----

int CMenuElementUI::GetFixedHeight() const {
    CMenuUI* menu = FindMenu();
    const TMenuLooks& looks = menu != nullptr ? menu->GetLooks() : DefaultLooks();
    if (m_bSeparator) return Scale(looks.separatorHeight < 0 ? 0 : looks.separatorHeight);
    if (looks.itemHeight > 0) return Scale(looks.itemHeight > kMaxRowHeight ? kMaxRowHeight : looks.itemHeight);
    CPaintManagerUI* fonts = menu != nullptr && menu->GetFontManager() != nullptr ? menu->GetFontManager() : m_pManager;
    const int font = fonts != nullptr ? fonts->GetFontInfo(looks.font)->tm.tmHeight : 14;
    return font + Scale(10);
}

SIZE CMenuElementUI::MeasureDesired(SIZE) { return SIZE{0, GetFixedHeight()}; }

int CMenuElementUI::MeasureWidth(HDC dc) const {
    CMenuUI* menu = FindMenu();
    const TMenuLooks& looks = menu != nullptr ? menu->GetLooks() : DefaultLooks();
    CPaintManagerUI* fonts = menu != nullptr ? menu->GetFontManager() : m_pManager;
    long long width = Scale(looks.iconWidth) + Scale(kArrowWidth) + Scale(kRightPadding);
    if (m_bSeparator) return static_cast<int>(width);
    width += CUIRender::MeasureText(dc, fonts, GetPlainText(), looks.font).cx;
    if (!m_sShortcutText.IsEmpty()) {
        width += Scale(kTextGap) + CUIRender::MeasureText(dc, fonts, m_sShortcutText, looks.font).cx;
    }
    const long long kMost = 4096;
    return static_cast<int>(width > kMost ? kMost : width);
}

void CMenuElementUI::PlaceAt(CUIRect rc, bool invalidate) {
    CControlUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call)
}

void CMenuElementUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);  // NOLINT(bugprone-parent-virtual-call): the submenu keeps its own
    MarkParentDirty();
}

void CMenuElementUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);  // NOLINT(bugprone-parent-virtual-call)
}

bool CMenuElementUI::Add(CControlUI* control) { return AddAt(control, GetCount()); }

bool CMenuElementUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index)) return false;
    control->SetInternVisible(false);  // shown only in the submenu's own window
    return true;
}

CControlUI* CMenuElementUI::FindMatching(FindControlProc proc, void* data, UINT flags) {
    if ((flags & (UIFIND_HITTEST | UIFIND_VISIBLE)) != 0) {
        return CControlUI::FindMatching(proc, data, flags);  // NOLINT(bugprone-parent-virtual-call)
    }
    return CContainerUI::FindMatching(proc, data, flags);
}

bool CMenuElementUI::PaintLayers(HDC dc, const RECT& paint, CControlUI* stop) {
    return CControlUI::PaintLayers(dc, paint, stop);  // NOLINT(bugprone-parent-virtual-call)
}

// ---- input ----

void CMenuElementUI::HandleEvent(TUIEvent& event) {
    switch (event.Type) {
        case UIEVENT_MOUSEENTER:
        case UIEVENT_MOUSEMOVE:
            if (m_pTracker != nullptr && !m_bHot) m_pTracker->HoverItem(this);
            return;
        case UIEVENT_MOUSELEAVE:
            if (m_pTracker != nullptr) m_pTracker->LeaveItem(this);
            return;
        case UIEVENT_TIMER:
            if (event.wParam != kHoverTimer) break;
            if (m_pManager != nullptr) m_pManager->KillControlTimer(this, kHoverTimer);
            if (m_pTracker != nullptr) m_pTracker->HoverElapsed(this);
            return;
        default:
            break;
    }
    CControlUI::HandleEvent(event);  // NOLINT(bugprone-parent-virtual-call): no scrolling of its own
}

// ---- markup ----

void CMenuElementUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"shortcuttext")) SetShortcutText(value);
    else if (attr::NameIs(name, L"checked")) SetChecked(attr::IsTrue(value));
    else if (attr::NameIs(name, L"separator")) SetSeparator(attr::IsTrue(value));
    else if (attr::NameIs(name, L"icon")) m_sIcon = attr::ImageDesc(value);
    else CContainerUI::ApplyAttribute(name, value);
}

// ---- painting ----

void CMenuElementUI::DrawStateImage(HDC dc) {
    if (!m_bHot || m_bSeparator) return;
    CMenuUI* menu = FindMenu();
    const TMenuLooks& looks = menu != nullptr ? menu->GetLooks() : DefaultLooks();
    if (!looks.hotImage.IsEmpty() && DrawImageSpec(dc, looks.hotImage)) return;
    if (looks.hotBkColor != 0) CUIRender::FillSolid(dc, m_rcItem, ApplyHsl(looks.hotBkColor));
}

void CMenuElementUI::DrawLabelText(HDC dc) {
    CMenuUI* menu = FindMenu();
    const TMenuLooks& looks = menu != nullptr ? menu->GetLooks() : DefaultLooks();
    CPaintManagerUI* fonts = menu != nullptr && menu->GetFontManager() != nullptr ? menu->GetFontManager() : m_pManager;
    if (fonts == nullptr) return;
    const int iconWidth = Scale(looks.iconWidth);
    if (m_bSeparator) {
        CUIRect line = m_rcItem;
        line.left += iconWidth;
        line.right -= Scale(kRightPadding);
        line.top = (m_rcItem.top + m_rcItem.bottom) / 2;
        line.bottom = line.top + (Scale(1) > 0 ? Scale(1) : 1);
        if (line.right > line.left) CUIRender::FillSolid(dc, line, ApplyHsl(looks.separatorColor));
        return;
    }
    DWORD color = m_bHot ? looks.hotTextColor : looks.textColor;
    if (!IsEnabled()) color = looks.disabledTextColor;
    color = ApplyHsl(color);

    // The icon column: the check mark, else the icon.
    CUIRect icon(m_rcItem.left, m_rcItem.top, m_rcItem.left + iconWidth, m_rcItem.bottom);
    const int percent = m_pManager != nullptr ? m_pManager->GetDpiScale() : 100;
    if (m_bChecked) {
        const CUIString dest = Dest(RECT{0, 0, iconWidth, m_rcItem.GetHeight()}, percent);
        if (looks.checkImage.IsEmpty() || !DrawImageSpec(dc, looks.checkImage, dest)) {
            DrawCheckMark(dc, icon, color, Scale(2) > 0 ? Scale(2) : 1);
        }
    } else if (!m_sIcon.IsEmpty()) {
        const int side = Scale(16);
        const int x = (iconWidth - side) / 2;
        const int y = (m_rcItem.GetHeight() - side) / 2;
        DrawImageSpec(dc, m_sIcon, Dest(RECT{x, y, x + side, y + side}, percent));
    }

    CUIRect text = m_rcItem;
    text.left += iconWidth;
    text.right -= Scale(kArrowWidth);
    CUIRect shortcut = text;
    CUIRender::PaintText(dc, fonts, text, GetText(), color, looks.font, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS);
    if (!m_sShortcutText.IsEmpty()) {
        CUIRender::PaintText(dc, fonts, shortcut, m_sShortcutText, m_bHot || !IsEnabled() ? color : ApplyHsl(looks.shortcutTextColor),
                             looks.font, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
    if (HasSubmenu()) {
        const int arrow = Scale(kArrowWidth);
        const CUIString dest =
            Dest(RECT{m_rcItem.GetWidth() - arrow, 0, m_rcItem.GetWidth(), m_rcItem.GetHeight()}, percent);
        if (looks.arrowImage.IsEmpty() || !DrawImageSpec(dc, looks.arrowImage, dest)) {
            const CUIRect box(m_rcItem.right - arrow, m_rcItem.top, m_rcItem.right, m_rcItem.bottom);
            DrawArrow(dc, box, color, Scale(4) > 0 ? Scale(4) : 1);
        }
    }
}

}  // namespace SkinUI
