#include "ui/widgets/text/text_link.h"

#include <cwchar>

#include "ui/widgets/text/text.h"

namespace SkinUI {

CTextLinkUI::CTextLinkUI(CTextUI* owner, int link) : m_owner(owner), m_link(link) {}

const wchar_t* CTextLinkUI::GetClass() const { return L"TextLinkUI"; }

void* CTextLinkUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"TextLink") == 0) return this;
    return CControlUI::GetInterface(name);
}

CUIString CTextLinkUI::GetText() const { return m_owner->GetLinkText(m_link); }

bool CTextLinkUI::Activate() { return IsVisible() && IsEnabled() && m_owner->FollowLink(m_link); }

bool CTextLinkUI::IsVisible() const { return m_owner->IsVisible(); }

bool CTextLinkUI::IsEnabled() const { return m_owner->IsEnabled(); }

CUIString CTextLinkUI::GetTarget() const {
    for (int k = 0; k < m_owner->GetLinkCount(); ++k) {
        if (m_owner->GetLinkOrdinal(k) == m_link) return m_owner->GetLinkTarget(k);
    }
    return CUIString();
}

}  // namespace SkinUI
