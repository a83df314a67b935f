// Paint manager: moving a built window to another DPI percentage.
#include "ui/controls/control.h"
#include "ui/core/paint_manager.h"
#include "ui/core/shadow.h"

namespace SkinUI {

void CPaintManagerUI::ChangeDpiScale(int percent) {
    if (percent <= 0 || percent == GetDpiScale()) return;
    SetDpiScale(percent);

    // Fonts hold their scaled height: make this window's fonts again. Shared
    // fonts serve every window of the process and keep the scale they were made at.
    for (int i = 0; i < m_ResInfo.fonts.GetSize(); ++i) {
        const wchar_t* key = m_ResInfo.fonts.GetAt(i);
        TUIFont* font = key != nullptr ? static_cast<TUIFont*>(m_ResInfo.fonts.Find(key, false)) : nullptr;
        if (font == nullptr) continue;
        HFONT remade = CreateFontFromDescription(font->sFontName, font->iSize, font->bBold, font->bUnderline,
                                                 font->bItalic, false, nullptr);
        if (remade == nullptr) continue;
        if (font->hFont != nullptr) ::DeleteObject(font->hFont);
        font->hFont = remade;
        font->tm = TEXTMETRICW();
    }
    if (!m_DefaultFontInfo.sFontName.IsEmpty()) {
        HFONT remade = CreateFontFromDescription(m_DefaultFontInfo.sFontName, m_DefaultFontInfo.iSize,
                                                 m_DefaultFontInfo.bBold, m_DefaultFontInfo.bUnderline,
                                                 m_DefaultFontInfo.bItalic, true, nullptr);
        if (remade != nullptr) {
            if (m_DefaultFontInfo.hFont != nullptr) ::DeleteObject(m_DefaultFontInfo.hFont);
            m_DefaultFontInfo.hFont = remade;
            m_DefaultFontInfo.tm = TEXTMETRICW();
        }
    }

    // Parsed descriptions carry scaled rectangles and the scale's bitmap names.
    RemoveAllImageSpecs();
    m_bLayeredChanged = true;
    if (m_pShadow != nullptr) m_pShadow->Refresh();
    if (m_pRoot != nullptr) m_pRoot->MarkDirty();
    NeedUpdate();
    Invalidate();
}

}  // namespace SkinUI
