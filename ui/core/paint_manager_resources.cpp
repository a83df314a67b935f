// The resource half of CPaintManagerUI: own and shared tables of images, fonts,
// default attribute lists and styles, the first-manager defaults, the DPI
// scale, the process-wide resource settings and TermFramework.
#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "ui/controls/scratch_dc.h"
#include "ui/core/control_factory.h"
#include "ui/core/image_loader.h"
#include "ui/core/image_scale.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_catalog.h"
#include "ui/core/resource_settings.h"
#include "ui/core/ui_buffer.h"
#include "ui/core/ui_handles.h"

namespace SkinUI {

namespace {

// Shared twins of the per-manager tables and defaults.
struct TSharedResources {
    TUIResourceTables tables;
    TUIFont defaultFont;
    bool initialised = false;
    DWORD disabledColor = 0;
    DWORD fontColor = 0;
    DWORD linkFontColor = 0;
    DWORD linkHoverFontColor = 0;
    DWORD selectedBkColor = 0;
};

TSharedResources& Shared() {
    static TSharedResources shared;
    return shared;
}

TUIResourceTables& SharedTables() { return Shared().tables; }

void FontKey(int id, wchar_t (&key)[16]) { swprintf(key, 16, L"%d", id); }

void ResetFontRecord(TUIFont& font) {
    if (font.hFont) DeleteObject(font.hFont);
    font = TUIFont();
}

// Finds the record holding `hFont` in a font table.
TUIFont* FindFontByHandle(CUIStringMap& fonts, HFONT hFont) {
    for (int i = 0; i < fonts.GetSize(); ++i) {
        const wchar_t* key = fonts.GetAt(i);
        TUIFont* font = key ? static_cast<TUIFont*>(fonts.Find(key, false)) : nullptr;
        if (font && font->hFont == hFont) return font;
    }
    return nullptr;
}

TUIFont* FindFontByDescription(CUIStringMap& fonts, const wchar_t* face, int size, bool bold, bool underline,
                               bool italic) {
    for (int i = 0; i < fonts.GetSize(); ++i) {
        const wchar_t* key = fonts.GetAt(i);
        TUIFont* font = key ? static_cast<TUIFont*>(fonts.Find(key, false)) : nullptr;
        if (font && font->sFontName == face && font->iSize == size && font->bBold == bold &&
            font->bUnderline == underline && font->bItalic == italic) {
            return font;
        }
    }
    return nullptr;
}

}  // namespace

// ----------------------------------------------------------------------------
// Construction and destruction (resource half)
// ----------------------------------------------------------------------------

void CPaintManagerUI::InitResourcePart() {
    TSharedResources& shared = Shared();
    if (!shared.initialised) {
        // The first manager of the process sets up the shared defaults.
        LOGFONTW lf;
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &lf);
        lf.lfCharSet = DEFAULT_CHARSET;
        ResetFontRecord(shared.defaultFont);
        shared.defaultFont.hFont = CreateFontIndirectW(&lf);
        shared.defaultFont.sFontName = lf.lfFaceName;
        shared.defaultFont.iSize = -lf.lfHeight;
        shared.defaultFont.bBold = lf.lfWeight >= FW_BOLD;
        shared.defaultFont.bUnderline = lf.lfUnderline != 0;
        shared.defaultFont.bItalic = lf.lfItalic != 0;
        shared.disabledColor = 0xFFA7A6AA;
        shared.fontColor = 0xFF000000;
        shared.linkFontColor = 0xFF0000FF;
        shared.linkHoverFontColor = 0xFFD3215F;
        shared.selectedBkColor = 0xFFBAE4FF;
        shared.initialised = true;
    }
    m_dwDefaultDisabledColor = shared.disabledColor;
    m_dwDefaultFontColor = shared.fontColor;
    m_dwDefaultLinkFontColor = shared.linkFontColor;
    m_dwDefaultLinkHoverFontColor = shared.linkHoverFontColor;
    m_dwDefaultSelectedBkColor = shared.selectedBkColor;
}

void CPaintManagerUI::ReleaseResourcePart() {
    ResetFontRecord(m_DefaultFontInfo);
    m_ResInfo.FreeAll();
    for (int i = 0; i < m_aFonts.GetSize(); ++i) {
        HANDLE font = static_cast<HANDLE>(m_aFonts.GetAt(i));
        if (font) RemoveFontMemResourceEx(font);
    }
    m_aFonts.Empty();
    delete m_pDPI;
    m_pDPI = nullptr;
}

TUIResourceTables& CPaintManagerUI::TargetTables(bool shared) {
    return (shared || useSharedTables) ? Shared().tables : m_ResInfo;
}

// ----------------------------------------------------------------------------
// Process-wide settings
// ----------------------------------------------------------------------------

void CPaintManagerUI::SetInstance(HINSTANCE instance) { CUIResourceSettings::SetInstance(instance); }
HINSTANCE CPaintManagerUI::GetInstance() { return CUIResourceSettings::GetInstance(); }
void CPaintManagerUI::SetResourcePath(const wchar_t* path) { CUIResourceSettings::SetResourcePath(path); }
const wchar_t* CPaintManagerUI::GetResourcePath() { return CUIResourceSettings::GetResourcePath(); }

void CPaintManagerUI::SetResourceZip(const wchar_t* name, bool cached, const wchar_t* password) {
    CUIResourceSettings::SetResourceZip(name, cached, password);
}

void CPaintManagerUI::SetResourceArchive(const void* data, unsigned int size, const wchar_t* password) {
    CUIResourceSettings::SetResourceArchive(data, size, password);
}

const wchar_t* CPaintManagerUI::GetResourceZip() { return CUIResourceSettings::GetResourceZip(); }
bool CPaintManagerUI::IsCachedResourceZip() { return CUIResourceSettings::IsCachedResourceZip(); }

void CPaintManagerUI::TermFramework() {
    TSharedResources& shared = Shared();
    CUIResourceCatalog::Instance().Release();
    CControlFactory::Release();
    shared.tables.FreeAll();
    ResetFontRecord(shared.defaultFont);
    shared.initialised = false;
    CUIResourceSettings::CloseCachedArchive();
    CScratchDC::ReleaseForThread();
}

// ----------------------------------------------------------------------------
// Images
// ----------------------------------------------------------------------------

const TUIImage* CPaintManagerUI::AddImage(const wchar_t* name, const wchar_t* type, DWORD mask, bool /*hueAdjust*/,
                                          bool shared, HINSTANCE instance) {
    if (!name || !*name) return nullptr;
    TUIImage* image = nullptr;
    if (!type || !*type) {
        image = LoadSkinImage(name, nullptr, mask, instance);
        if (!image) image = LoadFromOtherScale(name, mask, instance);
    } else {
        // With a resource type only a decimal identifier is accepted.
        if (!iswdigit(name[0])) return nullptr;
        const int id = static_cast<int>(wcstol(name, nullptr, 10));
        image = LoadSkinImage(MAKEINTRESOURCEW(id), type, mask, instance);
    }
    if (!image) return nullptr;
    image->sResType = type;
    image->dwMask = mask;

    CUIStringMap& images = TargetTables(shared).images;
    TUIImage* old = static_cast<TUIImage*>(images.Find(name));
    if (old) {
        FreeSkinImage(old);
        images.Set(name, image);
    } else if (!images.Insert(name, image)) {
        FreeSkinImage(image);
        return nullptr;
    }
    return image;
}

TUIImage* CPaintManagerUI::LoadFromOtherScale(const wchar_t* name, DWORD mask, HINSTANCE instance) {
    const int percent = GetDpiScale();
    if (percent == 100) return nullptr;
    const CUIString scaledName(name);
    CUIString candidate;
    int found = 0;
    TUIImage* source = nullptr;
    for (int i = 0; i < kImageScaleCount && !source; ++i) {
        if (kImageScales[i] <= percent || !RenameForScale(scaledName, percent, kImageScales[i], &candidate)) continue;
        source = LoadSkinImage(candidate, nullptr, mask, instance);
        found = kImageScales[i];
    }
    if (!source && RenameForScale(scaledName, percent, 100, &candidate)) {
        source = LoadSkinImage(candidate, nullptr, mask, instance);
        found = 100;
    }
    if (!source) return nullptr;
    TUIImage* image = ResampleSkinImage(*source, MulDiv(source->nWidth, percent, found),
                                        MulDiv(source->nHeight, percent, found));
    FreeSkinImage(source);
    return image;
}

const TUIImage* CPaintManagerUI::GetImage(const wchar_t* name) {
    if (!name || !*name) return nullptr;
    TUIImage* image = static_cast<TUIImage*>(m_ResInfo.images.Find(name));
    if (!image) image = static_cast<TUIImage*>(Shared().tables.images.Find(name));
    return image;
}

const TUIImage* CPaintManagerUI::GetImageEx(const wchar_t* name, const wchar_t* type, DWORD mask, bool hueAdjust,
                                            HINSTANCE instance) {
    const TUIImage* image = GetImage(name);
    if (!image && AddImage(name, type, mask, hueAdjust, false, instance)) {
        image = static_cast<TUIImage*>(TargetTables(false).images.Find(name));
    }
    return image;
}

bool CPaintManagerUI::RemoveImage(const wchar_t* name, bool shared) {
    CUIStringMap& images = (shared ? SharedTables() : m_ResInfo).images;
    TUIImage* image = static_cast<TUIImage*>(images.Find(name, false));
    if (!image) return false;
    images.Remove(name);
    FreeSkinImage(image);
    return true;
}

void CPaintManagerUI::RemoveAllImages(bool shared) { (shared ? SharedTables() : m_ResInfo).FreeImages(); }

// ----------------------------------------------------------------------------
// Fonts
// ----------------------------------------------------------------------------

HFONT CPaintManagerUI::CreateFontFromDescription(const wchar_t* face, int size, bool bold, bool underline,
                                                 bool italic, bool addBold, LOGFONTW* out) {
    LOGFONTW lf;
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTW), &lf);
    if (face && *face) {
        wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        lf.lfFaceName[LF_FACESIZE - 1] = L'\0';
    }
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = -ScaleValue(size);
    if (bold) lf.lfWeight = addBold ? lf.lfWeight + FW_BOLD : FW_BOLD;
    if (underline) lf.lfUnderline = TRUE;
    if (italic) lf.lfItalic = TRUE;
    if (out) *out = lf;
    return CreateFontIndirectW(&lf);
}

void CPaintManagerUI::MeasureFont(TUIFont* font) {
    if (!font || !font->hFont || font->tm.tmHeight != 0) return;
    if (m_hDcPaint) {
        CUIScopedSelect select(m_hDcPaint, font->hFont);
        GetTextMetricsW(m_hDcPaint, &font->tm);
        return;
    }
    // Not bound to a window yet: measure on the screen.
    CUIScopedWindowDC screen(nullptr);
    if (!screen.Get()) return;
    CUIScopedSelect select(screen.Get(), font->hFont);
    GetTextMetricsW(screen.Get(), &font->tm);
}

HFONT CPaintManagerUI::AddFont(int id, const wchar_t* face, int size, bool bold, bool underline, bool italic,
                               bool shared) {
    LOGFONTW lf;
    HFONT hFont = CreateFontFromDescription(face, size, bold, underline, italic, false, &lf);
    if (!hFont) return nullptr;
    TUIFont* font = new TUIFont;
    font->hFont = hFont;
    font->sFontName = lf.lfFaceName;
    font->iSize = size;
    font->bBold = bold;
    font->bUnderline = underline;
    font->bItalic = italic;
    if (m_hDcPaint) MeasureFont(font);

    wchar_t key[16];
    FontKey(id, key);
    CUIStringMap& fonts = TargetTables(shared).fonts;
    TUIFont* old = static_cast<TUIFont*>(fonts.Find(key));
    if (old) {
        fonts.Remove(key);
        FreeSkinFont(old);
    }
    if (!fonts.Insert(key, font)) {
        FreeSkinFont(font);
        return nullptr;
    }
    return hFont;
}

void CPaintManagerUI::SetDefaultFont(const wchar_t* face, int size, bool bold, bool underline, bool italic,
                                     bool shared) {
    LOGFONTW lf;
    HFONT hFont = CreateFontFromDescription(face, size, bold, underline, italic, true, &lf);
    if (!hFont) return;
    TUIFont& target = shared ? Shared().defaultFont : m_DefaultFontInfo;
    ResetFontRecord(target);
    target.hFont = hFont;
    target.sFontName = lf.lfFaceName;
    target.iSize = size;
    target.bBold = bold;
    target.bUnderline = underline;
    target.bItalic = italic;
    if (m_hDcPaint) MeasureFont(&target);
}

TUIFont* CPaintManagerUI::GetDefaultFontInfo() {
    TUIFont* font = m_DefaultFontInfo.sFontName.IsEmpty() ? &Shared().defaultFont : &m_DefaultFontInfo;
    MeasureFont(font);
    return font;
}

HFONT CPaintManagerUI::GetFont(int id) { return GetFontInfo(id)->hFont; }

TUIFont* CPaintManagerUI::GetFontInfo(int id) {
    if (id < 0) return GetDefaultFontInfo();
    wchar_t key[16];
    FontKey(id, key);
    TUIFont* font = static_cast<TUIFont*>(m_ResInfo.fonts.Find(key));
    if (!font) font = static_cast<TUIFont*>(Shared().tables.fonts.Find(key));
    if (!font) return GetDefaultFontInfo();
    MeasureFont(font);
    return font;
}

TUIFont* CPaintManagerUI::GetFontInfo(HFONT hFont) {
    TUIFont* font = hFont ? FindFontByHandle(m_ResInfo.fonts, hFont) : nullptr;
    if (!font && hFont) font = FindFontByHandle(Shared().tables.fonts, hFont);
    if (!font) return GetDefaultFontInfo();
    MeasureFont(font);
    return font;
}

HFONT CPaintManagerUI::FindFont(const wchar_t* face, int size, bool bold, bool underline, bool italic) {
    TUIFont* font = FindFontByDescription(m_ResInfo.fonts, face, size, bold, underline, italic);
    if (!font) font = FindFontByDescription(Shared().tables.fonts, face, size, bold, underline, italic);
    return font ? font->hFont : nullptr;
}

bool CPaintManagerUI::RemoveFont(int id, bool shared) {
    wchar_t key[16];
    FontKey(id, key);
    CUIStringMap& fonts = (shared ? SharedTables() : m_ResInfo).fonts;
    TUIFont* font = static_cast<TUIFont*>(fonts.Find(key, false));
    if (!font) return false;
    fonts.Remove(key);
    FreeSkinFont(font);
    return true;
}

void CPaintManagerUI::RemoveAllFonts(bool shared) { (shared ? SharedTables() : m_ResInfo).FreeFonts(); }

bool CPaintManagerUI::AddFontFile(const wchar_t* fileName) {
    CUIBuffer bytes;
    if (!CUIResourceSettings::ReadResourceFile(fileName, bytes)) return false;
    if (bytes.Size() > 0xFFFFFFFFu) return false;
    DWORD installed = 0;
    HANDLE font = AddFontMemResourceEx(bytes.Data(), static_cast<DWORD>(bytes.Size()), nullptr, &installed);
    if (!font) return false;
    if (!m_aFonts.Add(font)) {
        RemoveFontMemResourceEx(font);
        return false;
    }
    return true;
}

// ----------------------------------------------------------------------------
// Default attribute lists and styles
// ----------------------------------------------------------------------------

void CPaintManagerUI::AddDefaultAttributeList(const wchar_t* elementName, const wchar_t* attributes, bool shared) {
    if (!elementName || !*elementName) return;
    CUIString* text = new CUIString(attributes);
    CUIStringMap& lists = TargetTables(shared).attributeLists;
    CUIString* old = static_cast<CUIString*>(lists.Find(elementName));
    if (old) {
        delete old;
        lists.Set(elementName, text);
    } else if (!lists.Insert(elementName, text)) {
        delete text;
    }
}

const wchar_t* CPaintManagerUI::GetDefaultAttributeList(const wchar_t* elementName) {
    if (!elementName) return nullptr;
    CUIString* text = static_cast<CUIString*>(m_ResInfo.attributeLists.Find(elementName));
    if (!text) text = static_cast<CUIString*>(Shared().tables.attributeLists.Find(elementName));
    return text ? text->GetData() : nullptr;
}

bool CPaintManagerUI::RemoveDefaultAttributeList(const wchar_t* elementName, bool shared) {
    CUIStringMap& lists = (shared ? SharedTables() : m_ResInfo).attributeLists;
    CUIString* text = static_cast<CUIString*>(lists.Find(elementName, false));
    if (!text) return false;
    lists.Remove(elementName);
    delete text;
    return true;
}

void CPaintManagerUI::RemoveAllDefaultAttributeLists(bool shared) {
    (shared ? SharedTables() : m_ResInfo).FreeAttributeLists();
}

void CPaintManagerUI::AddStyle(const wchar_t* name, const wchar_t* attributes, bool shared) {
    if (!name || !*name) return;
    CUIStringMap& styles = TargetTables(shared).styles;
    if (styles.Find(name)) return;  // the first definition of a name is kept
    CUIString* text = new CUIString(attributes);
    if (!styles.Insert(name, text)) delete text;
}

const wchar_t* CPaintManagerUI::GetStyle(const wchar_t* name) {
    if (!name) return nullptr;
    CUIString* text = static_cast<CUIString*>(m_ResInfo.styles.Find(name));
    if (!text) text = static_cast<CUIString*>(Shared().tables.styles.Find(name));
    return text ? text->GetData() : nullptr;
}

bool CPaintManagerUI::RemoveStyle(const wchar_t* name, bool shared) {
    CUIStringMap& styles = (shared ? SharedTables() : m_ResInfo).styles;
    CUIString* text = static_cast<CUIString*>(styles.Find(name, false));
    if (!text) return false;
    styles.Remove(name);
    delete text;
    return true;
}

void CPaintManagerUI::RemoveAllStyles(bool shared) { (shared ? SharedTables() : m_ResInfo).FreeStyles(); }

// ----------------------------------------------------------------------------
// DPI scale
// ----------------------------------------------------------------------------

CUIDpiScale* CPaintManagerUI::GetDPIObj() {
    if (!m_pDPI) m_pDPI = new CUIDpiScale;
    return m_pDPI;
}

int CPaintManagerUI::GetDpiScale() { return GetDPIObj()->GetScale(); }
void CPaintManagerUI::SetDpiScale(int percent) { GetDPIObj()->SetScale(percent); }
int CPaintManagerUI::ScaleValue(int value) { return GetDPIObj()->Scale(value); }
RECT CPaintManagerUI::ScaleRect(const RECT& rc) { return GetDPIObj()->Scale(rc); }
SIZE CPaintManagerUI::ScaleSize(SIZE size) { return GetDPIObj()->Scale(size); }

}  // namespace SkinUI
