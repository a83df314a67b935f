// The links of a label's markup text: their state, drawing, hit testing, hover
// and the hand cursor. Nothing here calls what may throw (the state is made with
// a non-throwing new, and following a link stops what its receivers throw,
// label_link_state.cpp), so it is built without unwind tables. What only other
// programs ask for is in label_link_access.cpp, which the launcher does not link.
#include "ui/controls/label.h"
#include "ui/controls/label_links.h"

#include <new>

namespace SkinUI {

CLabelUI::~CLabelUI() { delete m_pLinks; }

TUILabelLinks* CLabelUI::LinkState() {
    if (m_pLinks == nullptr) m_pLinks = new (std::nothrow) TUILabelLinks;
    return m_pLinks;
}

void CLabelUI::DrawMarkup(HDC dc, RECT& rc, const wchar_t* text, DWORD color, int font) {
    TUILabelLinks* links = LinkState();
    if (links == nullptr) return;  // out of memory (which used to end the whole paint)
    links->count = kMaxLinkRects;
    CUIRender::PaintMarkupTextEx(dc, m_pManager, rc, text, color, font, m_uTextStyle, links->look, links->rects,
                                 links->targets, links->ordinals, links->count);
}

int CLabelUI::GetLinkCount() const { return m_bShowHtml && m_pLinks != nullptr ? m_pLinks->count : 0; }

int CLabelUI::GetLinkOrdinal(int index) const {
    return index >= 0 && index < GetLinkCount() ? m_pLinks->ordinals[index] : -1;
}

int CLabelUI::HitLink(POINT pt) const {
    for (int k = 0; k < GetLinkCount(); ++k) {
        if (::PtInRect(&m_pLinks->rects[k], pt)) return k;
    }
    return -1;
}

void CLabelUI::SetHotLink(int link) {
    if (m_pLinks == nullptr || m_pLinks->look.iHotLink == link) return;
    m_pLinks->look.iHotLink = link;
    Repaint();
}

bool CLabelUI::HandleLinkEvent(TUIEvent& event) {
    if (GetLinkCount() == 0 || !IsEnabled()) return false;
    const int hit = HitLink(event.ptMouse);
    const int link = GetLinkOrdinal(hit);
    switch (event.Type) {
        case UIEVENT_MOUSEMOVE: SetHotLink(link); return false;
        case UIEVENT_MOUSELEAVE: SetHotLink(-1); return false;
        case UIEVENT_SETCURSOR:
            if (link < 0) return false;
            ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));
            return true;
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (link < 0) return false;
            m_pLinks->pressed = link;
            return true;
        case UIEVENT_BUTTONUP: {
            const int pressed = m_pLinks->pressed;
            m_pLinks->pressed = -1;
            if (pressed < 0) return false;
            if (pressed == link) FollowLink(link);
            return true;
        }
        default: return false;
    }
}

}  // namespace SkinUI
