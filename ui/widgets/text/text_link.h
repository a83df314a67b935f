// CTextLinkUI: one link of a text as a screen reader sees it. It is no control of
// the tree: its CTextUI makes it, places it over the link's first rectangle and
// names it by the link's words; activating it follows the link.
#pragma once

#include "ui/controls/control.h"

namespace SkinUI {

class CTextUI;

class CTextLinkUI : public CControlUI {
public:
    CTextLinkUI(CTextUI* owner, int link);

    const wchar_t* GetClass() const override;          // "TextLinkUI"
    void* GetInterface(const wchar_t* name) override;  // "TextLink"
    CUIString GetText() const override;                 // the link's words
    bool Activate() override;                           // follows the link
    bool IsVisible() const override;                    // as the text
    bool IsEnabled() const override;                    // as the text

    CTextUI* GetOwner() const { return m_owner; }
    int GetLink() const { return m_link; }
    // The link's target.
    CUIString GetTarget() const;

private:
    CTextUI* m_owner;
    int m_link;
};

}  // namespace SkinUI
