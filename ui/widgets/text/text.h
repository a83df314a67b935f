// CTextUI: a label for running text. It wraps by default (the text style starts as
// a label's with wordbreak="true": left, top, several lines), and with "showhtml"
// its links work from the keyboard as well as the mouse:
//   - each link drawn is a tab stop, in order: Tab moves from one link to the next
//     and, after the last, out of the control; Shift+Tab goes back the same way;
//   - the link that has the focus is drawn with a focus rectangle (one per line of
//     a link that wraps);
//   - Enter or Space follows it: the notification "link" with wParam = the link's
//     ordinal and lParam = its target, as a click sends.
// A text without links drawn is no tab stop, as a label is none. The links are those
// of the last drawing (at most kMaxLinkRects rectangles, ui/controls/label_links.h).
//
// Screen readers see each link as an element of its own below the text (role link,
// the target as value, a default action that follows it): CTextLinkUI, text_link.h.
#pragma once

#include <memory>
#include <vector>

#include "ui/controls/label.h"
#include "ui/core/ui_events.h"

namespace SkinUI {

class CTextLinkUI;

class CTextUI : public CLabelUI, private IMessageFilterUI {
public:
    CTextUI();
    ~CTextUI() override;

    const wchar_t* GetClass() const override;          // "TextUI"
    void* GetInterface(const wchar_t* name) override;  // "Text", then the label's
    UINT GetControlFlags() const override;             // a tab stop while links are drawn
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void HandleEvent(TUIEvent& event) override;
    void DrawLabelText(HDC dc) override;

    // The ordinals of the links drawn, in order (one each, however many lines it takes).
    std::vector<int> GetDrawnLinks() const;
    // The ordinal of the link with the keyboard focus; -1: none.
    int GetFocusedLink() const { return m_iFocusedLink; }
    void SetFocusedLink(int link);
    // Moves the focus to the next (or previous) link drawn; false when there is none.
    bool MoveLinkFocus(bool forward);
    // The words of a link as drawn (markup, breaks and images left out).
    CUIString GetLinkText(int link) const;
    // The text as read: the markup's characters without its tags.
    CUIString GetPlainText() const;
    // The links drawn as elements for screen readers, made and kept in step here.
    void GetLinkElements(std::vector<CControlUI*>& out);

private:
    LRESULT FilterMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void Filter(bool on);

    int m_iFocusedLink = -1;
    bool m_bFiltering = false;
    std::vector<std::unique_ptr<CTextLinkUI>> m_links;
};

}  // namespace SkinUI
