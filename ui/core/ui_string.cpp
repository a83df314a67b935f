#include "ui/core/ui_string.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>

namespace SkinUI {

namespace {

int SafeLength(const wchar_t* s) { return s ? static_cast<int>(wcslen(s)) : 0; }

const wchar_t* NonNull(const wchar_t* s) { return s ? s : L""; }

}  // namespace

CUIString::CUIString() : m_pstr(m_szBuffer), m_nLength(0), m_nCapacity(0) { m_szBuffer[0] = L'\0'; }

CUIString::CUIString(wchar_t ch) : m_pstr(m_szBuffer), m_nLength(ch != L'\0' ? 1 : 0), m_nCapacity(0) {
    m_szBuffer[0] = ch;
    m_szBuffer[1] = L'\0';
}

CUIString::CUIString(const CUIString& src) : m_pstr(m_szBuffer), m_nLength(0), m_nCapacity(0) {
    m_szBuffer[0] = L'\0';
    AssignOwned(src.m_pstr, src.m_nLength);
}

CUIString::CUIString(const wchar_t* str, int len) : m_pstr(m_szBuffer), m_nLength(0), m_nCapacity(0) {
    m_szBuffer[0] = L'\0';
    Assign(str, len);
}

CUIString::~CUIString() {
    if (m_pstr != m_szBuffer) free(m_pstr);
}

int CUIString::GetLength() const { return m_nLength; }

bool CUIString::IsEmpty() const { return m_nLength == 0; }

void CUIString::Empty() {
    if (m_pstr != m_szBuffer) free(m_pstr);
    m_pstr = m_szBuffer;
    m_szBuffer[0] = L'\0';
    m_nLength = 0;
    m_nCapacity = 0;
}

wchar_t CUIString::GetAt(int index) const {
    if (index < 0 || index >= m_nLength) return L'\0';
    return m_pstr[index];
}

void CUIString::SetAt(int index, wchar_t ch) {
    if (index < 0 || index >= m_nLength) return;
    m_pstr[index] = ch;
    if (ch == L'\0') m_nLength = index;  // the terminator cuts the text there
}

bool CUIString::Reserve(int len) {
    if (len < 0) return false;
    if (len <= kMaxInlineLength && m_pstr == m_szBuffer) return true;
    if (m_pstr != m_szBuffer && len <= m_nCapacity) return true;
    // Grow by half again (at least to `len`) so that repeated appends stay linear.
    long long grown = m_pstr != m_szBuffer ? static_cast<long long>(m_nCapacity) + m_nCapacity / 2 : 0;
    if (grown < len) grown = len;
    if (grown < 2 * kMaxInlineLength) grown = 2 * kMaxInlineLength;
    const long long limit = 0x7FFFFFFF / static_cast<long long>(sizeof(wchar_t)) - 1;
    if (grown > limit) grown = limit;
    if (grown < len) return false;
    const size_t bytes = static_cast<size_t>(grown + 1) * sizeof(wchar_t);
    if (m_pstr == m_szBuffer) {
        wchar_t* p = static_cast<wchar_t*>(malloc(bytes));
        if (!p) return false;
        memcpy(p, m_szBuffer, (m_nLength + 1) * sizeof(wchar_t));
        m_pstr = p;
    } else {
        wchar_t* p = static_cast<wchar_t*>(realloc(m_pstr, bytes));
        if (!p) return false;
        m_pstr = p;
    }
    m_nCapacity = static_cast<int>(grown);
    return true;
}

// Stores `len` characters of `str`, which must not point into this string.
void CUIString::AssignOwned(const wchar_t* str, int len) {
    if (len > kMaxInlineLength) {
        m_nLength = 0;
        m_pstr[0] = L'\0';
        if (!Reserve(len)) {
            Empty();
            return;
        }
    } else if (m_pstr != m_szBuffer) {
        free(m_pstr);
        m_pstr = m_szBuffer;
        m_nCapacity = 0;
    }
    if (len > 0) memcpy(m_pstr, str, len * sizeof(wchar_t));
    m_pstr[len] = L'\0';
    m_nLength = len;
}

void CUIString::Assign(const wchar_t* str, int len) {
    if (!str) {
        Empty();
        return;
    }
    int avail = -1;
    if (len < 0) {
        len = SafeLength(str);
    } else {
        // Never read past the terminator of a shorter source.
        const wchar_t* end = static_cast<const wchar_t*>(wmemchr(str, L'\0', len));
        if (end) avail = static_cast<int>(end - str);
        if (avail >= 0 && avail < len) len = avail;
    }
    if (str >= m_pstr && str <= m_pstr + m_nLength) {
        // Source lies inside this string: copy it out first.
        CUIString tmp;
        tmp.AssignOwned(str, len);
        AssignOwned(tmp.m_pstr, tmp.m_nLength);
        return;
    }
    AssignOwned(str, len);
}

void CUIString::Append(const wchar_t* str, int len) {
    if (!str) return;
    if (len < 0) {
        len = SafeLength(str);
    } else {
        const wchar_t* end = static_cast<const wchar_t*>(wmemchr(str, L'\0', len));
        if (end) len = static_cast<int>(end - str);
    }
    if (len == 0) return;
    const int cur = m_nLength;
    if (str >= m_pstr && str <= m_pstr + cur) {
        CUIString tmp(str, len);
        Append(tmp.m_pstr, tmp.m_nLength);
        return;
    }
    if (len > 0x7FFFFFFE - cur || !Reserve(cur + len)) return;
    memcpy(m_pstr + cur, str, len * sizeof(wchar_t));
    m_nLength = cur + len;
    m_pstr[m_nLength] = L'\0';
}

const CUIString& CUIString::operator=(const CUIString& src) {
    if (this != &src) Assign(src.m_pstr, src.m_nLength);
    return *this;
}

const CUIString& CUIString::operator=(const wchar_t* str) {
    Assign(str);
    return *this;
}

const CUIString& CUIString::operator=(wchar_t ch) {
    wchar_t buf[2] = {ch, L'\0'};
    Assign(buf);
    return *this;
}

const CUIString& CUIString::operator+=(const CUIString& src) {
    Append(src.m_pstr, src.m_nLength);
    return *this;
}

const CUIString& CUIString::operator+=(const wchar_t* str) {
    Append(str);
    return *this;
}

const CUIString& CUIString::operator+=(wchar_t ch) {
    wchar_t buf[2] = {ch, L'\0'};
    Append(buf, 1);
    return *this;
}

CUIString CUIString::operator+(const CUIString& src) const {
    CUIString r(*this);
    r.Append(src.m_pstr);
    return r;
}

CUIString CUIString::operator+(const wchar_t* str) const {
    CUIString r(*this);
    r.Append(str);
    return r;
}

int CUIString::Compare(const wchar_t* str) const { return wcscmp(m_pstr, NonNull(str)); }

int CUIString::CompareNoCase(const wchar_t* str) const {
    const wchar_t* a = m_pstr;
    const wchar_t* b = NonNull(str);
    for (;; ++a, ++b) {
        const wint_t ca = towlower(*a);
        const wint_t cb = towlower(*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

void CUIString::MakeUpper() {
    for (wchar_t* p = m_pstr; *p; ++p) *p = static_cast<wchar_t>(towupper(*p));
}

void CUIString::MakeLower() {
    for (wchar_t* p = m_pstr; *p; ++p) *p = static_cast<wchar_t>(towlower(*p));
}

CUIString CUIString::Left(int length) const {
    const int len = GetLength();
    if (length < 0) length = 0;
    if (length > len) length = len;
    return CUIString(m_pstr, length);
}

CUIString CUIString::Mid(int pos, int length) const {
    const int len = GetLength();
    if (pos < 0) pos = 0;
    if (pos > len) pos = len;
    if (length < 0 || length > len - pos) length = len - pos;
    return CUIString(m_pstr + pos, length);
}

CUIString CUIString::Right(int length) const {
    const int len = GetLength();
    if (length < 0) length = 0;
    if (length > len) length = len;
    return CUIString(m_pstr + len - length, length);
}

int CUIString::Find(wchar_t ch, int start) const {
    if (start < 0 || start >= GetLength()) return -1;
    const wchar_t* p = wcschr(m_pstr + start, ch);
    return p ? static_cast<int>(p - m_pstr) : -1;
}

int CUIString::Find(const wchar_t* str, int start) const {
    if (!str || start < 0 || start > GetLength()) return -1;
    const wchar_t* p = wcsstr(m_pstr + start, str);
    return p ? static_cast<int>(p - m_pstr) : -1;
}

int CUIString::ReverseFind(wchar_t ch) const {
    const wchar_t* p = wcsrchr(m_pstr, ch);
    return p ? static_cast<int>(p - m_pstr) : -1;
}

int CUIString::Replace(const wchar_t* from, const wchar_t* to) {
    const int fromLen = SafeLength(from);
    if (fromLen == 0) return 0;
    const int toLen = SafeLength(to);
    // One pass from left to right: each search starts where the last match ended.
    CUIString result;
    int count = 0;
    const wchar_t* pos = m_pstr;
    for (const wchar_t* hit = wcsstr(pos, from); hit != nullptr; hit = wcsstr(pos, from)) {
        result.Append(pos, static_cast<int>(hit - pos));
        result.Append(to, toLen);
        pos = hit + fromLen;
        ++count;
    }
    if (count == 0) return 0;
    result.Append(pos, static_cast<int>(m_pstr + m_nLength - pos));
    AssignOwned(result.m_pstr, result.m_nLength);
    return count;
}

int CUIString::Format(const wchar_t* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    const int n = FormatV(fmt, args);
    va_end(args);
    return n;
}

int CUIString::FormatV(const wchar_t* fmt, va_list args) {
    const size_t kStart = 2048;
    const size_t kBound = 0x9FFFFF;
    Empty();
    if (!fmt) return 0;
    for (size_t size = kStart; size < kBound;) {
        wchar_t* buf = static_cast<wchar_t*>(calloc(size, sizeof(wchar_t)));
        if (!buf) return 0;
        va_list copy;
        va_copy(copy, args);
        const int written = _vsnwprintf(buf, size - 1, fmt, copy);
        va_end(copy);
        if (written >= 0) {
            Assign(buf, written);
            free(buf);
            return GetLength();
        }
        free(buf);
        size *= 2;
        Sleep(1);
    }
    return 0;
}

}  // namespace SkinUI
