// CLabelUI: a control that draws one text with a font, colours, alignment and
// padding, and measures itself from that text when asked to.
//
// The text style is a set of DrawTextW flags built by the "align", "valign",
// "endellipsis", "wordbreak" and "noprefix" attributes; it starts as vertically
// centred single-line text.
//
// With "showhtml" the text is markup (ui/controls/markup_parse.h). Its links
// show the hand cursor and the hover colour ("linkcolor", "linkhovercolor")
// under the pointer, and a click on one sends the notification "link" with
// wParam = the link's ordinal and lParam = its target (const wchar_t*, valid
// while the notification is delivered).
#pragma once

#include "ui/controls/control.h"

namespace SkinUI {

struct TUILabelLinks;

class CLabelUI : public CControlUI {
public:
    CLabelUI();
    ~CLabelUI() override;

    // Overrides of base slots.
    const wchar_t* GetClass() const override;          // "LabelUI"
    void* GetInterface(const wchar_t* name) override;  // "Label"
    UINT GetControlFlags() const override;             // sets its own cursor when enabled
    void SetText(const wchar_t* text) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    SIZE MeasureDesired(SIZE available) override;
    void DrawLabelText(HDC dc) override;

    // ---- virtual operations added after slot 95 (order is fixed) ----
    virtual bool GetAutoCalcWidth() const;             // 96
    virtual void SetAutoCalcWidth(bool autoWidth);     // 97
    virtual bool GetAutoCalcHeight() const;            // 98
    virtual void SetAutoCalcHeight(bool autoHeight);   // 99

    UINT GetTextStyle() const { return m_uTextStyle; }
    void SetTextStyle(UINT style);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(DWORD color);
    DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
    void SetDisabledTextColor(DWORD color);
    int GetFont() const { return m_iFont; }
    void SetFont(int font);
    // Stored unscaled; scaled when the text is drawn or measured.
    const CUIRect& GetTextPadding() const { return m_rcTextPadding; }
    void SetTextPadding(const RECT& padding);
    bool IsShowHtml() const { return m_bShowHtml; }
    void SetShowHtml(bool show);

    // Links of a markup text, as last drawn: one entry per rectangle, with the
    // link's ordinal and target (a link that wraps has one entry per line).
    int GetLinkCount() const;
    RECT GetLinkRect(int index) const;
    int GetLinkOrdinal(int index) const;
    CUIString GetLinkTarget(int index) const;
    // The entry under `pt`, or -1.
    int HitLink(POINT pt) const;
    // The ordinal of the link drawn in the hover colour (-1: none).
    int GetHotLink() const;
    void SetHotLink(int link);
    // Sends "link" for the link of that ordinal; false when there is none.
    bool FollowLink(int link);

protected:
    // Pointer events over links: true when the event was the link's (a press, a
    // release or the cursor over a link); hover changes are noted and passed on.
    bool HandleLinkEvent(TUIEvent& event);
    // True for "linkcolor" and "linkhovercolor", which it applies.
    bool ApplyLinkAttribute(const wchar_t* name, const wchar_t* value);
    // The links' state, made on first use; null when memory ran out.
    TUILabelLinks* LinkState();
    // Draws markup text and notes where its links went.
    void DrawMarkup(HDC dc, RECT& rc, const wchar_t* text, DWORD color, int font);

    // Fills unset text colours from the manager's defaults (and keeps them).
    void ResolveTextColors();
    // Draws the resolved text inside the item rectangle less the scaled text padding.
    void DrawTextWith(HDC dc, DWORD color, int font);
    // Measures `text` in `rc` with the measure-only flag added to `style`.
    void MeasureTextIn(RECT& rc, UINT style);

    DWORD m_dwTextColor;
    DWORD m_dwDisabledTextColor;
    int m_iFont;
    UINT m_uTextStyle;
    CUIRect m_rcTextPadding;
    bool m_bShowHtml;
    bool m_bAutoCalcWidth;
    bool m_bAutoCalcHeight;
    SIZE m_szAvailableLast;
    SIZE m_cxyMeasured;
    bool m_bNeedMeasure;
    TUILabelLinks* m_pLinks = nullptr;  // owned; made when markup or a link colour is asked for
};

}  // namespace SkinUI
