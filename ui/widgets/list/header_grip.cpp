#include "ui/widgets/list/header_grip.h"

#include "ui/controls/button.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/list/list.h"

namespace SkinUI {

bool CHeaderGrip::StoreWidth(LONG& stored, int width) {
    if (width < 0) width = 0;
    if (width > kMaxWidth) width = kMaxWidth;
    if (width == stored) return false;
    stored = width;
    return true;
}

bool CHeaderGrip::Handle(CControlUI& control, IHeaderGripItem& item, UINT& state, const TUIEvent& event) {
    const CUIRect& rc = control.GetPos();
    switch (event.Type) {
        case UIEVENT_SETCURSOR:
            if (!control.IsEnabled() || !item.SepRect().PtInRect(event.ptMouse)) return false;
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
            return true;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (!control.IsEnabled()) return true;
            if (item.SepRect().PtInRect(event.ptMouse)) {
                state |= kDragging;
                m_nDragX = event.ptMouse.x;
                m_nDragWidth = rc.GetWidth();
                m_nWidthBefore = item.GetUnscaledWidth();
            } else {
                state |= UISTATE_PUSHED | UISTATE_CAPTURED;
            }
            control.Repaint();
            return true;
        case UIEVENT_MOUSEMOVE:
            if ((state & kDragging) != 0) {
                long long width = static_cast<long long>(m_nDragWidth) + event.ptMouse.x - m_nDragX;
                CPaintManagerUI* manager = control.GetManager();
                const int least = control.GetMinWidth() > 0 ? control.GetMinWidth() : 0;
                const int most = manager != nullptr ? manager->ScaleValue(kMaxWidth) : int(kMaxWidth);
                if (width < least) width = least;
                if (width > most) width = most;
                const int unscaled = manager != nullptr ? manager->GetDPIObj()->ScaleBack(static_cast<int>(width))
                                                        : static_cast<int>(width);
                if (item.SetColumnWidth(unscaled)) {
                    if (CListUI* list = item.OwnerList()) list->Relayout();
                }
                return true;
            }
            if ((state & UISTATE_CAPTURED) == 0) return false;
            {
                const UINT pushed = rc.PtInRect(event.ptMouse) ? UINT(UISTATE_PUSHED) : 0u;
                if ((state & UISTATE_PUSHED) != pushed) {
                    state = (state & ~UINT(UISTATE_PUSHED)) | pushed;
                    control.Repaint();
                }
            }
            return true;
        case UIEVENT_BUTTONUP:
            if ((state & kDragging) != 0) {
                state &= ~kDragging;
                if (item.GetUnscaledWidth() != m_nWidthBefore) {
                    if (CListUI* list = item.OwnerList()) list->ColumnResized(item.GetColumnIndex());
                }
                return true;
            }
            if ((state & UISTATE_CAPTURED) == 0) return false;
            state &= ~UINT(UISTATE_PUSHED | UISTATE_CAPTURED);
            control.Repaint();
            if (rc.PtInRect(event.ptMouse)) control.Activate();
            return true;
        default:
            return false;
    }
}

}  // namespace SkinUI
