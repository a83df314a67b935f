// Skin builder and control factory: the launcher's two real skins read from
// the embedded archive, the resource elements, the Window attributes, Include,
// and the bounds that stop hostile (self-including) skins.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/common/test_env.h"
#include "tests/ui/skin_test_support.h"
#include "ui/controls/button.h"
#include "ui/controls/horizontal_layout.h"
#include "ui/controls/label.h"
#include "ui/controls/progress.h"
#include "ui/controls/vertical_layout.h"
#include "ui/core/control_factory.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_catalog.h"
#include "ui/core/resource_settings.h"
#include "ui/core/shadow.h"
#include "ui/core/skin_builder.h"

using namespace SkinUI;

namespace {

std::wstring Class(CControlUI* c) { return c != nullptr ? c->GetClass() : L"(null)"; }

CControlUI* Child(CControlUI* parent, int index) {
    auto* container = static_cast<IContainerUI*>(parent->GetInterface(L"IContainer"));
    return container != nullptr ? container->GetItemAt(index) : nullptr;
}

int ChildCount(CControlUI* parent) {
    auto* container = static_cast<IContainerUI*>(parent->GetInterface(L"IContainer"));
    return container != nullptr ? container->GetCount() : -1;
}

// Counts every control of a tree.
int CountTree(CControlUI* root) {
    int n = 0;
    root->FindMatching(
        [](CControlUI*, void* data) -> CControlUI* {
            ++*static_cast<int*>(data);
            return nullptr;
        },
        &n, UIFIND_ALL);
    return n;
}

class SkinBuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(host.hwnd(), nullptr);
        manager.Init(host.hwnd());
    }
    void TearDown() override { CUIResourceSettings::Reset(); }

    // Builds markup text for the test's manager; the caller owns the result.
    CControlUI* Build(const wchar_t* markup, IDialogBuilderCallback* callback = nullptr) {
        CSkinBuilder builder;
        return builder.Create(markup, nullptr, callback, &manager, nullptr);
    }

    skintest::CHostWindow host;
    CPaintManagerUI manager;
};

// ------------------------------------------------------------------ real skins

TEST_F(SkinBuilderTest, RepairSkinFromTheEmbeddedArchive) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive()) << "resources\\skin.zip missing from the build tree";
    CSkinBuilder builder;
    CControlUI* root = builder.Create(L"msg_fix_tips.xml", nullptr, nullptr, &manager, nullptr);
    ASSERT_NE(root, nullptr) << builder.GetLastErrorMessage();

    // Fonts.
    TUIFont* f120 = manager.GetFontInfo(120);
    TUIFont* f160 = manager.GetFontInfo(160);
    ASSERT_NE(f120, nullptr);
    ASSERT_NE(f160, nullptr);
    EXPECT_STREQ(f120->sFontName, L"微软雅黑");
    EXPECT_EQ(f120->iSize, 12);
    EXPECT_FALSE(f120->bBold);
    EXPECT_EQ(f160->iSize, 16);
    EXPECT_TRUE(f160->bBold);

    // Window settings: size applied to the window at once (no root attached yet).
    EXPECT_EQ(manager.GetInitSize().cx, 300);
    EXPECT_EQ(manager.GetInitSize().cy, 100);
    EXPECT_EQ(host.Size().cx, 300);
    EXPECT_EQ(host.Size().cy, 100);
    EXPECT_EQ(CUIRect(manager.GetCaptionRect()), CUIRect(0, 0, 0, 100));
    CShadowUI* shadow = manager.GetShadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(shadow->IsShowShadow());
    EXPECT_EQ(shadow->GetSize(), 30);
    EXPECT_STREQ(shadow->GetImage(), L"Shadow.png");
    EXPECT_EQ(shadow->GetShadowCorner(), CUIRect(30, 24, 30, 36));

    // Tree.
    ASSERT_NE(dynamic_cast<CVerticalLayoutUI*>(root), nullptr) << Class(root);
    EXPECT_EQ(root->GetBkColor(), 0xFFFFFFFFu);
    EXPECT_EQ(root->GetManager(), nullptr);  // detached until the manager attaches the tree
    ASSERT_EQ(ChildCount(root), 2);
    CControlUI* titleRow = Child(root, 0);
    ASSERT_NE(dynamic_cast<CHorizontalLayoutUI*>(titleRow), nullptr) << Class(titleRow);
    EXPECT_EQ(titleRow->GetFixedHeight(), 30);
    ASSERT_EQ(ChildCount(titleRow), 2);
    EXPECT_STREQ(Child(titleRow, 0)->GetClass(), L"ControlUI");
    auto* close = dynamic_cast<CButtonUI*>(Child(titleRow, 1));
    ASSERT_NE(close, nullptr);
    EXPECT_STREQ(close->GetName(), L"sysclosebutton");
    EXPECT_EQ(close->GetFixedWidth(), 30);
    EXPECT_EQ(close->GetTextColor(), 0xFFFFFFFFu);
    EXPECT_STREQ(close->GetStateImage(), L"btn_close.png");
    EXPECT_EQ(close->GetStateCount(), 3);
    EXPECT_FALSE(close->IsStateHorizontal());

    CControlUI* body = Child(root, 1);
    ASSERT_EQ(ChildCount(body), 4);
    auto* logo = dynamic_cast<CLabelUI*>(Child(body, 1));
    ASSERT_NE(logo, nullptr);
    EXPECT_STREQ(logo->GetBkImage(), L"soft_logo.png");
    CControlUI* column = Child(body, 3);
    ASSERT_EQ(ChildCount(column), 3);
    auto* caption = dynamic_cast<CLabelUI*>(Child(Child(column, 0), 0));
    ASSERT_NE(caption, nullptr);
    EXPECT_STREQ(caption->GetText(), L"Tavrel启动中");
    EXPECT_EQ(caption->GetFont(), 160);
    EXPECT_EQ(caption->GetTextStyle(), static_cast<UINT>(DT_SINGLELINE | DT_VCENTER));
    auto* progress = dynamic_cast<CProgressUI*>(Child(Child(column, 2), 0));
    ASSERT_NE(progress, nullptr);
    EXPECT_STREQ(progress->GetName(), L"progress_doing");
    EXPECT_EQ(progress->GetMinValue(), 0);
    EXPECT_EQ(progress->GetMaxValue(), 99);
    EXPECT_EQ(progress->GetValue(), 0);
    EXPECT_EQ(progress->GetFixedWidth(), 210);
    EXPECT_EQ(progress->GetFixedHeight(), 18);
    EXPECT_STREQ(progress->GetForeImage(), L"file='progress_bar.png' source='0,0,100,18' corner='10,2,22,2' ");

    // Attached and laid out, the close button sits in the top-right corner.
    ASSERT_TRUE(manager.AttachRoot(root));
    root->PlaceAt(CUIRect(0, 0, 300, 100), false);
    EXPECT_EQ(close->GetPos(), CUIRect(270, 0, 300, 30));
    EXPECT_EQ(manager.FindControlByName(L"progress_doing"), progress);
}

TEST_F(SkinBuilderTest, NoticeSkinFromTheEmbeddedArchive) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    CSkinBuilder builder;
    CControlUI* root = builder.Create(L"msg_xp_tips.xml", nullptr, nullptr, &manager, nullptr);
    ASSERT_NE(root, nullptr) << builder.GetLastErrorMessage();

    ASSERT_NE(manager.GetFontInfo(160), nullptr);
    EXPECT_FALSE(manager.GetFontInfo(160)->bBold);
    ASSERT_NE(manager.GetFontInfo(141), nullptr);
    EXPECT_TRUE(manager.GetFontInfo(141)->bBold);
    EXPECT_EQ(manager.GetFontInfo(141)->iSize, 14);
    EXPECT_EQ(manager.GetInitSize().cx, 400);
    EXPECT_EQ(manager.GetInitSize().cy, 200);
    EXPECT_EQ(CUIRect(manager.GetCaptionRect()), CUIRect(0, 0, 0, 200));
    ASSERT_NE(manager.GetShadow(), nullptr);
    EXPECT_EQ(manager.GetShadow()->GetSize(), 30);

    ASSERT_EQ(ChildCount(root), 3);
    auto* titleRow = dynamic_cast<CHorizontalLayoutUI*>(Child(root, 0));
    ASSERT_NE(titleRow, nullptr);
    EXPECT_EQ(titleRow->GetChildVAlign(), static_cast<UINT>(DT_VCENTER));
    ASSERT_EQ(ChildCount(titleRow), 5);
    auto* name = dynamic_cast<CLabelUI*>(Child(titleRow, 2));
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name->GetName(), L"soft_name");
    EXPECT_EQ(name->GetPaddingRaw(), CUIRect(5, 13, 0, 0));
    EXPECT_EQ(name->GetTextColor(), 0xFF666666u);
    CControlUI* separator = Child(root, 1);
    EXPECT_EQ(separator->GetFixedHeight(), 1);
    EXPECT_EQ(separator->GetBkColor(), 0xFFEEEEEEu);

    CControlUI* column = Child(Child(root, 2), 0);
    ASSERT_EQ(ChildCount(column), 5);
    auto* message = dynamic_cast<CLabelUI*>(Child(Child(column, 1), 0));
    ASSERT_NE(message, nullptr);
    EXPECT_STREQ(message->GetText(), L"暂不支持WinXP和虚拟机,敬请期待新版本支持！");
    EXPECT_EQ(message->GetTextStyle(), static_cast<UINT>(DT_SINGLELINE | DT_VCENTER | DT_CENTER));
    auto* buttonRow = dynamic_cast<CHorizontalLayoutUI*>(Child(column, 3));
    ASSERT_NE(buttonRow, nullptr);
    EXPECT_EQ(buttonRow->GetChildAlign(), 1u);
    auto* exit = dynamic_cast<CButtonUI*>(Child(buttonRow, 0));
    ASSERT_NE(exit, nullptr);
    EXPECT_STREQ(exit->GetName(), L"btn_ok");
    EXPECT_STREQ(exit->GetText(), L"退出");
    EXPECT_EQ(exit->GetFont(), 141);
    EXPECT_EQ(exit->GetTextColor(), 0xFF910500u);
    EXPECT_EQ(exit->GetStateCount(), 4);
    EXPECT_TRUE(exit->IsStateHorizontal());
    delete root;
}

TEST_F(SkinBuilderTest, WindowSizeIsScaledByTheWindowsDpi) {
    manager.SetDpiScale(150);
    CControlUI* root = Build(L"<Window size=\"300,100\"><Control/></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(manager.GetInitSize().cx, 450);
    EXPECT_EQ(manager.GetInitSize().cy, 150);
    EXPECT_EQ(host.Size().cx, 450);
    delete root;
}

TEST_F(SkinBuilderTest, SkinIdOfTheCatalogueNamesTheFile) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    ASSERT_TRUE(CUIResourceCatalog::Instance().LoadCatalog(
        L"<Catalog><Xml id=\"repair\" path=\"msg_fix_tips.xml\"/></Catalog>"));
    CSkinBuilder builder;
    CControlUI* root = builder.Create(L"repair", nullptr, nullptr, &manager, nullptr);
    CUIResourceCatalog::Instance().Release();
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->GetClass(), L"VerticalLayoutUI");
    delete root;
}

TEST_F(SkinBuilderTest, MissingOrMalformedSkinGivesNull) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    CSkinBuilder missing;
    EXPECT_EQ(missing.Create(L"no_such_skin.xml", nullptr, nullptr, &manager, nullptr), nullptr);
    EXPECT_STRNE(missing.GetLastErrorMessage(), L"");
    CSkinBuilder malformed;
    EXPECT_EQ(malformed.Create(L"<Window><Control></Window>", nullptr, nullptr, &manager, nullptr), nullptr);
    CSkinBuilder resource;  // a resource id that this module does not have
    EXPECT_EQ(resource.Create(MAKEINTRESOURCEW(4321), L"XML", nullptr, &manager, nullptr), nullptr);
}

// Module resources of a copy of a fixture exe, written with UpdateResource.
class CResourceModule {
public:
    CResourceModule() : m_dir(testenv::MakeTempDir(L"skinres")), m_path(m_dir + L"skins.exe") {}
    ~CResourceModule() {
        if (m_module != nullptr) ::FreeLibrary(m_module);
        testenv::RemoveTree(m_dir);
    }
    bool Make(const std::vector<std::pair<int, std::string>>& skins, const wchar_t* type) {
        if (!::CopyFileW(testenv::FixtureFile(L"qvx.exe").c_str(), m_path.c_str(), FALSE)) return false;
        HANDLE update = ::BeginUpdateResourceW(m_path.c_str(), FALSE);
        if (update == nullptr) return false;
        for (const auto& skin : skins) {
            ::UpdateResourceW(update, type, MAKEINTRESOURCEW(skin.first), 0, const_cast<char*>(skin.second.data()),
                              static_cast<DWORD>(skin.second.size()));
        }
        if (!::EndUpdateResourceW(update, FALSE)) return false;
        m_module = ::LoadLibraryExW(m_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        return m_module != nullptr;
    }
    HMODULE module() const { return m_module; }

private:
    std::wstring m_dir;
    std::wstring m_path;
    HMODULE m_module = nullptr;
};

TEST_F(SkinBuilderTest, ResourceSkinAndItsIncludesComeFromTheModule) {
    CResourceModule resources;
    ASSERT_TRUE(resources.Make({{7, "<Window size=\"90,40\"><VerticalLayout><Include source=\"8\" count=\"2\"/>"
                                    "</VerticalLayout></Window>"},
                                {8, "\xEF\xBB\xBF<Window><Button name=\"r\"/></Window>"},
                                {9, "<Window><Broken></Window>"}},
                               L"SKINXML"));
    // Includes are read by builders of their own, from the framework's module.
    const HINSTANCE framework = CPaintManagerUI::GetInstance();
    CPaintManagerUI::SetInstance(resources.module());
    CSkinBuilder builder;
    CControlUI* root = builder.Create(MAKEINTRESOURCEW(7), L"SKINXML", nullptr, &manager, nullptr);
    CSkinBuilder broken;
    CControlUI* none = broken.Create(MAKEINTRESOURCEW(9), L"SKINXML", nullptr, &manager, nullptr);
    CSkinBuilder untyped;
    CControlUI* noType = untyped.Create(MAKEINTRESOURCEW(7), nullptr, nullptr, &manager, nullptr);
    CPaintManagerUI::SetInstance(framework);

    ASSERT_NE(root, nullptr) << builder.GetLastErrorMessage();
    EXPECT_EQ(manager.GetInitSize().cx, 90);
    ASSERT_EQ(ChildCount(root), 2);
    EXPECT_STREQ(Child(root, 1)->GetName(), L"r");
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(noType, nullptr);
    delete root;
}

// ------------------------------------------------------------------ elements

TEST_F(SkinBuilderTest, ElementNamesResolveWhateverTheirCase) {
    CControlUI* root = Build(L"<window><VERTICALLAYOUT><button name=\"b\"/><lAbEl/><PROGRESS/></VERTICALLAYOUT></window>");
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->GetClass(), L"VerticalLayoutUI");
    ASSERT_EQ(ChildCount(root), 3);
    EXPECT_STREQ(Child(root, 0)->GetClass(), L"ButtonUI");
    EXPECT_STREQ(Child(root, 1)->GetClass(), L"LabelUI");
    EXPECT_STREQ(Child(root, 2)->GetClass(), L"ProgressUI");
    delete root;
}

class LabelMaker : public IDialogBuilderCallback {
public:
    CControlUI* CreateControl(const wchar_t* className) override {
        asked += className;
        asked += L";";
        return std::wstring(className) == L"FancyThing" ? new CLabelUI : nullptr;
    }
    std::wstring asked;
};

TEST_F(SkinBuilderTest, UnknownElementsGoToTheCallbackOrAreSkipped) {
    const wchar_t* skin =
        L"<Window><HorizontalLayout><FancyThing name=\"f\"><Button/></FancyThing><List/><Control/>"
        L"</HorizontalLayout></Window>";
    LabelMaker callback;
    CControlUI* root = Build(skin, &callback);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(callback.asked, L"FancyThing;List;");  // as written, only for names the factory lacks
    ASSERT_EQ(ChildCount(root), 2);
    EXPECT_STREQ(Child(root, 0)->GetClass(), L"LabelUI");
    EXPECT_STREQ(Child(root, 0)->GetName(), L"f");
    EXPECT_STREQ(Child(root, 1)->GetClass(), L"ControlUI");
    delete root;

    // Without a callback the unknown element (and its children) is skipped.
    root = Build(L"<Window><FancyThing><Button/></FancyThing><Label name=\"second\"/></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->GetName(), L"second");
    delete root;
}

TEST_F(SkinBuilderTest, ChildUnderANonContainerEndsThatLevel) {
    CControlUI* root =
        Build(L"<Window><HorizontalLayout><Label name=\"l\"><Button name=\"inner\"/><Control/></Label>"
              L"<Button name=\"after\"/></HorizontalLayout></Window>");
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(ChildCount(root), 2);
    EXPECT_STREQ(Child(root, 0)->GetName(), L"l");
    EXPECT_STREQ(Child(root, 1)->GetName(), L"after");
    EXPECT_EQ(CountTree(root), 3);

    CXmlDocument doc(L"<Children><Button/><Button/></Children>");
    CLabelUI label;
    CSkinBuilder builder;
    EXPECT_EQ(builder.BuildChildren(doc.RootElement(), &label, &manager), nullptr);
    delete root;
}

TEST_F(SkinBuilderTest, ChildrenExistBeforeTheirParentsAttributesAreApplied) {
    // "enabled=false" on a layout reaches only the children it already holds.
    CControlUI* root = Build(L"<Window><VerticalLayout enabled=\"false\"><Control name=\"c\"/></VerticalLayout></Window>");
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(ChildCount(root), 1);
    EXPECT_FALSE(Child(root, 0)->IsEnabled());
    delete root;
}

TEST_F(SkinBuilderTest, RootThatIsNotWindowStillBuildsButSetsNothing) {
    CControlUI* root = Build(L"<Skin size=\"120,80\" caption=\"0,0,0,10\"><Button name=\"b\"/></Skin>");
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->GetName(), L"b");
    EXPECT_EQ(manager.GetInitSize().cx, 0);
    EXPECT_EQ(CUIRect(manager.GetCaptionRect()), CUIRect(0, 0, 0, 0));
    delete root;
}

TEST_F(SkinBuilderTest, WindowAttributesNeedTheWindow) {
    CPaintManagerUI windowless;
    CSkinBuilder builder;
    CControlUI* root = builder.Create(L"<Window size=\"120,80\"><Control/></Window>", nullptr, nullptr, &windowless);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(windowless.GetInitSize().cx, 0);
    delete root;
}

TEST_F(SkinBuilderTest, ExtraTopLevelControlsWithoutAParentAreNotLeftBehind) {
    // Only the first parentless control is handed back; building the others must
    // not leave them attached anywhere (they are destroyed by the builder).
    CControlUI* root = Build(L"<Window><Label name=\"one\"/><Label name=\"two\"/></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->GetName(), L"one");
    delete root;

    // With a parent every top-level control joins it.
    CVerticalLayoutUI parent;
    CSkinBuilder builder;
    CControlUI* first =
        builder.Create(L"<Window><Label name=\"one\"/><Label name=\"two\"/></Window>", nullptr, nullptr, &manager, &parent);
    EXPECT_EQ(first, parent.GetItemAt(0));
    EXPECT_EQ(parent.GetCount(), 2);
}

// ------------------------------------------------------------------ resource elements

TEST_F(SkinBuilderTest, FontRules) {
    const CUIString defaultFace = manager.GetDefaultFontInfo()->sFontName;
    CControlUI* root = Build(
        L"<Window><Font name=\"Arial\" size=\"30\" default=\"true\"/><Font id=\"-4\" name=\"Arial\" default=\"true\"/>"
        L"<Font id=\"7\" name=\"Tahoma\" bold=\"TRUE\" italic=\"yes\"/><Control/></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(manager.GetDefaultFontInfo()->sFontName, defaultFace);  // no id: default ignored too
    TUIFont* f7 = manager.GetFontInfo(7);
    ASSERT_NE(f7, nullptr);
    EXPECT_STREQ(f7->sFontName, L"Tahoma");
    EXPECT_EQ(f7->iSize, 12);  // the default size
    EXPECT_TRUE(f7->bBold);
    EXPECT_FALSE(f7->bItalic);  // only "true" is true
    delete root;

    root = Build(L"<Window><Font id=\"2\" name=\"Courier New\" size=\"20\" default=\"true\"/><Control/></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(manager.GetDefaultFontInfo()->sFontName, L"Courier New");
    EXPECT_EQ(manager.GetDefaultFontInfo()->iSize, 20);
    delete root;
}

TEST_F(SkinBuilderTest, StyleKeepsTheFirstDefaultKeepsTheLast) {
    CControlUI* root = Build(
        L"<Window>"
        L"<Style name=\"s\" value=\"text=&quot;first&quot;\"/><Style name=\"s\" value=\"text=&quot;second&quot;\"/>"
        L"<Default name=\"Label\" value=\"text=&quot;old&quot; textcolor=&quot;#FF010203&quot;\"/>"
        L"<Default name=\"Label\" value=\"text=&quot;new&quot; textcolor=&quot;#FF0A0B0C&quot;\"/>"
        L"<VerticalLayout><Label name=\"a\"/><Label name=\"b\" textcolor=\"#FF00FF00\"/>"
        L"<Button name=\"c\" style=\"s\"/></VerticalLayout></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(manager.GetStyle(L"s"), L"text=\"first\"");
    EXPECT_STREQ(manager.GetDefaultAttributeList(L"Label"), L"text=\"new\" textcolor=\"#FF0A0B0C\"");
    auto* a = static_cast<CLabelUI*>(Child(root, 0));
    auto* b = static_cast<CLabelUI*>(Child(root, 1));
    EXPECT_STREQ(a->GetText(), L"new");
    EXPECT_EQ(a->GetTextColor(), 0xFF0A0B0Cu);
    EXPECT_EQ(b->GetTextColor(), 0xFF00FF00u);  // the element's own attribute comes after the list
    EXPECT_STREQ(Child(root, 2)->GetText(), L"first");  // "style" resolved while attached
    delete root;
}

TEST_F(SkinBuilderTest, ImageElementRegistersWithTheManager) {
    ASSERT_TRUE(skintest::UseEmbeddedSkinArchive());
    CControlUI* root = Build(L"<Window><Image name=\"soft_logo.png\"/><Image restype=\"PNG\"/><Control/></Window>");
    ASSERT_NE(root, nullptr);
    const TUIImage* logo = manager.GetImage(L"soft_logo.png");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->nWidth, 48);
    EXPECT_EQ(logo->nHeight, 48);
    delete root;

    // A layered image turns layered painting on and is loaded at once.
    root = Build(L"<Window layeredimage=\"file='btn_close.png' source='0,0,30,30'\" layeredopacity=\"180\"><Control/></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(manager.IsLayered());
    EXPECT_EQ(manager.GetOpacity(), 180);
    EXPECT_STREQ(manager.GetLayeredImage(), L"file='btn_close.png' source='0,0,30,30'");
    EXPECT_NE(manager.GetImage(L"btn_close.png"), nullptr);
    delete root;
}

// ------------------------------------------------------------------ Window attributes

TEST_F(SkinBuilderTest, WindowAttributeNamesAndTheirCaseRules) {
    CControlUI* root = Build(
        L"<Window SIZE=\"120,80\" Layered=\"true\" NoActivate=\"true\" SizeBox=\"4,4,6,6\" roundcorner=\"5,7\" "
        L"mininfo=\"100,50\" maxinfo=\"900,700\" defaultfontcolor=\"#FF112233\" DisabledFontColor=\"FF445566\" "
        L"linkfontcolor=\"#FF000001\" linkhoverfontcolor=\"#FF000002\" selectedcolor=\"#FF000003\" "
        L"showdirty=\"true\" gdiplustext=\"true\" textrenderinghint=\"4\" tooltiphovertime=\"900\" "
        L"shadowsharpness=\"3\" shadowdarkness=\"90\" shadowposition=\"2,3\" shadowcolor=\"#FF102030\" "
        L"whatever=\"1\"><Control/></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(manager.GetInitSize().cx, 120);
    EXPECT_EQ(host.Size().cy, 80);
    EXPECT_FALSE(manager.IsLayered());      // "Layered" is not "layered"
    EXPECT_FALSE(manager.IsNoActivate());   // nor "NoActivate" "noactivate"
    EXPECT_EQ(CUIRect(manager.GetSizeBox()), CUIRect(4, 4, 6, 6));
    EXPECT_EQ(manager.GetRoundCorner().cx, 5);
    EXPECT_EQ(manager.GetRoundCorner().cy, 7);
    EXPECT_EQ(manager.GetMinInfo().cx, 100);
    EXPECT_EQ(manager.GetMaxInfo().cy, 700);
    EXPECT_EQ(manager.GetDefaultFontColor(), 0xFF112233u);
    EXPECT_EQ(manager.GetDefaultDisabledColor(), 0xFF445566u);
    EXPECT_EQ(manager.GetDefaultLinkFontColor(), 0xFF000001u);
    EXPECT_EQ(manager.GetDefaultLinkHoverFontColor(), 0xFF000002u);
    EXPECT_EQ(manager.GetDefaultSelectedBkColor(), 0xFF000003u);
    EXPECT_TRUE(manager.IsShowUpdateRect());
    EXPECT_TRUE(manager.IsUseGdiplusText());
    EXPECT_EQ(manager.GetGdiplusTextRenderingHint(), 4);
    EXPECT_EQ(manager.GetHoverTime(), 900u);
    ASSERT_NE(manager.GetShadow(), nullptr);
    EXPECT_EQ(manager.GetShadow()->GetSharpness(), 3);
    EXPECT_EQ(manager.GetShadow()->GetDarkness(), 90);
    EXPECT_EQ(manager.GetShadow()->GetPosition().x, 2);
    EXPECT_EQ(manager.GetShadow()->GetPosition().y, 3);
    EXPECT_EQ(manager.GetShadow()->GetColor() & 0xFFFFFFu, 0x102030u);
    delete root;

    root = Build(L"<Window layered=\"true\" noactivate=\"true\"><Control/></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(manager.IsLayered());
    EXPECT_TRUE(manager.IsNoActivate());
    delete root;
}

TEST_F(SkinBuilderTest, OpacityMakesTheWindowLayered) {
    CControlUI* root = Build(L"<Window opacity=\"200\"><Control/></Window>");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(manager.GetOpacity(), 200);
    EXPECT_NE(::GetWindowLongPtrW(host.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(::GetLayeredWindowAttributes(host.hwnd(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 200);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    delete root;
}

TEST_F(SkinBuilderTest, SizeAfterTheRootIsAttachedDoesNotResize) {
    CControlUI* root = Build(L"<Window size=\"200,60\"><Control/></Window>");
    ASSERT_NE(root, nullptr);
    ASSERT_TRUE(manager.AttachRoot(root));
    manager.SetInitSize(500, 500);
    EXPECT_EQ(host.Size().cx, 200);
    EXPECT_EQ(manager.GetInitSize().cx, 500);
}

// ------------------------------------------------------------------ Include

class SkinFilesTest : public SkinBuilderTest {
protected:
    void SetUp() override {
        SkinBuilderTest::SetUp();
        dir = testenv::MakeTempDir(L"skins");
        CUIResourceSettings::Reset();
        CPaintManagerUI::SetResourcePath(dir.c_str());
    }
    void TearDown() override {
        SkinBuilderTest::TearDown();
        testenv::RemoveTree(dir);
    }
    void Write(const wchar_t* name, const char* text) { ASSERT_TRUE(testenv::WriteFile(dir + name, text)); }

    std::wstring dir;
};

TEST_F(SkinFilesTest, IncludeWithCountAddsTheSkinThatManyTimes) {
    Write(L"part.xml", "<Window><Button name=\"p\"/><Label/></Window>");
    Write(L"main.xml",
          "<Window><VerticalLayout><Include source=\"part.xml\" count=\"3\"/><Control name=\"tail\"/>"
          "<Include source=\"part.xml\"/><Include/><Include count=\"2\"/></VerticalLayout></Window>");
    CSkinBuilder builder;
    CControlUI* root = builder.Create(L"main.xml", nullptr, nullptr, &manager, nullptr);
    ASSERT_NE(root, nullptr) << builder.GetLastErrorMessage();
    ASSERT_EQ(ChildCount(root), 9);
    for (int i = 0; i < 6; i += 2) {
        EXPECT_STREQ(Child(root, i)->GetClass(), L"ButtonUI");
        EXPECT_STREQ(Child(root, i + 1)->GetClass(), L"LabelUI");
    }
    EXPECT_STREQ(Child(root, 6)->GetName(), L"tail");
    EXPECT_STREQ(Child(root, 7)->GetName(), L"p");
    delete root;
}

TEST_F(SkinFilesTest, IncludeIsNeverTheLevelsFirstControl) {
    Write(L"part.xml", "<Window><Label name=\"included\"/></Window>");
    CVerticalLayoutUI parent;
    CSkinBuilder builder;
    CControlUI* first = builder.Create(L"<Window><Include source=\"part.xml\"/><Button name=\"own\"/></Window>",
                                       nullptr, nullptr, &manager, &parent);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->GetName(), L"own");
    ASSERT_EQ(parent.GetCount(), 2);
    EXPECT_STREQ(parent.GetItemAt(0)->GetName(), L"included");
}

TEST_F(SkinFilesTest, SelfIncludingSkinStopsCleanly) {
    Write(L"self.xml", "<Window><VerticalLayout><Control/><Include source=\"self.xml\" count=\"3\"/></VerticalLayout></Window>");
    Write(L"loop.xml", "<Window><Include source=\"loop.xml\" count=\"100000\"/></Window>");
    Write(L"a.xml", "<Window><Label/><Include source=\"b.xml\" count=\"2\"/></Window>");
    Write(L"b.xml", "<Window><Label/><Include source=\"a.xml\" count=\"2\"/></Window>");
    for (const wchar_t* name : {L"self.xml", L"loop.xml", L"a.xml"}) {
        CSkinBuilder builder;
        EXPECT_EQ(builder.Create(name, nullptr, nullptr, &manager, nullptr), nullptr) << name;
        EXPECT_TRUE(builder.IsLimitReached()) << name;
    }

    // A flat Include repeated without end is stopped by the count of what one build makes.
    CSkinBuilder wide;
    EXPECT_EQ(wide.Create(L"<Window><Label/><Include source=\"&lt;Window&gt;&lt;Label/&gt;&lt;/Window&gt;\" "
                          L"count=\"2000000000\"/></Window>",
                          nullptr, nullptr, &manager, nullptr),
              nullptr);
    EXPECT_TRUE(wide.IsLimitReached());

    // Under a parent the controls already made stay with it (and go with it).
    auto* parent = new CVerticalLayoutUI;
    CSkinBuilder builder;
    EXPECT_EQ(builder.Create(L"a.xml", nullptr, nullptr, &manager, parent), nullptr);
    EXPECT_GT(parent->GetCount(), 0);
    EXPECT_LE(CountTree(parent), CSkinBuilder::kMaxBuildUnits + 1);
    delete parent;
}

TEST_F(SkinFilesTest, DeepButFiniteIncludesStillBuild) {
    // Eight files each including the next twice: well inside the bounds.
    for (int i = 0; i < 8; ++i) {
        std::string text = "<Window><Label/>";
        if (i < 7) text += "<Include source=\"n" + std::to_string(i + 1) + ".xml\" count=\"2\"/>";
        text += "</Window>";
        Write((L"n" + std::to_wstring(i) + L".xml").c_str(), text.c_str());
    }
    CVerticalLayoutUI parent;
    CSkinBuilder builder;
    EXPECT_NE(builder.Create(L"n0.xml", nullptr, nullptr, &manager, &parent), nullptr);
    EXPECT_FALSE(builder.IsLimitReached());
    EXPECT_EQ(parent.GetCount(), 255);  // 2^8 - 1 labels
}

TEST_F(SkinFilesTest, DeeplyNestedElementsStopCleanly) {
    std::string text = "<Window>";
    for (int i = 0; i < 400; ++i) text += "<VerticalLayout>";
    for (int i = 0; i < 400; ++i) text += "</VerticalLayout>";
    text += "</Window>";
    Write(L"deep.xml", text.c_str());
    CSkinBuilder builder;
    EXPECT_EQ(builder.Create(L"deep.xml", nullptr, nullptr, &manager, nullptr), nullptr);
    EXPECT_TRUE(builder.IsLimitReached());
}

// ------------------------------------------------------------------ factory

TEST(ControlFactoryTest, CreatesTheSkinClassesIgnoringCase) {
    CControlFactory& factory = CControlFactory::Instance();
    const wchar_t* names[][2] = {{L"CControlUI", L"ControlUI"},
                                 {L"ccontainerui", L"ContainerUI"},
                                 {L"CBUTTONUI", L"ButtonUI"},
                                 {L"CLabelUI", L"LabelUI"},
                                 {L"CProgressUI", L"ProgressUI"},
                                 {L"CHorizontalLayoutUI", L"HorizontalLayoutUI"},
                                 {L"cverticallayoutui", L"VerticalLayoutUI"}};
    for (auto& row : names) {
        CControlUI* c = factory.CreateControl(row[0]);
        ASSERT_NE(c, nullptr) << row[0];
        EXPECT_STREQ(c->GetClass(), row[1]);
        delete c;
    }
    EXPECT_EQ(factory.CreateControl(L"CListUI"), nullptr);
    EXPECT_EQ(factory.CreateControl(L"Button"), nullptr);
    EXPECT_EQ(factory.CreateControl(nullptr), nullptr);

    factory.RegisterControl(L"CShinyUI", []() -> CControlUI* { return new CLabelUI; });
    CControlUI* shiny = factory.CreateControl(L"cshinyui");
    ASSERT_NE(shiny, nullptr);
    EXPECT_STREQ(shiny->GetClass(), L"LabelUI");
    delete shiny;

    CControlFactory::Release();
    EXPECT_EQ(CControlFactory::Instance().CreateControl(L"CShinyUI"), nullptr);  // a fresh table
}

}  // namespace
