// CScrollBarUI: part geometry, pointer handling with repeat while held, and
// drawing of the parts from images or colours. What a container drives (range,
// position, page, thickness) is in scroll_bar_range.cpp.
#include "ui/controls/scroll_bar.h"

#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/container.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

const int kMinThumb = 10;          // unscaled
const UINT kRepeatTimer = 1;
const UINT kRepeatMs = 50;
const int kRepeatDelayTicks = 6;   // a press repeats after about 300 ms

const wchar_t* const kPartNames[] = {L"button1", L"button2", L"thumb", L"rail"};
const wchar_t* const kStateNames[] = {L"normal", L"hot", L"pushed", L"disabled"};

// Looks of a part that a skin leaves wholly unset, by part and state.
const DWORD kDefaultColor[CScrollBarUI::kPartCount][CScrollBarUI::kStateCount] = {
    {0xFFF0F0F0, 0xFFDADADA, 0xFF606060, 0xFFF0F0F0},
    {0xFFF0F0F0, 0xFFDADADA, 0xFF606060, 0xFFF0F0F0},
    {0xFFCDCDCD, 0xFFA6A6A6, 0xFF606060, 0xFFE6E6E6},
    {0xFFF0F0F0, 0xFFF0F0F0, 0xFFE0E0E0, 0xFFF4F4F4},
};

int Clamp(long long v, long long lo, long long hi) { return static_cast<int>(v < lo ? lo : v > hi ? hi : v); }

// A triangle pointing toward the start (`first`) or the end of the bar, a quarter of the button.
void DrawArrow(HDC dc, const CUIRect& rc, bool horizontal, bool first, DWORD color) {
    const int w = rc.GetWidth();
    const int h = rc.GetHeight();
    const int n = (w < h ? w : h) / 4;
    const int cx = rc.left + w / 2;
    const int cy = rc.top + h / 2;
    for (int row = 0; row < n; ++row) {
        const int half = first ? row : n - 1 - row;
        const int along = (horizontal ? cx : cy) - n / 2 + row;
        const int across = horizontal ? cy : cx;
        const RECT line = horizontal ? RECT{along, across - half, along + 1, across + half + 1}
                                     : RECT{across - half, along, across + half + 1, along + 1};
        CUIRender::FillSolid(dc, line, color);
    }
}

}  // namespace

CScrollBarUI::CScrollBarUI()
    : m_pOwner(nullptr),
      m_bHorizontal(false),
      m_bShowButton1(true),
      m_bShowButton2(true),
      m_nRange(0),
      m_nPos(0),
      m_nLineSize(8),
      m_nPageSize(0),
      m_ePressed(kNone),
      m_eHot(kNone),
      m_nTicks(0),
      m_ptLast{0, 0},
      m_ptDragStart{0, 0},
      m_nDragStartPos(0),
      m_dwColor{} {}

const wchar_t* CScrollBarUI::GetClass() const { return L"ScrollBarUI"; }

void* CScrollBarUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"ScrollBar") == 0) return this;
    return CControlUI::GetInterface(name);
}

void CScrollBarUI::SetFocus() {
    if (m_pOwner == nullptr) CControlUI::SetFocus();
}

void CScrollBarUI::SetPartImage(EPart part, EPartState state, const wchar_t* image) {
    if (part >= kPartCount || state >= kStateCount) return;
    m_sImage[part][state] = image;
    Repaint();
}

void CScrollBarUI::SetPartColor(EPart part, EPartState state, DWORD color) {
    if (part >= kPartCount || state >= kStateCount) return;
    m_dwColor[part][state] = color;
    Repaint();
}

// ---- geometry ----

CUIRect CScrollBarUI::GetPartRect(EPart part) const {
    const CUIRect& rc = m_rcItem;
    const int length = m_bHorizontal ? rc.GetWidth() : rc.GetHeight();
    const int across = m_bHorizontal ? rc.GetHeight() : rc.GetWidth();
    // Square buttons while they fit, else half the length each.
    const int button = across < length / 2 ? across : length / 2;
    const int b1 = m_bShowButton1 ? button : 0;
    const int b2 = m_bShowButton2 ? button : 0;
    int start = 0;
    int end = 0;
    switch (part) {
        case kButton1: end = b1; break;
        case kButton2: start = length - b2; end = length; break;
        case kRail: start = b1; end = length - b2; break;
        case kThumb: {
            const int track = length - b1 - b2;
            if (m_nRange <= 0 || track <= 0) return CUIRect();
            long long size = m_nPageSize > 0 ? static_cast<long long>(track) * m_nPageSize /
                                                   (static_cast<long long>(m_nRange) + m_nPageSize)
                                             : 0;
            const int minimum = Scale(kMinThumb);
            if (size < minimum) size = minimum;
            if (size > track) size = track;
            start = b1 + static_cast<int>((track - size) * m_nPos / m_nRange);
            end = start + static_cast<int>(size);
            break;
        }
        default: return CUIRect();
    }
    if (end <= start) return CUIRect();
    return m_bHorizontal ? CUIRect(rc.left + start, rc.top, rc.left + end, rc.bottom)
                         : CUIRect(rc.left, rc.top + start, rc.right, rc.top + end);
}

CScrollBarUI::EPart CScrollBarUI::PartAt(POINT pt) const {
    static const EPart kOrder[] = {kThumb, kButton1, kButton2, kRail};
    for (EPart part : kOrder) {
        if (GetPartRect(part).PtInRect(pt)) return part;
    }
    return kNone;
}

// ---- pointer ----

void CScrollBarUI::MoveTo(long long pos) {
    const int clamped = Clamp(pos, 0, m_nRange);
    if (m_pOwner == nullptr) {
        SetScrollPos(clamped);
        return;
    }
    SIZE both = m_pOwner->GetScrollPos();
    (m_bHorizontal ? both.cx : both.cy) = clamped;
    m_pOwner->SetScrollPos(both);
}

void CScrollBarUI::Step() {
    int direction = 0;
    bool page = false;
    // A press waits while the pointer is off the pressed part, and resumes when it is back.
    if (m_ePressed == kNone || !GetPartRect(m_ePressed).PtInRect(m_ptLast)) return;
    if (m_ePressed == kButton1 || m_ePressed == kButton2) {
        direction = m_ePressed == kButton1 ? -1 : 1;
    } else if (m_ePressed == kRail) {
        const CUIRect thumb = GetPartRect(kThumb);
        const LONG at = m_bHorizontal ? m_ptLast.x : m_ptLast.y;
        const LONG from = m_bHorizontal ? thumb.left : thumb.top;
        const LONG to = m_bHorizontal ? thumb.right : thumb.bottom;
        if (thumb.IsEmpty() || (at >= from && at < to)) return;  // the thumb has reached the pointer
        direction = at < from ? -1 : 1;
        page = true;
    } else {
        return;
    }
    if (m_pOwner != nullptr) {
        CContainerUI* c = m_pOwner;
        if (m_bHorizontal) {
            page ? (direction < 0 ? c->PageLeft() : c->PageRight()) : (direction < 0 ? c->LineLeft() : c->LineRight());
        } else {
            page ? (direction < 0 ? c->PageUp() : c->PageDown()) : (direction < 0 ? c->LineUp() : c->LineDown());
        }
        return;
    }
    const long long step = page ? (m_nPageSize > 0 ? m_nPageSize : m_nRange / 10 + 1) : m_nLineSize;
    MoveTo(m_nPos + direction * step);
}

void CScrollBarUI::Press(POINT pt) {
    m_ePressed = PartAt(pt);
    if (m_ePressed == kNone) return;
    m_ptLast = pt;
    m_ptDragStart = pt;
    m_nDragStartPos = m_nPos;
    m_nTicks = 0;
    Repaint();
    if (m_ePressed == kThumb) return;
    Step();
    if (m_pManager != nullptr) m_pManager->SetControlTimer(this, kRepeatTimer, kRepeatMs);
}

void CScrollBarUI::DragTo(POINT pt) {
    const CUIRect rail = GetPartRect(kRail);
    const CUIRect thumb = GetPartRect(kThumb);
    const int free = m_bHorizontal ? rail.GetWidth() - thumb.GetWidth() : rail.GetHeight() - thumb.GetHeight();
    if (free <= 0 || thumb.IsEmpty()) return;
    const long long moved = m_bHorizontal ? pt.x - m_ptDragStart.x : pt.y - m_ptDragStart.y;
    MoveTo(m_nDragStartPos + moved * m_nRange / free);
}

void CScrollBarUI::Release() {
    if (m_ePressed == kNone) return;
    m_ePressed = kNone;
    if (m_pManager != nullptr) m_pManager->KillControlTimer(this, kRepeatTimer);
    Repaint();
}

void CScrollBarUI::SetHot(EPart part) {
    if (m_eHot == part) return;
    m_eHot = part;
    Repaint();
}

void CScrollBarUI::HandleEvent(TUIEvent& event) {
    const bool mouse = event.Type >= UIEVENT_MOUSEMOVE && event.Type <= UIEVENT_SCROLLWHEEL;
    if (mouse && !IsMouseEnabled()) {
        if (m_pParent != nullptr) {
            m_pParent->HandleEvent(event);
        } else {
            CControlUI::HandleEvent(event);
        }
        return;
    }
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (IsEnabled()) Press(event.ptMouse);
            return;
        case UIEVENT_BUTTONUP:
            Release();
            return;
        case UIEVENT_MOUSEMOVE:
            if (m_ePressed == kThumb) {
                DragTo(event.ptMouse);
            } else if (m_ePressed != kNone) {
                m_ptLast = event.ptMouse;
            } else if (IsEnabled()) {
                SetHot(PartAt(event.ptMouse));
            }
            return;
        case UIEVENT_MOUSELEAVE:
            SetHot(kNone);
            return;
        case UIEVENT_MOUSEENTER:
            return;
        case UIEVENT_TIMER:
            if (event.wParam != kRepeatTimer) break;
            if (m_ePressed == kNone || m_ePressed == kThumb) {
                if (m_pManager != nullptr) m_pManager->KillControlTimer(this, kRepeatTimer);
            } else if (++m_nTicks > kRepeatDelayTicks) {
                Step();
            }
            return;
        case UIEVENT_SCROLLWHEEL:
            if (m_pOwner != nullptr || !IsEnabled()) break;  // a container's bar: the container scrolls
            MoveTo(static_cast<long long>(m_nPos) + (LOWORD(event.wParam) == 0 ? -m_nLineSize : m_nLineSize));
            return;
        default:
            break;
    }
    CControlUI::HandleEvent(event);
}

// ---- attributes ----

void CScrollBarUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    if (name == nullptr) return;
    if (value == nullptr) value = L"";
    if (NameIs(name, L"hor")) {
        SetHorizontal(IsTrue(value));
    } else if (NameIs(name, L"range")) {
        SetScrollRange(ToInt(value));
    } else if (NameIs(name, L"value")) {
        SetScrollPos(ToInt(value));
    } else if (NameIs(name, L"linesize")) {
        SetLineSize(ToInt(value));
    } else if (NameIs(name, L"pagesize")) {
        SetPageSize(ToInt(value));
    } else if (NameIs(name, L"showbutton1")) {
        m_bShowButton1 = IsTrue(value);
        Repaint();
    } else if (NameIs(name, L"showbutton2")) {
        m_bShowButton2 = IsTrue(value);
        Repaint();
    } else {
        // "<part><state>image" and "<part><state>color", e.g. "thumbhotimage".
        wchar_t expected[32];
        for (int part = 0; part < kPartCount; ++part) {
            for (int state = 0; state < kStateCount; ++state) {
                for (int kind = 0; kind < 2; ++kind) {
                    std::wcscpy(expected, kPartNames[part]);
                    std::wcscat(expected, kStateNames[state]);
                    std::wcscat(expected, kind == 0 ? L"image" : L"color");
                    if (!NameIs(name, expected)) continue;
                    if (kind == 0) {
                        SetPartImage(static_cast<EPart>(part), static_cast<EPartState>(state), ImageDesc(value));
                    } else {
                        SetPartColor(static_cast<EPart>(part), static_cast<EPartState>(state), ToColor(value, true));
                    }
                    return;
                }
            }
        }
        CControlUI::ApplyAttribute(name, value);
    }
}

// ---- drawing ----

CScrollBarUI::EPartState CScrollBarUI::StateOf(EPart part) const {
    if (!IsEnabled()) return kDisabled;
    if (m_ePressed == part) return kPushed;
    if (m_eHot == part) return kHot;
    return kNormal;
}

void CScrollBarUI::DrawPart(HDC dc, EPart part) {
    const CUIRect rc = GetPartRect(part);
    RECT visible;
    if (!::IntersectRect(&visible, &rc, &m_rcPaint)) return;
    const EPartState state = StateOf(part);
    auto paint = [&](const CUIString& image) {
        return !image.IsEmpty() && CUIRender::PaintImageSpec(dc, m_pManager, rc, m_rcPaint, image, nullptr, m_hInstance);
    };
    // The state's image, its colour, the normal image, the normal colour, the built-in colour.
    bool image = paint(m_sImage[part][state]);
    if (!image) {
        DWORD color = m_dwColor[part][state];
        if (color == 0) image = paint(m_sImage[part][kNormal]);
        if (color == 0 && !image) color = m_dwColor[part][kNormal];
        if (color == 0 && !image) color = kDefaultColor[part][state];
        if (!image) CUIRender::FillSolid(dc, visible, ApplyHsl(color));
    }
    if (!image && (part == kButton1 || part == kButton2)) {
        const DWORD glyph = state == kPushed ? 0xFFFFFFFF : state == kDisabled ? 0xFFBFBFBF : 0xFF606060;
        DrawArrow(dc, rc, m_bHorizontal, part == kButton1, ApplyHsl(glyph));
    }
}

void CScrollBarUI::DrawStateImage(HDC dc) {
    if (m_pManager == nullptr || dc == nullptr) return;
    DrawPart(dc, kRail);
    DrawPart(dc, kThumb);
    DrawPart(dc, kButton1);
    DrawPart(dc, kButton2);
}

}  // namespace SkinUI
