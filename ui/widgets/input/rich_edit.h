// CRichEditUI: a multi-line rich-text box drawn by the system's windowless text
// services (text_services.h) into the framework's own frame: caret, selection,
// clipboard, undo and input methods are the services' own, the background,
// border and scroll bars the framework's.
//
// Attributes: "readonly", "wordwrap" (default on), "multiline" (default on),
// "rich" (RTF allowed, default on), "wanttab" and "wantreturn" (default on: the
// box takes Tab and Enter as text; off, Tab moves the focus on and Enter sends
// "return"), "maxchar" (characters, default 1,048,576), "font", "textcolor",
// "textpadding", and the container's "vscrollbar" / "hscrollbar" with their styles.
// "text" is plain text; in a rich box, text that starts with "{\rtf" is read as
// RTF. Notifications: "textchanged" after every change of the text, "return"
// for Enter when the box does not want it.
//
// Without riched20.dll the box draws its background and border only and takes no
// input.
#pragma once

#include "ui/controls/container.h"
#include "ui/core/accessible_model.h"
#include "ui/core/ui_events.h"

struct ITextServices;

namespace SkinUI {

class CRichEditHost;

class CRichEditUI : public CContainerUI, public IMessageFilterUI {
public:
    CRichEditUI();
    ~CRichEditUI() override;

    const wchar_t* GetClass() const override;          // "RichEditUI"
    void* GetInterface(const wchar_t* name) override;  // "RichEdit"
    UINT GetControlFlags() const override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    CUIString GetText() const override;
    void SetText(const wchar_t* text) override;
    void SetEnabled(bool enable = true) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;
    void HandleEvent(TUIEvent& event) override;
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void DrawLabelText(HDC dc) override;
    // The scroll bars move the text.
    void SetScrollPos(SIZE pos) override;
    void LineUp() override;
    void LineDown() override;
    void PageUp() override;
    void PageDown() override;
    void HomeUp() override;
    void EndDown() override;
    void LineLeft() override;
    void LineRight() override;
    void PageLeft() override;
    void PageRight() override;
    void HomeLeft() override;
    void EndRight() override;
    // Input methods and the cursor, which reach the box as window messages only.
    LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

    // True while text services run the box (riched20.dll was found and made them).
    bool HasServices() const { return m_pServices != nullptr; }
    // RTF in and out. Malformed RTF reads as far as it makes sense; nothing is lost but
    // what could not be read. Out is empty without services.
    bool SetRtf(const wchar_t* rtf);
    CUIString GetRtf() const;
    // Sends a message to the text services (EM_*, WM_*); 0 without them.
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    bool IsReadOnly() const { return m_bReadOnly; }
    void SetReadOnly(bool readOnly);
    bool IsWordWrap() const { return m_bWordWrap; }
    void SetWordWrap(bool wrap);
    bool IsMultiLine() const { return m_bMultiLine; }
    void SetMultiLine(bool multiLine);
    bool IsRich() const { return m_bRich; }
    void SetRich(bool rich);
    bool IsWantTab() const { return m_bWantTab; }
    void SetWantTab(bool want) { m_bWantTab = want; }
    bool IsWantReturn() const { return m_bWantReturn; }
    void SetWantReturn(bool want) { m_bWantReturn = want; }
    long GetLimitText() const { return m_lLimit; }
    void SetLimitText(long limit);
    int GetFont() const { return m_iFont; }
    void SetFont(int font);
    DWORD GetTextColor() const { return m_dwTextColor; }
    void SetTextColor(DWORD color);
    const CUIRect& GetTextPadding() const { return m_rcTextPadding; }
    void SetTextPadding(const RECT& padding);

    // What a screen reader sees (asked by the rules of text_accessible.h).
    void DescribeAccessible(TUIAccessibleInfo& info) const;

private:
    friend class CRichEditHost;

    void CreateServices();
    // Hands the text kept while the box had no width to the services.
    void FlushText();
    void ReleaseServices();
    // Tells the services that properties in `mask` changed (TXTBIT_*).
    void PropertiesChanged(DWORD mask);
    DWORD PropertyBits() const;
    // The rectangle the text is laid out in (window pixels).
    CUIRect TextRect() const;
    void UpdateCharFormat();
    // The bars follow the services' scroll state.
    void SyncScrollBars();
    void ScrollMessage(bool horizontal, WORD code, int pos = 0);
    bool ForwardKey(TUIEvent& event);
    void ForwardMouse(UINT msg, const TUIEvent& event);
    void TextChanged();

    CRichEditHost* m_pHost;
    ITextServices* m_pServices;
    CPaintManagerUI* m_pFilterManager;  // where this box is a message filter
    bool m_bReadOnly;
    bool m_bWordWrap;
    bool m_bMultiLine;
    bool m_bRich;
    bool m_bWantTab;
    bool m_bWantReturn;
    bool m_bTakeTabChar;   // the Tab key went to the services; its character may follow
    bool m_bDropReturnChar;
    bool m_bTextPending;   // m_sText waits for the services (RTF when m_bPendingRtf)
    bool m_bPendingRtf;
    int m_nSyncing;
    long m_lLimit;
    int m_iFont;
    HFONT m_hCharFont;     // the font the character format was made from
    DWORD m_dwTextColor;
    CUIRect m_rcTextPadding;
    CUIRect m_rcServices;  // the text rectangle the services know
};

}  // namespace SkinUI
