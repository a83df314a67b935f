// Readers for the value formats of control attributes: integer lists with one
// separator character after each number, hexadecimal colours and booleans;
// and the name comparisons of the attribute tables.
#pragma once

#include <windows.h>

#include <cwchar>

#include "ui/core/ui_rect.h"

namespace SkinUI {
namespace attr {

// What a reader below takes a value as.
enum EValueKind {
    kValueBool,
    kValueInt,
    kValuePair,
    kValueRect,
    kValueColor,
    kValueImage,   // an image description
    kValueFont,    // a font id
    kValueStyle,   // a style name
};

// Watches the attribute code paths without changing what they do: every name
// comparison and every value reader reports to the observer of the current
// thread, when there is one. Tools (the skin checker) use it to learn the
// names a class takes and how it reads each value, so what they know cannot
// drift from what the controls apply.
class IAttributeObserver {
public:
    // `name` is the attribute being applied, `expected` the one a branch
    // handles. Returns the comparison's answer.
    virtual bool OnName(const wchar_t* name, const wchar_t* expected, bool caseSensitive) = 0;
    virtual void OnValue(EValueKind kind, const wchar_t* value) = 0;

protected:
    ~IAttributeObserver() = default;
};

inline IAttributeObserver*& CurrentObserver() {
    static thread_local IAttributeObserver* observer = nullptr;
    return observer;
}

inline void Note(EValueKind kind, const wchar_t* value) {
    if (IAttributeObserver* o = CurrentObserver()) o->OnValue(kind, value != nullptr ? value : L"");
}

// Installs an observer for the current thread for the guard's lifetime.
class CObserverScope {
public:
    explicit CObserverScope(IAttributeObserver* observer) : m_previous(CurrentObserver()) {
        CurrentObserver() = observer;
    }
    ~CObserverScope() { CurrentObserver() = m_previous; }
    CObserverScope(const CObserverScope&) = delete;
    CObserverScope& operator=(const CObserverScope&) = delete;

private:
    IAttributeObserver* m_previous;
};

// True exactly for "true" in any letter case.
inline bool IsTrue(const wchar_t* value) {
    Note(kValueBool, value);
    return value != nullptr && ::_wcsicmp(value, L"true") == 0; }

// Base-10 integer like a C conversion: malformed text reads as 0.
inline int ToInt(const wchar_t* value) {
    Note(kValueInt, value);
    return value != nullptr ? static_cast<int>(std::wcstol(value, nullptr, 10)) : 0;
}

// Geometry read from markup (positions, sizes, paddings, borders) is clamped
// to +-kMaxCoordinate, so that sums, differences and scaling of such numbers
// stay far inside the int range.
const long kMaxCoordinate = 32767;

inline long ClampCoord(long v) { return v < -kMaxCoordinate ? -kMaxCoordinate : v > kMaxCoordinate ? kMaxCoordinate : v; }

// ToInt for geometry: clamped to +-kMaxCoordinate.
inline int ToCoord(const wchar_t* value) { return static_cast<int>(ClampCoord(ToInt(value))); }

// Reads `count` integers, each followed by one separator character of any
// kind; numbers missing at the end read as 0. Each is clamped like ToCoord.
inline void ToInts(const wchar_t* p, long* out, int count) {
    for (int i = 0; i < count; ++i) {
        out[i] = 0;
        if (p == nullptr) continue;
        wchar_t* end = nullptr;
        out[i] = ClampCoord(std::wcstol(p, &end, 10));
        p = end;
        if (*p != 0) ++p;
    }
}

inline CUIRect ToRect(const wchar_t* value) {
    Note(kValueRect, value);
    long v[4];
    ToInts(value, v, 4);
    return CUIRect(v[0], v[1], v[2], v[3]);
}

inline SIZE ToSize(const wchar_t* value) {
    Note(kValuePair, value);
    long v[2];
    ToInts(value, v, 2);
    SIZE s = {v[0], v[1]};
    return s;
}

// Hexadecimal 0xAARRGGBB after an optional '#'. With `skipSpace`, leading
// characters up to code 32 are skipped first.
inline DWORD ToColor(const wchar_t* value, bool skipSpace) {
    if (value == nullptr) return 0;
    Note(kValueColor, value);
    if (skipSpace) {
        while (*value != 0 && *value <= 32) ++value;
    }
    if (*value == L'#') ++value;
    return static_cast<DWORD>(std::wcstoul(value, nullptr, 16));
}

// A font id (read as an integer).
inline int ToFontId(const wchar_t* value) {
    Note(kValueFont, value);
    return value != nullptr ? static_cast<int>(std::wcstol(value, nullptr, 10)) : 0;
}

// Image descriptions and style names are kept as text; these mark them.
inline const wchar_t* ImageDesc(const wchar_t* value) {
    Note(kValueImage, value);
    return value;
}
inline const wchar_t* StyleName(const wchar_t* value) {
    Note(kValueStyle, value);
    return value;
}

// Attribute names: letter case ignored, or (the few names the skins must spell
// exactly) compared as they are.
inline bool NameIs(const wchar_t* name, const wchar_t* expected) {
    if (IAttributeObserver* o = CurrentObserver()) return o->OnName(name, expected, false);
    return ::_wcsicmp(name, expected) == 0;
}
inline bool NameIsExactly(const wchar_t* name, const wchar_t* expected) {
    if (IAttributeObserver* o = CurrentObserver()) return o->OnName(name, expected, true);
    return std::wcscmp(name, expected) == 0;
}

}  // namespace attr
}  // namespace SkinUI
