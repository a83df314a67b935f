#include "ui/widgets/widget_registry.h"

#include "ui/controls/scroll_bar.h"
#include "ui/core/control_factory.h"
#include "ui/core/image_loader.h"
#include "ui/widgets/graphic/color_palette.h"
#include "ui/widgets/graphic/file_icon.h"
#include "ui/widgets/graphic/graphic_accessible.h"
#include "ui/widgets/hosting/activex.h"
#include "ui/core/accessible_hub.h"
#include "ui/widgets/hosting/activex_accessible.h"
#include "ui/widgets/hosting/hosted_element.h"
#include "ui/widgets/hosting/flash.h"
#include "ui/widgets/hosting/web_browser.h"
#include "ui/widgets/input/check_box.h"
#include "ui/widgets/input/choice_accessible.h"
#include "ui/widgets/input/combo_box.h"
#include "ui/widgets/input/date_time.h"
#include "ui/widgets/input/edit.h"
#include "ui/widgets/input/edit_accessible.h"
#include "ui/widgets/input/hot_key.h"
#include "ui/widgets/input/ip_address.h"
#include "ui/widgets/input/ip_address_ex.h"
#include "ui/widgets/input/option.h"
#include "ui/widgets/input/picker_accessible.h"
#include "ui/widgets/input/rich_edit.h"
#include "ui/widgets/input/slider.h"
#include "ui/widgets/input/text_picker_accessible.h"
#include "ui/widgets/layout/animation_tab_layout.h"
#include "ui/widgets/layout/child_layout.h"
#include "ui/widgets/layout/group_box.h"
#include "ui/widgets/layout/layout_accessible.h"
#include "ui/widgets/layout/tab_layout.h"
#include "ui/widgets/layout/tile_layout.h"
#include "ui/widgets/list/list_accessible.h"
#include "ui/widgets/list/list_element.h"
#include "ui/widgets/list/list_ex.h"
#include "ui/widgets/list/list_header.h"
#include "ui/widgets/list/tree_accessible.h"
#include "ui/widgets/list/tree_node.h"
#include "ui/widgets/list/tree_view.h"
#include "ui/widgets/menu/menu.h"
#include "ui/widgets/menu/menu_accessible.h"
#include "ui/widgets/menu/menu_element.h"
#include "ui/widgets/motion/fade_button.h"
#include "ui/widgets/motion/gif_anim.h"
#include "ui/widgets/motion/gif_image.h"
#include "ui/widgets/motion/motion_accessible.h"
#include "ui/widgets/motion/ring.h"
#include "ui/widgets/motion/roll_text.h"
#include "ui/widgets/text/text.h"
#include "ui/widgets/text/text_accessible.h"

namespace SkinUI {

namespace {

const TWidgetExtraAttribute kExtraAttributes[] = {
    {L"Button", kBindBrowserName},
    {L"Button", kBindBrowserCommand},
};

template <class T>
CControlUI* Make() {
    return new T;
}

}  // namespace

void RegisterWidgetControls() {
    SetExtraImageDecoder(&DecodeGifSkinImage);  // a GIF named as an image shows its first frame
    CControlFactory& factory = CControlFactory::Instance();
    // One line per class, in the factory's order.
    factory.RegisterControl(L"CComboUI", &Make<CComboUI>);
    factory.RegisterControl(L"CComboBoxUI", &Make<CComboBoxUI>);
    factory.RegisterControl(L"CDateTimeUI", &Make<CDateTimeUI>);
    factory.RegisterControl(L"CEditUI", &Make<CEditUI>);
    factory.RegisterControl(L"CGifAnimUI", &Make<CGifAnimUI>);
    factory.RegisterControl(L"CActiveXUI", &Make<CActiveXUI>);
    factory.RegisterControl(L"CFlashUI", &Make<CFlashUI>);
    factory.RegisterControl(L"CGroupBoxUI", &Make<CGroupBoxUI>);
    factory.RegisterControl(L"CIPAddressUI", &Make<CIPAddressUI>);
    factory.RegisterControl(L"CIPAddressExUI", &Make<CIPAddressExUI>);
    factory.RegisterControl(L"CListUI", &Make<CListUI>);
    factory.RegisterControl(L"CListHeaderUI", &Make<CListHeaderUI>);
    factory.RegisterControl(L"CListHeaderItemUI", &Make<CListHeaderItemUI>);
    factory.RegisterControl(L"CListLabelElementUI", &Make<CListLabelElementUI>);
    factory.RegisterControl(L"CListTextElementUI", &Make<CListTextElementUI>);
    factory.RegisterControl(L"CListContainerElementUI", &Make<CListContainerElementUI>);
    factory.RegisterControl(L"CMenuUI", &Make<CMenuUI>);
    factory.RegisterControl(L"CMenuElementUI", &Make<CMenuElementUI>);
    factory.RegisterControl(L"COptionUI", &Make<COptionUI>);
    factory.RegisterControl(L"CCheckBoxUI", &Make<CCheckBoxUI>);
    factory.RegisterControl(L"CRichEditUI", &Make<CRichEditUI>);
    factory.RegisterControl(L"CScrollBarUI", &Make<CScrollBarUI>);
    factory.RegisterControl(L"CSliderUI", &Make<CSliderUI>);
    factory.RegisterControl(L"CTextUI", &Make<CTextUI>);
    factory.RegisterControl(L"CTreeNodeUI", &Make<CTreeNodeUI>);
    factory.RegisterControl(L"CTreeViewUI", &Make<CTreeViewUI>);
    factory.RegisterControl(L"CWebBrowserUI", &Make<CWebBrowserUI>);
    factory.RegisterControl(L"CAnimationTabLayoutUI", &Make<CAnimationTabLayoutUI>);
    factory.RegisterControl(L"CChildLayoutUI", &Make<CChildLayoutUI>);
    factory.RegisterControl(L"CTabLayoutUI", &Make<CTabLayoutUI>);
    factory.RegisterControl(L"CTileLayoutUI", &Make<CTileLayoutUI>);
    factory.RegisterControl(L"CRollTextUI", &Make<CRollTextUI>);
    factory.RegisterControl(L"CColorPaletteUI", &Make<CColorPaletteUI>);
    factory.RegisterControl(L"CListExUI", &Make<CListExUI>);
    factory.RegisterControl(L"CListContainerHeaderItemUI", &Make<CListContainerHeaderItemUI>);
    factory.RegisterControl(L"CListTextExtElementUI", &Make<CListTextExtElementUI>);
    factory.RegisterControl(L"CHotKeyUI", &Make<CHotKeyUI>);
    factory.RegisterControl(L"CFadeButtonUI", &Make<CFadeButtonUI>);
    factory.RegisterControl(L"CRingUI", &Make<CRingUI>);
    factory.RegisterControl(L"CFileIconUI", &Make<CFileIconUI>);
    // What screen readers see of the layouts and the buttons bound to tab layouts, and
    // of the options and check boxes, and of the rich edits, hot-key and date fields.
    // The text and IP-address fields: edit_accessible.h.
    // The lists: list_accessible.h.
    // The trees and the lists with check boxes, asked before the lists: tree_accessible.h.
    // The menus, the colour palette and the file icon: menu_accessible.h, graphic_accessible.h.
    // The hosted ActiveX controls, then the ring and the GIF, asked first: activex_accessible.h, motion_accessible.h.
    Accessible::SetFurtherRules(HostingAccessibleRules(MotionAccessibleRules(MenuAccessibleRules(GraphicAccessibleRules(TreeAccessibleRules(ListAccessibleRules(EditAccessibleRules(
        PickerAccessibleRules(TextPickerAccessibleRules(ChoiceAccessibleRules(LayoutAccessibleRules())))))))))));
    // The texts' links, asked before all of the above: text_accessible.h.
    Accessible::SetFurtherRules(TextAccessibleRules(Accessible::FurtherRules()));
    Accessible::SetFurtherChildren(&TextAccessibleChildren);
    // The accessible trees of hosted objects, below their hosts: hosted_element.h.
    CAccessibleHub::SetElementFactory(&CHostedElement::Make);
}

const TWidgetExtraAttribute* WidgetExtraAttributes(int* count) {
    if (count != nullptr) *count = static_cast<int>(sizeof(kExtraAttributes) / sizeof(kExtraAttributes[0]));
    return kExtraAttributes;
}

}  // namespace SkinUI
