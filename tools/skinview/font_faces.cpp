#include "font_faces.h"

#include <windows.h>

#include "ui/core/ui_handles.h"

namespace skinview {

namespace {

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

bool IsFontFaceInstalled(const std::wstring& face) {
    if (face.empty() || face.size() >= LF_FACESIZE) return false;
    SkinUI::CUIScopedWindowDC screen(nullptr);
    if (screen.Get() == nullptr) return true;  // cannot tell: do not complain
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face.c_str(), LF_FACESIZE);
    bool found = false;
    ::EnumFontFamiliesExW(screen.Get(), &wanted, &NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    if (found) return true;
    // A replaced face is not enumerated under its own name everywhere: ask
    // which face a font of that name is really drawn with.
    SkinUI::CUIScopedGdiObject<HFONT> font(::CreateFontIndirectW(&wanted));
    if (font.Get() == nullptr) return false;
    SkinUI::CUIScopedSelect select(screen.Get(), font.Get());
    wchar_t used[LF_FACESIZE] = {};
    ::GetTextFaceW(screen.Get(), LF_FACESIZE, used);
    return lstrcmpiW(used, face.c_str()) == 0;
}

}  // namespace skinview
