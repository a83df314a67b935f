// CUIString: the framework's wide-character string with an inline buffer.
//
// Up to 62 characters live in the inline buffer; a longer value lives in a heap
// buffer that grows geometrically, so that appending and replacing take time
// linear in the text. The length is kept, never measured again. Comparison is
// ordinal (case-sensitive) unless a method says otherwise.
#pragma once

#include <cstdarg>
#include <cstddef>

namespace SkinUI {

class CUIString {
public:
    enum { kInlineChars = 64, kMaxInlineLength = 62 };

    CUIString();
    CUIString(wchar_t ch);
    CUIString(const CUIString& src);
    // Copies `len` characters of `str` (-1: the whole string). Null gives an empty string.
    CUIString(const wchar_t* str, int len = -1);
    ~CUIString();

    // Length, emptiness and raw access.
    int GetLength() const;
    bool IsEmpty() const;
    void Empty();
    const wchar_t* GetData() const { return m_pstr; }
    operator const wchar_t*() const { return m_pstr; }
    bool IsInline() const { return m_pstr == m_szBuffer; }

    // Character access; an index outside 0..length-1 reads as 0 and writes nothing.
    wchar_t GetAt(int index) const;
    void SetAt(int index, wchar_t ch);
    wchar_t operator[](int index) const { return GetAt(index); }

    // Assignment and appending. Assign(null) empties the string.
    void Assign(const wchar_t* str, int len = -1);
    void Append(const wchar_t* str, int len = -1);
    const CUIString& operator=(const CUIString& src);
    const CUIString& operator=(const wchar_t* str);
    const CUIString& operator=(wchar_t ch);
    const CUIString& operator+=(const CUIString& src);
    const CUIString& operator+=(const wchar_t* str);
    const CUIString& operator+=(wchar_t ch);
    CUIString operator+(const CUIString& src) const;
    CUIString operator+(const wchar_t* str) const;

    // Ordinal comparison: <0, 0 or >0. A null argument compares as the empty string.
    int Compare(const wchar_t* str) const;
    // Comparison ignoring case (simple per-character lower-casing).
    int CompareNoCase(const wchar_t* str) const;
    bool operator==(const wchar_t* str) const { return Compare(str) == 0; }
    bool operator!=(const wchar_t* str) const { return Compare(str) != 0; }
    bool operator<(const wchar_t* str) const { return Compare(str) < 0; }
    bool operator<=(const wchar_t* str) const { return Compare(str) <= 0; }
    bool operator>(const wchar_t* str) const { return Compare(str) > 0; }
    bool operator>=(const wchar_t* str) const { return Compare(str) >= 0; }
    bool operator==(const CUIString& s) const { return Compare(s.m_pstr) == 0; }
    bool operator!=(const CUIString& s) const { return Compare(s.m_pstr) != 0; }

    void MakeUpper();
    void MakeLower();

    // Substrings; out-of-range arguments are clamped.
    CUIString Left(int length) const;
    CUIString Mid(int pos, int length = -1) const;
    CUIString Right(int length) const;

    // Searching from `start`; -1 when absent or when `start` is outside the string.
    int Find(wchar_t ch, int start = 0) const;
    int Find(const wchar_t* str, int start = 0) const;
    int ReverseFind(wchar_t ch) const;

    // Replaces every occurrence of `from` by `to`; returns the number replaced.
    int Replace(const wchar_t* from, const wchar_t* to);

    // printf-style formatting (wide format, wide %s). The buffer starts at 2048
    // characters and doubles (with a 1 ms pause) while the text does not fit;
    // at 0x9FFFFF characters, or when memory runs out, the result is empty.
    // Returns the new length.
    int Format(const wchar_t* fmt, ...);
    int FormatV(const wchar_t* fmt, va_list args);

private:
    void AssignOwned(const wchar_t* str, int len);
    // Makes room for `len` characters plus the terminator, keeping the current
    // text; false (nothing changed) when memory runs out.
    bool Reserve(int len);

    wchar_t* m_pstr;
    int m_nLength;
    int m_nCapacity;  // characters the heap buffer holds before its terminator; 0 when inline
    wchar_t m_szBuffer[kInlineChars];
};

inline CUIString operator+(const wchar_t* a, const CUIString& b) {
    CUIString r(a);
    r += b;
    return r;
}

}  // namespace SkinUI
