// Paint manager: binding to the window, attaching the control tree, looking
// controls up, invalidation, listener lists and the delayed clean-up list.
#include "ui/controls/control.h"
#include "ui/core/dpi_awareness.h"
#include "ui/core/paint_manager.h"
#include "ui/core/shadow.h"

namespace SkinUI {

namespace {

CControlUI* EnterName(CControlUI* control, void* data) {
    auto* names = static_cast<CUIStringMap*>(data);
    const CUIString name = control->GetName();
    if (!name.IsEmpty()) names->Set(name, control);  // a later control replaces an earlier one
    return nullptr;                                  // visit the whole tree
}

CControlUI* HitTest(CControlUI* control, void* data) {
    const POINT* pt = static_cast<const POINT*>(data);
    return control->GetPos().PtInRect(*pt) ? control : nullptr;
}

bool AddUnique(CUIPtrArray& list, void* p) {
    if (p == nullptr || list.Find(p) >= 0) return false;
    return list.Add(p);
}

bool RemoveItem(CUIPtrArray& list, void* p) {
    const int index = list.Find(p);
    return index >= 0 && list.Remove(index);
}

}  // namespace

void CPaintManagerUI::Init(HWND hWnd, const wchar_t* name) {
    m_mNameHash.Resize(83);
    RemoveAllFonts();
    RemoveAllImages();
    RemoveAllStyles();
    RemoveAllDefaultAttributeLists();
    for (int i = 0; i < m_mWindowCustomAttrHash.GetSize(); ++i) {
        delete static_cast<CUIString*>(m_mWindowCustomAttrHash.Find(m_mWindowCustomAttrHash.GetAt(i), false));
    }
    m_mWindowCustomAttrHash.Resize(83);
    for (int i = 0; i < m_mOptionGroup.GetSize(); ++i) {
        delete static_cast<CUIPtrArray*>(m_mOptionGroup.Find(m_mOptionGroup.GetAt(i), false));
    }
    m_mOptionGroup.Resize(83);
    RemoveAllTimers();
    m_sName = name;
    if (hWnd != m_hWndPaint) {
        if (m_hDcPaint != nullptr) ::ReleaseDC(m_hWndPaint, m_hDcPaint);
        m_hWndPaint = hWnd;
        m_hDcPaint = hWnd != nullptr ? ::GetDC(hWnd) : nullptr;
        AddUnique(s_aPreMessages, this);
    }
    // Before the skin is applied, so that sizes, fonts and images are made at
    // the monitor's scale from the first paint on.
    if (hWnd != nullptr && CDpiAwareness::IsEnabled()) SetDpiScale(CDpiAwareness::WindowScale(hWnd));
}

bool CPaintManagerUI::AttachRoot(CControlUI* root) {
    if (root == nullptr) return false;
    if (m_pShadow != nullptr) m_pShadow->SetManager(this);
    SetFocusControl(nullptr);
    m_pEventKey = nullptr;
    m_pEventHover = nullptr;
    m_pEventClick = nullptr;
    if (m_pRoot != nullptr && m_pRoot != root) {
        m_aPostPaintControls.Empty();
        AddDelayedCleanup(m_pRoot);
    }
    m_pRoot = root;
    m_bUpdateNeeded = true;
    m_bFirstLayout = true;
    m_bFocusNeeded = true;
    return InitControls(root, root->GetParent());
}

bool CPaintManagerUI::InitControls(CControlUI* control, CControlUI* parent) {
    if (control == nullptr) return false;
    control->SetManager(this, parent != nullptr ? parent : control->GetParent(), true);
    control->FindMatching(&EnterName, &m_mNameHash, UIFIND_ALL);
    NoteDropControls(control);
    return true;
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
    if (control == nullptr) return;
    ForgetAccessible(control);
    if (control == m_pEventKey) m_pEventKey = nullptr;
    if (control == m_pEventHover) m_pEventHover = nullptr;
    if (control == m_pEventClick) m_pEventClick = nullptr;
    if (control == m_pFocus) m_pFocus = nullptr;
    if (control == m_pRoot) m_pRoot = nullptr;
    if (control == m_pDropHover) m_pDropHover = nullptr;
    for (int i = m_aTimers.GetSize() - 1; i >= 0; --i) {
        auto* timer = static_cast<TTimerInfo*>(m_aTimers[i]);
        if (timer->pSender != control) continue;
        if (!timer->bKilled && ::IsWindow(timer->hWnd)) ::KillTimer(timer->hWnd, timer->uWinTimer);
        m_aTimers.Remove(i);
        delete timer;
    }
    const CUIString name = control->GetName();
    if (!name.IsEmpty() && m_mNameHash.Find(name) == control) m_mNameHash.Remove(name);
    RemoveItem(m_aPostPaintControls, control);
    RemoveItem(m_aNeedMouseLeave, control);
    RemoveItem(m_aDelayedCleanup, control);
    for (int i = m_aNativeWindowControl.GetSize() - 1; i >= 0; --i) {
        if (m_aNativeWindowControl[i] == control) {
            m_aNativeWindowControl.Remove(i);
            m_aNativeWindow.Remove(i);
        }
    }
    // A queued notification must never reach a listener after its sender is gone.
    for (int i = m_aAsyncNotify.GetSize() - 1; i >= 0; --i) {
        auto* msg = static_cast<TUINotify*>(m_aAsyncNotify[i]);
        if (msg->pSender == control) {
            m_aAsyncNotify.Remove(i);
            delete msg;
        }
    }
}

CControlUI* CPaintManagerUI::FindControlAt(POINT pt) const {
    if (m_pRoot == nullptr) return nullptr;
    return m_pRoot->FindMatching(&HitTest, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindControlByName(const wchar_t* name) const {
    if (name == nullptr || name[0] == L'\0') return nullptr;
    return static_cast<CControlUI*>(m_mNameHash.Find(name));
}

void CPaintManagerUI::NeedUpdate() { m_bUpdateNeeded = true; }

void CPaintManagerUI::Invalidate() {
    if (m_hWndPaint == nullptr) return;
    RECT rcClient = {};
    ::GetClientRect(m_hWndPaint, &rcClient);
    m_rcLayeredUpdate.Union(rcClient);
    ::InvalidateRect(m_hWndPaint, nullptr, FALSE);
}

void CPaintManagerUI::Invalidate(const RECT& rcItem) {
    if (m_hWndPaint == nullptr) return;
    RECT rc = rcItem;
    if (rc.left < 0) rc.left = 0;
    if (rc.top < 0) rc.top = 0;
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    m_rcLayeredUpdate.Union(rc);
    ::InvalidateRect(m_hWndPaint, &rc, FALSE);
}

bool CPaintManagerUI::AddNotifier(INotifyUI* notifier) { return AddUnique(m_aNotifiers, notifier); }
bool CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) { return RemoveItem(m_aNotifiers, notifier); }

bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* filter) {
    return AddUnique(m_aPreMessageFilters, filter);
}
bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* filter) {
    return RemoveItem(m_aPreMessageFilters, filter);
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* filter) { return AddUnique(m_aMessageFilters, filter); }
bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* filter) {
    return RemoveItem(m_aMessageFilters, filter);
}

bool CPaintManagerUI::AddTranslateAccelerator(ITranslateAccelerator* translator) {
    return AddUnique(m_aTranslateAccelerator, translator);
}
bool CPaintManagerUI::RemoveTranslateAccelerator(ITranslateAccelerator* translator) {
    return RemoveItem(m_aTranslateAccelerator, translator);
}

bool CPaintManagerUI::AddPostPaint(CControlUI* control) { return AddUnique(m_aPostPaintControls, control); }
bool CPaintManagerUI::RemovePostPaint(CControlUI* control) { return RemoveItem(m_aPostPaintControls, control); }

bool CPaintManagerUI::AddNativeWindow(CControlUI* control, HWND hChildWnd) {
    if (control == nullptr || hChildWnd == nullptr || m_aNativeWindow.Find(hChildWnd) >= 0) return false;
    if (!m_aNativeWindow.Add(hChildWnd)) return false;
    if (!m_aNativeWindowControl.Add(control)) {
        m_aNativeWindow.Remove(m_aNativeWindow.GetSize() - 1);
        return false;
    }
    return true;
}

bool CPaintManagerUI::RemoveNativeWindow(HWND hChildWnd) {
    const int index = m_aNativeWindow.Find(hChildWnd);
    if (index < 0) return false;
    m_aNativeWindow.Remove(index);
    m_aNativeWindowControl.Remove(index);
    return true;
}

bool CPaintManagerUI::AddMouseLeaveNeeded(CControlUI* control) { return AddUnique(m_aNeedMouseLeave, control); }
bool CPaintManagerUI::RemoveMouseLeaveNeeded(CControlUI* control) {
    return RemoveItem(m_aNeedMouseLeave, control);
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* control) {
    if (control == nullptr || m_aDelayedCleanup.Find(control) >= 0) return;
    control->SetManager(this, nullptr, false);
    m_aDelayedCleanup.Add(control);
    PostAsyncMessage();
}

void CPaintManagerUI::DestroyDelayedCleanups() {
    // One at a time: destroying a control takes any of its descendants that are also
    // listed off the list (ReapObjects), and may queue further clean-ups.
    while (!m_aDelayedCleanup.IsEmpty()) {
        auto* control = static_cast<CControlUI*>(m_aDelayedCleanup[0]);
        m_aDelayedCleanup.Remove(0);
        delete control;
    }
}

}  // namespace SkinUI
