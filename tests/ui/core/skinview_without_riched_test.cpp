// A skin with rich edits on a system whose rich-edit library cannot load (Wine told to
// refuse it): the window still builds and shows, the boxes keep their text for screen
// readers, and nothing else on the page is lost.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/common/test_env.h"
#include "tests/ui/core/skinview_runner.h"

namespace {

using namespace skinview_test;

const char kSkin[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<Window size=\"240,120\"><VerticalLayout bkcolor=\"#FFFFFFFF\">"
    "<RichEdit name=\"terms\" accname=\"Terms\" readonly=\"true\" vscrollbar=\"true\" height=\"50\" "
    "text=\"{\\rtf1 Play {\\b fair}.}\" />"
    "<RichEdit name=\"notes\" accname=\"Notes\" height=\"30\" text=\"Plain notes\" />"
    "<Button name=\"ok\" text=\"OK\" height=\"24\" />"
    "</VerticalLayout></Window>";

TEST(SkinViewWithoutRichEdit, PageStillBuildsAndItsBoxesStillRead) {
    const std::wstring dir = testenv::MakeTempDir(L"noriched");
    ASSERT_TRUE(testenv::WriteFile(dir + L"page.xml", kSkin));
    wchar_t old[1024] = {};
    const DWORD had = ::GetEnvironmentVariableW(L"WINEDLLOVERRIDES", old, 1024);
    ::SetEnvironmentVariableW(L"WINEDLLOVERRIDES", L"mscoree=;mshtml=;riched20=");
    std::string out;
    const int code = RunSkinView(L"--dir " + DirArg(dir) + L" --skin page.xml --dump-accessible", &out);
    ::SetEnvironmentVariableW(L"WINEDLLOVERRIDES", had > 0 && had < 1024 ? old : nullptr);
    EXPECT_EQ(0, code) << out;
    EXPECT_NE(std::string::npos, out.find("editable text \"Terms\"")) << out;
    EXPECT_NE(std::string::npos, out.find("editable text \"Notes\" value=Plain notes")) << out;
    EXPECT_NE(std::string::npos, out.find("push button \"OK\"")) << out;
    testenv::RemoveTree(dir);
}

}  // namespace
