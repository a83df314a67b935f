// CRichEditUI: lifetime of the text services, properties, attributes and painting.
#include "ui/widgets/input/rich_edit.h"

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/scroll_bar.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/input/rich_edit_host.h"

namespace SkinUI {

namespace {

const long kDefaultLimit = 1 << 20;
const long kMostLimit = 1 << 26;

bool IsRtf(const wchar_t* text) { return text != nullptr && std::wcsncmp(text, L"{\\rtf", 5) == 0; }

}  // namespace

CRichEditUI::CRichEditUI()
    : m_pHost(nullptr),
      m_pServices(nullptr),
      m_pFilterManager(nullptr),
      m_bReadOnly(false),
      m_bWordWrap(true),
      m_bMultiLine(true),
      m_bRich(true),
      m_bWantTab(true),
      m_bWantReturn(true),
      m_bTakeTabChar(false),
      m_bDropReturnChar(false),
      m_bTextPending(false),
      m_bPendingRtf(false),
      m_nSyncing(0),
      m_lLimit(kDefaultLimit),
      m_iFont(-1),
      m_hCharFont(nullptr),
      m_dwTextColor(0) {}

CRichEditUI::~CRichEditUI() { ReleaseServices(); }

const wchar_t* CRichEditUI::GetClass() const { return L"RichEditUI"; }

void* CRichEditUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"RichEdit") == 0) return static_cast<CRichEditUI*>(this);
    return CContainerUI::GetInterface(name);
}

UINT CRichEditUI::GetControlFlags() const { return IsEnabled() ? UIFLAG_TABSTOP | UIFLAG_SETCURSOR : 0; }

void CRichEditUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (manager != m_pFilterManager) ReleaseServices();
    CContainerUI::SetManager(manager, parent, init);
    if (init && manager != nullptr && manager->GetPaintWindow() != nullptr) CreateServices();
}

void CRichEditUI::CreateServices() {
    if (m_pServices != nullptr || m_pManager == nullptr || !TextServices::Ready()) return;
    const CUIString text = m_sText;
    m_pHost = new CRichEditHost(this);
    UpdateCharFormat();
    m_pServices = TextServices::Create(m_pHost);
    if (m_pServices == nullptr) {
        m_pHost->Detach();
        m_pHost->Release();
        m_pHost = nullptr;
        return;
    }
    m_pFilterManager = m_pManager;
    m_pManager->AddMessageFilter(this);
    m_rcServices = TextRect();
    m_pServices->OnTxInPlaceActivate(&m_rcServices);
    Send(EM_SETLANGOPTIONS, 0, 0);  // keep the box's own font for every script
    // The text waits for the box's first real width: laid out at width 0, every character
    // would be a line of its own, which costs seconds for a long text.
    m_bTextPending = true;
    if (!TextRect().IsEmpty()) FlushText();
}

void CRichEditUI::FlushText() {
    if (!m_bTextPending || m_pServices == nullptr) return;
    m_bTextPending = false;
    const CUIString text = m_sText;
    m_sText.Empty();
    if (m_bPendingRtf) {
        SetRtf(text);
    } else {
        SetText(text);
    }
    m_bPendingRtf = false;
    Send(EM_SETEVENTMASK, 0, ENM_CHANGE);  // changes from here on are the user's or the program's
}

void CRichEditUI::ReleaseServices() {
    if (m_pFilterManager != nullptr) {
        m_pFilterManager->RemoveMessageFilter(this);
        m_pFilterManager->KillControlTimer(this);
        m_pFilterManager = nullptr;
    }
    if (m_pServices != nullptr) {
        if (!m_bTextPending) m_sText = CRichEditUI::GetText();  // kept for a later manager
        m_bTextPending = false;
        m_pServices->OnTxInPlaceDeactivate();
        m_pServices->Release();
        m_pServices = nullptr;
    }
    if (m_pHost != nullptr) {
        m_pHost->Detach();
        m_pHost->Release();
        m_pHost = nullptr;
    }
}

LRESULT CRichEditUI::Send(UINT msg, WPARAM wParam, LPARAM lParam) const {
    LRESULT result = 0;
    if (m_pServices != nullptr) m_pServices->TxSendMessage(msg, wParam, lParam, &result);
    return result;
}

// ---- text ----

CUIString CRichEditUI::GetText() const {
    if (m_pServices == nullptr || m_bTextPending) return m_sText;
    GETTEXTLENGTHEX length = {GTL_DEFAULT | GTL_NUMCHARS, 1200};
    const LRESULT count = Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (count <= 0) return CUIString();
    CUIString text;
    wchar_t* buffer = new wchar_t[count + 1];
    GETTEXTEX get = {static_cast<DWORD>((count + 1) * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    const LRESULT got = Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(buffer));
    if (got > 0 && got <= count) text.Assign(buffer, static_cast<int>(got));
    delete[] buffer;
    return text;
}

void CRichEditUI::SetText(const wchar_t* text) {
    if (text == nullptr) text = L"";
    if (m_pServices == nullptr || m_bTextPending) {
        m_sText = text;
        m_bPendingRtf = false;
        Repaint();
        return;
    }
    if (m_bRich && IsRtf(text)) {
        SetRtf(text);
        return;
    }
    m_pServices->TxSetText(text);
    Repaint();
}

// ---- properties ----

DWORD CRichEditUI::PropertyBits() const {
    DWORD bits = TXTBIT_ALLOWBEEP | TXTBIT_AUTOWORDSEL;
    if (m_bRich) bits |= TXTBIT_RICHTEXT;
    if (m_bMultiLine) bits |= TXTBIT_MULTILINE;
    if (m_bReadOnly) bits |= TXTBIT_READONLY;
    if (m_bWordWrap && m_bMultiLine) bits |= TXTBIT_WORDWRAP;
    return bits;
}

void CRichEditUI::PropertiesChanged(DWORD mask) {
    if (m_pServices != nullptr) m_pServices->OnTxPropertyBitsChange(mask, PropertyBits() & mask);
    Repaint();
}

void CRichEditUI::SetReadOnly(bool readOnly) {
    m_bReadOnly = readOnly;
    PropertiesChanged(TXTBIT_READONLY);
}

void CRichEditUI::SetWordWrap(bool wrap) {
    m_bWordWrap = wrap;
    PropertiesChanged(TXTBIT_WORDWRAP | TXTBIT_SCROLLBARCHANGE);
}

void CRichEditUI::SetMultiLine(bool multiLine) {
    m_bMultiLine = multiLine;
    PropertiesChanged(TXTBIT_MULTILINE | TXTBIT_WORDWRAP | TXTBIT_SCROLLBARCHANGE);
}

void CRichEditUI::SetRich(bool rich) {
    m_bRich = rich;
    PropertiesChanged(TXTBIT_RICHTEXT);
}

void CRichEditUI::SetLimitText(long limit) {
    m_lLimit = limit <= 0 ? kDefaultLimit : limit > kMostLimit ? kMostLimit : limit;
    PropertiesChanged(TXTBIT_MAXLENGTHCHANGE);
}

void CRichEditUI::SetFont(int font) {
    m_iFont = font;
    UpdateCharFormat();
}

void CRichEditUI::SetTextColor(DWORD color) {
    m_dwTextColor = color;
    UpdateCharFormat();
}

void CRichEditUI::SetTextPadding(const RECT& padding) {
    m_rcTextPadding = padding;
    MarkDirty();
}

void CRichEditUI::SetEnabled(bool enable) {
    CContainerUI::SetEnabled(enable);
    UpdateCharFormat();  // the disabled text colour
}

void CRichEditUI::UpdateCharFormat() {
    if (m_pHost == nullptr || m_pManager == nullptr) return;
    HFONT font = m_pManager->GetFont(m_iFont);
    LOGFONTW lf = {};
    if (font != nullptr) ::GetObjectW(font, sizeof(lf), &lf);
    m_hCharFont = font;
    CHARFORMAT2W& cf = m_pHost->CharFormat();
    cf = CHARFORMAT2W();
    cf.cbSize = sizeof(cf);
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    const LONG height = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    cf.yHeight = ::MulDiv(height > 0 ? height : 12, 1440, dpi > 0 ? dpi : 96);
    const DWORD argb = IsEnabled() ? (m_dwTextColor != 0 ? m_dwTextColor : m_pManager->GetDefaultFontColor())
                                   : m_pManager->GetDefaultDisabledColor();
    cf.crTextColor = RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    cf.dwMask = CFM_SIZE | CFM_OFFSET | CFM_FACE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;
    if (lf.lfWeight >= FW_BOLD) cf.dwEffects |= CFE_BOLD;
    if (lf.lfItalic) cf.dwEffects |= CFE_ITALIC;
    if (lf.lfUnderline) cf.dwEffects |= CFE_UNDERLINE;
    cf.bCharSet = lf.lfCharSet;
    cf.bPitchAndFamily = lf.lfPitchAndFamily;
    ::lstrcpynW(cf.szFaceName, lf.lfFaceName, LF_FACESIZE);
    if (m_pServices != nullptr) {
        m_pServices->OnTxPropertyBitsChange(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
        Repaint();
    }
}

// ---- layout and painting ----

CUIRect CRichEditUI::TextRect() const {
    CUIRect rc = GetClientPos();
    const CUIRect pad = ScaleRect(m_rcTextPadding);
    rc.left += pad.left;
    rc.top += pad.top;
    rc.right -= pad.right;
    rc.bottom -= pad.bottom;
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    return rc;
}

void CRichEditUI::PlaceAt(CUIRect rc, bool invalidate) {
    CContainerUI::PlaceAt(rc, invalidate);
    if (m_pServices == nullptr) return;
    if (m_bTextPending && !TextRect().IsEmpty()) {
        m_rcServices = TextRect();
        m_pServices->OnTxPropertyBitsChange(TXTBIT_CLIENTRECTCHANGE, TXTBIT_CLIENTRECTCHANGE);
        FlushText();
    }
    if (m_pManager != nullptr && m_pManager->GetFont(m_iFont) != m_hCharFont) UpdateCharFormat();  // DPI change
    const CUIRect text = TextRect();
    if (text == m_rcServices) return;
    m_rcServices = text;
    m_pServices->OnTxPropertyBitsChange(TXTBIT_CLIENTRECTCHANGE, TXTBIT_CLIENTRECTCHANGE);
    SyncScrollBars();
}

void CRichEditUI::DrawLabelText(HDC dc) {
    if (m_pServices == nullptr) return;
    const CUIRect text = TextRect();
    RECT clip;
    if (!::IntersectRect(&clip, &text, &m_rcPaint)) return;
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    RECTL bounds = {text.left, text.top, text.right, text.bottom};
    m_pServices->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr, &clip, nullptr, 0,
                        TXTVIEW_ACTIVE);
    ::RestoreDC(dc, saved);
}

// ---- scrolling ----

void CRichEditUI::SyncScrollBars() {
    if (m_pServices == nullptr || m_nSyncing > 0) return;
    ++m_nSyncing;
    bool moved = false;
    for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
        if (bar == nullptr) continue;
        LONG lo = 0, hi = 0, pos = 0, page = 0;
        WINBOOL enabled = FALSE;
        if (bar->IsHorizontal()) {
            m_pServices->TxGetHScroll(&lo, &hi, &pos, &page, &enabled);
        } else {
            m_pServices->TxGetVScroll(&lo, &hi, &pos, &page, &enabled);
        }
        const long long range = static_cast<long long>(hi) - lo - page;
        const bool shown = range > 0;
        const int clamped = range <= 0 ? 0 : range > 0x3FFFFFFF ? 0x3FFFFFFF : static_cast<int>(range);
        moved = moved || shown != bar->IsVisible();
        bar->ShowQuietly(shown);
        bar->SetScrollRange(clamped);
        bar->SetPageSize(page > 0 ? page : 0);
        bar->SetScrollPos(pos - lo);
    }
    if (moved) {
        // A bar that came or went changes the text's rectangle; the bars are placed by
        // the container's fit, once more at most.
        CContainerUI::PlaceAt(m_rcItem, false);
        const CUIRect view = CContainerUI::GetClientPos();
        for (CScrollBarUI* bar : {m_pVerticalScrollBar, m_pHorizontalScrollBar}) {
            if (bar == nullptr || !bar->IsVisible()) continue;
            const int thickness = bar->GetThickness();
            bar->PlaceAt(bar->IsHorizontal() ? CUIRect(view.left, view.bottom, view.right, view.bottom + thickness)
                                             : CUIRect(view.right, view.top, view.right + thickness, view.bottom),
                         false);
        }
        m_rcServices = TextRect();
        m_pServices->OnTxPropertyBitsChange(TXTBIT_CLIENTRECTCHANGE, TXTBIT_CLIENTRECTCHANGE);
    }
    --m_nSyncing;
    Repaint();
}

void CRichEditUI::ScrollMessage(bool horizontal, WORD code, int pos) {
    Send(horizontal ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
    SyncScrollBars();
}

void CRichEditUI::SetScrollPos(SIZE pos) {
    const SIZE now = GetScrollPos();
    if (pos.cy != now.cy && m_pVerticalScrollBar != nullptr) {
        // Positions past 16 bits do not fit WM_VSCROLL: the services' own line scroll moves there.
        LONG lo = 0, hi = 0, at = 0, page = 0;
        WINBOOL enabled = FALSE;
        if (m_pServices != nullptr) m_pServices->TxGetVScroll(&lo, &hi, &at, &page, &enabled);
        POINT point = {0, pos.cy + lo};
        Send(EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&point));
    }
    if (pos.cx != now.cx && m_pHorizontalScrollBar != nullptr) {
        POINT point = {pos.cx, GetScrollPos().cy};
        Send(EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&point));
    }
    SyncScrollBars();
}

void CRichEditUI::LineUp() { ScrollMessage(false, SB_LINEUP); }
void CRichEditUI::LineDown() { ScrollMessage(false, SB_LINEDOWN); }
void CRichEditUI::PageUp() { ScrollMessage(false, SB_PAGEUP); }
void CRichEditUI::PageDown() { ScrollMessage(false, SB_PAGEDOWN); }
void CRichEditUI::HomeUp() { ScrollMessage(false, SB_TOP); }
void CRichEditUI::EndDown() { ScrollMessage(false, SB_BOTTOM); }
void CRichEditUI::LineLeft() { ScrollMessage(true, SB_LINELEFT); }
void CRichEditUI::LineRight() { ScrollMessage(true, SB_LINERIGHT); }
void CRichEditUI::PageLeft() { ScrollMessage(true, SB_PAGELEFT); }
void CRichEditUI::PageRight() { ScrollMessage(true, SB_PAGERIGHT); }
void CRichEditUI::HomeLeft() { ScrollMessage(true, SB_LEFT); }
void CRichEditUI::EndRight() { ScrollMessage(true, SB_RIGHT); }

// ---- markup ----

void CRichEditUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (attr::NameIs(name, L"readonly")) SetReadOnly(attr::IsTrue(value));
    else if (attr::NameIs(name, L"wordwrap")) SetWordWrap(attr::IsTrue(value));
    else if (attr::NameIs(name, L"multiline")) SetMultiLine(attr::IsTrue(value));
    else if (attr::NameIs(name, L"rich")) SetRich(attr::IsTrue(value));
    else if (attr::NameIs(name, L"wanttab")) SetWantTab(attr::IsTrue(value));
    else if (attr::NameIs(name, L"wantreturn")) SetWantReturn(attr::IsTrue(value));
    else if (attr::NameIs(name, L"maxchar")) SetLimitText(attr::ToInt(value));
    else if (attr::NameIs(name, L"font")) SetFont(attr::ToFontId(value));
    else if (attr::NameIs(name, L"textcolor")) SetTextColor(attr::ToColor(value, false));
    else if (attr::NameIs(name, L"textpadding")) SetTextPadding(attr::ToRect(value));
    else CContainerUI::ApplyAttribute(name, value);
}

}  // namespace SkinUI
