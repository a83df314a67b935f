// The skin preview tool on the launcher's two skins: the control tree it dumps
// (rectangles checked by hand against the layout rules), its picture, and its
// errors.
#include <gtest/gtest.h>

#include <string>

#include "stb_image.h"
#include "tests/common/test_env.h"
#include "tests/ui/core/skinview_runner.h"

namespace {

using namespace skinview_test;

TEST(SkinView, RepairSkinFromTheArchiveLaysOutAsTheRulesSay) {
    std::string dump;
    ASSERT_EQ(RunSkinView(L"--archive \"" + SkinArchive() + L"\" --skin msg_fix_tips.xml --dump-tree", &dump), 0)
        << dump;
    // 300 x 100 window; the title row is 30 high with the close button at its right end.
    EXPECT_TRUE(HasLine(dump, "VerticalLayoutUI name=\"\" visible=1 rect=0,0,300,100")) << dump;
    EXPECT_TRUE(HasLine(dump, "ControlUI name=\"\" visible=1 rect=0,0,270,30")) << dump;
    EXPECT_TRUE(HasLine(dump, "ButtonUI name=\"sysclosebutton\" visible=1 rect=270,0,300,30")) << dump;
    // Spacer 15, logo 48 x 48 at the top of the row, spacer 15, then the text column.
    EXPECT_TRUE(HasLine(dump, "LabelUI name=\"\" visible=1 rect=15,30,63,78")) << dump;
    EXPECT_TRUE(HasLine(dump, "VerticalLayoutUI name=\"\" visible=1 rect=78,30,300,100")) << dump;
    // 15 high title, 10 gap, then the 210 x 18 progress bar.
    EXPECT_TRUE(HasLine(dump, "ProgressUI name=\"progress_doing\" visible=1 rect=78,55,288,73")) << dump;
}

TEST(SkinView, NoticeSkinFromAFileCentresItsExitButton) {
    std::string dump;
    ASSERT_EQ(RunSkinView(L"--skin \"" + SourceSkinDir() + L"msg_xp_tips.xml\" --dump-tree", &dump), 0) << dump;
    EXPECT_TRUE(HasLine(dump, "VerticalLayoutUI name=\"\" visible=1 rect=0,0,400,200")) << dump;
    // The 1-pixel rule under the 30-pixel title row.
    EXPECT_TRUE(HasLine(dump, "ControlUI name=\"\" visible=1 rect=0,30,400,31")) << dump;
    // The 24 x 24 icon centred in the 30-pixel row.
    EXPECT_TRUE(HasLine(dump, "ControlUI name=\"\" visible=1 rect=10,3,34,27")) << dump;
    // childalign="center": (400 - 140) / 2 = 130; the row sits 20 above the bottom.
    EXPECT_TRUE(HasLine(dump, "ButtonUI name=\"btn_ok\" visible=1 rect=130,140,270,180")) << dump;
}

TEST(SkinView, AccessibleDumpShowsWhatAScreenReaderReads) {
    std::string dump;
    ASSERT_EQ(RunSkinView(L"--archive \"" + SkinArchive() + L"\" --skin msg_fix_tips.xml --dump-accessible", &dump), 0)
        << dump;
    EXPECT_TRUE(HasLine(dump, "client \"skinview\" state=focusable rect=0,0,300,100")) << dump;
    EXPECT_TRUE(HasLine(dump, "push button \"\u5173\u95ED\" state=focusable,focused rect=270,0,300,30")) << dump;
    EXPECT_TRUE(HasLine(dump, "static text \"Tavrel\u542F\u52A8\u4E2D\" state=readonly rect=78,30,300,45")) << dump;
    EXPECT_TRUE(HasLine(dump, "progress bar \"\u542F\u52A8\u8FDB\u5EA6\" value=0% state=readonly rect=78,55,288,73"))
        << dump;
    EXPECT_EQ(dump.find("graphic"), std::string::npos) << dump;  // the logo is decoration
}

TEST(SkinView, SizeOptionOverridesTheSkinSize) {
    std::string dump;
    ASSERT_EQ(RunSkinView(L"--dir " + DirArg(SourceSkinDir()) + L" --skin msg_fix_tips.xml --size 500x300 --dump-tree",
                          &dump),
              0)
        << dump;
    EXPECT_TRUE(HasLine(dump, "VerticalLayoutUI name=\"\" visible=1 rect=0,0,500,300")) << dump;
    EXPECT_TRUE(HasLine(dump, "ButtonUI name=\"sysclosebutton\" visible=1 rect=470,0,500,30")) << dump;
}

TEST(SkinView, DpiOptionBuildsAndPicturesTheSkinAtThatScale) {
    const std::wstring dir = testenv::MakeTempDir(L"skinview_dpi");
    const std::wstring png = dir + L"fix150.png";
    std::string dump;
    ASSERT_EQ(RunSkinView(L"--archive \"" + SkinArchive() + L"\" --skin msg_fix_tips.xml --dpi 150 --dump-tree --png \"" +
                              png + L"\"",
                          &dump),
              0)
        << dump;
    EXPECT_TRUE(HasLine(dump, "VerticalLayoutUI name=\"\" visible=1 rect=0,0,450,150")) << dump;
    EXPECT_TRUE(HasLine(dump, "ButtonUI name=\"sysclosebutton\" visible=1 rect=405,0,450,45")) << dump;
    EXPECT_TRUE(HasLine(dump, "ProgressUI name=\"progress_doing\" visible=1 rect=118,83,433,110")) << dump;
    const std::string bytes = testenv::ReadFile(png);
    int w = 0, h = 0, n = 0;
    unsigned char* pixels = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                  static_cast<int>(bytes.size()), &w, &h, &n, 4);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(w, 450);
    EXPECT_EQ(h, 150);
    // The logo (72 x 72 from soft_logo@150.png at 23,45) is drawn all the way to its lower rows.
    const unsigned char* logo = pixels + (static_cast<size_t>(110) * w + 59) * 4;
    EXPECT_FALSE(logo[0] == 255 && logo[1] == 255 && logo[2] == 255);
    stbi_image_free(pixels);
    testenv::RemoveTree(dir);
    std::string out;
    EXPECT_EQ(RunSkinView(L"--skin a.xml --dpi 0", &out), 2);
    EXPECT_NE(out.find("--dpi"), std::string::npos) << out;
}

TEST(SkinView, WritesAPictureOfTheClientArea) {
    const std::wstring dir = testenv::MakeTempDir(L"skinview_png");
    const std::wstring png = dir + L"fix.png";
    ASSERT_EQ(RunSkinView(L"--archive \"" + SkinArchive() + L"\" --skin msg_fix_tips.xml --png \"" + png + L"\""),
              0);
    const std::string bytes = testenv::ReadFile(png);
    int w = 0, h = 0, n = 0;
    unsigned char* pixels = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                                  static_cast<int>(bytes.size()), &w, &h, &n, 4);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 100);
    auto at = [&](int x, int y) { return pixels + (static_cast<size_t>(y) * w + x) * 4; };
    // The white background (bkcolor #ffffffff) under the empty strip at the bottom left.
    EXPECT_EQ(at(5, 95)[0], 255);
    EXPECT_EQ(at(5, 95)[1], 255);
    EXPECT_EQ(at(5, 95)[2], 255);
    EXPECT_EQ(at(5, 95)[3], 255);
    // The logo is drawn where the dump puts it.
    const unsigned char* logo = at(39, 54);
    EXPECT_FALSE(logo[0] == 255 && logo[1] == 255 && logo[2] == 255);
    stbi_image_free(pixels);
    testenv::RemoveTree(dir);
}

TEST(SkinView, ReportsSkinsThatDoNotBuildAndBadArguments) {
    const std::wstring dir = testenv::MakeTempDir(L"skinview_bad");
    ASSERT_TRUE(testenv::WriteFile(dir + L"broken.xml", "<Window><VerticalLayout></Window>"));
    std::string out;
    EXPECT_EQ(RunSkinView(L"--dir " + DirArg(dir) + L" --skin broken.xml --dump-tree", &out), 4);
    EXPECT_NE(out.find("does not build"), std::string::npos) << out;
    EXPECT_EQ(RunSkinView(L"--dir " + DirArg(dir) + L" --skin missing.xml", &out), 4);
    EXPECT_EQ(RunSkinView(L"--archive \"" + dir + L"nothing.zip\" --skin a.xml", &out), 3);
    EXPECT_EQ(RunSkinView(L"--skin a.xml --size 300", &out), 2);
    EXPECT_NE(out.find("--size"), std::string::npos) << out;
    EXPECT_EQ(RunSkinView(L"--png out.png", &out), 2);
    testenv::RemoveTree(dir);
}

}  // namespace
