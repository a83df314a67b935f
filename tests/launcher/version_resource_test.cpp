// The launcher's version block read back as Explorer reads it: numbers and texts made from the
// project version, the product name, and the commit the exe was built from.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <cwctype>
#include <memory>
#include <string>
#include <type_traits>
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

// The program icon's group as stored: one image for each size the system asks for, from the
// small icon at 96 dpi to the 256-pixel one (32-bit DIBs up to 64 pixels, PNG above), each
// image really of the size its entry names.
TEST(VersionResource, ProgramIconStoresAnImageForEverySize) {
#pragma pack(push, 2)
    struct GroupEntry {
        BYTE width, height, colors, reserved;
        WORD planes, bitCount;
        DWORD bytes;
        WORD id;
    };
    struct GroupHeader {
        WORD reserved, type, count;
    };
#pragma pack(pop)
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&FreeLibrary)> module(
        LoadLibraryExW(testenv::LauncherExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), &FreeLibrary);
    HMODULE exe = module.get();
    ASSERT_NE(exe, nullptr);
    const auto resource = [exe](LPCWSTR id, LPCWSTR type, DWORD& size) -> const BYTE* {
        HRSRC found = FindResourceW(exe, id, type);
        HGLOBAL loaded = found ? LoadResource(exe, found) : nullptr;
        size = found ? SizeofResource(exe, found) : 0;
        return loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    };
    DWORD groupSize = 0;
    const BYTE* group = resource(MAKEINTRESOURCEW(kLauncherIconId), RT_GROUP_ICON, groupSize);
    ASSERT_NE(group, nullptr);
    ASSERT_GE(groupSize, sizeof(GroupHeader));
    GroupHeader header;
    memcpy(&header, group, sizeof(header));
    ASSERT_EQ(header.type, 1);
    ASSERT_EQ(groupSize, sizeof(GroupHeader) + header.count * sizeof(GroupEntry));

    std::vector<int> sizes;
    for (WORD i = 0; i < header.count; ++i) {
        GroupEntry entry;
        memcpy(&entry, group + sizeof(GroupHeader) + i * sizeof(GroupEntry), sizeof(entry));
        const int side = entry.width == 0 ? 256 : entry.width;
        sizes.push_back(side);
        EXPECT_EQ(entry.height, entry.width) << side;
        EXPECT_EQ(entry.bitCount, 32) << side;
        DWORD size = 0;
        const BYTE* image = resource(MAKEINTRESOURCEW(entry.id), RT_ICON, size);
        ASSERT_NE(image, nullptr) << side;
        EXPECT_EQ(size, entry.bytes) << side;
        // A PNG's width and height are big-endian in its header chunk, after the signature.
        const bool png = size >= 24 && memcmp(image, "\x89PNG\r\n\x1a\n", 8) == 0;
        EXPECT_EQ(png, side > 64) << side;
        if (png) {
            const auto be32 = [image](int at) {
                return static_cast<int>(image[at] << 24 | image[at + 1] << 16 | image[at + 2] << 8 | image[at + 3]);
            };
            EXPECT_EQ(be32(16), side);
            EXPECT_EQ(be32(20), side);
        } else {
            ASSERT_GE(size, sizeof(BITMAPINFOHEADER)) << side;
            BITMAPINFOHEADER dib;
            memcpy(&dib, image, sizeof(dib));
            EXPECT_EQ(dib.biWidth, side);
            EXPECT_EQ(dib.biHeight, 2 * side);  // the colour rows, then the mask's
            EXPECT_EQ(dib.biBitCount, 32) << side;
        }
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 20, 24, 32, 40, 48, 64, 96, 128, 256}));
}
