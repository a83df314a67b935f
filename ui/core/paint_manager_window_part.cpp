
#include "ui/controls/control.h"
#include "ui/controls/gdiplus_session.h"
#include "ui/controls/scratch_dc.h"
#include "ui/core/paint_manager.h"
#include "ui/core/shadow.h"
#include "ui/core/system_library.h"

namespace SkinUI {

namespace {

// Process-wide set-up done by the first manager: the show-dirty pen and the blending
// library, which the first frame draws with (it stays loaded for the process). The common
// controls wait for the first tooltip (InitCommonControlsOnce).
void InitProcessWindowState(HPEN& updateRectPen) {
    static bool done = false;
    if (done) return;
    done = true;
    updateRectPen = ::CreatePen(PS_SOLID, 1, RGB(220, 0, 0));
    LoadSystemLibrary(L"msimg32.dll");
}

}  // namespace

// Window half of construction: process-wide state, a share of the GDI+ session and the shadow.
void CPaintManagerUI::InitWindowPart() {
    InitProcessWindowState(s_hUpdateRectPen);
    GdiplusSessionJoin();
    CShadowUI::RegisterWindowClass(GetInstance());
    m_pShadow = new CShadowUI;
}

// Window half of destruction: delayed clean-ups, queued notifications, the
// root, timers, tooltip, buffers, the window context, parsed image
// descriptions, GDI+ and the shadow.
void CPaintManagerUI::ReleaseWindowPart() {
    RevokeDropTarget();
    ReleaseAccessible();
    DestroyDelayedCleanups();
    for (int i = 0; i < m_aAsyncNotify.GetSize(); ++i) delete static_cast<TUINotify*>(m_aAsyncNotify[i]);
    m_aAsyncNotify.Empty();
    m_mNameHash.RemoveAll();
    CControlUI* root = m_pRoot;
    m_pRoot = nullptr;
    delete root;
    DestroyDelayedCleanups();  // anything the tree handed over while it was torn down

    for (int i = 0; i < m_aTimers.GetSize(); ++i) {
        auto* timer = static_cast<TTimerInfo*>(m_aTimers[i]);
        if (!timer->bKilled && ::IsWindow(timer->hWnd)) ::KillTimer(timer->hWnd, timer->uWinTimer);
        delete timer;
    }
    m_aTimers.Empty();
    if (m_hwndTooltip != nullptr) {
        ::DestroyWindow(m_hwndTooltip);
        m_hwndTooltip = nullptr;
    }
    DeleteOffscreenBuffers();
    if (m_hDcPaint != nullptr) ::ReleaseDC(m_hWndPaint, m_hDcPaint);
    m_hDcPaint = nullptr;
    const int index = s_aPreMessages.Find(this);
    if (index >= 0) s_aPreMessages.Remove(index);
    if (s_aPreMessages.GetSize() == 0) CScratchDC::ReleaseForThread();  // the last window's drawing is over
    RemoveAllImageSpecs();
    GdiplusSessionLeave();
    delete m_pShadow;
    m_pShadow = nullptr;
}

}  // namespace SkinUI
