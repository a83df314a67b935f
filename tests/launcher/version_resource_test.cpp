// The launcher's version block read back as Explorer reads it: numbers and texts made from the
// project version, the product name, and the commit the exe was built from.
#include <windows.h>

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <vector>

#include "launcher/launcher_windows.h"
#include "tests/common/test_env.h"

namespace {

class VersionBlock {
public:
    explicit VersionBlock(const std::wstring& path) {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        if (size == 0) return;
        data_.resize(size);
        if (!GetFileVersionInfoW(path.c_str(), 0, size, data_.data())) data_.clear();
    }
    bool Loaded() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const {
        void* p = nullptr;
        UINT len = 0;
        if (!VerQueryValueW(data_.data(), L"\\", &p, &len) || len < sizeof(VS_FIXEDFILEINFO)) return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(p);
    }

    // A text of the string table named by the first translation; null when absent.
    const wchar_t* Text(const wchar_t* name) const {
        struct Translation {
            WORD language, codePage;
        };
        void* p = nullptr;
        UINT len = 0;
        if (!VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &p, &len) || len < sizeof(Translation))
            return nullptr;
        const Translation* t = static_cast<const Translation*>(p);
        wchar_t sub[96];
        swprintf(sub, 96, L"\\StringFileInfo\\%04x%04x\\%ls", t->language, t->codePage, name);
        if (!VerQueryValueW(data_.data(), sub, &p, &len) || len == 0) return nullptr;
        return static_cast<const wchar_t*>(p);
    }

private:
    mutable std::vector<BYTE> data_;
};

std::wstring Widen(const char* s) { return std::wstring(s, s + strlen(s)); }

// "1.0.3.12" as the two 32-bit halves of the fixed block.
void PackVersion(const char* text, DWORD& ms, DWORD& ls) {
    unsigned part[4] = {};
    ASSERT_EQ(4, sscanf(text, "%u.%u.%u.%u", &part[0], &part[1], &part[2], &part[3])) << text;
    ms = MAKELONG(part[1], part[0]);
    ls = MAKELONG(part[3], part[2]);
}

bool IsCommit(const std::wstring& s) {
    std::wstring sha = s;
    const std::wstring dirty = L"-dirty";
    if (sha.size() > dirty.size() && sha.compare(sha.size() - dirty.size(), dirty.size(), dirty) == 0)
        sha.resize(sha.size() - dirty.size());
    if (sha.size() != 40) return false;
    for (wchar_t c : sha)
        if (!std::iswxdigit(c) || std::iswupper(c)) return false;
    return true;
}

}  // namespace

TEST(VersionResource, NumbersAndTextsComeFromTheProjectVersion) {
    const VersionBlock block(testenv::LauncherExe());
    ASSERT_TRUE(block.Loaded()) << "no version block in the launcher";
    DWORD ms = 0, ls = 0;
    PackVersion(QVX_PROJECT_VERSION, ms, ls);
    const VS_FIXEDFILEINFO* fixed = block.Fixed();
    ASSERT_NE(nullptr, fixed);
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(ms, fixed->dwFileVersionMS);
    EXPECT_EQ(ls, fixed->dwFileVersionLS);
    EXPECT_EQ(ms, fixed->dwProductVersionMS);
    EXPECT_EQ(ls, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);

    const std::wstring version = Widen(QVX_PROJECT_VERSION);
    const struct {
        const wchar_t* name;
        std::wstring expected;
    } texts[] = {
        {L"FileVersion", version},
        {L"ProductVersion", version},
        {L"ProductName", L"Tavrel"},
        {L"FileDescription", L"Tavrel Launcher"},
        {L"OriginalFilename", L"TavrelStart.exe"},
    };
    for (const auto& t : texts) {
        const wchar_t* got = block.Text(t.name);
        ASSERT_NE(nullptr, got) << t.name;
        EXPECT_EQ(t.expected, got) << t.name;
    }
    const wchar_t* copyright = block.Text(L"LegalCopyright");
    ASSERT_NE(nullptr, copyright);
    EXPECT_EQ(0, std::wstring(copyright).find(L"Copyright (C) ")) << copyright;

    const wchar_t* commit = block.Text(L"SourceCommit");
    ASSERT_NE(nullptr, commit);
    EXPECT_TRUE(IsCommit(commit)) << commit;
    // A release check names the commit it built.
    wchar_t expected[64] = {};
    if (GetEnvironmentVariableW(L"QVX_EXPECT_COMMIT", expected, 64) > 0) {
        EXPECT_STREQ(expected, commit);
    }
}

// The program icon as the system asks for it: every size from the small icon at 96 dpi to the
// 256-pixel one (DIB entries up to 64 pixels, PNG above) comes out at the size asked for.
TEST(VersionResource, ProgramIconLoadsAtEverySize) {
    HMODULE exe = LoadLibraryExW(testenv::LauncherExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    for (int size : {16, 20, 24, 32, 40, 48, 64, 96, 128, 256}) {
        HICON icon = static_cast<HICON>(LoadImageW(exe, MAKEINTRESOURCEW(kLauncherIconId), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << size;
        BITMAP bm{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
        EXPECT_EQ(bm.bmWidth, size);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    FreeLibrary(exe);
}
