// The framework's libraries: taken from the system directory only, and a delay-imported
// library readied (all its functions resolved) before its first call.
#include <windows.h>
#include <delayimp.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/common/test_env.h"
#include "ui/core/system_library.h"

extern "C" float WINAPI FloatEcho(float a, float b, float c, float d, float* out);
// The descriptor of the test library's delay-import library (tests/fixtures).
extern "C" const ImgDelayDescr g_floatEchoDelay __asm__("__DELAY_IMPORT_DESCRIPTOR_libqvx_float_echo_delayed_a");

namespace {

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

std::wstring SystemDir() {
    wchar_t dir[MAX_PATH] = {};
    GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir) + L"\\";
}

// A copy of a file that goes when the test ends.
struct TCopy {
    TCopy(const std::wstring& from, std::wstring to) : path(std::move(to)), ok(testenv::CopyInto(from, path)) {}
    ~TCopy() { DeleteFileW(path.c_str()); }
    std::wstring path;
    bool ok;
};

}  // namespace

TEST(SystemLibrary, LoadsByFullPathAndNeverBesideTheProgram) {
    HMODULE msimg = SkinUI::LoadSystemLibrary(L"msimg32.dll");
    ASSERT_NE(msimg, nullptr);
    EXPECT_EQ(_wcsnicmp(ModulePath(msimg).c_str(), SystemDir().c_str(), SystemDir().size()), 0) << ModulePath(msimg);
    FreeLibrary(msimg);

    // A library beside the test program: a bare-name load takes it, the framework's never does.
    TCopy planted(testenv::FixtureFile(L"qvx_planted.dll"), testenv::BinaryDir() + L"qvx_planted_ui.dll");
    ASSERT_TRUE(planted.ok);
    const std::wstring overlong(300, L'a');
    const wchar_t* refused[] = {nullptr, L"", L"qvx_planted_ui.dll", L"..\\msimg32.dll", L"C:\\msimg32.dll",
                                L"x/msimg32.dll", overlong.c_str()};
    for (const wchar_t* name : refused) {
        HMODULE module = SkinUI::LoadSystemLibrary(name);
        EXPECT_EQ(module, nullptr) << (name ? std::wstring(name).substr(0, 30) : L"(null)");
        if (module != nullptr) FreeLibrary(module);
    }
    EXPECT_FALSE(testenv::FileExists(planted.path + L".loaded"));
}

TEST(SystemLibrary, DelayImportsAreReadiedOnlyWhenEveryFunctionIsThere) {
    EXPECT_TRUE(SkinUI::DelayImportsReady("gdiplus.dll"));
    EXPECT_TRUE(SkinUI::DelayImportsReady("GDIPLUS.DLL"));   // names compare without case
    EXPECT_TRUE(SkinUI::DelayImportsReady("oleacc.dll"));
    EXPECT_FALSE(SkinUI::DelayImportsReady("msimg32.dll"));  // not delay-imported
    EXPECT_FALSE(SkinUI::DelayImportsReady(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(SkinUI::DelayImportsReady(static_cast<const void*>(nullptr)));
}

// A call into a delay-imported function with floating-point arguments: the library's load
// (inside the resolver) leaves other values in the argument registers, and the thunk that
// resolves the first call keeps only the integer ones. Readied first, the call goes straight
// to the function and every argument arrives.
TEST(SystemLibrary, FloatArgumentsArriveIntactAfterReadying) {
    TCopy installed(testenv::FixtureFile(L"qvx_float_echo.dll"), SystemDir() + L"qvx_float_echo.dll");
    ASSERT_TRUE(installed.ok);
    ASSERT_TRUE(SkinUI::DelayImportsReady(&g_floatEchoDelay));
    float got[4] = {};
    const float sum = FloatEcho(1.5f, -2.25f, 1024.0f, 0.125f, got);
    EXPECT_EQ(got[0], 1.5f);
    EXPECT_EQ(got[1], -2.25f);
    EXPECT_EQ(got[2], 1024.0f);
    EXPECT_EQ(got[3], 0.125f);
    EXPECT_EQ(sum, 1.5f - 2.25f + 1024.0f + 0.125f);
    EXPECT_EQ(_wcsicmp(ModulePath(GetModuleHandleW(L"qvx_float_echo.dll")).c_str(), installed.path.c_str()), 0);
}
