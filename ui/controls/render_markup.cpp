// Markup text: the pieces of markup_parse.h laid out in lines and drawn run by
// run on a common baseline, with GDI, or with GDI+ where PaintText would use it
// (a layered window keeps the text's alpha that way).
//
// Runs are measured from per-character advance widths (GDI draws text without
// kerning, so a run is as wide as the sum of its characters); the widths of
// ASCII characters are kept per font across drawings. Drawing happens on the
// UI thread only.
//
// Compiled for size: this reaches the launcher through the label.
#pragma GCC optimize("Os")
#include <cstdlib>
#include <cstring>

#include "ui/controls/gdi_guards.h"
#include "ui/controls/markup_parse.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

using namespace markup;

const int kMaxFonts = 8;    // font variants of one drawing; more share the first
const int kWidthTables = 16;
const UINT kRunFlags = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_LEFT | DT_TOP;

inline COLORREF ToColorRef(DWORD c) {
    return RGB(static_cast<BYTE>(c >> 16), static_cast<BYTE>(c >> 8), static_cast<BYTE>(c));
}

inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }

// Advance widths of the ASCII characters of a font (-1: not measured yet).
struct TWidthTable {
    bool used;
    LOGFONTW lf;
    short width[128];
};
TWidthTable* g_widths = nullptr;  // kWidthTables of them, made on first use and kept
int g_nextTable = 0;

// One drawing claims at most kMaxFonts tables in a row, so none it holds is taken back meanwhile.
TWidthTable* WidthTableFor(HFONT font) {
    LOGFONTW lf;
    std::memset(&lf, 0, sizeof(lf));
    if (::GetObjectW(font, sizeof(lf), &lf) != sizeof(lf)) return nullptr;
    if (g_widths == nullptr) g_widths = static_cast<TWidthTable*>(std::calloc(kWidthTables, sizeof(TWidthTable)));
    if (g_widths == nullptr) return nullptr;
    for (int k = 0; k < kWidthTables; ++k) {
        if (g_widths[k].used && std::memcmp(&g_widths[k].lf, &lf, sizeof(lf)) == 0) return &g_widths[k];
    }
    TWidthTable& t = g_widths[g_nextTable];
    g_nextTable = (g_nextTable + 1) % kWidthTables;
    t.used = true;
    t.lf = lf;
    std::memset(t.width, 0xFF, sizeof(t.width));
    return &t;
}

struct TFont {
    HFONT base;
    BYTE flags;
    HFONT font;
    bool owned;
    int ascent;
    int descent;
    TWidthTable* widths;
};

// The fonts of one drawing: the skin's fonts with the styles' weight, slant and lines.
class CFontSet {
public:
    CFontSet(HDC dc, CPaintManagerUI* manager, int font) : m_dc(dc), m_manager(manager), m_font(font) {}
    ~CFontSet() {
        for (int k = 0; k < m_n; ++k) {
            if (m_fonts[k].owned) ::DeleteObject(m_fonts[k].font);
        }
    }
    CFontSet(const CFontSet&) = delete;
    CFontSet& operator=(const CFontSet&) = delete;

    int Get(int font, BYTE flags) {
        HFONT base = m_manager->GetFont(font == -2 ? m_font : font);
        for (int k = 0; k < m_n; ++k) {
            if (m_fonts[k].base == base && m_fonts[k].flags == flags) return k;
        }
        if (m_n == kMaxFonts) return 0;
        TFont& e = m_fonts[m_n];
        e = TFont{base, flags, base, false, 0, 0, nullptr};
        LOGFONTW lf;
        if (flags != 0 && ::GetObjectW(base, sizeof(lf), &lf) == sizeof(lf)) {
            if ((flags & kBold) && lf.lfWeight < FW_BOLD) lf.lfWeight = FW_BOLD;
            if (flags & kItalic) lf.lfItalic = TRUE;
            if (flags & kUnderline) lf.lfUnderline = TRUE;
            if (flags & kStrike) lf.lfStrikeOut = TRUE;
            HFONT made = ::CreateFontIndirectW(&lf);
            if (made != nullptr) {
                e.font = made;
                e.owned = true;
            }
        }
        CSelectGuard sel(m_dc, e.font);
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(m_dc, &tm);
        e.ascent = tm.tmAscent;
        e.descent = tm.tmDescent;
        e.widths = WidthTableFor(e.font);
        return m_n++;
    }

    TFont& operator[](int k) { return m_fonts[k]; }

    // The advance of `c` in font `k`; the font must be selected into the dc.
    int Advance(int k, wchar_t c) {
        TWidthTable* t = m_fonts[k].widths;
        if (c < 128 && t != nullptr && t->width[c] >= 0) return t->width[c];
        SIZE sz = {0, 0};
        ::GetTextExtentPoint32W(m_dc, &c, 1, &sz);
        if (c < 128 && t != nullptr) t->width[c] = static_cast<short>(sz.cx);
        return sz.cx;
    }

    int Ellipsis(int k) {
        CSelectGuard sel(m_dc, m_fonts[k].font);
        return 3 * Advance(k, L'.');
    }

private:
    HDC m_dc;
    CPaintManagerUI* m_manager;
    int m_font;
    TFont m_fonts[kMaxFonts];
    int m_n = 0;
};

struct TLine {
    int start;     // first character
    int end;       // one past the last character drawn
    int ascent;
    int descent;
    int gap;       // space above (after a paragraph)
    int ellipsis;  // font of a "..." drawn after the line, -1: none
};

struct TImageInfo {
    const TUIImageSpec* spec;
    RECT source;
};

class CMarkupLayout {
public:
    CMarkupLayout(HDC dc, CPaintManagerUI* manager, int font, const TParsed& parsed)
        : m_dc(dc), m_manager(manager), m_fonts(dc, manager, font), m_p(parsed) {}

    bool Measure();
    void Break(int maxWidth, bool wrap);
    void Ellipsize(int maxWidth, int maxHeight, bool wrapped);
    int Width();
    int Height() const;
    void Draw(const RECT& rc, UINT style, DWORD color, const TUIMarkupLook& look, RECT* links,
              CUIString* linkTexts, int* ordinals, int& linkCount, bool gdiplus);

private:
    // The piece that holds character `unit` (-1 before the first).
    int PieceAt(int unit) const {
        int lo = 0, hi = m_p.pieces.Size();
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (m_p.pieces[mid].start <= unit) lo = mid + 1;
            else hi = mid;
        }
        return lo - 1;
    }
    int FontAt(int unit) const {
        const int piece = PieceAt(unit);
        return piece >= 0 ? m_pieceFont[piece] : 0;
    }
    int LineWidth(const TLine& line) const { return m_x[line.end] - m_x[line.start]; }
    void EndLine(int start, int end, int next);
    void DrawString(TFont& e, const wchar_t* s, int n, int x, int baseline, DWORD color);

    HDC m_dc;
    CPaintManagerUI* m_manager;
    CFontSet m_fonts;
    const TParsed& m_p;
    CPodArray<int> m_pieceFont;       // font per piece
    CPodArray<TImageInfo> m_images;   // per piece (images only)
    CPodArray<int> m_x;               // m_x[u]: advance of the characters before u
    CPodArray<TLine> m_lines;
    bool m_gdiplus = false;
};

bool CMarkupLayout::Measure() {
    const int pieces = m_p.pieces.Size();
    if (!m_x.Resize(m_p.text.Size() + 1) || !m_pieceFont.Resize(pieces) || !m_images.Resize(pieces)) return false;
    m_fonts.Get(-2, 0);  // font 0: the caller's, for empty lines
    for (int i = 0; i < pieces; ++i) {
        const TPiece& piece = m_p.pieces[i];
        const TStyle& st = m_p.styles[piece.style];
        const int font = m_fonts.Get(st.font, st.flags);
        m_pieceFont[i] = font;
        int* x = &m_x[piece.start];
        if (piece.kind == kText) {
            CSelectGuard sel(m_dc, m_fonts[font].font);
            for (int k = 0; k < piece.length; ++k) x[k + 1] = x[k] + m_fonts.Advance(font, m_p.text[piece.start + k]);
            continue;
        }
        int w = 0;
        if (piece.kind == kImage) {
            TImageInfo& info = m_images[i];
            info.spec = m_manager->GetImageSpec(m_p.Arg(piece.arg));
            const TUIImage* image = nullptr;
            if (info.spec != nullptr) {
                const wchar_t* type = info.spec->sResType.IsEmpty() ? nullptr : info.spec->sResType.GetData();
                image = m_manager->GetImageEx(info.spec->sImageName, type, info.spec->dwMask);
            }
            if (image != nullptr && image->hBitmap != nullptr) {
                RECT src = info.spec->rcSource;
                if (src.right <= src.left || src.bottom <= src.top) src = RECT{0, 0, image->nWidth, image->nHeight};
                src.right = Min(src.right, image->nWidth);
                src.bottom = Min(src.bottom, image->nHeight);
                if (src.right > src.left && src.bottom > src.top) {
                    info.source = src;
                    w = src.right - src.left;
                }
            }
            if (w == 0) info.spec = nullptr;  // a missing image takes no room
        }
        x[1] = x[0] + w;
    }
    return true;
}

void CMarkupLayout::EndLine(int start, int end, int next) {
    TLine line = {start, end, 0, 0, 0, -1};
    // A paragraph that ended the line before leaves half a line of space.
    const int before = start > 0 ? PieceAt(start - 1) : -1;
    if (before >= 0 && m_p.pieces[before].kind == kParagraph) line.gap = (m_fonts[0].ascent + m_fonts[0].descent) / 2;
    if (start == end) {
        const TFont& e = m_fonts[FontAt(Min(next, m_p.text.Size()) - 1)];
        line.ascent = e.ascent;
        line.descent = e.descent;
    }
    for (int i = Max(0, PieceAt(start)); i < m_p.pieces.Size(); ++i) {
        const TPiece& piece = m_p.pieces[i];
        if (piece.start >= end) break;
        if (piece.kind == kImage) {
            const TImageInfo& info = m_images[i];
            if (info.spec != nullptr) line.ascent = Max(line.ascent, info.source.bottom - info.source.top);
        } else if (piece.kind == kText) {
            const TFont& e = m_fonts[m_pieceFont[i]];
            line.ascent = Max(line.ascent, e.ascent);
            line.descent = Max(line.descent, e.descent);
        }
    }
    m_lines.Push(line);
}

void CMarkupLayout::Break(int maxWidth, bool wrap) {
    const CPodArray<wchar_t>& t = m_p.text;
    const int count = t.Size();
    int start = 0;
    int space = -1;  // the last space of the line: where it may wrap
    int pi = 0;
    for (int u = 0; u < count; ++u) {
        while (pi + 1 < m_p.pieces.Size() && m_p.pieces[pi + 1].start <= u) ++pi;
        const EPieceKind kind = m_p.pieces[pi].kind;
        if (kind == kBreak || kind == kParagraph) {
            EndLine(start, u, u + 1);
            start = u + 1;
            space = -1;
            continue;
        }
        if (wrap && u > start && m_x[u + 1] - m_x[start] > maxWidth && t[u] != L' ') {
            if (space >= start) {
                int end = space;
                while (end > start && t[end - 1] == L' ') --end;
                EndLine(start, end, space + 1);
                start = space + 1;
            } else {
                EndLine(start, u, u);  // a word longer than the line is cut
                start = u;
            }
            space = -1;
        }
        if (t[u] == L' ' && kind == kText) space = u;
    }
    int end = count;
    if (wrap) {
        while (end > start && t[end - 1] == L' ') --end;
    }
    if (start < count || m_lines.Empty()) EndLine(start, end, count);
}

void CMarkupLayout::Ellipsize(int maxWidth, int maxHeight, bool wrapped) {
    int keep = m_lines.Size();
    if (wrapped) {
        // Lines that do not fit in the height go; the last one kept ends in "...".
        int y = 0;
        for (int k = 0; k < m_lines.Size(); ++k) {
            y += m_lines[k].gap + m_lines[k].ascent + m_lines[k].descent;
            if (y > maxHeight && k > 0) {
                keep = k;
                break;
            }
        }
    }
    const bool cut = keep < m_lines.Size();
    m_lines.Resize(keep);
    for (int k = 0; k < keep; ++k) {
        TLine& line = m_lines[k];
        if (!(cut && k + 1 == keep) && LineWidth(line) <= maxWidth) continue;
        int end = line.end;
        int font = FontAt(Max(end - 1, line.start));
        while (end > line.start && m_x[end] - m_x[line.start] + m_fonts.Ellipsis(font) > maxWidth) {
            --end;
            font = FontAt(Max(end - 1, line.start));
        }
        line.end = end;
        line.ellipsis = font;
    }
}

int CMarkupLayout::Width() {
    int w = 0;
    for (int k = 0; k < m_lines.Size(); ++k) {
        const TLine& line = m_lines[k];
        w = Max(w, LineWidth(line) + (line.ellipsis >= 0 ? m_fonts.Ellipsis(line.ellipsis) : 0));
    }
    return w;
}

int CMarkupLayout::Height() const {
    int h = 0;
    for (int k = 0; k < m_lines.Size(); ++k) h += m_lines[k].gap + m_lines[k].ascent + m_lines[k].descent;
    return h;
}

void CMarkupLayout::DrawString(TFont& e, const wchar_t* s, int n, int x, int baseline, DWORD color) {
    RECT at = {x, baseline - e.ascent, x + 0x7FFF, baseline + e.descent};
    // GDI+ as PaintText uses it (a layered window keeps the text's alpha), else GDI.
    if (m_gdiplus && PaintTextGdiplus(m_dc, m_manager, at, s, n, color, e.font, kRunFlags)) return;
    CSelectGuard sel(m_dc, e.font);
    ::SetTextColor(m_dc, ToColorRef(color));
    ::DrawTextW(m_dc, s, n, &at, kRunFlags);
}

void CMarkupLayout::Draw(const RECT& rc, UINT style, DWORD color, const TUIMarkupLook& look, RECT* links,
                         CUIString* linkTexts, int* ordinals, int& linkCount, bool gdiplus) {
    const int room = Max(linkCount, 0);
    linkCount = 0;
    m_gdiplus = gdiplus;
    DWORD linkColor = look.dwLinkColor != 0 ? look.dwLinkColor : m_manager->GetDefaultLinkFontColor();
    if (linkColor == 0) linkColor = color;
    DWORD hoverColor = look.dwLinkHoverColor != 0 ? look.dwLinkHoverColor : m_manager->GetDefaultLinkHoverFontColor();
    if (hoverColor == 0) hoverColor = linkColor;
    const int oldMode = ::SetBkMode(m_dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(m_dc, ToColorRef(color));

    const int width = rc.right - rc.left;
    int y = rc.top;
    if (style & (DT_VCENTER | DT_BOTTOM)) {
        const int spare = (rc.bottom - rc.top) - Height();
        y += (style & DT_VCENTER) ? spare / 2 : spare;
    }
    for (int k = 0; k < m_lines.Size(); ++k) {
        const TLine& line = m_lines[k];
        y += line.gap;
        const int baseline = y + line.ascent;
        const int bottom = baseline + line.descent;
        const int lineWidth = LineWidth(line) + (line.ellipsis >= 0 ? m_fonts.Ellipsis(line.ellipsis) : 0);
        int left = rc.left;
        if (style & DT_CENTER) left += (width - lineWidth) / 2;
        else if (style & DT_RIGHT) left += width - lineWidth;
        const int x0 = left - m_x[line.start];
        const bool seen = y < rc.bottom && bottom > rc.top;
        int open = -1, from = 0, to = 0;  // the link being followed along the line
        DWORD lastColor = color;
        int lastFont = 0;
        for (int i = Max(0, PieceAt(line.start)); i <= m_p.pieces.Size(); ++i) {
            const bool done = i == m_p.pieces.Size() || m_p.pieces[i].start >= line.end;
            const TStyle* st = done ? nullptr : &m_p.styles[m_p.pieces[i].style];
            const int link = st != nullptr ? st->link : -1;
            if (open >= 0 && link != open) {
                if (linkCount < room) {
                    if (links != nullptr) links[linkCount] = RECT{from, y, to, bottom};
                    if (linkTexts != nullptr) linkTexts[linkCount] = m_p.Target(open);
                    if (ordinals != nullptr) ordinals[linkCount] = open;
                    ++linkCount;
                }
                open = -1;
            }
            if (done) break;
            const TPiece& piece = m_p.pieces[i];
            const int a = Max(piece.start, line.start);
            const int b = Min(piece.start + piece.length, line.end);
            const int xa = x0 + m_x[a], xb = x0 + m_x[b];
            if (link >= 0) {
                if (open < 0) from = xa;
                open = link;
                to = xb;
            }
            const DWORD c = st->hasColor ? st->color : link < 0 ? color : link == look.iHotLink ? hoverColor : linkColor;
            lastColor = c;
            lastFont = m_pieceFont[i];
            if (!seen || xb <= rc.left || xa >= rc.right || b <= a) continue;
            if (piece.kind == kText) {
                DrawString(m_fonts[lastFont], &m_p.text[a], b - a, xa, baseline, c);
            } else if (piece.kind == kImage && m_images[i].spec != nullptr) {
                const TImageInfo& info = m_images[i];
                const RECT dest = {xa, baseline - (info.source.bottom - info.source.top), xb, baseline};
                CUIRender::PaintImageFile(m_dc, m_manager, dest, rc, info.spec->sImageName, info.spec->sResType, dest,
                                          info.source, RECT{0, 0, 0, 0}, info.spec->dwMask, info.spec->uFade, false,
                                          false, false);
            }
        }
        if (line.ellipsis >= 0 && seen) {
            DrawString(m_fonts[line.ellipsis], L"...", 3, x0 + m_x[line.end], baseline, lastColor);
        }
        y = bottom;
    }
    ::SetTextColor(m_dc, oldColor);
    ::SetBkMode(m_dc, oldMode);
}

}  // namespace

void CUIRender::PaintMarkupTextEx(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                                  int font, UINT style, const TUIMarkupLook& look, RECT* links,
                                  CUIString* linkTexts, int* ordinals, int& linkCount) {
    int room = (links != nullptr || linkTexts != nullptr || ordinals != nullptr) ? linkCount : 0;
    linkCount = 0;
    if (dc == nullptr || manager == nullptr || text == nullptr || *text == 0) return;
    const bool wrap = (style & (DT_SINGLELINE | DT_WORDBREAK)) == DT_WORDBREAK;
    TParsed parsed;
    Parse(text, (style & DT_SINGLELINE) != 0, (style & DT_NOPREFIX) == 0, parsed);
    CMarkupLayout layout(dc, manager, font, parsed);
    if (!layout.Measure()) return;
    const int width = rc.right - rc.left;
    layout.Break(width, wrap);
    if (style & DT_CALCRECT) {
        rc.right = rc.left + layout.Width();
        rc.bottom = rc.top + layout.Height();
        return;
    }
    if (style & DT_END_ELLIPSIS) layout.Ellipsize(width, rc.bottom - rc.top, wrap);
    const bool gdiplus = manager->IsLayered() || manager->IsUseGdiplusText();
    if (style & DT_NOCLIP) {
        layout.Draw(rc, style, color, look, links, linkTexts, ordinals, room, gdiplus);
    } else {
        CUIClip clip(dc, rc);
        layout.Draw(rc, style, color, look, links, linkTexts, ordinals, room, gdiplus);
    }
    linkCount = room;
}

void CUIRender::PaintMarkupText(HDC dc, CPaintManagerUI* manager, RECT& rc, const wchar_t* text, DWORD color,
                                RECT* links, CUIString* linkTexts, int& linkCount, int font, UINT style) {
    PaintMarkupTextEx(dc, manager, rc, text, color, font, style, TUIMarkupLook(), links, linkTexts, nullptr,
                      linkCount);
}

}  // namespace SkinUI
