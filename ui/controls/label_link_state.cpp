// The link colours of a label and the "link" notification: what may throw (an
// attribute observer, a receiver of the notification) stays here, since
// label_links.cpp, which draws the links and handles the pointer over them, is
// built without unwind tables.
#include "ui/controls/attribute_values.h"
#include "ui/controls/label.h"
#include "ui/controls/label_links.h"
#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

namespace SkinUI {

bool CLabelUI::ApplyLinkAttribute(const wchar_t* name, const wchar_t* value) {
    const bool normal = attr::NameIs(name, L"linkcolor");
    if (!normal && !attr::NameIs(name, L"linkhovercolor")) return false;
    const DWORD color = attr::ToColor(value, false);
    if (TUILabelLinks* links = LinkState()) (normal ? links->look.dwLinkColor : links->look.dwLinkHoverColor) = color;
    Repaint();
    return true;
}

bool CLabelUI::FollowLink(int link) {
    for (int k = 0; k < GetLinkCount(); ++k) {
        if (m_pLinks->ordinals[k] != link) continue;
        try {
            // A copy: the receiver may change the text, and with it the links.
            CUIString target = m_pLinks->targets[k];
            if (m_pManager != nullptr) {
                m_pManager->SendNotify(this, L"link", static_cast<WPARAM>(link),
                                       reinterpret_cast<LPARAM>(target.GetData()));
            }
        } catch (...) {
            // A receiver's failure ends the delivery here, as it would at the window's entry.
        }
        return true;
    }
    return false;
}

}  // namespace SkinUI
