// Libraries loaded at run time: a copy planted beside the program is never taken.
#include <gtest/gtest.h>

#include <string>

#include "support/win/scoped_handle.h"
#include "support/win/system_library.h"
#include "tests/common/test_env.h"

namespace {

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

// A library under a name of its own where a bare-name load looks first, beside the test
// program (the build folder). It is the game stand-in, an image the loader accepts.
struct PlantedLibrary {
    const std::wstring path = testenv::BinaryDir() + L"qvx_planted.dll";
    const bool ok = testenv::CopyInto(testenv::FixtureFile(L"qvx.exe"), path);
    ~PlantedLibrary() { DeleteFileW(path.c_str()); }
};

}  // namespace

TEST(SystemLibrary, LoadsFromTheSystemDirectoryOnly) {
    wchar_t system[MAX_PATH] = {};
    ASSERT_NE(GetSystemDirectoryW(system, MAX_PATH), 0u);
    ScopedLibrary version(LoadSystemLibrary(L"version.dll"));
    ASSERT_TRUE(version);
    EXPECT_EQ(_wcsnicmp(ModulePath(version.get()).c_str(), system, wcslen(system)), 0) << ModulePath(version.get());

    const std::wstring overlong(MAX_PATH, L'a');
    const wchar_t* refused[] = {nullptr, L"", L"..\\version.dll", L"C:\\windows\\system32\\version.dll",
                                L"system32/version.dll", overlong.c_str(), L"no_such_library_qvx.dll"};
    for (const wchar_t* name : refused) {
        ScopedLibrary module(LoadSystemLibrary(name));
        EXPECT_FALSE(module) << (name ? std::wstring(name).substr(0, 40) : L"(null)");
    }
}

TEST(SystemLibrary, APlantedCopyBesideTheProgramIsNeverLoaded) {
    PlantedLibrary planted;
    ASSERT_TRUE(planted.ok);
    // A bare-name load does take it: that is what the two functions guard against.
    ScopedLibrary bare(LoadLibraryW(L"qvx_planted.dll"));
    ASSERT_TRUE(bare);
    bare.reset();

    EXPECT_FALSE(ScopedLibrary(LoadSystemLibrary(L"qvx_planted.dll")));
    ASSERT_TRUE(RestrictLibrarySearchToSystem());
    EXPECT_FALSE(ScopedLibrary(LoadLibraryW(L"qvx_planted.dll")));
    // System libraries are still found by name.
    EXPECT_TRUE(ScopedLibrary(LoadLibraryW(L"version.dll")));
}
