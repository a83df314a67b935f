#include "ui/widgets/text/text.h"

#include <cwchar>

#include "ui/controls/markup_parse.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/text/text_link.h"

namespace SkinUI {

namespace {

bool IsDrawnAsItself(wchar_t c) {
    return c != markup::kImageChar && c != markup::kBreakChar && c != markup::kParagraphChar;
}

}  // namespace

// As a label with wordbreak="true": left, top, wrapped.
CTextUI::CTextUI() { SetTextStyle(DT_WORDBREAK | DT_EDITCONTROL); }

CTextUI::~CTextUI() { Filter(false); }

const wchar_t* CTextUI::GetClass() const { return L"TextUI"; }

void* CTextUI::GetInterface(const wchar_t* name) {
    if (std::wcscmp(name, L"Text") == 0) return this;
    return CLabelUI::GetInterface(name);
}

UINT CTextUI::GetControlFlags() const {
    const bool stops = GetLinkCount() > 0 && IsEnabled() && IsKeyboardEnabled();
    return CLabelUI::GetControlFlags() | (stops ? static_cast<UINT>(UIFLAG_TABSTOP) : 0u);
}

void CTextUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (manager != m_pManager) {
        Filter(false);
        m_links.clear();  // they leave the old manager with their owner
    }
    CLabelUI::SetManager(manager, parent, init);
}

std::vector<int> CTextUI::GetDrawnLinks() const {
    std::vector<int> links;
    for (int k = 0; k < GetLinkCount(); ++k) {
        const int link = GetLinkOrdinal(k);
        if (links.empty() || links.back() < link) links.push_back(link);  // rectangles come in link order
    }
    return links;
}

void CTextUI::SetFocusedLink(int link) {
    if (m_iFocusedLink == link) return;
    m_iFocusedLink = link;
    Repaint();
}

bool CTextUI::MoveLinkFocus(bool forward) {
    const std::vector<int> links = GetDrawnLinks();
    int next = -1;
    for (int k = 0; k < static_cast<int>(links.size()); ++k) {
        const int link = links[static_cast<size_t>(forward ? k : links.size() - 1 - k)];
        if (m_iFocusedLink < 0 || (forward ? link > m_iFocusedLink : link < m_iFocusedLink)) {
            next = link;
            break;
        }
    }
    if (next < 0) return false;
    SetFocusedLink(next);
    return true;
}

void CTextUI::HandleEvent(TUIEvent& event) {
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
            // Entered backwards (Shift+Tab): at the last link, else at the first.
            m_iFocusedLink = -1;
            MoveLinkFocus(::GetKeyState(VK_SHIFT) >= 0);
            Filter(true);
            Repaint();
            break;
        case UIEVENT_KILLFOCUS:
            Filter(false);
            SetFocusedLink(-1);
            break;
        case UIEVENT_KEYDOWN:
            if ((event.chKey == VK_RETURN || event.chKey == VK_SPACE) && m_iFocusedLink >= 0 && IsEnabled()) {
                FollowLink(m_iFocusedLink);
                return;
            }
            break;
        case UIEVENT_BUTTONDOWN: {
            const int link = GetLinkOrdinal(HitLink(event.ptMouse));
            if (link >= 0 && IsEnabled()) SetFocusedLink(link);
            break;
        }
        default: break;
    }
    CLabelUI::HandleEvent(event);
}

void CTextUI::DrawLabelText(HDC dc) {
    CLabelUI::DrawLabelText(dc);
    if (m_iFocusedLink < 0 || !IsFocused() || m_pManager == nullptr) return;
    for (int k = 0; k < GetLinkCount(); ++k) {
        if (GetLinkOrdinal(k) != m_iFocusedLink) continue;
        const RECT rc = GetLinkRect(k);
        // A layered window keeps the alpha of what GDI+ draws; an inverted dotted frame would clear it.
        if (m_pManager->IsLayered()) {
            CUIRender::StrokeRect(dc, rc, 1, IsEnabled() ? GetTextColor() : GetDisabledTextColor());
        } else {
            ::DrawFocusRect(dc, &rc);
        }
    }
}

LRESULT CTextUI::FilterMessage(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    if (uMsg == WM_KEYDOWN && wParam == VK_TAB && m_pManager != nullptr && m_pManager->GetFocus() == this &&
        IsVisible() && IsEnabled()) {
        bHandled = MoveLinkFocus(::GetKeyState(VK_SHIFT) >= 0);  // past the last link, the focus moves on
    }
    return 0;
}

void CTextUI::Filter(bool on) {
    if (on == m_bFiltering || m_pManager == nullptr) return;
    m_bFiltering = on;
    if (on) {
        m_pManager->AddPreMessageFilter(this);
    } else {
        m_pManager->RemovePreMessageFilter(this);
    }
}

CUIString CTextUI::GetLinkText(int link) const {
    markup::TParsed parsed;
    const UINT style = GetTextStyle();
    markup::Parse(GetText(), (style & DT_SINGLELINE) != 0, (style & DT_NOPREFIX) == 0, parsed);
    CUIString words;
    for (int k = 0; k < parsed.text.Size(); ++k) {
        if (parsed.styles[parsed.style[k]].link == link && IsDrawnAsItself(parsed.text[k])) {
            words += CUIString(parsed.text[k]);
        }
    }
    return words;
}

CUIString CTextUI::GetPlainText() const {
    if (!IsShowHtml()) return GetText();
    markup::TParsed parsed;
    markup::Parse(GetText(), false, (GetTextStyle() & DT_NOPREFIX) == 0, parsed);
    CUIString plain;
    for (int k = 0; k < parsed.text.Size(); ++k) {
        const wchar_t c = parsed.text[k];
        if (c != markup::kImageChar) plain += CUIString(IsDrawnAsItself(c) ? c : L' ');
    }
    return plain;
}

void CTextUI::GetLinkElements(std::vector<CControlUI*>& out) {
    const std::vector<int> links = GetDrawnLinks();
    // The elements of links that are no longer drawn go; screen readers forget them with them.
    while (m_links.size() > links.size()) m_links.pop_back();
    for (size_t k = 0; k < links.size(); ++k) {
        if (k < m_links.size() && m_links[k]->GetLink() != links[k]) m_links[k].reset();
        if (k == m_links.size()) m_links.emplace_back();
        if (!m_links[k]) {
            m_links[k].reset(new CTextLinkUI(this, links[k]));
            m_links[k]->SetManager(m_pManager, this, false);
        }
        for (int r = GetLinkCount() - 1; r >= 0; --r) {  // placed over the link's first rectangle
            if (GetLinkOrdinal(r) == links[k]) m_links[k]->PlaceAt(GetLinkRect(r), false);
        }
        out.push_back(m_links[k].get());
    }
}

}  // namespace SkinUI
