// CButtonUI: a label with a pointer and keyboard state machine. It draws
// state-dependent colours, fonts and images (including one strip image cut
// into state cells) and sends "click" when activated.
#pragma once

#include "ui/controls/label.h"

namespace SkinUI {

// Button state bits.
enum EUIButtonState : UINT {
    UISTATE_FOCUSED = 0x01,
    UISTATE_DISABLED = 0x04,
    UISTATE_HOT = 0x08,
    UISTATE_PUSHED = 0x10,
    UISTATE_CAPTURED = 0x40,
};

class CButtonUI : public CLabelUI {
public:
    CButtonUI();

    // Overrides of base slots.
    const wchar_t* GetClass() const override;          // "ButtonUI"
    void* GetInterface(const wchar_t* name) override;  // "Button"
    UINT GetControlFlags() const override;
    bool Activate() override;
    void SetEnabled(bool enable = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawBackColor(HDC dc) override;
    void DrawStateImage(HDC dc) override;
    void DrawForeImage(HDC dc) override;
    void DrawLabelText(HDC dc) override;

    // ---- virtual operations added after slot 99 (order is fixed) ----
    virtual const wchar_t* GetNormalImage() const;             // 100
    virtual void SetNormalImage(const wchar_t* image);         // 101
    virtual const wchar_t* GetHotImage() const;                // 102
    virtual void SetHotImage(const wchar_t* image);            // 103
    virtual const wchar_t* GetPushedImage() const;             // 104
    virtual void SetPushedImage(const wchar_t* image);         // 105
    virtual const wchar_t* GetFocusedImage() const;            // 106
    virtual void SetFocusedImage(const wchar_t* image);        // 107
    virtual const wchar_t* GetDisabledImage() const;           // 108
    virtual void SetDisabledImage(const wchar_t* image);       // 109
    virtual const wchar_t* GetHotForeImage() const;            // 110
    virtual void SetHotForeImage(const wchar_t* image);        // 111
    virtual const wchar_t* GetPushedForeImage() const;         // 112
    virtual void SetPushedForeImage(const wchar_t* image);     // 113
    virtual const wchar_t* GetStateImage() const;              // 114
    virtual void SetStateImage(const wchar_t* image);          // 115 (empties the normal image)

    UINT GetButtonState() const { return m_uButtonState; }
    int GetStateCount() const { return m_nStateCount; }
    void SetStateCount(int count);
    bool IsStateHorizontal() const { return m_bStateHorizontal; }
    void SetStateHorizontal(bool horizontal);

    DWORD GetHotBkColor() const { return m_dwHotBkColor; }
    void SetHotBkColor(DWORD color);
    DWORD GetPushedBkColor() const { return m_dwPushedBkColor; }
    void SetPushedBkColor(DWORD color);
    DWORD GetDisabledBkColor() const { return m_dwDisabledBkColor; }
    void SetDisabledBkColor(DWORD color);
    DWORD GetHotTextColor() const { return m_dwHotTextColor; }
    void SetHotTextColor(DWORD color);
    DWORD GetPushedTextColor() const { return m_dwPushedTextColor; }
    void SetPushedTextColor(DWORD color);
    DWORD GetFocusedTextColor() const { return m_dwFocusedTextColor; }
    void SetFocusedTextColor(DWORD color);
    int GetHotFont() const { return m_iHotFont; }
    void SetHotFont(int font);
    int GetPushedFont() const { return m_iPushedFont; }
    void SetPushedFont(int font);
    int GetFocusedFont() const { return m_iFocusedFont; }
    void SetFocusedFont(int font);

    int GetBindTabLayoutIndex() const { return m_iBindTabIndex; }
    void BindTabIndex(int index);
    const CUIString& GetBindTabLayoutName() const { return m_sBindTabLayoutName; }
    void BindTabLayoutName(const wchar_t* name);

protected:
    // Cuts the state image into normal, hot, pushed and disabled cells when the
    // normal image is empty.
    void CutStateCells();
    // Brings the focused and disabled bits up to date for painting.
    void SyncPaintState();
    // At scales other than 100 percent, sets the source of a cut cell's parsed
    // description in the pixels of the bitmap that is drawn: the cell is the same
    // fraction of that bitmap as of the 100 percent one.
    void SettleCutCell(const CUIString& description);

    UINT m_uButtonState;
    int m_iHotFont;
    int m_iPushedFont;
    int m_iFocusedFont;
    DWORD m_dwHotBkColor;
    DWORD m_dwPushedBkColor;
    DWORD m_dwDisabledBkColor;
    DWORD m_dwHotTextColor;
    DWORD m_dwPushedTextColor;
    DWORD m_dwFocusedTextColor;
    CUIString m_sNormalImage;
    CUIString m_sHotImage;
    CUIString m_sHotForeImage;
    CUIString m_sPushedImage;
    CUIString m_sPushedForeImage;
    CUIString m_sFocusedImage;
    CUIString m_sDisabledImage;
    int m_nStateCount;
    CUIString m_sStateImage;
    bool m_bStateHorizontal;
    CUIString m_sCutCells[4];  // the descriptions CutStateCells made, by cell index
    int m_iBindTabIndex;
    CUIString m_sBindTabLayoutName;
};

}  // namespace SkinUI
