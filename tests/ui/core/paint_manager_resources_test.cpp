// The resource half of the paint manager: image, font, default attribute list
// and style tables, shared twins, defaults, DPI scale and TermFramework.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/test_env.h"
#include "tests/ui/core/core_test_util.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_settings.h"

using namespace SkinUI;
using coretest::BuildPng;
using coretest::Rgba;
using coretest::ZipEntry;

namespace {

ZipEntry Entry(const std::string& name, const std::string& data) {
    ZipEntry e;
    e.name = name;
    e.data = data;
    return e;
}

const std::string& SkinArchive() {
    static const std::string zip = coretest::BuildZip({
        Entry("btn_close.png", BuildPng(2, 2, std::vector<Rgba>(4, Rgba{255, 0, 0, 255}))),
        Entry("img/half.png", BuildPng(1, 1, {{200, 100, 50, 128}})),
        Entry("fake.png", "GIF89a but not really"),
        Entry("huge.png", coretest::BuildPngHeaderOnly(60000, 60000)),
    });
    return zip;
}

class PaintManagerResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        CUIResourceSettings::Reset();
        CPaintManagerUI::SetResourceArchive(SkinArchive().data(), static_cast<unsigned>(SkinArchive().size()));
    }
    void TearDown() override {
        CPaintManagerUI::TermFramework();
        CUIResourceSettings::Reset();
    }
};

LOGFONTW FontOf(HFONT font) {
    LOGFONTW lf = {};
    GetObjectW(font, sizeof(lf), &lf);
    return lf;
}

}  // namespace

TEST_F(PaintManagerResourcesTest, FirstManagerDefaults) {
    CPaintManagerUI pm;
    EXPECT_EQ(0xFFA7A6AAu, pm.GetDefaultDisabledColor());
    EXPECT_EQ(0xFF000000u, pm.GetDefaultFontColor());
    EXPECT_EQ(0xFF0000FFu, pm.GetDefaultLinkFontColor());
    EXPECT_EQ(0xFFD3215Fu, pm.GetDefaultLinkHoverFontColor());
    EXPECT_EQ(0xFFBAE4FFu, pm.GetDefaultSelectedBkColor());
    LOGFONTW stock = FontOf(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    TUIFont* def = pm.GetDefaultFontInfo();
    ASSERT_NE(nullptr, def);
    ASSERT_NE(nullptr, def->hFont);
    EXPECT_STREQ(stock.lfFaceName, def->sFontName);
    EXPECT_EQ(-stock.lfHeight, def->iSize);
    EXPECT_EQ(DEFAULT_CHARSET, FontOf(def->hFont).lfCharSet);
    EXPECT_GT(def->tm.tmHeight, 0);  // measured on first use
    // A window's colour changes stay with that manager.
    pm.SetDefaultFontColor(0xFF123456);
    CPaintManagerUI other;
    EXPECT_EQ(0xFF000000u, other.GetDefaultFontColor());
    EXPECT_EQ(def, other.GetDefaultFontInfo());
}

TEST_F(PaintManagerResourcesTest, FontsReplaceAndFallBackToTheDefault) {
    CPaintManagerUI pm;
    HFONT first = pm.AddFont(120, L"Tahoma", 12, false, false, false);
    ASSERT_NE(nullptr, first);
    HFONT second = pm.AddFont(120, L"Tahoma", 14, true, true, true);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(0u, GetObjectType(first));  // the first GDI font was deleted
    EXPECT_EQ(second, pm.GetFont(120));
    LOGFONTW lf = FontOf(second);
    EXPECT_EQ(-14, lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_TRUE(lf.lfItalic);
    TUIFont* info = pm.GetFontInfo(120);
    EXPECT_EQ(14, info->iSize);
    EXPECT_STREQ(L"Tahoma", info->sFontName);
    EXPECT_GT(info->tm.tmHeight, 0);
    EXPECT_EQ(info, pm.GetFontInfo(second));

    HFONT def = pm.GetDefaultFontInfo()->hFont;
    EXPECT_EQ(def, pm.GetFont(-1));
    EXPECT_EQ(def, pm.GetFont(7));
    EXPECT_EQ(pm.GetDefaultFontInfo(), pm.GetFontInfo(999));
    EXPECT_EQ(pm.GetDefaultFontInfo(), pm.GetFontInfo(static_cast<HFONT>(nullptr)));

    EXPECT_EQ(second, pm.FindFont(L"Tahoma", 14, true, true, true));
    EXPECT_EQ(nullptr, pm.FindFont(L"Tahoma", 14, true, true, false));
    // A long face name is cut to what a font description holds.
    const std::wstring longFace(60, L'F');
    HFONT longFont = pm.AddFont(1, longFace.c_str(), 10, false, false, false);
    ASSERT_NE(nullptr, longFont);
    EXPECT_EQ(31u, wcslen(FontOf(longFont).lfFaceName));
}

TEST_F(PaintManagerResourcesTest, SharedTablesAndDefaultFont) {
    CPaintManagerUI a;
    CPaintManagerUI b;
    HFONT shared = a.AddFont(5, L"Tahoma", 9, false, false, false, true);
    EXPECT_EQ(shared, b.GetFont(5));
    HFONT own = b.AddFont(5, L"Tahoma", 11, false, false, false);
    EXPECT_EQ(own, b.GetFont(5));      // own table first
    EXPECT_EQ(shared, a.GetFont(5));

    b.SetUseSharedTables(true);
    b.AddStyle(L"s", L"text=\"x\"");
    EXPECT_STREQ(L"text=\"x\"", a.GetStyle(L"s"));
    b.RemoveAllStyles();  // own table only, even with shared tables on
    EXPECT_STREQ(L"text=\"x\"", a.GetStyle(L"s"));

    // Own default font: bold adds 700 to the stock weight.
    LOGFONTW stock = FontOf(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    a.SetDefaultFont(L"Tahoma", 13, true, false, false);
    TUIFont* own_default = a.GetDefaultFontInfo();
    EXPECT_EQ(13, own_default->iSize);
    EXPECT_EQ(stock.lfWeight + FW_BOLD, FontOf(own_default->hFont).lfWeight);
    EXPECT_NE(own_default, b.GetDefaultFontInfo());
    // Shared default font replaced: the old object is deleted.
    HFONT oldShared = b.GetDefaultFontInfo()->hFont;
    b.SetDefaultFont(L"Tahoma", 15, false, false, false, true);
    EXPECT_EQ(0u, GetObjectType(oldShared));
    EXPECT_EQ(15, b.GetDefaultFontInfo()->iSize);
}

TEST_F(PaintManagerResourcesTest, DpiScaleAppliesToFontHeights) {
    CPaintManagerUI pm;
    EXPECT_EQ(100, pm.GetDpiScale());
    EXPECT_EQ(96u, pm.GetDPIObj()->GetDpi());
    pm.SetDpiScale(150);
    EXPECT_EQ(18, pm.ScaleValue(12));
    RECT r = pm.ScaleRect({10, 10, 30, 50});
    EXPECT_EQ(15, r.left);
    EXPECT_EQ(45, r.right);
    EXPECT_EQ(75, r.bottom);
    HFONT f = pm.AddFont(3, L"Tahoma", 12, false, false, false);
    EXPECT_EQ(-18, FontOf(f).lfHeight);
    EXPECT_EQ(12, pm.GetFontInfo(3)->iSize);  // recorded unscaled
    pm.GetDPIObj()->SetDpi(120);
    EXPECT_EQ(125, pm.GetDpiScale());
}

TEST_F(PaintManagerResourcesTest, AttributeListsReplaceStylesKeepTheFirst) {
    CPaintManagerUI pm;
    pm.AddDefaultAttributeList(L"Button", L"first");
    pm.AddDefaultAttributeList(L"Button", L"second");
    EXPECT_STREQ(L"second", pm.GetDefaultAttributeList(L"Button"));
    EXPECT_EQ(nullptr, pm.GetDefaultAttributeList(L"button"));
    pm.AddStyle(L"title", L"first");
    pm.AddStyle(L"title", L"second");
    EXPECT_STREQ(L"first", pm.GetStyle(L"title"));
    pm.AddDefaultAttributeList(L"Label", L"shared", true);
    EXPECT_STREQ(L"shared", pm.GetDefaultAttributeList(L"Label"));
    pm.AddDefaultAttributeList(L"Label", L"own");
    EXPECT_STREQ(L"own", pm.GetDefaultAttributeList(L"Label"));
    EXPECT_TRUE(pm.RemoveDefaultAttributeList(L"Label"));
    EXPECT_STREQ(L"shared", pm.GetDefaultAttributeList(L"Label"));
    EXPECT_TRUE(pm.RemoveStyle(L"title"));
    EXPECT_EQ(nullptr, pm.GetStyle(L"title"));
}

TEST_F(PaintManagerResourcesTest, ImagesFromTheArchive) {
    CPaintManagerUI pm;
    EXPECT_EQ(nullptr, pm.GetImage(L"BTN_CLOSE.PNG"));
    const TUIImage* close = pm.GetImageEx(L"BTN_CLOSE.PNG");
    ASSERT_NE(nullptr, close);
    EXPECT_EQ(2, close->nWidth);
    EXPECT_FALSE(close->bAlpha);
    EXPECT_EQ(close, pm.GetImage(L"BTN_CLOSE.PNG"));
    EXPECT_EQ(nullptr, pm.GetImage(L"btn_close.png"));  // table keys are case-sensitive

    const TUIImage* half = pm.AddImage(L"img\\half.png", nullptr, 0xFF00FF00);
    ASSERT_NE(nullptr, half);
    EXPECT_TRUE(half->bAlpha);
    EXPECT_EQ(100, half->pBits[2]);  // red 200 at alpha 128
    EXPECT_EQ(0xFF00FF00u, half->dwMask);
    EXPECT_TRUE(half->sResType.IsEmpty());

    // Re-adding replaces (and deletes) the earlier bitmap.
    HBITMAP oldBitmap = half->hBitmap;
    const TUIImage* again = pm.AddImage(L"img\\half.png");
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(0u, GetObjectType(oldBitmap));
    EXPECT_EQ(again, pm.GetImage(L"img\\half.png"));

    // Failures draw nothing and register nothing.
    EXPECT_EQ(nullptr, pm.AddImage(L""));
    EXPECT_EQ(nullptr, pm.AddImage(nullptr));
    EXPECT_EQ(nullptr, pm.GetImageEx(L"missing.png"));
    EXPECT_EQ(nullptr, pm.GetImageEx(L"fake.png"));
    EXPECT_EQ(nullptr, pm.GetImageEx(L"huge.png"));
    EXPECT_EQ(nullptr, pm.GetImage(L"fake.png"));
    // With a resource type only a decimal identifier is accepted.
    EXPECT_EQ(nullptr, pm.AddImage(L"btn_close.png", L"PNG"));
    EXPECT_EQ(nullptr, pm.AddImage(L"130", L"PNG"));  // no such resource here

    // Shared images are seen by every manager until TermFramework.
    const TUIImage* shared = pm.AddImage(L"btn_close.png", nullptr, 0, false, true);
    ASSERT_NE(nullptr, shared);
    CPaintManagerUI other;
    EXPECT_EQ(shared, other.GetImage(L"btn_close.png"));
    CPaintManagerUI::TermFramework();
    EXPECT_EQ(nullptr, other.GetImage(L"btn_close.png"));
}

TEST_F(PaintManagerResourcesTest, TermFrameworkClosesTheCachedArchive) {
    {
        CPaintManagerUI pm;
        EXPECT_NE(nullptr, pm.GetImageEx(L"btn_close.png"));
    }
    CPaintManagerUI::TermFramework();
    CPaintManagerUI pm;
    EXPECT_EQ(nullptr, pm.GetImageEx(L"btn_close.png"));
    // Defaults come back for managers made afterwards.
    EXPECT_NE(nullptr, pm.GetDefaultFontInfo()->hFont);
    EXPECT_EQ(0xFF000000u, pm.GetDefaultFontColor());
}

TEST_F(PaintManagerResourcesTest, FontFilesAreAddedFromMemory) {
    CPaintManagerUI pm;
    std::wstring font;
    for (const wchar_t* candidate : {L"Z:\\usr\\share\\wine\\fonts\\tahoma.ttf",
                                     L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf"}) {
        if (testenv::FileExists(candidate)) {
            font = candidate;
            break;
        }
    }
    if (font.empty()) GTEST_SKIP() << "no TrueType file to import";
    EXPECT_TRUE(pm.AddFontFile(font.c_str()));
    EXPECT_FALSE(pm.AddFontFile(L"fake.png"));
    EXPECT_FALSE(pm.AddFontFile(L"no_such_font.ttf"));
}
