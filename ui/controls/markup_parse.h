// The inline markup of "showhtml" texts, read into characters and their styles.
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
//   <<  a literal '<' (the one escape: a '>' outside a tag is plain text)
// Tags nest. Anything that is not one of the
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

// The untyped store of CPodArray: one copy of the code for every element type.
class CPodBlock {
public:
    CPodBlock() = default;
    ~CPodBlock() { std::free(m_p); }
    CPodBlock(const CPodBlock&) = delete;
    CPodBlock& operator=(const CPodBlock&) = delete;
    int Size() const { return m_n; }
    bool Empty() const { return m_n == 0; }
    void Pop() { --m_n; }

protected:
    // Room for `need` values of `size` bytes (doubling); false when out of memory.
    bool Reserve(int need, int size);
    // Sets the size; new values are zero bytes.
    bool ResizeBytes(int n, int size);
    // Appends one value of `size` bytes.
    bool PushBytes(const void* value, int size);

    void* m_p = nullptr;
    int m_n = 0;
    int m_cap = 0;
};

// A growable array of trivially copyable values whose zero bytes are their default.
template <class T>
class CPodArray : public CPodBlock {
public:
    bool Push(const T& value) { return PushBytes(&value, sizeof(T)); }
    bool Resize(int n) { return ResizeBytes(n, sizeof(T)); }
    T& operator[](int k) { return Data()[k]; }
    const T& operator[](int k) const { return static_cast<const T*>(m_p)[k]; }
    T& Back() { return Data()[m_n - 1]; }
    T* Data() { return static_cast<T*>(m_p); }
};

enum : BYTE { kBold = 1, kItalic = 2, kUnderline = 4, kStrike = 8 };

struct TStyle {
    BYTE flags = 0;
    bool hasColor = false;
    DWORD color = 0;      // 0xAARRGGBB; an alpha of 0 is read as opaque
    int font = -2;        // -2: the caller's font
    int link = -1;        // ordinal of the link, -1: none
    int image = -1;       // an image's own style: its name's offset in TParsed::strings
};

// Characters of TParsed::text that are not drawn as themselves.
const wchar_t kBreakChar = L'\n';
const wchar_t kParagraphChar = L'\r';
const wchar_t kImageChar = 0xFFFC;  // its style names the image

struct TParsed {
    CPodArray<wchar_t> text;     // the characters to draw (not terminated)
    CPodArray<int> style;        // per character: index into `styles`
    CPodArray<TStyle> styles;
    CPodArray<wchar_t> strings;  // image names and link targets, each terminated
    CPodArray<int> links;        // link targets by ordinal: offsets into `strings`
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
