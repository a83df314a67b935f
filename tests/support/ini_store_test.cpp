// The configuration store: deciphering, code-page conversion, lookups and the resource path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ini_store.h"
#include "support/portable/config_cipher.h"
#include "support/win/scoped_handle.h"
#include "tests/common/test_env.h"

namespace {

const char kPassPhrase[] = "MirthTallowRun";

std::vector<std::uint8_t> Encipher(const std::string& utf8)
{
    return qvx::EncipherConfig(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size(), kPassPhrase);
}

// A copy of a fixture exe carrying RCDATA resources written by the test.
class CResourceModule {
public:
    explicit CResourceModule(const wchar_t* tag)
    {
        m_dir = testenv::MakeTempDir(tag);
        m_path = m_dir + L"res.exe";
        testenv::CopyInto(testenv::FixtureFile(L"runtime.exe"), m_path);
    }
    ~CResourceModule()
    {
        m_module.reset();
        testenv::RemoveTree(m_dir);
    }
    bool Add(int id, const std::vector<std::uint8_t>& bytes)
    {
        ScopedHandle update(BeginUpdateResourceW(m_path.c_str(), FALSE));
        if (!update)
            return false;
        // The update handle is not a kernel handle: end the update, don't close it.
        HANDLE raw = update.release();
        const BOOL added = UpdateResourceW(raw, MAKEINTRESOURCEW(10), MAKEINTRESOURCEW(id),
                                           MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                           const_cast<std::uint8_t*>(bytes.data()), DWORD(bytes.size()));
        return EndUpdateResourceW(raw, !added) && added;
    }
    HMODULE Load()
    {
        m_module.reset(LoadLibraryExW(m_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        return m_module.get();
    }

private:
    std::wstring m_dir;
    std::wstring m_path;
    ScopedLibrary m_module;
};

TEST(IniStore, DeciphersUtf8TextIntoCodePage936)
{
    CIniStore store;
    // "游戏" in UTF-8; the store keeps it in code page 936.
    const std::string text = "[Soft]\nSOFT_NAME_EN = GameQVX # note\nTITLE=\xE6\xB8\xB8\xE6\x88\x8F\n";
    const std::vector<std::uint8_t> data = Encipher(text);
    ASSERT_TRUE(store.LoadFromData(data.data(), data.size(), kPassPhrase));
    EXPECT_EQ(store.GetValue("Soft", "SOFT_NAME_EN"), "GameQVX");
    EXPECT_EQ(store.GetValue("Soft", "TITLE"), std::string("\xD3\xCE\xCF\xB7"));
}

TEST(IniStore, WrongPassPhraseOrEmptyDataLeavesNoSections)
{
    CIniStore store;
    const std::vector<std::uint8_t> data = Encipher("[Soft]\nSOFT_NAME_EN=GameQVX\n");
    EXPECT_FALSE(store.LoadFromData(data.data(), data.size(), "NotThePhrase!!"));
    EXPECT_EQ(store.GetValue("Soft", "SOFT_NAME_EN"), "");
    EXPECT_FALSE(store.LoadFromData(nullptr, 0, kPassPhrase));
    EXPECT_FALSE(store.HasSections());
}

TEST(IniStore, LookupsOfAbsentSectionsDoNotChangeTheStore)
{
    CIniStore store;
    EXPECT_EQ(store.GetValue("Soft", "SOFT_NAME_EN"), "");
    EXPECT_FALSE(store.HasSections());
    store.Parse("[Empty]\n[Full]\nk=v\n");
    EXPECT_EQ(store.GetValue("Empty", "k"), "");
    EXPECT_EQ(store.GetValue("Full", "absent"), "");
    EXPECT_EQ(store.GetValue("full", "k"), "");
    EXPECT_EQ(store.GetValue("Full", "k"), "v");
}

TEST(IniStore, DiagnosticsAreKeptPerParse)
{
    CIniStore store;
    store.Parse("orphan\n[S]\nnoseparator\n");
    ASSERT_EQ(store.GetDiagnostics().size(), 2u);
    EXPECT_EQ(store.GetDiagnostics()[0], "l.1: ini parsing failed, field has no section");
    EXPECT_EQ(store.GetDiagnostics()[1], "l.3: ini parsing failed, no '=' found");
    store.Parse("[S]\nk=v\n");
    EXPECT_TRUE(store.GetDiagnostics().empty());
}

TEST(IniStore, SoftLookupsConvertThroughCodePage936)
{
    CIniStore* store = CIniStore::GetInstance();
    EXPECT_EQ(store, CIniStore::GetInstance());
    store->Parse("[Soft]\nSOFT_NAME_EN=GameQVX\n[SoftParam]\nKEY_MAIN_NAME=\xD3\xCE\xCF\xB7\n[soft]\nX=lower\n");
    EXPECT_EQ(GetSoftValue(L"SOFT_NAME_EN"), L"GameQVX");
    EXPECT_EQ(GetSoftParamValue(L"KEY_MAIN_NAME"), L"\u6E38\u620F");
    EXPECT_EQ(GetSoftValue(L"KEY_MAIN_NAME"), L"");
    EXPECT_EQ(GetSoftValue(L"X"), L"");
    store->Parse("");
}

TEST(IniStore, LoadsTheLaunchersEmbeddedConfiguration)
{
    ScopedLibrary launcher(LoadLibraryExW(testenv::LauncherExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(launcher) << "launcher exe not built";
    CIniStore store;
    ASSERT_TRUE(store.LoadFromResource(launcher.get(), kPassPhrase, 5000));
    EXPECT_EQ(store.GetValue("Soft", "SOFT_NAME_EN"), "GameQVX");
    EXPECT_EQ(store.GetValue("SoftParam", "KEY_MAIN_NAME"), "Tavrel");
    EXPECT_EQ(store.GetValue("SoftParam", "SAVE_KEY_Install_Path"), "InstallPath");
    EXPECT_EQ(store.GetValue("SoftParam", "SAVE_KEY_MAIN_FIX_TIME"), "RuntimeFixTime");
    EXPECT_TRUE(store.GetDiagnostics().empty());
}

TEST(IniStore, MissingOrEmptyResourcesLeaveTheStoreAsItWas)
{
    CResourceModule module(L"inires");
    ASSERT_TRUE(module.Add(5001, Encipher("[Soft]\nSOFT_NAME_EN=FromResource\n")));
    HMODULE handle = module.Load();
    ASSERT_NE(handle, nullptr);

    CIniStore store;
    ASSERT_TRUE(store.LoadFromResource(handle, kPassPhrase, 5001));
    EXPECT_EQ(store.GetValue("Soft", "SOFT_NAME_EN"), "FromResource");

    EXPECT_FALSE(store.LoadFromResource(handle, kPassPhrase, 5003)); // absent
    EXPECT_FALSE(store.LoadFromResource(nullptr, kPassPhrase, 5000)); // this exe has none
    // A locked pointer that is null, or a size of 0, each on its own.
    const std::uint8_t bytes[8] = {};
    EXPECT_FALSE(store.LoadFromData(nullptr, 8, kPassPhrase));
    EXPECT_FALSE(store.LoadFromData(bytes, 0, kPassPhrase));
    EXPECT_EQ(store.GetValue("Soft", "SOFT_NAME_EN"), "FromResource");

    // A later successful load replaces everything.
    const std::vector<std::uint8_t> other = Encipher("[SoftParam]\nKEY_MAIN_NAME=Other\n");
    ASSERT_TRUE(store.LoadFromData(other.data(), other.size(), kPassPhrase));
    EXPECT_EQ(store.GetValue("Soft", "SOFT_NAME_EN"), "");
    EXPECT_EQ(store.GetValue("SoftParam", "KEY_MAIN_NAME"), "Other");
}

} // namespace
