// Parsing of image descriptions and the manager's cache of parsed descriptions.
#include <gtest/gtest.h>

#include "ui/controls/render.h"
#include "ui/core/paint_manager.h"

using namespace SkinUI;

namespace {

TEST(ImageSpec, ProgressBarDescriptionWithTrailingSpace) {
    TUIImageSpec spec;
    spec.ParseImageSpec(L"file='progress_bar.png' source='0,0,100,18' corner='10,2,22,2' ", nullptr, nullptr);
    EXPECT_EQ(spec.sImageName, L"progress_bar.png");
    EXPECT_EQ(spec.rcSource, CUIRect(0, 0, 100, 18));
    EXPECT_EQ(spec.rcCorner, CUIRect(10, 2, 22, 2));
    EXPECT_TRUE(spec.rcDest.IsNull());
    EXPECT_EQ(spec.uFade, 255);
}

TEST(ImageSpec, BareFileNameIsACompleteDescription) {
    TUIImageSpec spec;
    spec.ParseImageSpec(L"Shadow.png", nullptr, nullptr);
    EXPECT_EQ(spec.sImageName, L"Shadow.png");
    EXPECT_TRUE(spec.rcSource.IsNull());
}

TEST(ImageSpec, StopRules) {
    TUIImageSpec spec;
    // A comma between pairs ends the reading after the first pair.
    spec.ParseImageSpec(L"file='a.png',source='1,2,3,4'", nullptr, nullptr);
    EXPECT_EQ(spec.sImageName, L"a.png");
    EXPECT_TRUE(spec.rcSource.IsNull());
    // Keys are case-sensitive: File is unknown, the name stays the whole text.
    spec.ParseImageSpec(L"File='a.png'", nullptr, nullptr);
    EXPECT_EQ(spec.sImageName, L"File='a.png'");
    // Missing quotes end the string; white space around '=' is allowed.
    spec.ParseImageSpec(L"file = 'b.png' fade=128 hole='true'", nullptr, nullptr);
    EXPECT_EQ(spec.sImageName, L"b.png");
    EXPECT_EQ(spec.uFade, 255);
    EXPECT_FALSE(spec.bHole);
    // An unterminated value ends the string without reading past it.
    spec.ParseImageSpec(L"file='c.png' source='1,2", nullptr, nullptr);
    EXPECT_EQ(spec.sImageName, L"c.png");
    EXPECT_TRUE(spec.rcSource.IsNull());
    // An empty value is skipped; reading goes on.
    spec.ParseImageSpec(L"file='' fade='10'", nullptr, nullptr);
    EXPECT_EQ(spec.sImageName, L"file='' fade='10'");
    EXPECT_EQ(spec.uFade, 10);
}

TEST(ImageSpec, AllKeysAndTheModifier) {
    TUIImageSpec spec;
    spec.ParseImageSpec(L"res='7' restype='PNG' dest='1,2,3,4' mask='#FFFF00FF' fade='128' hole='TRUE' "
                        L"xtiled='true' ytiled='false' hsl='true' size='16,12' align='right bottom' "
                        L"padding='1,1,2,2' unknown='x'",
                        L"fade='64' dest='5,6,7,8'", nullptr);
    EXPECT_EQ(spec.sImageName, L"7");
    EXPECT_EQ(spec.sResType, L"PNG");
    EXPECT_EQ(spec.rcDest, CUIRect(5, 6, 7, 8));
    EXPECT_EQ(spec.dwMask, 0xFFFF00FFu);
    EXPECT_EQ(spec.uFade, 64);
    EXPECT_TRUE(spec.bHole);
    EXPECT_TRUE(spec.bTiledX);
    EXPECT_FALSE(spec.bTiledY);
    EXPECT_TRUE(spec.bHSL);
    EXPECT_EQ(spec.szImage.cx, 16);
    EXPECT_EQ(spec.szImage.cy, 12);
    EXPECT_EQ(spec.sAlign, L"right bottom");
    EXPECT_EQ(spec.rcPadding, CUIRect(1, 1, 2, 2));
    EXPECT_EQ(spec.sModifier, L"fade='64' dest='5,6,7,8'");
    spec.ParseImageSpec(L"file='a.png' fade='300'", nullptr, nullptr);
    EXPECT_EQ(spec.uFade, 255);  // out of range: clamped, not wrapped
}

TEST(ImageSpec, DpiScaleRenamesAndScales) {
    CPaintManagerUI pm;
    TUIImageSpec spec;
    spec.ParseImageSpec(L"Shadow.png", nullptr, &pm);
    EXPECT_EQ(spec.sImageName, L"Shadow.png");

    pm.SetDpiScale(150);
    spec.ParseImageSpec(L"Shadow.png", nullptr, &pm);
    EXPECT_EQ(spec.sImageName, L"Shadow@150.png");
    spec.ParseImageSpec(L"file='btn_close.png' source='0,0,30,30' corner='2,2,4,4' size='10,10'", nullptr, &pm);
    EXPECT_EQ(spec.sImageName, L"btn_close@150.png");
    EXPECT_EQ(spec.rcSource, CUIRect(0, 0, 45, 45));
    EXPECT_EQ(spec.szImage.cx, 10);  // size is not scaled
}

TEST(ImageSpec, ManagerCachesParsedDescriptions) {
    CPaintManagerUI pm;
    TUIImageSpec* a = pm.GetImageSpec(L"file='x.png'", nullptr);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(pm.GetImageSpec(L"file='x.png'", nullptr), a);
    TUIImageSpec* b = pm.GetImageSpec(L"file='x.png'", L"fade='1'");
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(b->uFade, 1);
    EXPECT_EQ(pm.GetImageSpec(L"", nullptr), nullptr);
    EXPECT_EQ(pm.GetImageSpec(nullptr, nullptr), nullptr);
    pm.RemoveAllImageSpecs();
    EXPECT_EQ(pm.GetImageSpecCache().GetSize(), 0);
}

}  // namespace
