// Reading skin files through the resource settings: file-system mode, the
// in-memory archive, archive files, and the archive embedded in the launcher.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/test_env.h"
#include "tests/ui/core/core_test_util.h"
#include "ui/core/image_loader.h"
#include "ui/core/paint_manager.h"
#include "ui/core/resource_settings.h"
#include "ui/core/xml_document.h"

using namespace SkinUI;
using coretest::BuildZip;
using coretest::ZipEntry;

namespace {

class SkinFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        CUIResourceSettings::Reset();
        m_dir = testenv::MakeTempDir(L"skinfile");
    }
    void TearDown() override {
        CUIResourceSettings::Reset();
        testenv::RemoveTree(m_dir);
    }
    // Parses a skin file and returns "" or the failure message.
    static std::wstring Load(const wchar_t* name) {
        CXmlDocument doc;
        if (doc.ParseSkinFile(name)) return doc.RootElement().IsNull() ? L"<no root>" : L"";
        EXPECT_STREQ(L"", doc.LastErrorPlace());
        return doc.LastErrorMessage();
    }
    std::wstring m_dir;
};

ZipEntry Entry(const std::string& name, const std::string& data) {
    ZipEntry e;
    e.name = name;
    e.data = data;
    return e;
}

const size_t kFourMiB = 4u * 1024u * 1024u;

// A well-formed document of exactly `size` bytes.
std::string DocumentOfSize(size_t size) {
    const std::string head = "<a v=\"";
    const std::string tail = "\"/>";
    return head + std::string(size - head.size() - tail.size(), 'x') + tail;
}

class ScopedModule {
public:
    explicit ScopedModule(const std::wstring& path)
        : m_h(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ScopedModule() {
        if (m_h) FreeLibrary(m_h);
    }
    HMODULE Get() const { return m_h; }

private:
    HMODULE m_h;
};

}  // namespace

TEST_F(SkinFileTest, FileSystemModeSizesAndMessages) {
    ASSERT_TRUE(testenv::WriteFile(m_dir + L"ok.xml", "<Window/>"));
    ASSERT_TRUE(testenv::WriteFile(m_dir + L"empty.xml", ""));
    ASSERT_TRUE(testenv::WriteFile(m_dir + L"exact.xml", DocumentOfSize(kFourMiB)));
    ASSERT_TRUE(testenv::WriteFile(m_dir + L"big.xml", DocumentOfSize(kFourMiB + 1)));
    CPaintManagerUI::SetResourcePath(m_dir.c_str());
    EXPECT_EQ(L"", Load(L"ok.xml"));
    EXPECT_EQ(L"", Load(L"exact.xml"));
    EXPECT_EQ(L"File is empty", Load(L"empty.xml"));
    EXPECT_EQ(L"File too large", Load(L"big.xml"));
    EXPECT_EQ(L"Error opening file", Load(L"missing.xml"));
}

TEST_F(SkinFileTest, MemoryArchiveMembersAndFailures) {
    ZipEntry broken = Entry("broken.xml", "<Window/>");
    broken.claimedCrc = 1;
    static const std::string zip = BuildZip({Entry("skin/msg.xml", "<Window caption=\"0,0,0,30\"/>"),
                                             Entry("empty.xml", ""), broken,
                                             Entry("exact.xml", DocumentOfSize(kFourMiB)),
                                             Entry("big.xml", std::string(kFourMiB + 1, ' '))});
    CPaintManagerUI::SetResourceArchive(zip.data(), static_cast<unsigned>(zip.size()));
    EXPECT_STREQ(L"membuffer", CPaintManagerUI::GetResourceZip());
    EXPECT_TRUE(CPaintManagerUI::IsCachedResourceZip());
    EXPECT_EQ(L"", Load(L"skin/msg.xml"));
    EXPECT_EQ(L"", Load(L"SKIN\\MSG.XML"));
    EXPECT_EQ(L"", Load(L"exact.xml"));
    EXPECT_EQ(L"Could not find ziped file", Load(L"nothere.xml"));
    EXPECT_EQ(L"File is empty", Load(L"empty.xml"));
    EXPECT_EQ(L"Could not unzip file", Load(L"broken.xml"));
    EXPECT_EQ(L"File too large", Load(L"big.xml"));

    // A broken member gives images and fonts no data (and no file of that name exists).
    CUIBuffer bytes;
    EXPECT_FALSE(CUIResourceSettings::ReadResourceFile(L"broken.xml", bytes));
    EXPECT_TRUE(bytes.IsEmpty());
}

TEST_F(SkinFileTest, SecondMemoryArchiveIsIgnored) {
    static const std::string first = BuildZip({Entry("one.xml", "<One/>")});
    static const std::string second = BuildZip({Entry("two.xml", "<Two/>")});
    CPaintManagerUI::SetResourceArchive(first.data(), static_cast<unsigned>(first.size()));
    CPaintManagerUI::SetResourceArchive(second.data(), static_cast<unsigned>(second.size()));
    EXPECT_EQ(L"", Load(L"one.xml"));
    EXPECT_EQ(L"Could not find ziped file", Load(L"two.xml"));
}

TEST_F(SkinFileTest, HostileMemoryArchiveMeansNoArchive) {
    static const std::string junk(300, 'J');
    CPaintManagerUI::SetResourceArchive(junk.data(), static_cast<unsigned>(junk.size()));
    EXPECT_EQ(L"Error opening zip file", Load(L"msg.xml"));
}

TEST_F(SkinFileTest, FailedOrClosedMemoryArchiveNeverReadsAFileOfItsName) {
    // A file named like the in-memory archive, holding a skin, beside the resource path.
    static const std::string decoy = BuildZip({Entry("msg.xml", "<Decoy/>")});
    static const std::string good = BuildZip({Entry("msg.xml", "<Window/>")});
    static const std::string junk(300, 'J');
    ASSERT_TRUE(testenv::WriteFile(m_dir + L"membuffer", decoy));
    struct Case {
        const char* what;
        const std::string* archive;
        bool closeAfter;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {"junk archive", &junk, false, L"Error opening zip file"},
        {"closed by TermFramework", &good, true, L"Error opening zip file"},
        {"good archive after a failed one", &good, false, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CPaintManagerUI::SetResourcePath(m_dir.c_str());
        CPaintManagerUI::SetResourceArchive(c.archive->data(), static_cast<unsigned>(c.archive->size()));
        if (c.closeAfter) CPaintManagerUI::TermFramework();
        EXPECT_EQ(c.expected, Load(L"msg.xml"));
        CUIBuffer bytes;
        EXPECT_EQ(*c.expected == 0, CUIResourceSettings::ReadResourceFile(L"msg.xml", bytes));
    }
}

TEST_F(SkinFileTest, ArchiveFileOpenedPerReadOrCached) {
    const std::string zip = BuildZip({Entry("a.xml", "<A/>")});
    ASSERT_TRUE(testenv::WriteFile(m_dir + L"res.zip", zip));
    CPaintManagerUI::SetResourcePath(m_dir.c_str());
    CPaintManagerUI::SetResourceZip(L"res.zip");
    EXPECT_FALSE(CPaintManagerUI::IsCachedResourceZip());
    EXPECT_EQ(L"", Load(L"a.xml"));
    CPaintManagerUI::SetResourceZip(L"res.zip", true);
    EXPECT_NE(nullptr, CUIResourceSettings::GetCachedArchive());
    EXPECT_EQ(L"", Load(L"A.XML"));
    CPaintManagerUI::SetResourceZip(L"absent.zip");
    EXPECT_EQ(L"Error opening zip file", Load(L"a.xml"));
}

TEST_F(SkinFileTest, ImagesAndFontsFallBackToTheBarePath) {
    static const std::string zip = BuildZip({Entry("in_zip.bin", "zipped")});
    ASSERT_TRUE(testenv::WriteFile(m_dir + L"loose.bin", "loose"));
    CPaintManagerUI::SetResourceArchive(zip.data(), static_cast<unsigned>(zip.size()));
    CUIBuffer bytes;
    ASSERT_TRUE(CUIResourceSettings::ReadResourceFile(L"in_zip.bin", bytes));
    EXPECT_EQ("zipped", std::string(reinterpret_cast<char*>(bytes.Data()), bytes.Size()));
    const std::wstring loose = m_dir + L"loose.bin";
    ASSERT_TRUE(CUIResourceSettings::ReadResourceFile(loose.c_str(), bytes));
    EXPECT_EQ("loose", std::string(reinterpret_cast<char*>(bytes.Data()), bytes.Size()));
    // Skin files have no such fallback.
    EXPECT_EQ(L"Could not find ziped file", Load(loose.c_str()));
}

TEST_F(SkinFileTest, ArchiveMadeByZipWithAFolder) {
    const std::wstring path = testenv::BinaryDir() + L"ui_core_fixtures\\";
    ASSERT_TRUE(testenv::FileExists(path + L"plain.zip"));
    CPaintManagerUI::SetResourcePath(path.c_str());
    CPaintManagerUI::SetResourceZip(L"plain.zip", true);
    CXmlDocument doc;
    ASSERT_TRUE(doc.ParseSkinFile(L"NESTED\\inner.XML")) << doc.LastErrorMessage();
    EXPECT_STREQ(L"inner", doc.RootElement().FirstChild().FindAttrValue(L"name"));
    EXPECT_EQ(L"", Load(L"secret.xml"));
}

TEST_F(SkinFileTest, SkinArchiveEmbeddedInTheLauncher) {
    ScopedModule launcher(testenv::LauncherExe());
    ASSERT_NE(nullptr, launcher.Get());
    HRSRC res = FindResourceW(launcher.Get(), MAKEINTRESOURCEW(130), L"ZIPRES");
    ASSERT_NE(nullptr, res);
    HGLOBAL loaded = LoadResource(launcher.Get(), res);
    const DWORD size = SizeofResource(launcher.Get(), res);
    ASSERT_GT(size, 0u);
    CPaintManagerUI::SetResourceArchive(LockResource(loaded), size);

    for (const wchar_t* name : {L"msg_fix_tips.xml", L"MSG_FIX_TIPS.XML"}) {
        CXmlDocument doc;
        ASSERT_TRUE(doc.ParseSkinFile(name)) << doc.LastErrorMessage();
        EXPECT_EQ(0, _wcsicmp(L"Window", doc.RootElement().Name()));
    }
    CXmlDocument xp;
    ASSERT_TRUE(xp.ParseSkinFile(L"Msg_Xp_Tips.xml")) << xp.LastErrorMessage();
    CUIBuffer png;
    ASSERT_TRUE(CUIResourceSettings::ReadResourceFile(L"BTN_CLOSE.PNG", png));
    EXPECT_EQ(0, memcmp(png.Data(), "\x89PNG", 4));

    // Module resources by identifier: the bytes are copied; an archive is no image.
    CUIBuffer copy;
    ASSERT_TRUE(ReadModuleResource(launcher.Get(), MAKEINTRESOURCEW(130), L"ZIPRES", copy));
    EXPECT_EQ(size, copy.Size());
    EXPECT_FALSE(ReadModuleResource(launcher.Get(), MAKEINTRESOURCEW(131), L"ZIPRES", copy));
    CPaintManagerUI pm;
    EXPECT_EQ(nullptr, pm.AddImage(L"130", L"ZIPRES", 0, false, false, launcher.Get()));
    CUIResourceSettings::Reset();  // before the module goes away
}
