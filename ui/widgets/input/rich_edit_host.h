// The text host of a rich edit: what the text services ask of the box they draw
// (its window, rectangle, formats and properties) and what they tell it (redraw,
// caret, scroll state, timers, capture, changes). Every method is spelled with
// TEXTSERV_CALL, thiscall on i686: see text_services.h.
#pragma once

#include "ui/widgets/input/text_services.h"

namespace SkinUI {

class CRichEditUI;

class CRichEditHost final : public ITextHost {
public:
    explicit CRichEditHost(CRichEditUI* owner);
    CRichEditHost(const CRichEditHost&) = delete;
    CRichEditHost& operator=(const CRichEditHost&) = delete;

    // The box is going: later calls from the services find no owner.
    void Detach() { m_pOwner = nullptr; }
    CHARFORMAT2W& CharFormat() { return m_cf; }

    // IUnknown (stdcall, as COM's).
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // ITextHost
    HDC TEXTSERV_CALL TxGetDC() override;
    INT TEXTSERV_CALL TxReleaseDC(HDC hdc) override;
    WINBOOL TEXTSERV_CALL TxShowScrollBar(INT fnBar, WINBOOL fShow) override;
    WINBOOL TEXTSERV_CALL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) override;
    WINBOOL TEXTSERV_CALL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, WINBOOL fRedraw) override;
    WINBOOL TEXTSERV_CALL TxSetScrollPos(INT fnBar, INT nPos, WINBOOL fRedraw) override;
    void TEXTSERV_CALL TxInvalidateRect(LPCRECT prc, WINBOOL fMode) override;
    void TEXTSERV_CALL TxViewChange(WINBOOL fUpdate) override;
    WINBOOL TEXTSERV_CALL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) override;
    WINBOOL TEXTSERV_CALL TxShowCaret(WINBOOL fShow) override;
    WINBOOL TEXTSERV_CALL TxSetCaretPos(INT x, INT y) override;
    WINBOOL TEXTSERV_CALL TxSetTimer(UINT idTimer, UINT uTimeout) override;
    void TEXTSERV_CALL TxKillTimer(UINT idTimer) override;
    void TEXTSERV_CALL TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate,
                                       LPRECT lprcUpdate, UINT fuScroll) override;
    void TEXTSERV_CALL TxSetCapture(WINBOOL fCapture) override;
    void TEXTSERV_CALL TxSetFocus() override;
    void TEXTSERV_CALL TxSetCursor(HCURSOR hcur, WINBOOL fText) override;
    WINBOOL TEXTSERV_CALL TxScreenToClient(LPPOINT lppt) override;
    WINBOOL TEXTSERV_CALL TxClientToScreen(LPPOINT lppt) override;
    HRESULT TEXTSERV_CALL TxActivate(LONG* plOldState) override;
    HRESULT TEXTSERV_CALL TxDeactivate(LONG lNewState) override;
    HRESULT TEXTSERV_CALL TxGetClientRect(LPRECT prc) override;
    HRESULT TEXTSERV_CALL TxGetViewInset(LPRECT prc) override;
    HRESULT TEXTSERV_CALL TxGetCharFormat(const CHARFORMATW** ppCF) override;
    HRESULT TEXTSERV_CALL TxGetParaFormat(const PARAFORMAT** ppPF) override;
    COLORREF TEXTSERV_CALL TxGetSysColor(int nIndex) override;
    HRESULT TEXTSERV_CALL TxGetBackStyle(TXTBACKSTYLE* pstyle) override;
    HRESULT TEXTSERV_CALL TxGetMaxLength(DWORD* plength) override;
    HRESULT TEXTSERV_CALL TxGetScrollBars(DWORD* pdwScrollBar) override;
    HRESULT TEXTSERV_CALL TxGetPasswordChar(TCHAR* pch) override;
    HRESULT TEXTSERV_CALL TxGetAcceleratorPos(LONG* pcp) override;
    HRESULT TEXTSERV_CALL TxGetExtent(LPSIZEL lpExtent) override;
    HRESULT TEXTSERV_CALL OnTxCharFormatChange(const CHARFORMATW* pcf) override;
    HRESULT TEXTSERV_CALL OnTxParaFormatChange(const PARAFORMAT* ppf) override;
    HRESULT TEXTSERV_CALL TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
    HRESULT TEXTSERV_CALL TxNotify(DWORD iNotify, void* pv) override;
    HIMC TEXTSERV_CALL TxImmGetContext() override;
    void TEXTSERV_CALL TxImmReleaseContext(HIMC himc) override;
    HRESULT TEXTSERV_CALL TxGetSelectionBarWidth(LONG* lSelBarWidth) override;

private:
    ~CRichEditHost() = default;  // Release deletes
    HWND Window() const;

    LONG m_cRef;
    CRichEditUI* m_pOwner;
    CHARFORMAT2W m_cf;
    PARAFORMAT2 m_pf;
};

}  // namespace SkinUI
