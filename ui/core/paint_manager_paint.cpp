// Paint manager: layout before painting, double-buffered painting of the
// update rectangle, the layered-window path and WM_PRINTCLIENT.
#include <cstring>

#include "ui/core/dib32.h"
#include "ui/controls/container.h"
#include "ui/controls/control.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/core/shadow.h"

namespace SkinUI {

namespace {

CControlUI* FindUpdateNeeded(CControlUI* control, void*) {
    return control->IsUpdateNeeded() ? control : nullptr;
}

bool BitmapSizeIs(HBITMAP bitmap, int cx, int cy) {
    BITMAP bm = {};
    if (::GetObjectW(bitmap, sizeof(bm), &bm) == 0) return false;
    return bm.bmWidth == cx && (bm.bmHeight == cy || bm.bmHeight == -cy);
}

// Applies `fn(pixel)` to every 4-byte pixel of `rc` in a top-down bitmap `width` wide.
template <class Fn>
void ForEachPixel(BYTE* bits, int width, const RECT& rc, Fn fn) {
    for (int y = rc.top; y < rc.bottom; ++y) {
        BYTE* row = bits + (static_cast<size_t>(y) * width + rc.left) * 4;
        for (int x = rc.left; x < rc.right; ++x, row += 4) fn(row);
    }
}

// Places a control that asked for layout again where it is (a floating child
// where its container puts it).
void PlaceAgain(CControlUI* control) {
    CControlUI* parent = control->GetParent();
    if (control->IsFloat() && parent != nullptr) {
        auto* container = static_cast<CContainerUI*>(parent->GetInterface(L"Container"));
        if (container != nullptr) container->PlaceFloatChild(container->GetItemIndex(control));
    }
    if (control->IsUpdateNeeded()) control->PlaceAt(control->GetPos(), true);
}

}  // namespace

void CPaintManagerUI::DeleteOffscreenBuffers() {
    if (m_hDcOffscreen != nullptr) ::DeleteDC(m_hDcOffscreen);
    if (m_hbmpOffscreen != nullptr) ::DeleteObject(m_hbmpOffscreen);
    if (m_hDcBackground != nullptr) ::DeleteDC(m_hDcBackground);
    if (m_hbmpBackground != nullptr) ::DeleteObject(m_hbmpBackground);
    m_hDcOffscreen = nullptr;
    m_hbmpOffscreen = nullptr;
    m_pOffscreenBits = nullptr;
    m_hDcBackground = nullptr;
    m_hbmpBackground = nullptr;
    m_pBackgroundBits = nullptr;
}

void CPaintManagerUI::LayOutIfNeeded(const RECT& rcClient, bool& layoutRan) {
    if (m_bUpdateNeeded) {
        m_bUpdateNeeded = false;
        if (::IsRectEmpty(&rcClient) || ::IsIconic(m_hWndPaint)) return;
        if (m_pRoot->IsUpdateNeeded()) {
            DeleteOffscreenBuffers();
            CUIRect rcRoot = rcClient;
            if (m_bLayered) rcRoot.Deflate(m_rcLayeredInset);
            m_pRoot->PlaceAt(rcRoot, true);
        } else {
            // Visible controls, each container before its children, so that a dirty
            // container is placed as a whole. (With the update test a container that
            // needs layout would hide itself and its subtree from the search, and a
            // change inside a nested layout would never be laid out.) Each placement
            // clears the control's flag; the bound guards against one that keeps asking.
            for (int guard = 0; guard < 100000; ++guard) {
                CControlUI* control =
                    m_pRoot->FindMatching(&FindUpdateNeeded, nullptr, UIFIND_VISIBLE | UIFIND_ME_FIRST);
                if (control == nullptr) break;
                PlaceAgain(control);
            }
        }
        layoutRan = true;
        return;
    }
    if (m_bLayered && m_bLayeredChanged) {
        if (m_pOffscreenBits != nullptr && m_hbmpOffscreen != nullptr) {
            BITMAP bm = {};
            ::GetObjectW(m_hbmpOffscreen, sizeof(bm), &bm);
            std::memset(m_pOffscreenBits, 0, static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
        }
        CUIRect rcRoot = rcClient;
        rcRoot.Deflate(m_rcLayeredInset);
        m_pRoot->PlaceAt(rcRoot, true);
    }
}

bool CPaintManagerUI::OnPaint() {
    if (m_pRoot == nullptr) {
        PAINTSTRUCT ps = {};
        HDC dc = ::BeginPaint(m_hWndPaint, &ps);
        CUIRender::FillSolid(dc, ps.rcPaint, 0xFF000000);
        ::EndPaint(m_hWndPaint, &ps);
        return true;
    }

    RECT rcClient = {};
    ::GetClientRect(m_hWndPaint, &rcClient);
    RECT rcUpdate = {};
    if (!::GetUpdateRect(m_hWndPaint, &rcUpdate, FALSE) || ::IsRectEmpty(&rcUpdate)) return true;

    m_bIsPainting = true;

    bool layoutRan = false;
    const bool wasFirstLayout = m_bFirstLayout;
    LayOutIfNeeded(rcClient, layoutRan);
    if (layoutRan && wasFirstLayout && m_bFirstLayout) {
        m_bFirstLayout = false;
        SendNotify(m_pRoot, L"windowinit");
        if (m_pRoot == nullptr) {  // a listener replaced or dropped the tree
            m_bIsPainting = false;
            Invalidate();
            return true;
        }
        if (m_bLayered && m_bLayeredChanged) {
            Invalidate();
            m_bIsPainting = false;
            return true;
        }
        // The shadow is a window of its own and costs about as much as the whole first
        // frame: it comes on right after that frame, through the framework's message,
        // so the window's content is not kept waiting for it.
        if (m_pShadow != nullptr) {
            m_bShadowPending = PostAsyncMessage();
            if (!m_bShadowPending) m_pShadow->Create(m_hWndPaint);
        }
    }
    // The first tab stop takes the focus once the tree has its places (and after
    // "windowinit", so that a window hears of its tree before of its focus).
    if (m_bFocusNeeded) SetNextTabControl(true);

    if (m_bLayered) {
        const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE);
        if ((exStyle & WS_EX_LAYERED) == 0) ::SetWindowLongPtrW(m_hWndPaint, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
        m_bOffscreenPaint = true;
    }

    const int cx = rcClient.right - rcClient.left;
    const int cy = rcClient.bottom - rcClient.top;
    // The loops below walk the bitmap with the client's size: a bitmap of
    // another size (the client changed without a full layout) is made again.
    if (m_hbmpOffscreen != nullptr && !BitmapSizeIs(m_hbmpOffscreen, cx, cy)) DeleteOffscreenBuffers();
    if (m_hbmpBackground != nullptr && !BitmapSizeIs(m_hbmpBackground, cx, cy)) DeleteOffscreenBuffers();
    if (m_bOffscreenPaint && m_hbmpOffscreen == nullptr && cx > 0 && cy > 0) {
        m_hDcOffscreen = ::CreateCompatibleDC(m_hDcPaint);
        m_hbmpOffscreen = CreateDib32(m_hDcPaint, cx, cy, &m_pOffscreenBits);
        if (m_hDcOffscreen == nullptr || m_hbmpOffscreen == nullptr) DeleteOffscreenBuffers();
    }

    PAINTSTRUCT ps = {};
    ::BeginPaint(m_hWndPaint, &ps);
    // Layout may have invalidated more than the first update rectangle; BeginPaint
    // reports the whole damaged area.
    CUIRect rcPaint = rcUpdate;
    rcPaint.Union(ps.rcPaint);
    if (m_bLayered) {
        rcPaint.Union(m_rcLayeredUpdate);
        m_rcLayeredUpdate.Empty();
    }
    rcPaint.Intersect(rcClient);

    if (m_bOffscreenPaint && m_hbmpOffscreen != nullptr) {
        HGDIOBJ oldBitmap = ::SelectObject(m_hDcOffscreen, m_hbmpOffscreen);
        const int saved = ::SaveDC(m_hDcOffscreen);
        if (m_bLayered && m_pOffscreenBits != nullptr) {
            ForEachPixel(m_pOffscreenBits, cx, rcPaint, [](BYTE* p) { std::memset(p, 0, 4); });
        }
        m_pRoot->PaintClipped(m_hDcOffscreen, rcPaint, nullptr);
        for (int i = 0; i < m_aPostPaintControls.GetSize(); ++i) {
            static_cast<CControlUI*>(m_aPostPaintControls[i])->PaintClipped(m_hDcOffscreen, rcPaint, nullptr);
        }
        PaintFocusCue(m_hDcOffscreen, rcPaint);
        PaintDropCue(m_hDcOffscreen, rcPaint);
        ::RestoreDC(m_hDcOffscreen, saved);
        if (m_bLayered) {
            PaintLayered(m_hDcOffscreen, rcClient, rcPaint);
        } else {
            ::BitBlt(ps.hdc, rcPaint.left, rcPaint.top, rcPaint.GetWidth(), rcPaint.GetHeight(), m_hDcOffscreen,
                     rcPaint.left, rcPaint.top, SRCCOPY);
            if (m_bShowUpdateRect && s_hUpdateRectPen != nullptr) {
                HGDIOBJ oldPen = ::SelectObject(ps.hdc, s_hUpdateRectPen);
                HGDIOBJ oldBrush = ::SelectObject(ps.hdc, ::GetStockObject(HOLLOW_BRUSH));
                ::Rectangle(ps.hdc, rcPaint.left, rcPaint.top, rcPaint.right, rcPaint.bottom);
                ::SelectObject(ps.hdc, oldBrush);
                ::SelectObject(ps.hdc, oldPen);
            }
        }
        ::SelectObject(m_hDcOffscreen, oldBitmap);
    } else {
        const int saved = ::SaveDC(ps.hdc);
        m_pRoot->PaintClipped(ps.hdc, rcPaint, nullptr);
        for (int i = 0; i < m_aPostPaintControls.GetSize(); ++i) {
            static_cast<CControlUI*>(m_aPostPaintControls[i])->PaintClipped(ps.hdc, rcPaint, nullptr);
        }
        PaintFocusCue(ps.hdc, rcPaint);
        PaintDropCue(ps.hdc, rcPaint);
        ::RestoreDC(ps.hdc, saved);
    }
    ::EndPaint(m_hWndPaint, &ps);

    m_bIsPainting = false;
    m_bLayeredChanged = false;
    if (m_bUpdateNeeded) Invalidate();
    if (layoutRan && m_pRoot != nullptr) SendNotify(m_pRoot, L"windowsize", 0, 0, true);
    return true;
}

void CPaintManagerUI::PaintLayered(HDC dcOffscreen, const RECT& rcClient, const RECT& rcPaint) {
    const int cx = rcClient.right - rcClient.left;
    const int cy = rcClient.bottom - rcClient.top;

    // Native child windows are printed into the picture, their drawn pixels made opaque.
    for (int i = m_aNativeWindow.GetSize() - 1; i >= 0; --i) {
        HWND child = static_cast<HWND>(m_aNativeWindow[i]);
        if (!::IsWindow(child)) {
            m_aNativeWindow.Remove(i);
            m_aNativeWindowControl.Remove(i);
            continue;
        }
        if (!::IsWindowVisible(child)) continue;
        RECT rcChild = {};
        ::GetWindowRect(child, &rcChild);
        ::MapWindowPoints(HWND_DESKTOP, m_hWndPaint, reinterpret_cast<POINT*>(&rcChild), 2);
        RECT rcMeet = {};
        if (!::IntersectRect(&rcMeet, &rcChild, &rcPaint)) continue;
        const int w = rcChild.right - rcChild.left;
        const int h = rcChild.bottom - rcChild.top;
        HDC dcChild = ::CreateCompatibleDC(m_hDcPaint);
        BYTE* childBits = nullptr;
        HBITMAP bmpChild = CreateDib32(m_hDcPaint, w, h, &childBits);
        if (dcChild != nullptr && bmpChild != nullptr) {
            HGDIOBJ old = ::SelectObject(dcChild, bmpChild);
            ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dcChild),
                           PRF_CHECKVISIBLE | PRF_CHILDREN | PRF_CLIENT | PRF_NONCLIENT);
            ForEachPixel(childBits, w, RECT{0, 0, w, h}, [](BYTE* p) {
                if (p[0] != 0 || p[1] != 0 || p[2] != 0) p[3] = 255;
            });
            ::BitBlt(dcOffscreen, rcChild.left, rcChild.top, w, h, dcChild, 0, 0, SRCCOPY);
            ::SelectObject(dcChild, old);
        }
        if (bmpChild != nullptr) ::DeleteObject(bmpChild);
        if (dcChild != nullptr) ::DeleteDC(dcChild);
    }

    if (m_pOffscreenBits != nullptr) {
        if (m_sLayeredImage.IsEmpty()) {
            // Opaque controls drawn with GDI leave alpha 0 behind; make such pixels visible.
            ForEachPixel(m_pOffscreenBits, cx, rcPaint, [](BYTE* p) {
                if (p[3] == 0 && (p[0] != 0 || p[1] != 0 || p[2] != 0)) p[3] = 255;
            });
        } else {
            if (m_hbmpBackground == nullptr) {
                m_hDcBackground = ::CreateCompatibleDC(m_hDcPaint);
                m_hbmpBackground = CreateDib32(m_hDcPaint, cx, cy, &m_pBackgroundBits);
                if (m_hDcBackground != nullptr && m_hbmpBackground != nullptr) {
                    HGDIOBJ old = ::SelectObject(m_hDcBackground, m_hbmpBackground);
                    CUIRender::PaintImageSpec(m_hDcBackground, this, rcClient, rcClient, m_sLayeredImage);
                    ::SelectObject(m_hDcBackground, old);
                }
            }
            if (m_pBackgroundBits != nullptr) {
                for (int y = rcPaint.top; y < rcPaint.bottom; ++y) {
                    for (int x = rcPaint.left; x < rcPaint.right; ++x) {
                        const size_t at = (static_cast<size_t>(y) * cx + x) * 4;
                        const BYTE alpha = m_pBackgroundBits[at + 3];
                        BYTE* p = m_pOffscreenBits + at;
                        p[0] = static_cast<BYTE>(p[0] * alpha / 255);
                        p[1] = static_cast<BYTE>(p[1] * alpha / 255);
                        p[2] = static_cast<BYTE>(p[2] * alpha / 255);
                        p[3] = alpha;
                    }
                }
            }
        }
    }

    RECT rcWindow = {};
    ::GetWindowRect(m_hWndPaint, &rcWindow);
    POINT ptDest = {rcWindow.left, rcWindow.top};
    SIZE size = {cx, cy};
    POINT ptSrc = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, m_nOpacity, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(m_hWndPaint, nullptr, &ptDest, &size, dcOffscreen, &ptSrc, 0, &blend, ULW_ALPHA);
}

void CPaintManagerUI::OnPrintClient(HDC dc, LPARAM flags) {
    RECT rcClient = {};
    ::GetClientRect(m_hWndPaint, &rcClient);
    const int saved = ::SaveDC(dc);
    m_pRoot->PaintClipped(dc, rcClient, nullptr);
    ::RestoreDC(dc, saved);
    if ((flags & PRF_CHILDREN) == 0) return;
    for (HWND child = ::GetWindow(m_hWndPaint, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rcPos = {};
        ::GetWindowRect(child, &rcPos);
        ::MapWindowPoints(HWND_DESKTOP, m_hWndPaint, reinterpret_cast<POINT*>(&rcPos), 2);
        POINT oldOrigin = {};
        ::SetWindowOrgEx(dc, -rcPos.left, -rcPos.top, &oldOrigin);
        ::SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), flags | PRF_NONCLIENT);
        ::SetWindowOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    }
}

}  // namespace SkinUI
