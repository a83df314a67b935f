// CControlUI: markup attributes and attribute lists.
#include <cstdlib>
#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/control.h"
#include "ui/core/accessible_model.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

struct TCursorName {
    const wchar_t* name;
    WORD id;
};

const TCursorName kCursors[] = {
    {L"arrow", 32512},    {L"ibeam", 32513},    {L"wait", 32514},     {L"cross", 32515},   {L"uparrow", 32516},
    {L"size", 32640},     {L"icon", 32641},     {L"sizenwse", 32642}, {L"sizenesw", 32643}, {L"sizewe", 32644},
    {L"sizens", 32645},   {L"sizeall", 32646},  {L"no", 32648},       {L"hand", 32649},
};

// Applies the "floatalign" words (separated by commas or spaces) to `align`.
UINT ApplyFloatAlignWords(UINT align, const wchar_t* value) {
    const wchar_t* p = value;
    while (*p != 0) {
        while (*p == L',' || *p == L' ') ++p;
        const wchar_t* start = p;
        while (*p != 0 && *p != L',' && *p != L' ') ++p;
        CUIString word(start, static_cast<int>(p - start));
        if (word == L"null") {
            align = 0;
        } else if (word == L"left") {
            align &= ~(UIFLOAT_CENTER | UIFLOAT_RIGHT);
        } else if (word == L"center") {
            align = (align & ~UIFLOAT_RIGHT) | UIFLOAT_CENTER;
        } else if (word == L"right") {
            align = (align & ~UIFLOAT_CENTER) | UIFLOAT_RIGHT;
        } else if (word == L"top") {
            align &= ~(UIFLOAT_VCENTER | UIFLOAT_BOTTOM);
        } else if (word == L"vcenter") {
            align = (align & ~UIFLOAT_BOTTOM) | UIFLOAT_VCENTER;
        } else if (word == L"bottom") {
            align = (align & ~UIFLOAT_VCENTER) | UIFLOAT_BOTTOM;
        }
    }
    return align;
}

// Four decimals, each followed by one separator character.
TUIFloatPercent ReadPercents(const wchar_t* p) {
    double v[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        wchar_t* end = nullptr;
        v[i] = std::wcstod(p, &end);
        p = end;
        if (*p != 0) ++p;
    }
    TUIFloatPercent percent;
    percent.left = v[0];
    percent.top = v[1];
    percent.right = v[2];
    percent.bottom = v[3];
    return percent;
}

}  // namespace

void CControlUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    using namespace attr;
    if (name == nullptr) return;
    if (value == nullptr) value = L"";

    if (NameIs(name, L"style")) {
        const wchar_t* style = m_pManager != nullptr ? m_pManager->GetStyle(value) : nullptr;
        StyleName(value);
        if (style != nullptr) {
            ApplyAttributeString(style);
            return;
        }
        // No such style: no other name matches, so it is kept as an extra attribute.
        StoreExtraAttribute(name, value);
    } else if (NameIs(name, L"innerstyle")) {
        ApplyAttributeString(value);
    } else if (NameIs(name, L"pos")) {
        CUIRect rc = ToRect(value);
        SIZE xy = {rc.left >= 0 ? rc.left : rc.right, rc.top >= 0 ? rc.top : rc.bottom};
        SetFixedXY(xy);
        SetFixedWidth(std::abs(rc.right - rc.left));
        SetFixedHeight(std::abs(rc.bottom - rc.top));
    } else if (NameIs(name, L"float")) {
        if (std::wcschr(value, L',') == nullptr) {
            SetFloat(IsTrue(value));
        } else {
            SetFloatPercent(ReadPercents(value));
            SetFloat(true);
        }
    } else if (NameIs(name, L"floatalign")) {
        SetFloatAlign(ApplyFloatAlignWords(GetFloatAlign(), value));
    } else if (NameIs(name, L"padding")) {
        SetPadding(ToRect(value));
    } else if (NameIs(name, L"gradient")) {
        SetGradient(value);
    } else if (NameIs(name, L"bkcolor") || NameIs(name, L"bkcolor1")) {
        SetBkColor(ToColor(value, true));
    } else if (NameIs(name, L"bkcolor2")) {
        SetBkColor2(ToColor(value, true));
    } else if (NameIs(name, L"bkcolor3")) {
        SetBkColor3(ToColor(value, true));
    } else if (NameIs(name, L"forecolor")) {
        SetForeColor(ToColor(value, true));
    } else if (NameIs(name, L"bordercolor")) {
        SetBorderColor(ToColor(value, false));
    } else if (NameIs(name, L"focusbordercolor")) {
        SetFocusBorderColor(ToColor(value, false));
    } else if (NameIs(name, L"colorhsl")) {
        SetColorHSL(IsTrue(value));
    } else if (NameIs(name, L"bordersize")) {
        if (std::wcschr(value, L',') == nullptr) {
            SetBorderSize(ToCoord(value));
        } else {
            SetBorderSize(ToRect(value));
        }
    } else if (NameIs(name, L"leftbordersize")) {
        SetLeftBorderSize(ToCoord(value));
    } else if (NameIs(name, L"topbordersize")) {
        SetTopBorderSize(ToCoord(value));
    } else if (NameIs(name, L"rightbordersize")) {
        SetRightBorderSize(ToCoord(value));
    } else if (NameIs(name, L"bottombordersize")) {
        SetBottomBorderSize(ToCoord(value));
    } else if (NameIs(name, L"borderstyle")) {
        SetBorderStyle(ToInt(value));
    } else if (NameIs(name, L"borderround")) {
        SetBorderRound(ToSize(value));
    } else if (NameIs(name, L"bkimage")) {
        SetBkImage(ImageDesc(value));
    } else if (NameIs(name, L"foreimage")) {
        SetForeImage(ImageDesc(value));
    } else if (NameIs(name, L"width")) {
        SetFixedWidth(ToCoord(value));
    } else if (NameIs(name, L"height")) {
        SetFixedHeight(ToCoord(value));
    } else if (NameIs(name, L"minwidth")) {
        SetMinWidth(ToCoord(value));
    } else if (NameIs(name, L"minheight")) {
        SetMinHeight(ToCoord(value));
    } else if (NameIs(name, L"maxwidth")) {
        SetMaxWidth(ToCoord(value));
    } else if (NameIs(name, L"maxheight")) {
        SetMaxHeight(ToCoord(value));
    } else if (NameIs(name, L"name")) {
        SetName(value);
    } else if (NameIs(name, L"drag")) {
        SetDragEnabled(IsTrue(value));
    } else if (NameIs(name, L"drop")) {
        SetDropEnabled(IsTrue(value));
    } else if (NameIs(name, L"dropbkcolor")) {
        m_dwDropBackColor = ToColor(value, true);
    } else if (NameIs(name, L"dropbordercolor")) {
        m_dwDropBorderColor = ToColor(value, true);
    } else if (NameIs(name, L"resourcetext")) {
        SetResourceText(IsTrue(value));
    } else if (NameIs(name, L"richevent")) {
        SetRichEvent(IsTrue(value));
    } else if (NameIs(name, L"text")) {
        SetText(value);
    } else if (NameIs(name, L"tooltip")) {
        SetToolTip(value);
    } else if (NameIs(name, L"userdata")) {
        SetUserData(value);
    } else if (NameIs(name, L"enabled")) {
        SetEnabled(IsTrue(value));
    } else if (NameIs(name, L"mouse")) {
        SetMouseEnabled(IsTrue(value));
    } else if (NameIs(name, L"keyboard")) {
        SetKeyboardEnabled(IsTrue(value));
    } else if (NameIs(name, L"visible")) {
        SetVisible(IsTrue(value));
    } else if (NameIs(name, L"shortcut")) {
        SetShortcut(value[0]);
    } else if (NameIs(name, L"menu")) {
        SetContextMenuUsed(IsTrue(value));
    } else if (NameIs(name, L"cursor")) {
        for (const TCursorName& c : kCursors) {
            if (::_wcsicmp(value, c.name) == 0) {
                SetCursor(c.id);
                break;
            }
        }
    } else if (NameIs(name, L"virtualwnd")) {
        SetVirtualWnd(value);
    } else if (NameIs(name, kAccessibleNameAttribute)) {  // NOLINT(bugprone-branch-clone): named so the skin checker knows it
        StoreExtraAttribute(name, value);  // read by the accessibility model
    } else {
        StoreExtraAttribute(name, value);
    }
}

void CControlUI::ApplyAttributeString(const wchar_t* list) {
    if (list == nullptr) return;
    if (m_nListDepth >= kMaxListDepth || m_nListChars >= kMaxListChars) return;
    const int length = static_cast<int>(std::wcslen(list));
    m_nListChars = length < kMaxListChars - m_nListChars ? m_nListChars + length : kMaxListChars;
    struct TDepthGuard {
        int& depth;
        explicit TDepthGuard(int& d) : depth(d) { ++depth; }
        ~TDepthGuard() { --depth; }
    } guard(m_nListDepth);
    if (m_pManager != nullptr) {
        const wchar_t* style = m_pManager->GetStyle(list);
        if (style != nullptr) {
            ApplyAttributeString(style);
            return;
        }
    }
    CUIString copy(list, length);
    copy.Replace(L"&quot;", L"\"");
    const wchar_t* p = copy.GetData();
    while (*p != 0) {
        const wchar_t* nameStart = p;
        while (*p != 0 && *p != L'=') ++p;
        CUIString name(nameStart, static_cast<int>(p - nameStart));
        if (*p != L'=') return;
        ++p;
        if (*p != L'"') return;
        ++p;
        const wchar_t* valueStart = p;
        while (*p != 0 && *p != L'"') ++p;
        if (*p == 0) return;
        CUIString value(valueStart, static_cast<int>(p - valueStart));
        ++p;
        if (m_nListAttributes >= kMaxListAttributes) return;
        ++m_nListAttributes;
        ApplyAttribute(name, value);
        // A space continues; otherwise the character after the next one must be
        // a comma. The end of the list ends the loop (never read past it).
        if (*p == 0) return;
        if (*p == L' ') {
            ++p;
            continue;
        }
        if (p[1] != L',') return;
        p += 2;
    }
}

}  // namespace SkinUI
