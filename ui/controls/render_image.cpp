// Image descriptions: parsing (TUIImageSpec), the manager's cache of parsed
// descriptions, and drawing a description into a control's rectangle.
#include <cwchar>

#include "ui/controls/attribute_values.h"
#include "ui/controls/render.h"
#include "ui/controls/render_composite.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

namespace {

inline bool IsSpace(wchar_t c) { return c != 0 && c <= 32; }

// Keys compare exactly; values go through the attribute readers.
void ApplyKey(TUIImageSpec* spec, const CUIString& key, const CUIString& value) {
    using attr::NameIsExactly;
    const wchar_t* v = value.GetData();
    if (NameIsExactly(key, L"file") || NameIsExactly(key, L"res")) {
        spec->sImageName = value;
    } else if (NameIsExactly(key, L"restype")) {
        spec->sResType = value;
    } else if (NameIsExactly(key, L"dest")) {
        spec->rcDest = attr::ToRect(v);
    } else if (NameIsExactly(key, L"source")) {
        spec->rcSource = attr::ToRect(v);
    } else if (NameIsExactly(key, L"corner")) {
        spec->rcCorner = attr::ToRect(v);
    } else if (NameIsExactly(key, L"mask")) {
        spec->dwMask = attr::ToColor(v, false);
    } else if (NameIsExactly(key, L"fade")) {
        const int fade = attr::ToInt(v);
        spec->uFade = static_cast<BYTE>(fade < 0 ? 0 : fade > 255 ? 255 : fade);
    } else if (NameIsExactly(key, L"hole")) {
        spec->bHole = attr::IsTrue(v);
    } else if (NameIsExactly(key, L"xtiled")) {
        spec->bTiledX = attr::IsTrue(v);
    } else if (NameIsExactly(key, L"ytiled")) {
        spec->bTiledY = attr::IsTrue(v);
    } else if (NameIsExactly(key, L"hsl")) {
        spec->bHSL = attr::IsTrue(v);
    } else if (NameIsExactly(key, L"size")) {
        spec->szImage = attr::ToSize(v);
    } else if (NameIsExactly(key, L"align")) {
        spec->sAlign = value;
    } else if (NameIsExactly(key, L"padding")) {
        spec->rcPadding = attr::ToRect(v);
    }
}

// Reads key='value' pairs until the string ends or a pair is malformed;
// true when it read to the end.
bool ParsePairs(TUIImageSpec* spec, const wchar_t* p) {
    if (p == nullptr) return true;
    while (*p != 0) {
        while (IsSpace(*p)) ++p;
        if (*p == 0) return true;
        const wchar_t* keyStart = p;
        while (*p != 0 && *p != L'=' && !IsSpace(*p)) ++p;
        CUIString key(keyStart, static_cast<int>(p - keyStart));
        while (IsSpace(*p)) ++p;
        if (*p != L'=') return false;
        ++p;
        while (IsSpace(*p)) ++p;
        if (*p != L'\'') return false;
        ++p;
        const wchar_t* valueStart = p;
        while (*p != 0 && *p != L'\'') ++p;
        if (*p != L'\'') return false;
        CUIString value(valueStart, static_cast<int>(p - valueStart));
        ++p;
        if (!value.IsEmpty()) ApplyKey(spec, key, value);
        if (*p == 0) return true;
        if (*p != L' ') return false;
        ++p;
    }
    return true;
}

}  // namespace

bool TUIImageSpec::IsWellFormed(const wchar_t* description) {
    if (description == nullptr || std::wcschr(description, L'=') == nullptr) return true;  // a bare file name
    TUIImageSpec scratch;
    return ParsePairs(&scratch, description);
}

void TUIImageSpec::Clear() { *this = TUIImageSpec(); }

void TUIImageSpec::ParseImageSpec(const wchar_t* description, const wchar_t* modifier, CPaintManagerUI* manager) {
    Clear();
    sDescription = description;
    sModifier = modifier;
    sImageName = description;
    ParsePairs(this, description);
    ParsePairs(this, modifier);
    if (manager == nullptr) return;
    rcDest = manager->ScaleRect(rcDest);
    rcSource = manager->ScaleRect(rcSource);
    rcCorner = manager->ScaleRect(rcCorner);
    rcPadding = manager->ScaleRect(rcPadding);
    const int percent = manager->GetDpiScale();
    if (percent != 100) {
        CUIString suffix;
        suffix.Format(L"@%d.", percent);
        sImageName.Replace(L".", suffix);
    }
}

// ---- the paint manager's cache of parsed descriptions ----

TUIImageSpec* CPaintManagerUI::GetImageSpec(const wchar_t* description, const wchar_t* modifier) {
    CUIString key(description);
    key += modifier;
    if (key.IsEmpty()) return nullptr;
    TUIImageSpec* spec = static_cast<TUIImageSpec*>(m_mImageSpecCache.Find(key));
    if (spec != nullptr) return spec;
    spec = new TUIImageSpec();
    spec->ParseImageSpec(description, modifier, this);
    if (!m_mImageSpecCache.Insert(key, spec)) {
        delete spec;
        return nullptr;
    }
    return spec;
}

void CPaintManagerUI::RemoveAllImageSpecs() {
    for (int i = 0; i < m_mImageSpecCache.GetSize(); ++i) {
        const wchar_t* key = m_mImageSpecCache.GetAt(i);
        if (key != nullptr) delete static_cast<TUIImageSpec*>(m_mImageSpecCache.Find(key, false));
    }
    m_mImageSpecCache.RemoveAll();
}

// ---- drawing ----

bool CUIRender::PaintImageSpec(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint,
                               const wchar_t* description, const wchar_t* modifier, HINSTANCE instance) {
    if (dc == nullptr || manager == nullptr) return false;
    const TUIImageSpec* spec = manager->GetImageSpec(description, modifier);
    if (spec == nullptr) return false;

    RECT dest = item;
    const CUIRect& d = spec->rcDest;
    if (d.left != 0 || d.top != 0 || d.right != 0 || d.bottom != 0) {
        dest.left = item.left + d.left;
        dest.top = item.top + d.top;
        dest.right = item.left + d.right;
        dest.bottom = item.top + d.bottom;
        if (dest.right > item.right) dest.right = item.right;
        if (dest.bottom > item.bottom) dest.bottom = item.bottom;
    }
    const SIZE& sz = spec->szImage;
    if (sz.cx > 0 && sz.cy > 0) {
        const CUIString& align = spec->sAlign;
        const int itemW = item.right - item.left;
        const int itemH = item.bottom - item.top;
        if (align.Find(L"left") >= 0) {
            dest.left = item.left;
            dest.right = dest.left + sz.cx;
        } else if (align.Find(L"center") >= 0) {
            dest.left = item.left + (itemW - sz.cx) / 2;
            dest.right = dest.left + sz.cx;
        } else if (align.Find(L"right") >= 0) {
            dest.left = item.right - sz.cx;
            dest.right = dest.left + sz.cx;
        }
        if (align.Find(L"top") >= 0) {
            dest.top = item.top;
            dest.bottom = dest.top + sz.cy;
        } else if (align.Find(L"vcenter") >= 0) {
            dest.top = item.top + (itemH - sz.cy) / 2;
            dest.bottom = dest.top + sz.cy;
        } else if (align.Find(L"bottom") >= 0) {
            dest.top = item.bottom - sz.cy;
            dest.bottom = dest.top + sz.cy;
        }
        const CUIRect& pad = spec->rcPadding;
        ::OffsetRect(&dest, pad.left - pad.right, pad.top - pad.bottom);
        if (dest.right > item.right) dest.right = item.right;
        if (dest.bottom > item.bottom) dest.bottom = item.bottom;
    }
    return PaintImageFile(dc, manager, item, paint, spec->sImageName, spec->sResType, dest, spec->rcSource,
                          spec->rcCorner, spec->dwMask, spec->uFade, spec->bHole, spec->bTiledX, spec->bTiledY,
                          instance);
}

bool CUIRender::PaintImageFile(HDC dc, CPaintManagerUI* manager, const RECT& item, const RECT& paint,
                               const wchar_t* name, const wchar_t* resType, RECT dest, RECT source, RECT corners,
                               DWORD mask, BYTE fade, bool hole, bool xTiled, bool yTiled, HINSTANCE instance) {
    if (dc == nullptr || manager == nullptr) return false;
    if (name == nullptr || *name == 0) return false;
    const wchar_t* type = (resType != nullptr && *resType != 0) ? resType : nullptr;
    const TUIImage* image = manager->GetImageEx(name, type, mask, false, instance);
    if (image == nullptr || image->hBitmap == nullptr) return false;

    if (source.left == 0 && source.top == 0 && source.right == 0 && source.bottom == 0) {
        source.right = image->nWidth;
        source.bottom = image->nHeight;
    }
    if (source.right > image->nWidth) source.right = image->nWidth;
    if (source.bottom > image->nHeight) source.bottom = image->nHeight;

    RECT tmp;
    if (!::IntersectRect(&tmp, &dest, &item)) return true;
    if (!::IntersectRect(&tmp, &dest, &paint)) return true;

    const bool alpha = manager->IsLayered() ? true : image->bAlpha;
    const TCompositeKey key = {source, corners, dest.right - dest.left, dest.bottom - dest.top,
                               alpha, hole, xTiled, yTiled};
    if (PaintComposite(dc, *image, dest, paint, key, fade)) return true;
    PaintNineGrid(dc, image->hBitmap, dest, paint, source, corners, alpha, fade, hole, xTiled, yTiled);
    return true;
}

}  // namespace SkinUI
