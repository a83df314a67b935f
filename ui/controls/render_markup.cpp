// Markup text: the characters and styles of markup_parse.h laid out in lines
// and drawn run by run (a run: characters of one style) on a common baseline,
// with GDI, or with GDI+ where PaintText would use it (a layered window keeps
// the text's alpha that way).
//
// Each run is measured once, with the partial extents of all its characters in
// one call (GDI draws text without kerning, so a run is as wide as the sum of
// its characters).
#include "ui/controls/gdi_guards.h"
#include "ui/controls/markup_parse.h"
#include "ui/controls/render.h"
#include "ui/controls/render_markup_calls.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

using namespace markup;

const int kMaxFonts = 8;  // font variants of one drawing; more share the first

inline int Max(int a, int b) { return a > b ? a : b; }

struct TFont {
    HFONT base;
    BYTE flags;
    HFONT font;  // owned when it is not `base`
    int ascent;
    int descent;
};

struct TLine {
    int start;  // first character
    int end;    // one past the last character drawn
    int ascent;
    int descent;
    int gap;       // space above (after a paragraph)
    int ellipsis;  // font of a "..." drawn after the line, -1: none
    int dots;      // its width
};

// Per style: its font, and for an image its size.
struct TStyleInfo {
    int font;
    SIZE image;  // 0, 0: no image, or one that cannot be fetched
};

class CMarkupLayout {
public:
    // `selected`: the drawing's font, which the caller selects before measuring.
    CMarkupLayout(HDC dc, CPaintManagerUI* manager, int font, const TParsed& parsed, HFONT selected)
        : m_dc(dc), m_manager(manager), m_font(font), m_p(parsed), m_selected(selected) {}
    ~CMarkupLayout() {
        for (int k = 0; k < m_nFonts; ++k) {
            if (m_fonts[k].font != m_fonts[k].base) ::DeleteObject(m_fonts[k].font);
        }
    }
    CMarkupLayout(const CMarkupLayout&) = delete;
    CMarkupLayout& operator=(const CMarkupLayout&) = delete;

    bool Measure();
    void Break(int maxWidth, bool wrap);
    void Ellipsize(int maxWidth, int maxHeight, bool wrapped);
    SIZE Extent() const;
    void Draw(const RECT& rc, UINT style, DWORD color, const TUIMarkupLook& look, RECT* links, CUIString* linkTexts,
              int* ordinals, int& linkCount);

private:
    int Font(int font, BYTE flags);
    // One past the last character of the run that starts at `u` and ends by `end`.
    int RunEnd(int u, int end) const {
        const int s = m_p.style[u];
        if (m_p.text[u] != kBreakChar && m_p.text[u] != kParagraphChar && m_p.text[u] != kImageChar) {
            while (++u < end && m_p.style[u] == s && m_p.text[u] != kBreakChar && m_p.text[u] != kParagraphChar) {
            }
            return u;
        }
        return u + 1;
    }
    const TFont& FontOf(int u) const { return m_fonts[m_info[m_p.style[u]].font]; }
    int Width(int from, int to) const { return m_x[to] - m_x[from]; }
    int LineWidth(const TLine& line) const { return Width(line.start, line.end) + line.dots; }
    // Adds the line [start, end), less its trailing spaces when `trim`; `next` starts the next line.
    void EndLine(int start, int end, int next, bool trim);
    void DrawString(const TFont& e, const wchar_t* s, int n, int x, int baseline, DWORD color);
    void Select(HFONT font) {
        if (font != m_selected) ::SelectObject(m_dc, m_selected = font);
    }

    HDC m_dc;
    CPaintManagerUI* m_manager;
    int m_font;
    const TParsed& m_p;
    TFont m_fonts[kMaxFonts];
    int m_nFonts = 0;
    CPodArray<TStyleInfo> m_info;  // per style
    CPodArray<int> m_x;            // m_x[u]: advance of the characters before u
    CPodArray<TLine> m_lines;
    bool m_gdiplus = false;
    HFONT m_selected;
};

// The skin's font with the styles' weight, slant and lines, made once per drawing.
int CMarkupLayout::Font(int font, BYTE flags) {
    HFONT base = m_manager->GetFont(font == -2 ? m_font : font);
    for (int k = 0; k < m_nFonts; ++k) {
        if (m_fonts[k].base == base && m_fonts[k].flags == flags) return k;
    }
    if (m_nFonts == kMaxFonts) return 0;
    TFont& e = m_fonts[m_nFonts];
    e.base = e.font = base;
    e.flags = flags;
    LOGFONTW lf;
    if (flags != 0 && ::GetObjectW(base, sizeof(lf), &lf) == sizeof(lf)) {
        if (flags & kBold) lf.lfWeight = FW_BOLD;
        lf.lfItalic |= (flags & kItalic) != 0;
        lf.lfUnderline |= (flags & kUnderline) != 0;
        lf.lfStrikeOut |= (flags & kStrike) != 0;
        HFONT made = ::CreateFontIndirectW(&lf);
        if (made != nullptr) e.font = made;
    }
    return m_nFonts++;
}

__attribute__((noinline)) bool CMarkupLayout::Measure() {
    const int count = m_p.text.Size();
    if (!m_x.Resize(count + 1) || !m_info.Resize(m_p.styles.Size())) return false;
    Font(-2, 0);  // font 0: the caller's, for empty lines
    for (int i = 0; i < m_p.styles.Size(); ++i) {
        const TStyle& st = m_p.styles[i];
        TStyleInfo& info = m_info[i];
        info.font = Font(st.font, st.flags);
        // A missing image takes no room.
        if (st.image >= 0) Image(nullptr, m_manager, &m_p.strings[st.image], nullptr, nullptr, &info.image);
    }
    // Selecting a font costs more than measuring a run, so the runs are measured font by
    // font, each extent from its run's start, added up in order in the last pass.
    for (int k = 0; k < m_nFonts; ++k) {
        TFont& e = m_fonts[k];
        Select(e.font);
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(m_dc, &tm);
        e.ascent = tm.tmAscent;
        e.descent = tm.tmDescent;
        for (int u = 0; u < count;) {
            const int end = RunEnd(u, count);
            const wchar_t c = m_p.text[u];
            const TStyleInfo& info = m_info[m_p.style[u]];
            if (c == kImageChar) {
                m_x[u + 1] = info.image.cx;
            } else if (c != kBreakChar && c != kParagraphChar && info.font == k) {  // a break stays 0 wide
                SIZE size;  // the extents stay 0 when it fails
                ::GetTextExtentExPointW(m_dc, &m_p.text[u], end - u, 0, nullptr, &m_x[u + 1], &size);
            }
            if (k + 1 == m_nFonts) {
                for (int j = u + 1; j <= end; ++j) m_x[j] += m_x[u];
            }
            u = end;
        }
    }
    return true;
}

void CMarkupLayout::EndLine(int start, int end, int next, bool trim) {
    while (trim && end > start && m_p.text[end - 1] == L' ') --end;
    TLine line = {start, end, 0, 0, 0, -1, 0};
    // A paragraph that ended the line before leaves half a line of space.
    if (start > 0 && m_p.text[start - 1] == kParagraphChar) line.gap = (m_fonts[0].ascent + m_fonts[0].descent) / 2;
    if (start == end) {
        // An empty line is as high as the font it ends in.
        const TFont& e = next > 0 ? FontOf(next - 1) : m_fonts[0];
        line.ascent = e.ascent;
        line.descent = e.descent;
    }
    for (int u = start; u < end; ++u) {
        if (m_p.text[u] == kImageChar) {
            line.ascent = Max(line.ascent, m_info[m_p.style[u]].image.cy);
        } else {
            line.ascent = Max(line.ascent, FontOf(u).ascent);
            line.descent = Max(line.descent, FontOf(u).descent);
        }
    }
    m_lines.Push(line);
}

__attribute__((noinline)) void CMarkupLayout::Break(int maxWidth, bool wrap) {
    const CPodArray<wchar_t>& t = m_p.text;
    const int count = t.Size();
    int start = 0;
    int space = -1;  // the last space of the line: where it may wrap
    for (int u = 0; u < count; ++u) {
        if (t[u] == kBreakChar || t[u] == kParagraphChar) {
            EndLine(start, u, u + 1, false);
            start = u + 1;
            space = -1;
            continue;
        }
        if (wrap && u > start && Width(start, u + 1) > maxWidth && t[u] != L' ') {
            if (space >= start) {
                EndLine(start, space, space + 1, true);
                start = space + 1;
            } else {
                EndLine(start, u, u, false);  // a word longer than the line is cut
                start = u;
            }
            space = -1;
        }
        if (t[u] == L' ') space = u;
    }
    if (start < count || m_lines.Empty()) EndLine(start, count, count, wrap);
}

__attribute__((noinline)) void CMarkupLayout::Ellipsize(int maxWidth, int maxHeight, bool wrapped) {
    int keep = m_lines.Size();
    // Lines that do not fit in the height go; the last one kept ends in "...".
    int y = 0;
    for (int k = 0; wrapped && k < keep; ++k) {
        y += m_lines[k].gap + m_lines[k].ascent + m_lines[k].descent;
        if (y > maxHeight && k > 0) keep = k;
    }
    const bool cut = keep < m_lines.Size();
    m_lines.Resize(keep);
    for (int k = 0; k < keep; ++k) {
        TLine& line = m_lines[k];
        if (!(cut && k + 1 == keep) && LineWidth(line) <= maxWidth) continue;
        line.ellipsis = line.end > line.start ? m_info[m_p.style[line.end - 1]].font : 0;
        Select(m_fonts[line.ellipsis].font);
        SIZE dots = {0, 0};
        ::GetTextExtentPoint32W(m_dc, L"...", 3, &dots);
        line.dots = dots.cx;
        while (line.end > line.start && LineWidth(line) > maxWidth) {
            --line.end;
        }
    }
}

SIZE CMarkupLayout::Extent() const {
    SIZE size = {0, 0};
    for (int k = 0; k < m_lines.Size(); ++k) {
        const TLine& line = m_lines[k];
        size.cx = Max(size.cx, LineWidth(line));
        size.cy += line.gap + line.ascent + line.descent;
    }
    return size;
}

void CMarkupLayout::DrawString(const TFont& e, const wchar_t* s, int n, int x, int baseline, DWORD color) {
    const int top = baseline - e.ascent;
    // GDI+ as PaintText uses it (a layered window keeps the text's alpha), else GDI.
    RECT at = {x, top, x + 0x7FFF, baseline + e.descent};
    if (m_gdiplus && PaintRunGdiplus(m_dc, m_manager, at, s, n, color, e.font)) return;
    Select(e.font);
    ::SetTextColor(m_dc, __builtin_bswap32(color) >> 8);  // 0xAARRGGBB to 0x00BBGGRR
    ::ExtTextOutW(m_dc, x, top, 0, nullptr, s, n, nullptr);
}

__attribute__((noinline)) void CMarkupLayout::Draw(const RECT& rc, UINT style, DWORD color, const TUIMarkupLook& look,
                                                   RECT* links, CUIString* linkTexts, int* ordinals, int& linkCount) {
    const int room = linkCount;
    linkCount = 0;
    m_gdiplus = m_manager->IsLayered() || m_manager->IsUseGdiplusText();
    DWORD linkColor = look.dwLinkColor != 0 ? look.dwLinkColor : m_manager->GetDefaultLinkFontColor();
    if (linkColor == 0) linkColor = color;
    DWORD hoverColor = look.dwLinkHoverColor != 0 ? look.dwLinkHoverColor : m_manager->GetDefaultLinkHoverFontColor();
    if (hoverColor == 0) hoverColor = linkColor;
    const int oldMode = ::SetBkMode(m_dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(m_dc, 0);

    const SIZE extent = Extent();
    int top = rc.top;
    if (style & (DT_VCENTER | DT_BOTTOM)) {
        const int spare = (rc.bottom - rc.top) - extent.cy;
        top += (style & DT_VCENTER) ? spare / 2 : spare;
    }
    // The runs and images are drawn font by font (see Measure), from the font measured last;
    // the links are noted in the last pass.
    for (int pass = m_nFonts; pass-- > 0;) {
        int y = top;
        for (int k = 0; k < m_lines.Size(); ++k) {
            const TLine& line = m_lines[k];
            y += line.gap;
            const int baseline = y + line.ascent;
            const int bottom = baseline + line.descent;
            const int spare = (rc.right - rc.left) - LineWidth(line);
            const int x0 = rc.left - m_x[line.start] +
                           ((style & DT_CENTER)  ? spare / 2
                            : (style & DT_RIGHT) ? spare
                                                 : 0);
            int open = -1, from = 0;  // the link being followed along the line
            DWORD lastColor = color;
            for (int u = line.start; u <= line.end;) {
                const int end = u < line.end ? RunEnd(u, line.end) : u;
                const TStyle* st = u < line.end ? &m_p.styles[m_p.style[u]] : nullptr;
                const int link = st != nullptr ? st->link : -1;
                const int xa = x0 + m_x[u];
                if (open >= 0 && link != open) {
                    if (pass == 0 && linkCount < room) {
                        if (links != nullptr) links[linkCount] = RECT{from, y, xa, bottom};
                        if (linkTexts != nullptr) linkTexts[linkCount] = m_p.Target(open);
                        if (ordinals != nullptr) ordinals[linkCount] = open;
                        ++linkCount;
                    }
                    open = -1;
                }
                if (st == nullptr) break;
                if (link >= 0 && open < 0) from = xa;
                open = link;
                const DWORD c = st->hasColor            ? st->color
                                : link < 0              ? color
                                : link == look.iHotLink ? hoverColor
                                                        : linkColor;
                lastColor = c;
                const wchar_t ch = m_p.text[u];
                const int xb = x0 + m_x[end];
                const TStyleInfo& info = m_info[m_p.style[u]];
                if (info.font != pass) {
                } else if (ch == kImageChar) {
                    if (info.image.cx > 0) {
                        const RECT dest = {xa, baseline - info.image.cy, xb, baseline};
                        Image(m_dc, m_manager, &m_p.strings[st->image], &dest, &rc, nullptr);
                    }
                } else if (ch != kBreakChar && ch != kParagraphChar && y < rc.bottom && bottom > rc.top) {
                    DrawString(m_fonts[info.font], &m_p.text[u], end - u, xa, baseline, c);
                }
                u = end;
            }
            if (line.ellipsis == pass)
                DrawString(m_fonts[line.ellipsis], L"...", 3, x0 + m_x[line.end], baseline, lastColor);
            y = bottom;
        }
    }
    ::SetTextColor(m_dc, oldColor);
    ::SetBkMode(m_dc, oldMode);
}

}  // namespace

void CUIRender::PaintMarkupTextEx(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                                  int font, UINT style, const TUIMarkupLook& look, RECT* links, CUIString* linkTexts,
                                  int* ordinals, int& linkCount) {
    int room = (links != nullptr || linkTexts != nullptr || ordinals != nullptr) ? Max(linkCount, 0) : 0;
    linkCount = 0;
    if (dc == nullptr || manager == nullptr || text == nullptr || *text == 0) return;
    const bool wrap = (style & (DT_SINGLELINE | DT_WORDBREAK)) == DT_WORDBREAK;
    TParsed parsed;
    Parse(text, (style & DT_SINGLELINE) != 0, (style & DT_NOPREFIX) == 0, parsed);
    const HFONT base = manager->GetFont(font);
    CMarkupLayout layout(dc, manager, font, parsed, base);
    // Fonts are selected as the runs need them; the dc has its own back before the layout deletes them.
    CSelectGuard selected(dc, base);
    if (!layout.Measure()) return;
    const int width = rc.right - rc.left;
    layout.Break(width, wrap);
    if (style & DT_CALCRECT) {
        const SIZE extent = layout.Extent();
        rc.right = rc.left + extent.cx;
        rc.bottom = rc.top + extent.cy;
        return;
    }
    if (style & DT_END_ELLIPSIS) layout.Ellipsize(width, rc.bottom - rc.top, wrap);
    static const RECT everywhere = {-0x8000, -0x8000, 0x7FFF, 0x7FFF};
    CUIClip clip(dc, (style & DT_NOCLIP) ? everywhere : rc);
    layout.Draw(rc, style, color, look, links, linkTexts, ordinals, room);
    linkCount = room;
}

}  // namespace SkinUI
