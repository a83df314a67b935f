// The inline markup of "showhtml" texts, read into a flat list of pieces.
//
// For skin authors (tags are case-insensitive; an argument follows the tag name
// after one space or '=' and may be quoted with ' or "):
//   <b>..</b>  bold            <i>..</i>  italic
//   <u>..</u>  underline       <s>..</s>  strike-through
//   <c #RRGGBB>..</c> or <c #AARRGGBB>..</c>   colour ('#' optional)
//   <f 3>..</f>   the skin's font of that id (an unknown id: the default font)
//   <a target>..</a>   a link; without a target the link's own text is its target
//   <br>  line break            <p>  paragraph (a break with half a line of space)
//   <img name>  an image of the skin (a file name or an image description)
//   <<  a literal '<'           <lt> '<'  and  <gt> '>'
// Tags nest. A '>' outside a tag is plain text. Anything that is not one of the
// tags above (an unknown tag, a lone '<', a closing tag that does not close the
// innermost open one) is drawn as it is written; a tag left open lasts to the end.
// As in plain text, "&#x" and four hexadecimal digits (";" optional) is that
// character, and unless the style has DT_NOPREFIX, '&' underlines the character
// after it and "&&" is one '&'.
//
// At most kMaxText characters are drawn. The work is linear in the text: one pass, no recursion, open tags kept on a
// heap stack, and a tag's argument read at most kMaxArgument characters ahead.
#pragma once

#include <windows.h>

#include <cstdlib>

namespace SkinUI {
namespace markup {

// Grows a block of `size`-byte values to hold at least `need` (doubling); false when out of memory.
bool GrowBlock(void*& block, int& capacity, int need, int size);

// A growable array of trivially copyable values (few instructions per element type).
template <class T>
class CPodArray {
public:
    CPodArray() = default;
    ~CPodArray() { std::free(m_p); }
    CPodArray(const CPodArray&) = delete;
    CPodArray& operator=(const CPodArray&) = delete;
    bool Push(const T& value) {
        if (m_n == m_cap && !GrowBlock(reinterpret_cast<void*&>(m_p), m_cap, m_n + 1, sizeof(T))) return false;
        m_p[m_n++] = value;
        return true;
    }
    // Sets the size; new values are zero.
    bool Resize(int n) {
        if (n > m_cap && !GrowBlock(reinterpret_cast<void*&>(m_p), m_cap, n, sizeof(T))) return false;
        for (int k = m_n; k < n; ++k) m_p[k] = T();
        m_n = n;
        return true;
    }
    void Pop() { --m_n; }
    int Size() const { return m_n; }
    bool Empty() const { return m_n == 0; }
    T& operator[](int k) { return m_p[k]; }
    const T& operator[](int k) const { return m_p[k]; }
    T& Back() { return m_p[m_n - 1]; }
    const T& Back() const { return m_p[m_n - 1]; }
    T* Data() { return m_p; }

private:
    T* m_p = nullptr;
    int m_n = 0;
    int m_cap = 0;
};

enum : BYTE { kBold = 1, kItalic = 2, kUnderline = 4, kStrike = 8 };

struct TStyle {
    BYTE flags = 0;
    bool hasColor = false;
    DWORD color = 0;      // 0xAARRGGBB; an alpha of 0 is read as opaque
    int font = -2;        // -2: the caller's font
    int link = -1;        // ordinal of the link, -1: none
};

enum EPieceKind : BYTE { kText, kImage, kBreak, kParagraph };

// A stretch of the text buffer. Text pieces cover their characters; an image,
// a break and a paragraph each cover one placeholder character.
struct TPiece {
    EPieceKind kind = kText;
    int style = 0;        // index into TParsed::styles
    int start = 0;
    int length = 0;
    int arg = -1;         // image: index into TParsed::args
};

struct TRange {
    int start = 0;
    int length = 0;
};

struct TParsed {
    CPodArray<wchar_t> text;     // the characters to draw (not terminated)
    CPodArray<wchar_t> strings;  // image names and link targets, each terminated
    CPodArray<TStyle> styles;
    CPodArray<TPiece> pieces;
    CPodArray<int> args;         // image names: offsets into `strings`
    CPodArray<int> links;        // link targets by ordinal: offsets into `strings`
    const wchar_t* Arg(int index) const { return &strings[args[index]]; }
    const wchar_t* Target(int link) const { return links[link] >= 0 ? &strings[links[link]] : L""; }
};

const int kMaxArgument = 1024;
// A label shows no more: characters beyond this many are not read.
const int kMaxText = 32768;

// Reads `source` into a fresh `out`. `singleLine` turns breaks and paragraphs into spaces; `prefix`
// applies the '&' prefix rule.
void Parse(const wchar_t* source, bool singleLine, bool prefix, TParsed& out);

}  // namespace markup
}  // namespace SkinUI
