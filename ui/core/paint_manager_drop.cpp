// Paint manager: the window's OLE drop target. Files dragged over a control that
// accepts drops highlight it and, dropped, reach it as "dropfiles".
#include "ui/controls/control.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

typedef HRESULT(WINAPI* RegisterDragDropProc)(HWND, IDropTarget*);
typedef HRESULT(WINAPI* RevokeDragDropProc)(HWND);

// The OLE library is looked at only when the program loaded it: a program that never
// initialised OLE has none to register with.
void* OleProc(const char* name) {
    HMODULE ole = ::GetModuleHandleW(L"ole32.dll");
    return ole != nullptr ? reinterpret_cast<void*>(::GetProcAddress(ole, name)) : nullptr;
}

CControlUI* AcceptsDrops(CControlUI* control, void*) { return control->IsDropEnabled() ? control : nullptr; }

FORMATETC FileDropFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// Copy where the source allows it, else moving, else linking (the lowest of the three bits).
DWORD ChooseEffect(DWORD allowed) {
    const DWORD effects = allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    return effects & (0u - effects);
}

}  // namespace

// ---- registration ----

void CPaintManagerUI::NoteDropControls(CControlUI* subtree) {
    if (m_nDropState != kDropNone || subtree == nullptr) return;
    if (CControlUI* control = subtree->FindMatching(&AcceptsDrops, nullptr, UIFIND_ALL)) EnableDropTarget(control);
}

void CPaintManagerUI::EnableDropTarget(CControlUI* control) {
    if (m_nDropState != kDropNone || m_hWndPaint == nullptr || !::IsWindow(m_hWndPaint)) return;
    auto regist = reinterpret_cast<RegisterDragDropProc>(OleProc("RegisterDragDrop"));
    const HRESULT hr = regist != nullptr ? regist(m_hWndPaint, this) : CO_E_NOTINITIALIZED;
    m_nDropState = SUCCEEDED(hr) ? kDropRegistered : kDropFailed;
    if (SUCCEEDED(hr)) StartDragImage();
    if (FAILED(hr) && control != nullptr) SendNotify(control, L"dropunavailable", static_cast<WPARAM>(hr), 0, true);
}

void CPaintManagerUI::RevokeDropTarget() {
    SetDropHover(nullptr);
    m_bDragHasFiles = false;
    if (m_nDropState == kDropRegistered && m_hWndPaint != nullptr) {
        if (auto revoke = reinterpret_cast<RevokeDragDropProc>(OleProc("RevokeDragDrop"))) revoke(m_hWndPaint);
    }
    StopDragImage();
    m_nDropState = kDropRevoked;
}

// ---- IDropTarget ----

HRESULT STDMETHODCALLTYPE CPaintManagerUI::QueryInterface(REFIID riid, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CPaintManagerUI::AddRef() { return ++m_nDropRefs; }

ULONG STDMETHODCALLTYPE CPaintManagerUI::Release() { return m_nDropRefs > 1 ? --m_nDropRefs : 1; }

CControlUI* CPaintManagerUI::DropControlAt(POINTL screen) {
    if (m_pRoot == nullptr || m_hWndPaint == nullptr || !m_bDragHasFiles) return nullptr;
    POINT pt = {screen.x, screen.y};
    ::ScreenToClient(m_hWndPaint, &pt);
    // The control under the point, or the nearest of its ancestors that accepts drops.
    for (CControlUI* control = FindControlAt(pt); control != nullptr; control = control->GetParent()) {
        if (control->IsDropEnabled()) return control->IsEnabled() ? control : nullptr;
    }
    return nullptr;
}

void CPaintManagerUI::SetDropHover(CControlUI* control) {
    if (control == m_pDropHover) return;
    if (m_pDropHover != nullptr) Invalidate(m_pDropHover->GetPos());
    m_pDropHover = control;
    if (control != nullptr) Invalidate(control->GetPos());
}

HRESULT STDMETHODCALLTYPE CPaintManagerUI::DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) {
    FORMATETC format = FileDropFormat();
    m_bDragHasFiles = data != nullptr && data->QueryGetData(&format) == S_OK;
    // The helper hears the drag arrive, then at once the effect it gets.
    PassDragImage(kImageEnter, m_hWndPaint, data, pt, DROPEFFECT_NONE);
    return DragOver(keyState, pt, effect);
}

HRESULT STDMETHODCALLTYPE CPaintManagerUI::DragOver(DWORD, POINTL pt, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    CControlUI* control = DropControlAt(pt);
    SetDropHover(control);
    *effect = control != nullptr ? ChooseEffect(*effect) : DWORD(DROPEFFECT_NONE);
    PassDragImage(kImageOver, nullptr, nullptr, pt, *effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CPaintManagerUI::DragLeave() {
    SetDropHover(nullptr);
    m_bDragHasFiles = false;
    PassDragImage(kImageLeave, nullptr, nullptr, POINTL{0, 0}, 0);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CPaintManagerUI::Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect) {
    if (effect == nullptr) return E_INVALIDARG;
    CControlUI* control = DropControlAt(pt);
    SetDropHover(nullptr);
    m_bDragHasFiles = false;
    DWORD chosen = DROPEFFECT_NONE;
    FORMATETC format = FileDropFormat();
    STGMEDIUM medium = {};
    if (control != nullptr && data != nullptr && data->GetData(&format, &medium) == S_OK) {
        if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
            if (const void* block = ::GlobalLock(medium.hGlobal)) {
                m_dropFiles.Read(block, ::GlobalSize(medium.hGlobal));
                ::GlobalUnlock(medium.hGlobal);
            }
        }
        // As the system's ReleaseStgMedium does for a memory block.
        if (medium.pUnkForRelease != nullptr) {
            medium.pUnkForRelease->Release();
        } else if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
            ::GlobalFree(medium.hGlobal);
        }
    }
    if (m_dropFiles.GetCount() > 0) chosen = ChooseEffect(*effect);
    // The drag image goes before the control hears of the files, which may take a while.
    PassDragImage(kImageDrop, nullptr, data, pt, chosen);
    if (chosen != DROPEFFECT_NONE) {
        SendNotify(control, L"dropfiles", static_cast<WPARAM>(m_dropFiles.GetCount()),
                   reinterpret_cast<LPARAM>(&m_dropFiles));
    }
    m_dropFiles.Clear();
    *effect = chosen;
    return S_OK;
}

// ---- the highlight ----

void CPaintManagerUI::PaintDropCue(HDC dc, const RECT& rcPaint) {
    CControlUI* control = m_pDropHover;
    if (control == nullptr || !control->IsVisible()) return;
    CUIRect visible = control->GetPos();
    if (!visible.Intersect(rcPaint)) return;
    CUIClip clip(dc, visible);
    if (control->GetDropBkColor() != 0) CUIRender::FillSolid(dc, control->GetPos(), control->GetDropBkColor());
    const DWORD line = control->GetDropBorderColor() != 0 ? control->GetDropBorderColor()
                                                          : (m_dwDefaultSelectedBkColor | 0xFF000000);
    CUIRender::StrokeRect(dc, control->GetPos(), ScaleValue(2) > 0 ? ScaleValue(2) : 1, line);
}

}  // namespace SkinUI
