#include "ui/controls/button.h"

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/controls/tab_select.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const WORD kHandCursor = 32649;  // IDC_HAND

bool IsMouseEvent(int type) { return type >= UIEVENT_MOUSEMOVE && type <= UIEVENT_SCROLLWHEEL; }

void StoreImage(CUIString& field, const wchar_t* image) { field = image; }

}  // namespace

CButtonUI::CButtonUI()
    : m_uButtonState(0),
      m_iHotFont(-1),
      m_iPushedFont(-1),
      m_iFocusedFont(-1),
      m_dwHotBkColor(0),
      m_dwPushedBkColor(0),
      m_dwDisabledBkColor(0),
      m_dwHotTextColor(0),
      m_dwPushedTextColor(0),
      m_dwFocusedTextColor(0),
      m_nStateCount(0),
      m_bStateHorizontal(true),
      m_iBindTabIndex(-1) {
    m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    m_wCursor = kHandCursor;
}

const wchar_t* CButtonUI::GetClass() const { return L"ButtonUI"; }

void* CButtonUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && _wcsicmp(name, L"Button") == 0) return static_cast<CButtonUI*>(this);
    return CLabelUI::GetInterface(name);
}

UINT CButtonUI::GetControlFlags() const {
    return (IsKeyboardEnabled() ? UINT(UIFLAG_TABSTOP) : 0u) | (IsEnabled() ? UINT(UIFLAG_SETCURSOR) : 0u);
}

bool CButtonUI::Activate() {
    if (!CLabelUI::Activate()) return false;
    if (m_pManager != nullptr) {
        m_pManager->SendNotify(this, L"click", 0, 0, false);
        // A bound tab layout shows the bound page.
        CControlUI* layout =
            m_sBindTabLayoutName.IsEmpty() ? nullptr : m_pManager->FindControlByName(m_sBindTabLayoutName);
        if (auto* tabs = layout != nullptr ? static_cast<ITabSelectUI*>(layout->GetInterface(kTabSelectInterface))
                                           : nullptr) {
            tabs->SelectItem(m_iBindTabIndex);
        }
    }
    return true;
}

void CButtonUI::SetEnabled(bool enable) {
    CLabelUI::SetEnabled(enable);
    m_uButtonState = enable ? 0u : UINT(UISTATE_DISABLED);
}

void CButtonUI::HandleEvent(TUIEvent& event) {
    if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
        if (m_pParent != nullptr)
            m_pParent->HandleEvent(event);
        else
            CLabelUI::HandleEvent(event);
        return;
    }
    // A click on a link of a markup text follows the link, not the button.
    if (HandleLinkEvent(event)) return;
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
        case UIEVENT_KILLFOCUS:
            Repaint();
            break;
        case UIEVENT_KEYDOWN:
            if (IsKeyboardEnabled() && (event.chKey == VK_SPACE || event.chKey == VK_RETURN)) {
                Activate();
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (m_rcItem.PtInRect(event.ptMouse) && IsEnabled()) {
                m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
                Repaint();
                if (m_bRichEvent && m_pManager != nullptr) m_pManager->SendNotify(this, L"buttondown");
            }
            return;
        case UIEVENT_MOUSEMOVE:
            if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
                if (m_rcItem.PtInRect(event.ptMouse))
                    m_uButtonState |= UISTATE_PUSHED;
                else
                    m_uButtonState &= ~UISTATE_PUSHED;
                Repaint();
            }
            return;
        case UIEVENT_BUTTONUP:
            if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
                m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
                Repaint();
                if (m_rcItem.PtInRect(event.ptMouse)) Activate();
            }
            return;
        case UIEVENT_CONTEXTMENU:
            if (IsContextMenuUsed() && m_pManager != nullptr)
                m_pManager->SendNotify(this, L"menu", event.wParam, event.lParam);
            return;
        case UIEVENT_MOUSEENTER:
            if (IsEnabled()) {
                m_uButtonState |= UISTATE_HOT;
                Repaint();
                if (m_bRichEvent && m_pManager != nullptr) m_pManager->SendNotify(this, L"mouseenter");
            }
            break;
        case UIEVENT_MOUSELEAVE:
            if (IsEnabled()) {
                m_uButtonState &= ~UISTATE_HOT;
                Repaint();
                if (m_bRichEvent && m_pManager != nullptr) m_pManager->SendNotify(this, L"mouseleave");
            }
            break;
        default:
            break;
    }
    CLabelUI::HandleEvent(event);
}

// ---- images (slots 100..115) ----

const wchar_t* CButtonUI::GetNormalImage() const { return m_sNormalImage; }
void CButtonUI::SetNormalImage(const wchar_t* image) {
    StoreImage(m_sNormalImage, image);
    Repaint();
}
const wchar_t* CButtonUI::GetHotImage() const { return m_sHotImage; }
void CButtonUI::SetHotImage(const wchar_t* image) {
    StoreImage(m_sHotImage, image);
    Repaint();
}
const wchar_t* CButtonUI::GetPushedImage() const { return m_sPushedImage; }
void CButtonUI::SetPushedImage(const wchar_t* image) {
    StoreImage(m_sPushedImage, image);
    Repaint();
}
const wchar_t* CButtonUI::GetFocusedImage() const { return m_sFocusedImage; }
void CButtonUI::SetFocusedImage(const wchar_t* image) {
    StoreImage(m_sFocusedImage, image);
    Repaint();
}
const wchar_t* CButtonUI::GetDisabledImage() const { return m_sDisabledImage; }
void CButtonUI::SetDisabledImage(const wchar_t* image) {
    StoreImage(m_sDisabledImage, image);
    Repaint();
}
const wchar_t* CButtonUI::GetHotForeImage() const { return m_sHotForeImage; }
void CButtonUI::SetHotForeImage(const wchar_t* image) {
    StoreImage(m_sHotForeImage, image);
    Repaint();
}
const wchar_t* CButtonUI::GetPushedForeImage() const { return m_sPushedForeImage; }
void CButtonUI::SetPushedForeImage(const wchar_t* image) {
    StoreImage(m_sPushedForeImage, image);
    Repaint();
}
const wchar_t* CButtonUI::GetStateImage() const { return m_sStateImage; }
void CButtonUI::SetStateImage(const wchar_t* image) {
    StoreImage(m_sStateImage, image);
    m_sNormalImage.Empty();  // cut the cells again at the next paint
    Repaint();
}

void CButtonUI::SetStateCount(int count) {
    m_nStateCount = count;
    Repaint();
}

void CButtonUI::SetStateHorizontal(bool horizontal) {
    m_bStateHorizontal = horizontal;
    Repaint();
}

// ---- colours, fonts, tab binding ----

void CButtonUI::SetHotBkColor(DWORD color) {
    m_dwHotBkColor = color;
    Repaint();
}
void CButtonUI::SetPushedBkColor(DWORD color) {
    m_dwPushedBkColor = color;
    Repaint();
}
void CButtonUI::SetDisabledBkColor(DWORD color) {
    m_dwDisabledBkColor = color;
    Repaint();
}
void CButtonUI::SetHotTextColor(DWORD color) {
    m_dwHotTextColor = color;
    Repaint();
}
void CButtonUI::SetPushedTextColor(DWORD color) {
    m_dwPushedTextColor = color;
    Repaint();
}
void CButtonUI::SetFocusedTextColor(DWORD color) {
    m_dwFocusedTextColor = color;
    Repaint();
}
void CButtonUI::SetHotFont(int font) {
    m_iHotFont = font;
    Repaint();
}
void CButtonUI::SetPushedFont(int font) {
    m_iPushedFont = font;
    Repaint();
}
void CButtonUI::SetFocusedFont(int font) {
    m_iFocusedFont = font;
    Repaint();
}

void CButtonUI::BindTabIndex(int index) {
    if (index >= 0) m_iBindTabIndex = index;
}

void CButtonUI::BindTabLayoutName(const wchar_t* name) { m_sBindTabLayoutName = name; }

void CButtonUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"normalimage")) SetNormalImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"hotimage")) SetHotImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"pushedimage")) SetPushedImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"focusedimage")) SetFocusedImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"disabledimage")) SetDisabledImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"hotforeimage")) SetHotForeImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"pushedforeimage")) SetPushedForeImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"stateimage")) SetStateImage(attr::ImageDesc(value));
    else if (attr::NameIs(name, L"statecount")) SetStateCount(attr::ToInt(value));
    else if (attr::NameIs(name, L"statehor")) SetStateHorizontal(attr::IsTrue(value));
    else if (attr::NameIs(name, L"bindtabindex")) BindTabIndex(attr::ToInt(value));
    else if (attr::NameIs(name, L"bindtablayoutname")) BindTabLayoutName(value);
    else if (attr::NameIs(name, L"hotbkcolor")) SetHotBkColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"pushedbkcolor")) SetPushedBkColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"disabledbkcolor")) SetDisabledBkColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"hottextcolor")) SetHotTextColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"pushedtextcolor")) SetPushedTextColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"focusedtextcolor")) SetFocusedTextColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"hotfont")) SetHotFont(attr::ToFontId(value));
    else if (attr::NameIs(name, L"pushedfont")) SetPushedFont(attr::ToFontId(value));
    // The focused font's attribute carries this spelling in existing skins.
    else if (attr::NameIs(name, L"focuedfont")) SetFocusedFont(attr::ToFontId(value));
    else CLabelUI::ApplyAttribute(name, value);
}

// ---- painting ----

void CButtonUI::CutStateCells() {
    if (m_sStateImage.IsEmpty() || m_nStateCount <= 0 || m_pManager == nullptr) return;
    if (!m_sNormalImage.IsEmpty()) return;

    // The bitmap is fetched under the scaled name; the generated cell
    // descriptions hold the unscaled name, destination and source because they
    // are parsed (and scaled) again when drawn. At 100 percent both are the same.
    TUIImageSpec scaled;
    scaled.ParseImageSpec(m_sStateImage, nullptr, m_pManager);
    const TUIImage* image = m_pManager->GetImageEx(scaled.sImageName,
                                                   scaled.sResType.IsEmpty() ? nullptr : scaled.sResType.GetData(),
                                                   scaled.dwMask, false, m_hInstance);
    if (image == nullptr) return;
    TUIImageSpec raw;
    raw.ParseImageSpec(m_sStateImage, nullptr, nullptr);

    CUIDpiScale* dpi = m_pManager->GetDPIObj();
    int cellWidth = image->nWidth;
    int cellHeight = image->nHeight;
    if (m_bStateHorizontal)
        cellWidth /= m_nStateCount;
    else
        cellHeight /= m_nStateCount;
    cellWidth = dpi->ScaleBack(cellWidth);
    cellHeight = dpi->ScaleBack(cellHeight);

    const CUIRect& d = raw.rcDest;
    auto cell = [&](int index) {
        const int x = m_bStateHorizontal ? index * cellWidth : 0;
        const int y = m_bStateHorizontal ? 0 : index * cellHeight;
        CUIString s;
        s.Format(L"res='%ls' restype='%ls' dest='%d,%d,%d,%d' source='%d,%d,%d,%d'", raw.sImageName.GetData(),
                 raw.sResType.GetData(), static_cast<int>(d.left), static_cast<int>(d.top),
                 static_cast<int>(d.right), static_cast<int>(d.bottom), x, y, x + cellWidth, y + cellHeight);
        return s;
    };
    for (int i = 0; i < 4; ++i) m_sCutCells[i] = i < m_nStateCount ? cell(i) : CUIString();
    m_sNormalImage = m_sCutCells[0];
    if (m_nStateCount > 1) {
        m_sHotImage = m_sCutCells[1];
        m_sPushedImage = m_sCutCells[1];
    }
    if (m_nStateCount > 2) m_sPushedImage = m_sCutCells[2];
    if (m_nStateCount > 3) m_sDisabledImage = m_sCutCells[3];
}

void CButtonUI::SettleCutCell(const CUIString& description) {
    if (m_pManager == nullptr || m_pManager->GetDpiScale() == 100 || description.IsEmpty()) return;
    if (m_nStateCount <= 0) return;
    int index = -1;
    for (int i = 0; i < 4 && index < 0; ++i) {
        if (!m_sCutCells[i].IsEmpty() && m_sCutCells[i] == description) index = i;
    }
    if (index < 0) return;
    TUIImageSpec* spec = m_pManager->GetImageSpec(description);
    if (spec == nullptr) return;
    const TUIImage* image = m_pManager->GetImageEx(spec->sImageName,
                                                   spec->sResType.IsEmpty() ? nullptr : spec->sResType.GetData(),
                                                   spec->dwMask, false, m_hInstance);
    if (image == nullptr) return;
    int cellWidth = image->nWidth;
    int cellHeight = image->nHeight;
    if (m_bStateHorizontal)
        cellWidth /= m_nStateCount;
    else
        cellHeight /= m_nStateCount;
    const int x = m_bStateHorizontal ? index * cellWidth : 0;
    const int y = m_bStateHorizontal ? 0 : index * cellHeight;
    spec->rcSource = CUIRect(x, y, x + cellWidth, y + cellHeight);
}

void CButtonUI::SyncPaintState() {
    if (IsFocused())
        m_uButtonState |= UISTATE_FOCUSED;
    else
        m_uButtonState &= ~UISTATE_FOCUSED;
    if (!IsEnabled())
        m_uButtonState |= UISTATE_DISABLED;
    else
        m_uButtonState &= ~UISTATE_DISABLED;
    if (m_pManager != nullptr && m_pManager->GetPaintWindow() != nullptr &&
        !::IsWindowEnabled(m_pManager->GetPaintWindow())) {
        m_uButtonState &= UISTATE_DISABLED;
    }
}

void CButtonUI::DrawStateImage(HDC dc) {
    CutStateCells();
    SyncPaintState();

    const CUIString* chosen = nullptr;
    if ((m_uButtonState & UISTATE_DISABLED) != 0)
        chosen = &m_sDisabledImage;
    else if ((m_uButtonState & UISTATE_PUSHED) != 0)
        chosen = &m_sPushedImage;
    else if ((m_uButtonState & UISTATE_HOT) != 0)
        chosen = &m_sHotImage;
    else if ((m_uButtonState & UISTATE_FOCUSED) != 0)
        chosen = &m_sFocusedImage;

    if (chosen != nullptr && !chosen->IsEmpty()) {
        SettleCutCell(*chosen);
        if (DrawImageSpec(dc, *chosen)) return;
    }
    if (!m_sNormalImage.IsEmpty()) {
        SettleCutCell(m_sNormalImage);
        DrawImageSpec(dc, m_sNormalImage);
    }
}

void CButtonUI::DrawBackColor(HDC dc) {
    DWORD color = 0;
    if ((m_uButtonState & UISTATE_DISABLED) != 0 && m_dwDisabledBkColor != 0)
        color = m_dwDisabledBkColor;
    else if ((m_uButtonState & UISTATE_PUSHED) != 0 && m_dwPushedBkColor != 0)
        color = m_dwPushedBkColor;
    else if ((m_uButtonState & UISTATE_HOT) != 0 && m_dwHotBkColor != 0)
        color = m_dwHotBkColor;
    if (color != 0) {
        CUIRender::FillSolid(dc, m_rcPaint, ApplyHsl(color));
        return;
    }
    CLabelUI::DrawBackColor(dc);
}

void CButtonUI::DrawForeImage(HDC dc) {
    if ((m_uButtonState & UISTATE_PUSHED) != 0 && !m_sPushedForeImage.IsEmpty()) {
        if (DrawImageSpec(dc, m_sPushedForeImage)) return;
    } else if ((m_uButtonState & UISTATE_HOT) != 0 && !m_sHotForeImage.IsEmpty()) {
        if (DrawImageSpec(dc, m_sHotForeImage)) return;
    }
    CLabelUI::DrawForeImage(dc);
}

void CButtonUI::DrawLabelText(HDC dc) {
    ResolveTextColors();
    const bool pushed = (m_uButtonState & UISTATE_PUSHED) != 0;
    const bool hot = (m_uButtonState & UISTATE_HOT) != 0;
    const bool focused = (m_uButtonState & UISTATE_FOCUSED) != 0;
    DWORD color = IsEnabled() ? m_dwTextColor : m_dwDisabledTextColor;
    if (pushed && m_dwPushedTextColor != 0)
        color = m_dwPushedTextColor;
    else if (hot && m_dwHotTextColor != 0)
        color = m_dwHotTextColor;
    else if (focused && m_dwFocusedTextColor != 0)
        color = m_dwFocusedTextColor;
    int font = m_iFont;
    if (pushed && m_iPushedFont != -1)
        font = m_iPushedFont;
    else if (hot && m_iHotFont != -1)
        font = m_iHotFont;
    else if (focused && m_iFocusedFont != -1)
        font = m_iFocusedFont;
    DrawTextWith(dc, color, font);
}

}  // namespace SkinUI
