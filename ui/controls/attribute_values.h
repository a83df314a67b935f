// Readers for the value formats of control attributes: integer lists with one
// separator character after each number, hexadecimal colours and booleans.
#pragma once

#include <windows.h>

#include <cwchar>

#include "ui/core/ui_rect.h"

namespace SkinUI {
namespace attr {

// True exactly for "true" in any letter case.
inline bool IsTrue(const wchar_t* value) { return value != nullptr && ::_wcsicmp(value, L"true") == 0; }

// Base-10 integer like a C conversion: malformed text reads as 0.
inline int ToInt(const wchar_t* value) {
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
    long v[4];
    ToInts(value, v, 4);
    return CUIRect(v[0], v[1], v[2], v[3]);
}

inline SIZE ToSize(const wchar_t* value) {
    long v[2];
    ToInts(value, v, 2);
    SIZE s = {v[0], v[1]};
    return s;
}

// Hexadecimal 0xAARRGGBB after an optional '#'. With `skipSpace`, leading
// characters up to code 32 are skipped first.
inline DWORD ToColor(const wchar_t* value, bool skipSpace) {
    if (value == nullptr) return 0;
    if (skipSpace) {
        while (*value != 0 && *value <= 32) ++value;
    }
    if (*value == L'#') ++value;
    return static_cast<DWORD>(std::wcstoul(value, nullptr, 16));
}

inline bool NameIs(const wchar_t* name, const wchar_t* expected) { return ::_wcsicmp(name, expected) == 0; }

}  // namespace attr
}  // namespace SkinUI
