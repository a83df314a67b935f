// The further controls come into the factory only through their registration function.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/controls/control.h"
#include "ui/core/control_factory.h"
#include "ui/core/paint_manager.h"
#include "ui/widgets/widget_registry.h"

namespace {

// The factory's class order; the launcher's seven come with the factory itself.
const wchar_t* const kOrder[] = {
    L"CControlUI", L"CContainerUI", L"CButtonUI", L"CComboUI", L"CComboBoxUI", L"CDateTimeUI", L"CEditUI",
    L"CActiveXUI", L"CFlashUI", L"CGifAnimUI", L"CGroupBoxUI", L"CIPAddressUI", L"CIPAddressExUI", L"CLabelUI",
    L"CListUI", L"CListHeaderUI", L"CListHeaderItemUI", L"CListLabelElementUI", L"CListTextElementUI",
    L"CListContainerElementUI", L"CMenuUI", L"CMenuElementUI", L"COptionUI", L"CCheckBoxUI", L"CProgressUI",
    L"CRichEditUI", L"CScrollBarUI", L"CSliderUI", L"CTextUI", L"CTreeNodeUI", L"CTreeViewUI", L"CWebBrowserUI",
    L"CAnimationTabLayoutUI", L"CChildLayoutUI", L"CHorizontalLayoutUI", L"CTabLayoutUI", L"CTileLayoutUI",
    L"CVerticalLayoutUI", L"CRollTextUI", L"CColorPaletteUI", L"CListExUI", L"CListContainerHeaderItemUI",
    L"CListTextExtElementUI", L"CHotKeyUI", L"CFadeButtonUI", L"CRingUI", L"CFileIconUI"};

std::vector<std::wstring> Registered() { return SkinUI::CControlFactory::Instance().ClassNames(); }

}  // namespace

TEST(WidgetRegistry, AddsOnlyKnownClassesAndSurvivesAFrameworkRestart) {
    SkinUI::CPaintManagerUI::TermFramework();
    const size_t launcherClasses = Registered().size();
    SkinUI::RegisterWidgetControls();
    SkinUI::RegisterWidgetControls();  // twice is harmless
    const std::vector<std::wstring> all = Registered();
    for (const std::wstring& name : all) {
        EXPECT_NE(std::find_if(std::begin(kOrder), std::end(kOrder),
                               [&](const wchar_t* known) { return name == known; }),
                  std::end(kOrder))
            << "not a class of the factory: " << std::string(name.begin(), name.end());
        SkinUI::CControlUI* control = SkinUI::CControlFactory::Instance().CreateControl(name.c_str());
        EXPECT_NE(control, nullptr);
        delete control;
    }
    EXPECT_GE(all.size(), launcherClasses);
    // Ending the framework drops them with the factory.
    SkinUI::CPaintManagerUI::TermFramework();
    EXPECT_EQ(Registered().size(), launcherClasses);
}
