// The child ids of the accessibility interfaces, which travel as VARIANTs.
#pragma once

#include <oleacc.h>
#include <windows.h>

namespace SkinUI {
namespace Accessible {

// All that VariantInit does, without the automation library.
inline void ClearVariant(VARIANT* v) { v->vt = VT_EMPTY; }

// A child id as a VARIANT; CHILDID_SELF names the element itself.
inline VARIANT NumberChild(LONG number) {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = number;
    return child;
}

// Reads a child id given as a 4- or 2-byte integer; anything else is no child id.
inline bool ChildNumber(const VARIANT& child, LONG& number) {
    if (child.vt == VT_I4) {
        number = child.lVal;
        return true;
    }
    if (child.vt == VT_I2) {
        number = child.iVal;
        return true;
    }
    return false;
}

}  // namespace Accessible
}  // namespace SkinUI
