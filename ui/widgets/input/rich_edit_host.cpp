#include "ui/widgets/input/rich_edit_host.h"

#include <imm.h>

#include "ui/controls/scroll_bar.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/input/rich_edit.h"

namespace SkinUI {

CRichEditHost::CRichEditHost(CRichEditUI* owner) : m_cRef(1), m_pOwner(owner), m_cf(), m_pf() {
    m_cf.cbSize = sizeof(m_cf);
    m_pf.cbSize = sizeof(m_pf);
    m_pf.dwMask = PFM_ALL;
    m_pf.wAlignment = PFA_LEFT;
    m_pf.cTabCount = 1;
    m_pf.rgxTabs[0] = lDefaultTab;
}

HWND CRichEditHost::Window() const {
    CPaintManagerUI* manager = m_pOwner != nullptr ? m_pOwner->GetManager() : nullptr;
    return manager != nullptr ? manager->GetPaintWindow() : nullptr;
}

// ---- IUnknown ----

HRESULT STDMETHODCALLTYPE CRichEditHost::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    const IID* host = TextServices::HostIid();
    if (IsEqualIID(riid, IID_IUnknown) || (host != nullptr && IsEqualIID(riid, *host))) {
        *object = static_cast<ITextHost*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CRichEditHost::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_cRef)); }

ULONG STDMETHODCALLTYPE CRichEditHost::Release() {
    const LONG left = ::InterlockedDecrement(&m_cRef);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// ---- the window ----

HDC CRichEditHost::TxGetDC() {
    HWND hwnd = Window();
    return hwnd != nullptr ? ::GetDC(hwnd) : nullptr;
}

INT CRichEditHost::TxReleaseDC(HDC hdc) { return ::ReleaseDC(Window(), hdc); }

WINBOOL CRichEditHost::TxScreenToClient(LPPOINT lppt) {
    HWND hwnd = Window();
    return hwnd != nullptr && lppt != nullptr && ::ScreenToClient(hwnd, lppt);
}

WINBOOL CRichEditHost::TxClientToScreen(LPPOINT lppt) {
    HWND hwnd = Window();
    return hwnd != nullptr && lppt != nullptr && ::ClientToScreen(hwnd, lppt);
}

HIMC CRichEditHost::TxImmGetContext() {
    HWND hwnd = Window();
    return hwnd != nullptr ? ::ImmGetContext(hwnd) : nullptr;
}

void CRichEditHost::TxImmReleaseContext(HIMC himc) {
    HWND hwnd = Window();
    if (hwnd != nullptr && himc != nullptr) ::ImmReleaseContext(hwnd, himc);
}

// ---- scroll bars: the box's own bars follow the services ----

WINBOOL CRichEditHost::TxShowScrollBar(INT, WINBOOL) {
    if (m_pOwner != nullptr) m_pOwner->SyncScrollBars();
    return TRUE;
}

WINBOOL CRichEditHost::TxEnableScrollBar(INT, INT) {
    if (m_pOwner != nullptr) m_pOwner->SyncScrollBars();
    return TRUE;
}

WINBOOL CRichEditHost::TxSetScrollRange(INT, LONG, INT, WINBOOL) {
    if (m_pOwner != nullptr) m_pOwner->SyncScrollBars();
    return TRUE;
}

WINBOOL CRichEditHost::TxSetScrollPos(INT, INT, WINBOOL) {
    if (m_pOwner != nullptr) m_pOwner->SyncScrollBars();
    return TRUE;
}

// ---- drawing ----

void CRichEditHost::TxInvalidateRect(LPCRECT prc, WINBOOL) {
    if (m_pOwner == nullptr || m_pOwner->GetManager() == nullptr) return;
    CUIRect rc = m_pOwner->GetPos();
    RECT part;
    if (prc != nullptr && !::IntersectRect(&part, &rc, prc)) return;
    if (prc != nullptr) rc = part;
    m_pOwner->GetManager()->Invalidate(rc);
}

void CRichEditHost::TxViewChange(WINBOOL) {}

void CRichEditHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT) {
    if (m_pOwner != nullptr) m_pOwner->Repaint();
}

// ---- caret, timers, capture, focus, cursor ----

WINBOOL CRichEditHost::TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) {
    HWND hwnd = Window();
    return hwnd != nullptr && ::CreateCaret(hwnd, hbmp, xWidth, yHeight);
}

WINBOOL CRichEditHost::TxShowCaret(WINBOOL fShow) {
    HWND hwnd = Window();
    if (hwnd == nullptr) return FALSE;
    return fShow ? ::ShowCaret(hwnd) : ::HideCaret(hwnd);
}

WINBOOL CRichEditHost::TxSetCaretPos(INT x, INT y) { return ::SetCaretPos(x, y); }

WINBOOL CRichEditHost::TxSetTimer(UINT idTimer, UINT uTimeout) {
    CPaintManagerUI* manager = m_pOwner != nullptr ? m_pOwner->GetManager() : nullptr;
    if (manager == nullptr) return FALSE;
    manager->KillControlTimer(m_pOwner, idTimer);
    return manager->SetControlTimer(m_pOwner, idTimer, uTimeout);
}

void CRichEditHost::TxKillTimer(UINT idTimer) {
    CPaintManagerUI* manager = m_pOwner != nullptr ? m_pOwner->GetManager() : nullptr;
    if (manager != nullptr) manager->KillControlTimer(m_pOwner, idTimer);
}

void CRichEditHost::TxSetCapture(WINBOOL fCapture) {
    HWND hwnd = Window();
    if (hwnd == nullptr) return;
    // The manager captures the pointer from a press to its release; the services only
    // ever add to that.
    if (fCapture) {
        ::SetCapture(hwnd);
    } else if (::GetCapture() == hwnd && !m_pOwner->GetManager()->IsCaptured()) {
        ::ReleaseCapture();
    }
}

void CRichEditHost::TxSetFocus() {
    if (m_pOwner != nullptr) m_pOwner->SetFocus();
}

void CRichEditHost::TxSetCursor(HCURSOR hcur, WINBOOL) { ::SetCursor(hcur); }

HRESULT CRichEditHost::TxActivate(LONG* plOldState) {
    if (plOldState != nullptr) *plOldState = 0;
    return S_OK;
}

HRESULT CRichEditHost::TxDeactivate(LONG) { return S_OK; }

// ---- what the services ask of the box ----

HRESULT CRichEditHost::TxGetClientRect(LPRECT prc) {
    if (prc == nullptr) return E_INVALIDARG;
    *prc = m_pOwner != nullptr ? static_cast<RECT>(m_pOwner->TextRect()) : RECT{};
    return S_OK;
}

HRESULT CRichEditHost::TxGetViewInset(LPRECT prc) {
    if (prc != nullptr) *prc = RECT{};
    return S_OK;
}

HRESULT CRichEditHost::TxGetCharFormat(const CHARFORMATW** ppCF) {
    if (ppCF == nullptr) return E_INVALIDARG;
    *ppCF = reinterpret_cast<const CHARFORMATW*>(&m_cf);
    return S_OK;
}

HRESULT CRichEditHost::TxGetParaFormat(const PARAFORMAT** ppPF) {
    if (ppPF == nullptr) return E_INVALIDARG;
    *ppPF = &m_pf;
    return S_OK;
}

COLORREF CRichEditHost::TxGetSysColor(int nIndex) { return ::GetSysColor(nIndex); }

HRESULT CRichEditHost::TxGetBackStyle(TXTBACKSTYLE* pstyle) {
    if (pstyle != nullptr) *pstyle = TXTBACK_TRANSPARENT;  // the box draws its own background
    return S_OK;
}

HRESULT CRichEditHost::TxGetMaxLength(DWORD* plength) {
    if (plength != nullptr) *plength = m_pOwner != nullptr ? static_cast<DWORD>(m_pOwner->m_lLimit) : 0;
    return S_OK;
}

HRESULT CRichEditHost::TxGetScrollBars(DWORD* pdwScrollBar) {
    if (pdwScrollBar == nullptr) return E_INVALIDARG;
    DWORD bars = 0;
    if (m_pOwner != nullptr && m_pOwner->IsMultiLine()) bars |= WS_VSCROLL | ES_AUTOVSCROLL;
    if (m_pOwner != nullptr && (!m_pOwner->IsWordWrap() || !m_pOwner->IsMultiLine())) {
        bars |= WS_HSCROLL | ES_AUTOHSCROLL;
    }
    *pdwScrollBar = bars;
    return S_OK;
}

HRESULT CRichEditHost::TxGetPasswordChar(TCHAR* pch) {
    if (pch != nullptr) *pch = 0;
    return S_FALSE;
}

HRESULT CRichEditHost::TxGetAcceleratorPos(LONG* pcp) {
    if (pcp != nullptr) *pcp = -1;
    return S_OK;
}

HRESULT CRichEditHost::TxGetExtent(LPSIZEL) { return E_NOTIMPL; }

HRESULT CRichEditHost::OnTxCharFormatChange(const CHARFORMATW*) { return S_OK; }
HRESULT CRichEditHost::OnTxParaFormatChange(const PARAFORMAT*) { return S_OK; }

HRESULT CRichEditHost::TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) {
    if (pdwBits == nullptr) return E_INVALIDARG;
    *pdwBits = (m_pOwner != nullptr ? m_pOwner->PropertyBits() : 0) & dwMask;
    return S_OK;
}

HRESULT CRichEditHost::TxNotify(DWORD iNotify, void*) {
    if (m_pOwner != nullptr && iNotify == EN_CHANGE) m_pOwner->TextChanged();
    return S_OK;
}

HRESULT CRichEditHost::TxGetSelectionBarWidth(LONG* lSelBarWidth) {
    if (lSelBarWidth != nullptr) *lSelBarWidth = 0;
    return S_OK;
}

}  // namespace SkinUI
