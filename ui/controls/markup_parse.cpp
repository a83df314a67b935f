// Compiled for size: this reaches the launcher through the label.
#pragma GCC optimize("Os")
#include "ui/controls/markup_parse.h"

#include <cstring>

namespace SkinUI {
namespace markup {

bool CPodBlock::Reserve(int need, int size) {
    if (need <= m_cap) return true;
    int cap = m_cap < 16 ? 16 : m_cap;
    while (cap < need) {
        if (cap > (1 << 28) / size) return false;
        cap *= 2;
    }
    void* grown = std::realloc(m_p, static_cast<size_t>(cap) * static_cast<size_t>(size));
    if (grown == nullptr) return false;
    m_p = grown;
    m_cap = cap;
    return true;
}

bool CPodBlock::PushBytes(const void* value, int size) {
    if (!Reserve(m_n + 1, size)) return false;
    std::memcpy(static_cast<char*>(m_p) + m_n++ * size, value, static_cast<size_t>(size));
    return true;
}

bool CPodBlock::ResizeBytes(int n, int size) {
    if (!Reserve(n, size)) return false;
    if (n > m_n) std::memset(static_cast<char*>(m_p) + m_n * size, 0, static_cast<size_t>(n - m_n) * size);
    m_n = n;
    return true;
}

namespace {

bool IsAlpha(wchar_t c) { return (c | 0x20) >= L'a' && (c | 0x20) <= L'z'; }

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    c = static_cast<wchar_t>(c | 0x20);
    return c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1;
}

enum ETag : BYTE { tagNone, tagB, tagI, tagU, tagS, tagC, tagF, tagA, tagBr, tagP, tagImg };

// The tags' names in ETag order, one lower-case letter a byte.
const DWORD kTagNames[] = {'b', 'i', 'u', 's', 'c', 'f', 'a', ('b' << 8) | 'r', 'p', ('i' << 16) | ('m' << 8) | 'g'};

struct TTag {
    ETag tag = tagNone;
    bool closing = false;
    const wchar_t* arg = nullptr;
    int argLength = 0;
    int length = 0;  // characters from '<' to '>' inclusive
};

// Reads the tag that starts at `p` ('<'); false when it is none of the known ones.
bool ReadTag(const wchar_t* p, TTag& tag) {
    int j = 1;
    if (p[j] == L'/') {
        tag.closing = true;
        ++j;
    }
    DWORD name = 0;
    int n = 0;
    for (; IsAlpha(p[j]) && n < 3; ++n) name = (name << 8) | static_cast<BYTE>(p[j++] | 0x20);
    if (n == 0 || IsAlpha(p[j])) return false;
    for (int k = 0; k < tagImg; ++k) {
        if (kTagNames[k] == name) tag.tag = static_cast<ETag>(k + 1);
    }
    const ETag t = tag.tag;
    if (t == tagNone || (tag.closing && t >= tagBr)) return false;
    if (p[j] == L' ' || p[j] == L'=') {
        const int from = ++j;
        while (p[j] != L'>' && p[j] != 0 && p[j] != L'<' && p[j] != L'\n' && j - from < kMaxArgument) ++j;
        if (p[j] != L'>') return false;
        int a = from, b = j;
        while (a < b && p[a] == L' ') ++a;
        while (b > a && p[b - 1] == L' ') --b;
        if (b - a >= 2 && (p[a] == L'\'' || p[a] == L'"') && p[b - 1] == p[a]) {
            ++a;
            --b;
        }
        tag.arg = p + a;
        tag.argLength = b - a;
    }
    if (p[j] != L'>') return false;
    tag.length = j + 1;
    const bool hasArg = tag.argLength > 0;
    if (tag.closing || t < tagC || t == tagBr || t == tagP) return !hasArg;  // no argument
    return hasArg || t == tagA;  // the link's target is optional, the others' arguments are not
}

bool ReadColor(const wchar_t* s, int n, DWORD& color) {
    if (n > 0 && *s == L'#') {
        ++s;
        --n;
    }
    if (n != 6 && n != 8) return false;
    DWORD v = 0;
    for (int k = 0; k < n; ++k) {
        const int d = HexDigit(s[k]);
        if (d < 0) return false;
        v = (v << 4) | static_cast<DWORD>(d);
    }
    if (n == 6 || (v >> 24) == 0) v |= 0xFF000000u;
    color = v;
    return true;
}

bool ReadInt(const wchar_t* s, int n, int& value) {
    int k = (n > 0 && *s == L'-') ? 1 : 0;
    if (k == n || n - k > 6) return false;
    int v = 0;
    for (; k < n; ++k) {
        if (s[k] < L'0' || s[k] > L'9') return false;
        v = v * 10 + (s[k] - L'0');
    }
    value = *s == L'-' ? -v : v;
    return true;
}

class CParser {
public:
    CParser(TParsed& out, bool singleLine) : m_out(out), m_singleLine(singleLine) {}

    // False when out of memory: the reading ends there.
    bool Char(wchar_t c) {
        if (m_dirty) {
            if (!m_out.styles.Push(m_style)) return false;
            m_dirty = false;
        }
        return m_out.style.Push(m_out.styles.Size() - 1) && m_out.text.Push(c);
    }

    // A break or paragraph (a space on a single line).
    void Break(wchar_t c) { Char(m_singleLine ? L' ' : c); }

    // A character in a style of its own: one underlined by the '&' prefix, or an image.
    void Styled(wchar_t c, BYTE flags, int image) {
        const TStyle saved = m_style;
        m_style.flags |= flags;
        m_style.image = image;
        m_dirty = true;
        Char(c);
        m_style = saved;
        m_dirty = true;
    }

    // The offset of the copy; -1 when out of memory.
    int AddString(const wchar_t* s, int n) {
        const int at = m_out.strings.Size();
        for (int k = 0; k < n; ++k) {
            if (!m_out.strings.Push(s[k])) return -1;
        }
        return m_out.strings.Push(0) ? at : -1;
    }

    // False when the tag does not apply here (drawn as text then).
    bool Apply(const TTag& tag) {
        const ETag t = tag.tag;
        if (tag.closing) {
            if (m_open.Empty() || m_open.Back().tag != t) return false;
            if (t == tagA) CloseLink(m_open.Back());
            m_style = m_open.Back().saved;
            m_open.Pop();
            m_dirty = true;
            return true;
        }
        TOpen open = {t, 0, -1, m_style};
        switch (t) {
            case tagBr: Break(kBreakChar); return true;
            case tagP: Break(kParagraphChar); return true;
            case tagImg: {
                const int name = AddString(tag.arg, tag.argLength);
                if (name >= 0) Styled(kImageChar, 0, name);
                return true;
            }
            case tagB:
            case tagI:
            case tagU:
            case tagS: m_style.flags |= static_cast<BYTE>(kBold << (t - tagB)); break;  // in the flags' order
            case tagC:
                if (!ReadColor(tag.arg, tag.argLength, m_style.color)) return false;
                m_style.hasColor = true;
                break;
            case tagF:
                if (!ReadInt(tag.arg, tag.argLength, m_style.font)) return false;
                break;
            default:  // tagA
                open.textStart = m_out.text.Size();
                if (!m_out.links.Push(tag.argLength > 0 ? AddString(tag.arg, tag.argLength) : -1)) return false;
                m_style.link = open.link = m_out.links.Size() - 1;
                break;
        }
        if (!m_open.Push(open)) return false;
        m_dirty = true;
        return true;
    }

    // Links are closed before the end as well, so that each has its target.
    void Finish() {
        for (int k = 0; k < m_open.Size(); ++k) {
            if (m_open[k].tag == tagA) CloseLink(m_open[k]);
        }
    }

private:
    struct TOpen {
        ETag tag;
        int textStart;
        int link;
        TStyle saved;
    };

    void CloseLink(const TOpen& open) {
        int& target = m_out.links[open.link];
        if (target >= 0) return;
        // No target given: the link's text is its target (breaks and images left out).
        const int at = m_out.strings.Size();
        for (int k = open.textStart; k < m_out.text.Size(); ++k) {
            const wchar_t c = m_out.text[k];
            if (c != kImageChar && c != kBreakChar && c != kParagraphChar && !m_out.strings.Push(c)) return;
        }
        if (m_out.strings.Push(0)) target = at;
    }

    TParsed& m_out;
    bool m_singleLine;
    TStyle m_style;
    bool m_dirty = true;
    CPodArray<TOpen> m_open;
};

}  // namespace

void Parse(const wchar_t* source, bool singleLine, bool prefix, TParsed& out) {
    if (source == nullptr) return;
    CParser parser(out, singleLine);
    const wchar_t* p = source;
    while (*p != 0 && out.text.Size() < kMaxText) {
        const wchar_t c = *p++;
        if (c == L'<') {
            TTag tag;
            if (*p == L'<') {
                ++p;
            } else if (ReadTag(p - 1, tag) && parser.Apply(tag)) {
                p += tag.length - 1;
                continue;
            }
            parser.Char(L'<');
            continue;
        }
        if (c == L'&' && p[0] == L'#' && p[1] == L'x') {
            unsigned value = 0;
            const wchar_t* q = p + 2;
            for (int n = 0, d; n < 4 && (d = HexDigit(*q)) >= 0; ++n, ++q) value = value * 16 + static_cast<unsigned>(d);
            if (value != 0) {
                parser.Char(static_cast<wchar_t>(value));
                p = *q == L';' ? q + 1 : q;
                continue;
            }
        }
        if (c == L'&' && prefix && *p != 0) {
            if (*p == L'\n' || *p == L'\r' || *p == L'<') continue;
            const wchar_t next = *p++;
            if (next == L'&') {
                parser.Char(L'&');
            } else {
                parser.Styled(next, kUnderline, -1);
            }
            continue;
        }
        if (c == L'\n') {
            parser.Break(kBreakChar);
        } else if (c != L'\r') {
            parser.Char(c == L'\t' ? L' ' : c);
        }
    }
    parser.Finish();
}

}  // namespace markup
}  // namespace SkinUI
