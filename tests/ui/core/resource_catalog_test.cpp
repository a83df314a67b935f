#include <gtest/gtest.h>

#include <string>

#include "tests/ui/core/core_test_util.h"
#include "ui/core/image_loader.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_catalog.h"
#include "ui/core/resource_settings.h"

using namespace SkinUI;

namespace {

class FakeQuery : public IQueryControlText {
public:
    const wchar_t* QueryText(const wchar_t* id, const wchar_t* language) override {
        ++calls;
        lastLanguage = language;
        if (std::wstring(id) == L"known") return L"Known text";
        return nullptr;
    }
    int calls = 0;
    std::wstring lastLanguage;
};

class ResourceCatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        CUIResourceSettings::Reset();
        CUIResourceCatalog::Instance().Release();
    }
    void TearDown() override {
        CUIResourceCatalog::Instance().SetTextQuery(nullptr);
        CUIResourceCatalog::Instance().Release();
        CUIResourceSettings::Reset();
    }
};

}  // namespace

TEST_F(ResourceCatalogTest, LeavesAnywhereInTheTreeFirstIdWins) {
    CUIResourceCatalog& catalog = CUIResourceCatalog::Instance();
    ASSERT_TRUE(catalog.LoadCatalog(
        L"<Res><Images><Image id=\"logo\" path=\"soft_logo.png\"/><Group><Image id=\"close\" path=\"a/close.png\"/>"
        L"</Group><Image id=\"logo\" path=\"other.png\"/></Images>"
        L"<XML id=\"main\" path=\"skins/main.xml\"/><Xml id=\"noPath\"/>"
        L"<Image id=\"branch\" path=\"b.png\"><Child/></Image></Res>"));
    EXPECT_STREQ(L"soft_logo.png", catalog.GetImagePath(L"logo"));
    EXPECT_STREQ(L"a/close.png", catalog.GetImagePath(L"close"));
    EXPECT_STREQ(L"skins/main.xml", catalog.GetSkinPath(L"main"));
    EXPECT_EQ(nullptr, catalog.GetSkinPath(L"noPath"));
    EXPECT_EQ(nullptr, catalog.GetImagePath(L"branch"));  // an element with children is not a leaf
    EXPECT_EQ(nullptr, catalog.GetImagePath(L"LOGO"));
    catalog.Release();
    EXPECT_EQ(nullptr, catalog.GetImagePath(L"logo"));
}

TEST_F(ResourceCatalogTest, UnreadableCatalogues) {
    CUIResourceCatalog& catalog = CUIResourceCatalog::Instance();
    EXPECT_FALSE(catalog.LoadCatalog(L"skin_define.xml"));  // no such file
    EXPECT_FALSE(catalog.LoadCatalog(L"<a><b></a>"));
    EXPECT_FALSE(catalog.LoadCatalog(L"12", L"XMLRES"));   // no such resource
    EXPECT_FALSE(catalog.LoadCatalog(nullptr));
}

TEST_F(ResourceCatalogTest, ImageIdsResolveToArchivePaths) {
    static const std::string zip = coretest::BuildZip(
        {{"art/logo.png", coretest::BuildPng(3, 1, std::vector<coretest::Rgba>(3, coretest::Rgba{9, 9, 9, 255}))}});
    CPaintManagerUI::SetResourceArchive(zip.data(), static_cast<unsigned>(zip.size()));
    ASSERT_TRUE(CUIResourceCatalog::Instance().LoadCatalog(L"<c><Image id=\"logo\" path=\"art\\logo.png\"/></c>"));
    TUIImage* image = LoadSkinImage(L"logo", nullptr, 0, nullptr);
    ASSERT_NE(nullptr, image);
    EXPECT_EQ(3, image->nWidth);
    FreeSkinImage(image);
}

TEST_F(ResourceCatalogTest, TextsAskTheQueryOnceAndCache) {
    CUIResourceCatalog& catalog = CUIResourceCatalog::Instance();
    EXPECT_EQ(nullptr, catalog.GetText(L"known"));
    FakeQuery query;
    catalog.SetTextQuery(&query);
    EXPECT_STREQ(L"Known text", catalog.GetText(L"known", L"zh"));
    EXPECT_EQ(L"zh", query.lastLanguage);
    EXPECT_STREQ(L"Known text", catalog.GetText(L"known"));
    EXPECT_EQ(1, query.calls);
    EXPECT_EQ(nullptr, catalog.GetText(L"unknown"));
    EXPECT_EQ(nullptr, catalog.GetText(L"unknown"));
    EXPECT_EQ(3, query.calls);  // misses are not cached
    catalog.SetText(L"set", L"value");
    EXPECT_STREQ(L"value", catalog.GetText(L"set"));
    EXPECT_EQ(3, query.calls);
}
